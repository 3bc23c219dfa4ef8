#include "fileio/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "FileioTesting.h"
#include "model/Errors.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

using test::ChildOptions;
using test::Outcome;
using test::PermissionBits;
using test::ReadFile;
using test::RunForked;
using test::TempFolder;

using Names = std::vector<std::string>;

// Runs WriteFileAtomically in a forked child with the given limits and
// reports whether it raised what was expected (exit code 0) or not (1).
int WriteInChild(const std::string& path, const std::string& bytes, const std::string& expected,
                 const ChildOptions& options) {
    const test::ChildResult r = RunForked(
        [&] { return Outcome([&] { WriteFileAtomically(path, bytes); }) == expected ? 0 : 1; },
        options);
    return r.exited ? r.exitCode : -1;
}

ChildOptions AsNobody() {
    ChildOptions options;
    options.asNobody = true;
    return options;
}

// The disk "fills up" after `bytes`: write() takes part of the bytes, then
// fails with EFBIG.
ChildOptions WithFileSizeLimit(rlim_t bytes) {
    ChildOptions options;
    options.fileSizeLimit = bytes;
    return options;
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
    EXPECT_EQ(ReadFile(target), bytes);
    EXPECT_EQ(PermissionBits(target), 0644u);
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));

    ::umask(077);
    WriteFileAtomically(folder_ / "private.svg", "x");
    EXPECT_EQ(PermissionBits(folder_ / "private.svg"), 0600u);
}

TEST_F(AtomicFileTest, ReplacesAnExistingFileKeepingItsMode) {
    const std::string target = folder_ / "star.svg";
    test::WriteFile(target, "an older and longer document");
    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    WriteFileAtomically(target, "new");
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(PermissionBits(target), 0604u);
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
}

TEST_F(AtomicFileTest, BareNameIsWrittenInTheCurrentFolder) {
    const std::string folder = folder_.path();
    ChildOptions inFolder;
    inFolder.workingFolder = folder;
    EXPECT_EQ(RunForked(
                  [] {
                      return Outcome([] { WriteFileAtomically("star.svg", "bytes"); }).empty() ? 0
                                                                                               : 1;
                  },
                  inFolder)
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(folder_ / "star.svg"), "bytes");
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
}

TEST_F(AtomicFileTest, MissingFolderCannotBeCreated) {
    const std::string target = folder_ / "missing/star.svg";
    EXPECT_EQ(Outcome([&] { WriteFileAtomically(target, "x"); }), test::CannotCreate(target));
    EXPECT_EQ(folder_.Names(), Names{});
}

TEST_F(AtomicFileTest, FolderAtThePathIsNotReplaced) {
    const std::string target = folder_ / "star.svg";
    ASSERT_EQ(::mkdir(target.c_str(), 0755), 0);
    test::WriteFile(target + "/inside", "kept");
    EXPECT_EQ(Outcome([&] { WriteFileAtomically(target, "x"); }), test::CannotCreate(target));
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
    EXPECT_EQ(ReadFile(target + "/inside"), "kept");
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
        EXPECT_EQ(Outcome([&] { WriteFileAtomically(row.path, "x"); }),
                  test::CannotCreate(row.path));
    }
    EXPECT_EQ(folder_.Names(), (Names{"pipe.svg"}));
}

TEST_F(AtomicFileTest, ReplacedFileKeepsItsOwner) {
    const std::string target = folder_ / "star.svg";
    test::WriteFile(target, "old");
    if (::chown(target.c_str(), 65534, 65534) != 0) {
        GTEST_SKIP() << "only root can hand a file to another user";
    }
    WriteFileAtomically(target, "new");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(ReadFile(target), "new");
}

TEST_F(AtomicFileTest, ReadOnlyFolderCannotBeWritten) {
    ASSERT_EQ(::chmod(folder_.path().c_str(), 0755), 0);
    const std::string readOnly = folder_ / "read-only";
    ASSERT_EQ(::mkdir(readOnly.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0555), 0);
    const std::string target = readOnly + "/star.svg";
    EXPECT_EQ(WriteInChild(target, "x", test::CannotCreate(target), AsNobody()), 0);
    EXPECT_EQ(folder_.Names("read-only"), Names{});
}

TEST_F(AtomicFileTest, ReadOnlyFileIsNotReplaced) {
    // The folder is writable, the file is not: the user protected the file.
    ASSERT_EQ(::chmod(folder_.path().c_str(), 0777), 0);
    const std::string target = folder_ / "star.svg";
    test::WriteFile(target, "protected");
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_EQ(WriteInChild(target, "x", test::CannotCreate(target), AsNobody()), 0);
    EXPECT_EQ(ReadFile(target), "protected");
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
}

TEST_F(AtomicFileTest, FailedWriteKeepsTheOldFileWholeAndLeavesNoTemporaryFile) {
    const std::string target = folder_ / "star.svg";
    const std::string old = "the document that was there before\r\n";
    test::WriteFile(target, old);
    const std::string bytes = LargeDocument();
    EXPECT_EQ(WriteInChild(target, bytes, test::WriteFailed(), WithFileSizeLimit(4096)), 0);
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_EQ(folder_.Names(), (Names{"star.svg"}));
}

TEST_F(AtomicFileTest, FailedWriteOfANewFileLeavesNothing) {
    const std::string target = folder_ / "star.svg";
    const std::string bytes = LargeDocument();
    EXPECT_EQ(WriteInChild(target, bytes, test::WriteFailed(), WithFileSizeLimit(0)), 0);
    EXPECT_EQ(folder_.Names(), Names{});
}

}  // namespace
}  // namespace polygrav
