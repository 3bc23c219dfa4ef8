#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace polygrav::test {

namespace {

using Clock = std::chrono::steady_clock;

// The program's path: as given when it holds a "/", else the first
// executable of that name in PATH.
std::string FindProgram(const std::string& program) {
    if (program.find('/') != std::string::npos) return program;
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return program;
}

void ClosePipe(int fds[2]) {
    for (int i = 0; i < 2; ++i) {
        if (fds[i] >= 0) ::close(fds[i]);
    }
}

// The child's side after fork: only calls that are safe there, until exec
// or the body.
void SetUpChild(int in, int out, int err, const ChildOptions& options, const char* workingFolder) {
    if (::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
    if (workingFolder != nullptr && ::chdir(workingFolder) != 0) ::_exit(126);
    if (options.fileSizeLimit) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = *options.fileSizeLimit;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
    }
    if (options.addressSpaceLimit) {
        struct rlimit limit {};
        ::getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = *options.addressSpaceLimit;
        if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(126);
    }
    if (options.asNobody && ::geteuid() == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobodyId) != 0 || ::setuid(kNobodyId) != 0) {
            ::_exit(126);
        }
    }
}

}  // namespace

std::map<std::string, std::string> ChildOptions::CurrentEnvironment() {
    std::map<std::string, std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string var = *e;
        const std::size_t eq = var.find('=');
        env[var.substr(0, eq)] = eq == std::string::npos ? "" : var.substr(eq + 1);
    }
    return env;
}

ChildProcess::ChildProcess(const std::string& program, const ChildOptions& options) {
    std::vector<std::string> args{FindProgram(program)};
    args.insert(args.end(), options.args.begin(), options.args.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> vars;
    for (const auto& [name, value] : options.env) vars.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);
    Start(
        [&] {
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        },
        options);
}

ChildProcess::ChildProcess(const std::function<int()>& body, const ChildOptions& options) {
    Start(
        [&] {
            int code = 125;
            try {
                code = body();
            } catch (...) {
            }
            std::fflush(nullptr);
            ::_exit(code);
        },
        options);
}

void ChildProcess::Start(const std::function<void()>& inChild, const ChildOptions& options) {
    int in[2] = {-1, -1};
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
        ::pipe2(err, O_CLOEXEC) != 0) {
        ClosePipe(in);
        ClosePipe(out);
        ClosePipe(err);
        throw std::runtime_error("pipe failed");
    }
    const char* folder = options.workingFolder.empty() ? nullptr : options.workingFolder.c_str();
    std::fflush(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        SetUpChild(in[0], out[1], err[1], options, folder);
        inChild();
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    if (pid_ < 0) {
        ::close(in[1]);
        ::close(out[0]);
        ::close(err[0]);
        throw std::runtime_error("fork failed");
    }
    inFd_ = in[1];
    outFd_ = out[0];
    errFd_ = err[0];
    stdin_ = options.stdinBytes;
    ::fcntl(inFd_, F_SETFL, O_NONBLOCK);
    if (stdin_.empty()) {
        ::close(inFd_);
        inFd_ = -1;
    }
}

ChildProcess::~ChildProcess() {
    if (!reaped_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    for (const int fd : {inFd_, outFd_, errFd_}) {
        if (fd >= 0) ::close(fd);
    }
}

bool ChildProcess::Reap(int flags) {
    rusage usage{};
    if (!reaped_ && ::wait4(pid_, &status_, flags, &usage) == pid_) {
        reaped_ = true;
        peakKilobytes_ = usage.ru_maxrss;
    }
    return reaped_;
}

// Moves bytes between the child's pipes and the buffers for at most waitMs.
void ChildProcess::Pump(int waitMs) {
    pollfd fds[3];
    nfds_t count = 0;
    if (inFd_ >= 0) fds[count++] = {inFd_, POLLOUT, 0};
    if (outFd_ >= 0) fds[count++] = {outFd_, POLLIN, 0};
    if (errFd_ >= 0) fds[count++] = {errFd_, POLLIN, 0};
    if (count == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        return;
    }
    if (::poll(fds, count, waitMs) <= 0) return;
    for (nfds_t i = 0; i < count; ++i) {
        if (fds[i].revents == 0) continue;
        const int fd = fds[i].fd;
        if (fd == inFd_) {
            const ssize_t n =
                ::write(inFd_, stdin_.data() + stdinWritten_, stdin_.size() - stdinWritten_);
            if (n > 0) stdinWritten_ += static_cast<std::size_t>(n);
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || stdinWritten_ == stdin_.size()) {
                ::close(inFd_);
                inFd_ = -1;
            }
            continue;
        }
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        std::string& sink = fd == outFd_ ? out_ : err_;
        if (n > 0) {
            sink.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            ::close(fd);
            (fd == outFd_ ? outFd_ : errFd_) = -1;
        }
    }
}

bool ChildProcess::WaitUntilCatching(int signal, std::chrono::milliseconds timeout) {
    const std::string statusPath = "/proc/" + std::to_string(pid_) + "/status";
    const unsigned long long bit = 1ULL << (signal - 1);
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
        if (Reap(WNOHANG)) return false;
        std::ifstream status(statusPath);
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("SigCgt:", 0) == 0 &&
                (std::stoull(line.substr(7), nullptr, 16) & bit) != 0) {
                return true;
            }
        }
        Pump(20);
    }
    return false;
}

ChildResult ChildProcess::Finish(std::chrono::milliseconds timeout) {
    ChildResult result;
    const auto end = Clock::now() + timeout;
    while (!Reap(WNOHANG)) {
        if (Clock::now() >= end) {
            result.timedOut = true;
            ::kill(pid_, SIGKILL);
            Reap(0);
            break;
        }
        Pump(20);
    }
    // What the child wrote before it ended; a grandchild that kept the pipes
    // open does not hold the test up for long.
    const auto drainEnd = Clock::now() + std::chrono::seconds(2);
    while ((outFd_ >= 0 || errFd_ >= 0) && Clock::now() < drainEnd) Pump(50);
    result.out = out_;
    result.err = err_;
    result.peakKilobytes = peakKilobytes_;
    if (WIFEXITED(status_)) {
        result.exited = true;
        result.exitCode = WEXITSTATUS(status_);
    } else if (WIFSIGNALED(status_)) {
        result.signal = WTERMSIG(status_);
    }
    return result;
}

ChildResult RunChild(const std::string& program, const ChildOptions& options,
                     std::chrono::milliseconds timeout) {
    ChildProcess child(program, options);
    return child.Finish(timeout);
}

ChildResult RunForked(const std::function<int()>& body, const ChildOptions& options,
                      std::chrono::milliseconds timeout) {
    ChildProcess child(body, options);
    return child.Finish(timeout);
}

}  // namespace polygrav::test
