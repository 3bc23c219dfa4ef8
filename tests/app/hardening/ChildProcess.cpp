#include "ChildProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace polygrav::test {

namespace {

using Clock = std::chrono::steady_clock;

// The child's side between fork and exec: only calls that are safe there.
[[noreturn]] void ExecChild(int errWrite, const ChildOptions& options, char* const* argv,
                            char* const* envp) {
    const int devNull = ::open("/dev/null", O_RDWR);
    if (devNull < 0 || ::dup2(devNull, 0) < 0 || ::dup2(devNull, 1) < 0 ||
        ::dup2(errWrite, 2) < 0) {
        ::_exit(126);
    }
    if (options.fileSizeLimit) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = *options.fileSizeLimit;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
    }
    if (options.asNobody && ::geteuid() == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobodyId) != 0 || ::setuid(kNobodyId) != 0) {
            ::_exit(126);
        }
    }
    ::execve(argv[0], argv, envp);
    ::_exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const ChildOptions& options) {
    std::vector<std::string> args{program};
    args.insert(args.end(), options.args.begin(), options.args.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> vars;
    for (const auto& [name, value] : options.env) vars.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    std::fflush(nullptr);
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) ExecChild(fds[1], options, argv.data(), envp.data());
    ::close(fds[1]);
    errFd_ = fds[0];
}

ChildProcess::~ChildProcess() {
    if (!reaped_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (errFd_ >= 0) ::close(errFd_);
}

void ChildProcess::Drain(int waitMs) {
    if (errFd_ < 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        return;
    }
    struct pollfd p {
        errFd_, POLLIN, 0
    };
    if (::poll(&p, 1, waitMs) <= 0) return;
    char buffer[4096];
    const ssize_t n = ::read(errFd_, buffer, sizeof buffer);
    if (n > 0) {
        err_.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0) {
        ::close(errFd_);
        errFd_ = -1;
    }
}

bool ChildProcess::WaitUntilCatching(int signal, std::chrono::seconds timeout) {
    const std::string statusPath = "/proc/" + std::to_string(pid_) + "/status";
    const unsigned long long bit = 1ULL << (signal - 1);
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
        if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
            reaped_ = true;
            return false;
        }
        std::ifstream status(statusPath);
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("SigCgt:", 0) == 0 &&
                (std::stoull(line.substr(7), nullptr, 16) & bit) != 0) {
                return true;
            }
        }
        Drain(20);
    }
    return false;
}

ChildResult ChildProcess::Finish(std::chrono::seconds timeout) {
    ChildResult result;
    const auto end = Clock::now() + timeout;
    while (!reaped_) {
        if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
            reaped_ = true;
            break;
        }
        if (Clock::now() >= end) {
            result.timedOut = true;
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status_, 0);
            reaped_ = true;
            break;
        }
        Drain(20);
    }
    // What the child wrote before it ended; a grandchild that kept the pipe
    // open does not hold the test up for long.
    const auto drainEnd = Clock::now() + std::chrono::seconds(2);
    while (errFd_ >= 0 && Clock::now() < drainEnd) Drain(50);
    result.err = err_;
    if (WIFEXITED(status_)) {
        result.exited = true;
        result.exitCode = WEXITSTATUS(status_);
    } else if (WIFSIGNALED(status_)) {
        result.signal = WTERMSIG(status_);
    }
    return result;
}

ChildResult RunChild(const std::string& program, const ChildOptions& options,
                     std::chrono::seconds timeout) {
    ChildProcess child(program, options);
    return child.Finish(timeout);
}

}  // namespace polygrav::test
