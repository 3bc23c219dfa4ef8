#include "svg/AtomicFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "model/Errors.h"

namespace polygrav {
namespace {

using test::PermissionBits;
using test::ReadAll;
using test::TempFolder;

using Names = std::vector<std::string>;

// What a child process reports back through its exit code.
enum ChildResult {
    kRaisedExpected = 0,
    kOtherMessage = 1,
    kOtherException = 2,
    kNothingRaised = 3,
    kSetupFailed = 4,
};

// Runs body in a fork()ed child, so that resource limits, a changed folder or
// dropped privileges stay there, and returns the child's exit code.
int RunInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Calls WriteFileAtomically and reports whether it raised Error with message.
template <typename Error>
int ExpectRaised(const std::string& path, const std::string& bytes, const std::string& message) {
    try {
        WriteFileAtomically(path, bytes);
    } catch (const Error& e) {
        return e.what() == message ? kRaisedExpected : kOtherMessage;
    } catch (...) {
        return kOtherException;
    }
    return kNothingRaised;
}

// Root passes every permission check; a child that should meet them gives up
// root for the unprivileged "nobody" first.
bool DropRoot() {
    if (::geteuid() != 0) return true;
    return ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

// Lets write() fail with EFBIG beyond `bytes` instead of killing the process.
bool LimitFileSize(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

std::string LargeDocument() {
    std::string text;
    for (int i = 0; text.size() < 256 * 1024; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

class AtomicFileTest : public ::testing::Test {
  protected:
    void SetUp() override { oldUmask_ = ::umask(022); }
    void TearDown() override { ::umask(oldUmask_); }

    TempFolder folder_;
    mode_t oldUmask_ = 0;
};

TEST_F(AtomicFileTest, NewFileHasAllBytesAndTheUmaskMode) {
    const std::string target = folder_ / "star.svg";
    const std::string bytes = LargeDocument();
    WriteFileAtomically(target, bytes);
    EXPECT_EQ(ReadAll(target), bytes);
    EXPECT_EQ(PermissionBits(target), 0644u);
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));

    ::umask(077);
    WriteFileAtomically(folder_ / "private.svg", "x");
    EXPECT_EQ(PermissionBits(folder_ / "private.svg"), 0600u);
}

TEST_F(AtomicFileTest, ReplacesAnExistingFileKeepingItsMode) {
    const std::string target = folder_ / "star.svg";
    test::WriteAll(target, "an older and longer document");
    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    WriteFileAtomically(target, "new");
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_EQ(PermissionBits(target), 0604u);
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
}

TEST_F(AtomicFileTest, BareNameIsWrittenInTheCurrentFolder) {
    const std::string folder = folder_.path();
    EXPECT_EQ(RunInChild([&] {
                  if (::chdir(folder.c_str()) != 0) return int{kSetupFailed};
                  WriteFileAtomically("star.svg", "bytes");
                  return 0;
              }),
              0);
    EXPECT_EQ(ReadAll(folder_ / "star.svg"), "bytes");
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
}

TEST_F(AtomicFileTest, MissingFolderCannotBeCreated) {
    const std::string target = folder_ / "missing/star.svg";
    EXPECT_EQ(ExpectRaised<EFCreateError>(target, "x", "ファイル " + target + " を作成できません"),
              kRaisedExpected);
    EXPECT_EQ(folder_.Names(), Names{});
}

TEST_F(AtomicFileTest, FolderAtThePathIsNotReplaced) {
    const std::string target = folder_ / "star.svg";
    ASSERT_EQ(::mkdir(target.c_str(), 0755), 0);
    test::WriteAll(target + "/inside", "kept");
    EXPECT_EQ(ExpectRaised<EFCreateError>(target, "x", "ファイル " + target + " を作成できません"),
              kRaisedExpected);
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
    EXPECT_EQ(ReadAll(target + "/inside"), "kept");
}

TEST_F(AtomicFileTest, OnlyRegularFilesAreReplaced) {
    const std::string fifo = folder_ / "pipe.svg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    struct Row {
        const char* name;
        std::string path;
    };
    const Row rows[] = {
        {"named pipe", fifo},
        {"empty path", ""},
        {"path ending in a slash", folder_.path() + "/"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ExpectRaised<EFCreateError>(row.path, "x",
                                              "ファイル " + row.path + " を作成できません"),
                  kRaisedExpected);
    }
    EXPECT_EQ(folder_.Names(), (Names{"pipe.svg"}));
}

TEST_F(AtomicFileTest, ReplacedFileKeepsItsOwner) {
    const std::string target = folder_ / "star.svg";
    test::WriteAll(target, "old");
    if (::chown(target.c_str(), 65534, 65534) != 0) {
        GTEST_SKIP() << "only root can hand a file to another user";
    }
    WriteFileAtomically(target, "new");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(test::ReadAll(target), "new");
}

TEST_F(AtomicFileTest, SymbolicLinkIsReplacedAndItsTargetKept) {
    const std::string real = folder_ / "real.svg";
    const std::string link = folder_ / "link.svg";
    test::WriteAll(real, "old");
    ASSERT_EQ(::symlink("real.svg", link.c_str()), 0);
    WriteFileAtomically(link, "new");
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(ReadAll(link), "new");
    EXPECT_EQ(ReadAll(real), "old");
    EXPECT_EQ(folder_.Names(), (Names{"link.svg", "real.svg"}));
}

TEST_F(AtomicFileTest, ReadOnlyFolderCannotBeWritten) {
    ASSERT_EQ(::chmod(folder_.path().c_str(), 0755), 0);
    const std::string readOnly = folder_ / "read-only";
    ASSERT_EQ(::mkdir(readOnly.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0555), 0);
    const std::string target = readOnly + "/star.svg";
    EXPECT_EQ(RunInChild([&] {
                  if (!DropRoot()) return int{kSetupFailed};
                  return ExpectRaised<EFCreateError>(target, "x",
                                                     "ファイル " + target + " を作成できません");
              }),
              kRaisedExpected);
    EXPECT_EQ(folder_.Names("read-only"), Names{});
}

TEST_F(AtomicFileTest, ReadOnlyFileIsNotReplaced) {
    // The folder is writable, the file is not: the user protected the file.
    ASSERT_EQ(::chmod(folder_.path().c_str(), 0777), 0);
    const std::string target = folder_ / "star.svg";
    test::WriteAll(target, "protected");
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_EQ(RunInChild([&] {
                  if (!DropRoot()) return int{kSetupFailed};
                  return ExpectRaised<EFCreateError>(target, "x",
                                                     "ファイル " + target + " を作成できません");
              }),
              kRaisedExpected);
    EXPECT_EQ(ReadAll(target), "protected");
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
}

TEST_F(AtomicFileTest, FailedWriteKeepsTheOldFileWholeAndLeavesNoTemporaryFile) {
    const std::string target = folder_ / "star.svg";
    const std::string old = "the document that was there before\r\n";
    test::WriteAll(target, old);
    const std::string bytes = LargeDocument();
    // The disk "fills up" after 4 KiB: write() takes part of the bytes, then
    // fails with EFBIG.
    EXPECT_EQ(RunInChild([&] {
                  if (!LimitFileSize(4096)) return int{kSetupFailed};
                  return ExpectRaised<EWriteError>(target, bytes, "ストリームへの書き込みエラー");
              }),
              kRaisedExpected);
    EXPECT_EQ(ReadAll(target), old);
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
}

TEST_F(AtomicFileTest, FailedWriteOfANewFileLeavesNothing) {
    const std::string target = folder_ / "star.svg";
    const std::string bytes = LargeDocument();
    EXPECT_EQ(RunInChild([&] {
                  if (!LimitFileSize(0)) return int{kSetupFailed};
                  return ExpectRaised<EWriteError>(target, bytes, "ストリームへの書き込みエラー");
              }),
              kRaisedExpected);
    EXPECT_EQ(folder_.Names(), Names{});
}

}  // namespace
}  // namespace polygrav
