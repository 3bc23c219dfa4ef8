#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace polygrav::test {

// How a program is started: its arguments, its whole environment, and the
// limits a test puts on it.
struct ChildOptions {
    std::vector<std::string> args;  // after the program itself
    std::map<std::string, std::string> env;
    // RLIMIT_FSIZE for the child, with SIGXFSZ ignored, so that a write
    // beyond it fails with EFBIG as on a full disk.
    std::optional<rlim_t> fileSizeLimit;
    // Run as uid and gid 65534 when the test runs as root, so that file
    // permissions apply to the child.
    bool asNobody = false;
};

// How the child ended and what it wrote to standard error.
struct ChildResult {
    bool exited = false;  // ended by exit, not by a signal
    int exitCode = -1;
    int signal = 0;
    bool timedOut = false;
    std::string err;
};

// A started program. Standard output goes to /dev/null, standard error is
// collected.
class ChildProcess {
  public:
    ChildProcess(const std::string& program, const ChildOptions& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // Waits until the child catches the signal (its handler is installed);
    // false when the child ended or the time ran out first.
    bool WaitUntilCatching(int signal, std::chrono::seconds timeout);

    // Waits for the end, killing the child when the time runs out.
    ChildResult Finish(std::chrono::seconds timeout);

  private:
    void Drain(int waitMs);

    pid_t pid_ = -1;
    int errFd_ = -1;
    bool reaped_ = false;
    int status_ = 0;
    std::string err_;
};

// Runs the program to its end.
ChildResult RunChild(const std::string& program, const ChildOptions& options,
                     std::chrono::seconds timeout = std::chrono::seconds(120));

// The uid and gid that asNobody switches to.
inline constexpr uid_t kNobodyId = 65534;

}  // namespace polygrav::test
