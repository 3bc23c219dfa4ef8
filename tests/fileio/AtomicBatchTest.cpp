#include "fileio/AtomicBatch.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "FileioTesting.h"
#include "fileio/FileSystemCalls.h"
#include "model/Errors.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

using test::Outcome;
using test::ReadFile;
using test::TempFolder;
using test::TempKind;

using Names = std::vector<std::string>;
using Results = std::vector<std::optional<AtomicWriteError>>;

// The outcome of each item, as Outcome gives it for a single write.
std::vector<std::string> Outcomes(const Results& results) {
    std::vector<std::string> outcomes;
    for (const auto& error : results) {
        outcomes.push_back(error ? Outcome([&] { error->Raise(); }) : "");
    }
    return outcomes;
}

int FailingRenameOfB(int fromDir, const char* from, int toDir, const char* to) {
    if (std::strcmp(to, "b.svg") == 0) {
        errno = EIO;
        return -1;
    }
    return RealFileSystemCalls().renameat(fromDir, from, toDir, to);
}

int g_syncfsCalls = 0;
int g_fsyncCalls = 0;
int CountedSyncfs(int fd) {
    ++g_syncfsCalls;
    return RealFileSystemCalls().syncfs(fd);
}
int FailingSyncfs(int) {
    ++g_syncfsCalls;
    errno = EIO;
    return -1;
}
int CountedFsync(int fd) {
    ++g_fsyncCalls;
    return RealFileSystemCalls().fsync(fd);
}
int FailingFsync(int) {
    ++g_fsyncCalls;
    errno = EIO;
    return -1;
}

class AtomicBatchTest : public ::testing::TestWithParam<TempKind> {
  protected:
    void SetUp() override {
        if (GetParam() == TempKind::Unnamed && !test::UnnamedFilesSupported(folder_.path())) {
            GTEST_SKIP() << "no O_TMPFILE here";
        }
        g_syncfsCalls = g_fsyncCalls = 0;
    }
    FileSystemCalls Calls() const {
        return GetParam() == TempKind::Named ? test::WithoutUnnamedFiles(RealFileSystemCalls())
                                             : RealFileSystemCalls();
    }
    TempFolder folder_;
};

// Items that fail in different ways between items that are written: each
// failure is reported with the single write's message, leaves its earlier
// file whole, and stops nothing else.
TEST_P(AtomicBatchTest, MixedItemsEachGetTheirOwnResult) {
    std::filesystem::create_directory(folder_ / "folder.svg");
    test::WriteFile(folder_ / "b.svg", "old b");
    test::WriteFile(folder_ / "d.svg", "old d");
    FileSystemCalls calls = Calls();
    calls.renameat = FailingRenameOfB;
    const ScopedFileSystemCalls scope(calls);

    AtomicBatch batch;
    EXPECT_EQ(batch.Stage(folder_ / "a.svg", "new a"), std::nullopt);
    EXPECT_EQ(batch.Stage(folder_ / "b.svg", "new b"), std::nullopt);  // fails in Commit
    const auto staged = batch.Stage(folder_ / "folder.svg", "x");
    ASSERT_TRUE(staged);
    EXPECT_EQ(Outcome([&] { staged->Raise(); }), test::CannotCreate(folder_ / "folder.svg"));
    EXPECT_TRUE(batch.Stage(folder_ / "missing/c.svg", "x"));
    EXPECT_EQ(batch.Stage(folder_ / "d.svg", "new d"), std::nullopt);

    EXPECT_EQ(Outcomes(batch.Commit()),
              (std::vector<std::string>{"", test::WriteFailed(),
                                        test::CannotCreate(folder_ / "folder.svg"),
                                        test::CannotCreate(folder_ / "missing/c.svg"), ""}));
    EXPECT_EQ(ReadFile(folder_ / "a.svg"), "new a");
    EXPECT_EQ(ReadFile(folder_ / "b.svg"), "old b");
    EXPECT_EQ(ReadFile(folder_ / "d.svg"), "new d");
    EXPECT_EQ(folder_.Names(), (Names{"a.svg", "b.svg", "d.svg", "folder.svg"}));
    EXPECT_EQ(batch.Commit(), Results{});
}

// One file-system flush for the whole batch instead of one per file.
TEST_P(AtomicBatchTest, FlushesTheFileSystemOnceForAllFiles) {
    FileSystemCalls calls = Calls();
    calls.syncfs = CountedSyncfs;
    calls.fsync = CountedFsync;
    const ScopedFileSystemCalls scope(calls);
    AtomicBatch batch;
    for (int i = 0; i < 50; ++i) batch.Stage(folder_ / ("f" + std::to_string(i)), "bytes");
    EXPECT_EQ(batch.Commit(), Results(50));
    EXPECT_EQ(g_syncfsCalls, 1);
    EXPECT_EQ(g_fsyncCalls, 0);
    EXPECT_EQ(folder_.Names().size(), 50u);
}

// A failing syncfs may come from any file of the file system; each file is
// then flushed on its own, and only a file whose own flush fails is lost.
TEST_P(AtomicBatchTest, FailingFileSystemFlushFallsBackToEachFile) {
    test::WriteFile(folder_ / "a.svg", "old a");
    FileSystemCalls calls = Calls();
    calls.syncfs = FailingSyncfs;
    calls.fsync = CountedFsync;
    {
        const ScopedFileSystemCalls scope(calls);
        AtomicBatch batch;
        batch.Stage(folder_ / "a.svg", "new a");
        batch.Stage(folder_ / "b.svg", "new b");
        EXPECT_EQ(batch.Commit(), Results(2));
    }
    EXPECT_EQ(g_fsyncCalls, 2);
    EXPECT_EQ(ReadFile(folder_ / "a.svg"), "new a");
    EXPECT_EQ(ReadFile(folder_ / "b.svg"), "new b");

    calls.fsync = FailingFsync;
    {
        const ScopedFileSystemCalls scope(calls);
        AtomicBatch batch;
        batch.Stage(folder_ / "a.svg", "newer a");
        batch.Stage(folder_ / "c.svg", "new c");
        EXPECT_EQ(Outcomes(batch.Commit()),
                  (std::vector<std::string>{test::WriteFailed(), test::WriteFailed()}));
    }
    EXPECT_EQ(ReadFile(folder_ / "a.svg"), "new a");
    EXPECT_EQ(folder_.Names(), (Names{"a.svg", "b.svg"}));
}

TEST_P(AtomicBatchTest, BatchDestroyedUncommittedLeavesNothing) {
    test::WriteFile(folder_ / "a.svg", "old a");
    {
        const ScopedFileSystemCalls scope(Calls());
        AtomicBatch batch;
        batch.Stage(folder_ / "a.svg", "new a");
        batch.Stage(folder_ / "b.svg", "new b");
    }
    EXPECT_EQ(ReadFile(folder_ / "a.svg"), "old a");
    EXPECT_EQ(folder_.Names(), Names{"a.svg"});
}

// More files than the process may open descriptors, in many folders: the
// batch commits groups on its own and every file is written.
TEST_P(AtomicBatchTest, ThousandsOfFilesWithFewDescriptors) {
    constexpr int kFiles = 1200;
    constexpr int kFolders = 3;
    for (int f = 0; f < kFolders; ++f)
        std::filesystem::create_directory(folder_ / std::to_string(f));
    const auto path = [&](int i) {
        return folder_ / (std::to_string(i % kFolders) + "/doc" + std::to_string(i) + ".svg");
    };
    const FileSystemCalls calls = Calls();
    const test::ChildResult r = test::RunForked([&] {
        const rlimit limit{1024, 1024};
        if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return 10;
        const ScopedFileSystemCalls scope(calls);
        AtomicBatch batch;
        for (int i = 0; i < kFiles; ++i) {
            if (batch.Stage(path(i), "document " + std::to_string(i))) return 11;
        }
        for (const auto& error : batch.Commit()) {
            if (error) return 12;
        }
        return 0;
    });
    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.exitCode << " " << r.signal << "\n" << r.err;
    std::size_t count = 0;
    for (int f = 0; f < kFolders; ++f) count += folder_.Names(std::to_string(f)).size();
    EXPECT_EQ(count, std::size_t{kFiles});
    EXPECT_EQ(ReadFile(path(777)), "document 777");
}

INSTANTIATE_TEST_SUITE_P(Kinds, AtomicBatchTest,
                         ::testing::Values(TempKind::Unnamed, TempKind::Named), test::TempKindName);

}  // namespace
}  // namespace polygrav
