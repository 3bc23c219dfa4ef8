#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace polygrav::test {

// How a child is started and what limits a test puts on it.
struct ChildOptions {
    std::vector<std::string> args;  // after the program itself
    // The child's whole environment; start from CurrentEnvironment() to
    // change a few variables. Used only for a program.
    std::map<std::string, std::string> env = CurrentEnvironment();
    // The child's working folder; empty keeps the test's.
    std::string workingFolder;
    // Given on standard input, which is then closed.
    std::string stdinBytes;
    // RLIMIT_FSIZE for the child, with SIGXFSZ ignored, so that a write
    // beyond it fails with EFBIG as on a full disk.
    std::optional<rlim_t> fileSizeLimit;
    // RLIMIT_AS for the child: an allocation beyond it fails.
    std::optional<rlim_t> addressSpaceLimit;
    // Run as uid and gid 65534 when the test runs as root, so that file
    // permissions apply to the child.
    bool asNobody = false;

    static std::map<std::string, std::string> CurrentEnvironment();
};

// How the child ended and what it wrote.
struct ChildResult {
    bool exited = false;  // ended by exit, not by a signal
    int exitCode = -1;
    int signal = 0;  // the signal that ended it
    bool timedOut = false;
    std::string out;
    std::string err;
    long peakKilobytes = 0;  // the child's largest resident set, as the system counted it
};

// A started child: a program, or a forked copy of the test running a
// function. Standard output and standard error are collected while the
// test waits for it. A child still running when the object goes is killed.
class ChildProcess {
  public:
    // Runs program (searched in PATH when it holds no "/").
    ChildProcess(const std::string& program, const ChildOptions& options);
    // Runs body in a forked copy of this process; its result is the exit
    // code (an exception ends the child with 125). The fork has the test's
    // environment; args and env are not used.
    ChildProcess(const std::function<int()>& body, const ChildOptions& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // Waits until the child catches the signal (its handler is installed);
    // false when the child ended or the time ran out first.
    bool WaitUntilCatching(int signal, std::chrono::milliseconds timeout);

    // Waits for the end, killing the child when the time runs out.
    ChildResult Finish(std::chrono::milliseconds timeout);

  private:
    void Start(const std::function<void()>& inChild, const ChildOptions& options);
    bool Reap(int flags);
    void Pump(int waitMs);

    pid_t pid_ = -1;
    int inFd_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string stdin_;
    std::size_t stdinWritten_ = 0;
    bool reaped_ = false;
    int status_ = 0;
    long peakKilobytes_ = 0;
    std::string out_;
    std::string err_;
};

// Runs the program to its end.
ChildResult RunChild(const std::string& program, const ChildOptions& options,
                     std::chrono::milliseconds timeout = std::chrono::seconds(120));

// Runs body in a forked child to its end.
ChildResult RunForked(const std::function<int()>& body, const ChildOptions& options = {},
                      std::chrono::milliseconds timeout = std::chrono::seconds(120));

// The uid and gid that asNobody switches to.
inline constexpr uid_t kNobodyId = 65534;

}  // namespace polygrav::test
