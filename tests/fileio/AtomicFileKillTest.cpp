// SIGKILL aimed at each step of publishing a file: the target always holds
// its old or its new contents whole, and no temporary file stays behind
// once the next writer into the folder has run.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fileio/AtomicFile.h"
#include "fileio/FileSystemCalls.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

constexpr int kKills = 1000;

// The publishing calls after which the child kills itself; which one is
// chosen by the countdown the child starts with.
int g_countdown = 0;
const FileSystemCalls* g_real = nullptr;

void MaybeDie() {
    if (--g_countdown == 0) ::raise(SIGKILL);
}
int KillingLinkAt(int fromDir, const char* from, int toDir, const char* to, int flags) {
    const int result = g_real->linkat(fromDir, from, toDir, to, flags);
    MaybeDie();
    return result;
}
int KillingRenameAt(int fromDir, const char* from, int toDir, const char* to) {
    MaybeDie();
    const int result = g_real->renameat(fromDir, from, toDir, to);
    MaybeDie();
    return result;
}
int KillingClose(int fd) {
    const int result = g_real->close(fd);
    MaybeDie();
    return result;
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

// Makes every hidden file in folder two minutes old, as a leftover of an
// earlier run is by the time the next one comes.
void AgeHiddenFiles(const std::string& folder) {
    const timespec old[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    for (const std::string& name : Names(folder)) {
        if (name.front() == '.') ::utimensat(AT_FDCWD, (folder + "/" + name).c_str(), old, 0);
    }
}

TEST(AtomicFileKill, KillsWhilePublishingLeaveNoStrayFile) {
    test::TempFolder folder;
    const std::string target = folder / "star.svg";
    const std::string oldBytes(3000, 'o');
    const std::string newBytes(5000, 'n');
    int killed = 0;
    for (int i = 0; i < kKills; ++i) {
        // Half the kills replace a file, half create one.
        const bool replace = i % 2 == 0;
        if (replace) {
            test::WriteFile(target, oldBytes);
        } else {
            std::filesystem::remove(target);
        }
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            g_real = &RealFileSystemCalls();
            FileSystemCalls calls = *g_real;
            calls.linkat = KillingLinkAt;
            calls.renameat = KillingRenameAt;
            calls.close = KillingClose;
            g_countdown = 1 + (i / 2) % 4;
            const ScopedFileSystemCalls scope(calls);
            try {
                WriteFileAtomically(target, newBytes);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ++killed;
        const std::string now = std::filesystem::exists(target) ? test::ReadFile(target) : "";
        if (replace) {
            EXPECT_TRUE(now == oldBytes || now == newBytes) << "kill " << i;
        } else {
            EXPECT_TRUE(now.empty() || now == newBytes) << "kill " << i;
        }
        AgeHiddenFiles(folder.path());
    }
    EXPECT_GT(killed, kKills / 2);
    // The next writer into the folder takes away what the kills left.
    WriteFileAtomically(target, newBytes);
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"star.svg"});
}

}  // namespace
}  // namespace polygrav
