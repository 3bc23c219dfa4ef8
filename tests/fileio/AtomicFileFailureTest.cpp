// Each system call of the atomic write failing in turn, through the seam:
// the right error, the target byte for byte as it was, no temporary file.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "FileioTesting.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileSystemCalls.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

using test::Outcome;
using test::ReadFile;
using test::TempFolder;
using test::TempKind;

using Names = std::vector<std::string>;

ssize_t FailingWrite(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}
// A disk that fills up after the first byte of each write.
ssize_t ShortThenFailingWrite(int fd, const void* data, size_t size) {
    static int calls = 0;
    if (calls++ % 2 == 0) return RealFileSystemCalls().write(fd, data, size > 1 ? 1 : size);
    errno = ENOSPC;
    return -1;
}
int FailingFsync(int) {
    errno = EIO;
    return -1;
}
int FailingFchmod(int, mode_t) {
    errno = EPERM;
    return -1;
}
// The descriptor is released, as a real failing close does.
int FailingClose(int fd) {
    RealFileSystemCalls().close(fd);
    errno = EIO;
    return -1;
}
int FailingRename(int, const char*, int, const char*) {
    errno = EXDEV;
    return -1;
}
int FailingLink(int, const char*, int, const char*, int) {
    errno = EMLINK;
    return -1;
}
int FailingOpen(int, const char*, int, mode_t) {
    errno = EDQUOT;
    return -1;
}
int RefusedUnnamedFile(int dirFd, const char* path, int flags, mode_t mode) {
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EACCES;
        return -1;
    }
    return RealFileSystemCalls().openat(dirFd, path, flags, mode);
}

struct FailureCase {
    const char* step;
    void (*breakIt)(FileSystemCalls&);
    bool createError;  // EFCreateError rather than EWriteError
    bool unnamedOnly;  // a call that only the unnamed temporary file makes
};

const FailureCase kFailures[] = {
    {"write", [](FileSystemCalls& c) { c.write = FailingWrite; }, false, false},
    {"partial write, then full disk", [](FileSystemCalls& c) { c.write = ShortThenFailingWrite; },
     false, false},
    {"fsync", [](FileSystemCalls& c) { c.fsync = FailingFsync; }, false, false},
    {"fchmod", [](FileSystemCalls& c) { c.fchmod = FailingFchmod; }, false, false},
    {"close", [](FileSystemCalls& c) { c.close = FailingClose; }, false, false},
    {"rename", [](FileSystemCalls& c) { c.renameat = FailingRename; }, false, false},
    {"link of the unnamed file", [](FileSystemCalls& c) { c.linkat = FailingLink; }, false, true},
    {"creating the temporary file", [](FileSystemCalls& c) { c.openat = FailingOpen; }, true,
     false},
    {"unnamed file refused", [](FileSystemCalls& c) { c.openat = RefusedUnnamedFile; }, true,
     false},
};

class AtomicFileFailure : public ::testing::TestWithParam<TempKind> {
  protected:
    FileSystemCalls Calls() const {
        return GetParam() == TempKind::Named ? test::WithoutUnnamedFiles(RealFileSystemCalls())
                                             : RealFileSystemCalls();
    }
    TempFolder folder_;
};

TEST_P(AtomicFileFailure, EachFailingCallKeepsTheOldFileAndLeavesNoTemporary) {
    if (GetParam() == TempKind::Unnamed && !test::UnnamedFilesSupported(folder_.path())) {
        GTEST_SKIP() << "no O_TMPFILE here";
    }
    const std::string target = folder_ / "star.svg";
    const std::string old = "the document that was there before\r\n";
    const std::string bytes(64 * 1024, 'n');
    for (const FailureCase& c : kFailures) {
        SCOPED_TRACE(c.step);
        test::WriteFile(target, old);
        ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
        FileSystemCalls calls = Calls();
        c.breakIt(calls);
        const std::string outcome = [&] {
            const ScopedFileSystemCalls scope(calls);
            return Outcome([&] { WriteFileAtomically(target, bytes); });
        }();

        // A call that this kind of temporary file does not make changes
        // nothing: the write succeeds.
        if (GetParam() == TempKind::Named && c.unnamedOnly) {
            EXPECT_EQ(outcome, "");
            EXPECT_EQ(ReadFile(target), bytes);
        } else {
            EXPECT_EQ(outcome, c.createError ? test::CannotCreate(target) : test::WriteFailed());
            EXPECT_EQ(ReadFile(target), old);
            EXPECT_EQ(test::PermissionBits(target), 0640u);
        }
        EXPECT_EQ(folder_.Names(), Names{"star.svg"});
    }
}

TEST_P(AtomicFileFailure, FailureOnANewFileLeavesNothing) {
    const std::string target = folder_ / "star.svg";
    // An unnamed file becomes a new target by its link alone, without a
    // rename.
    const bool linkedStraight =
        GetParam() == TempKind::Unnamed && test::UnnamedFilesSupported(folder_.path());
    const FailureCase& publishing = linkedStraight ? kFailures[6] : kFailures[5];
    for (const FailureCase& c : {kFailures[0], kFailures[2], kFailures[4], publishing}) {
        SCOPED_TRACE(c.step);
        FileSystemCalls calls = Calls();
        c.breakIt(calls);
        const ScopedFileSystemCalls scope(calls);
        EXPECT_EQ(Outcome([&] { WriteFileAtomically(target, "new"); }), test::WriteFailed());
        EXPECT_EQ(folder_.Names(), Names{});
    }
}

// Where unnamed files exist, no named temporary file is seen while the
// bytes are written; the fallback writes into a hidden one.
namespace observed {
std::string folder;
std::vector<std::string> namesDuringWrite;
ssize_t RecordingWrite(int fd, const void* data, size_t size) {
    namesDuringWrite.clear();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        namesDuringWrite.push_back(entry.path().filename().string());
    }
    return RealFileSystemCalls().write(fd, data, size);
}
}  // namespace observed

TEST_P(AtomicFileFailure, TemporaryFileIsUnnamedWhereTheFileSystemAllows) {
    const bool unnamed =
        GetParam() == TempKind::Unnamed && test::UnnamedFilesSupported(folder_.path());
    if (GetParam() == TempKind::Unnamed && !unnamed) GTEST_SKIP() << "no O_TMPFILE here";
    const std::string target = folder_ / "star.svg";
    test::WriteFile(target, "old");
    observed::folder = folder_.path();
    FileSystemCalls calls = Calls();
    calls.write = observed::RecordingWrite;
    {
        const ScopedFileSystemCalls scope(calls);
        WriteFileAtomically(target, "new");
    }
    EXPECT_EQ(ReadFile(target), "new");
    if (unnamed) {
        EXPECT_EQ(observed::namesDuringWrite, Names{"star.svg"});
    } else {
        std::sort(observed::namesDuringWrite.begin(), observed::namesDuringWrite.end());
        ASSERT_EQ(observed::namesDuringWrite.size(), 2u);
        EXPECT_EQ(observed::namesDuringWrite[0].rfind(".star.svg.", 0), 0u)
            << observed::namesDuringWrite[0];
    }
    EXPECT_EQ(folder_.Names(), Names{"star.svg"});
}

INSTANTIATE_TEST_SUITE_P(Kinds, AtomicFileFailure,
                         ::testing::Values(TempKind::Unnamed, TempKind::Named), test::TempKindName);

}  // namespace
}  // namespace polygrav
