// Symbolic and hard links at the target of an atomic write.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FileioTesting.h"
#include "fileio/AtomicFile.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

using test::Outcome;
using test::ReadFile;
using test::TempFolder;

using Names = std::vector<std::string>;

std::string LinkTarget(const std::string& link) {
    return std::filesystem::read_symlink(link).string();
}

class AtomicFileLinks : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::chmod(folder_.path().c_str(), 0777), 0);
        std::filesystem::create_directory(folder_ / "dotfiles");
    }
    std::string Link(const std::string& name, const std::string& to) {
        const std::string path = folder_ / name;
        EXPECT_EQ(::symlink(to.c_str(), path.c_str()), 0) << path;
        return path;
    }
    TempFolder folder_;
};

// A settings file kept in a dotfiles folder, linked from where the program
// looks for it: the real file is replaced in its own folder, the link stays.
TEST_F(AtomicFileLinks, LinkIsFollowedAndTheFileItNamesReplacedInItsFolder) {
    const std::string real = folder_ / "dotfiles/polygrav.ini";
    test::WriteFile(real, "old");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const std::string link = Link("polygrav.ini", "dotfiles/polygrav.ini");

    WriteFileAtomically(link, "new");

    EXPECT_EQ(LinkTarget(link), "dotfiles/polygrav.ini");
    EXPECT_EQ(ReadFile(real), "new");
    EXPECT_EQ(test::PermissionBits(real), 0640u);
    EXPECT_EQ(folder_.Names(), (Names{"dotfiles", "polygrav.ini"}));
    EXPECT_EQ(folder_.Names("dotfiles"), Names{"polygrav.ini"});
}

TEST_F(AtomicFileLinks, ChainOfLinksIsFollowedToTheEnd) {
    const std::string real = folder_ / "dotfiles/real.svg";
    test::WriteFile(real, "old");
    Link("dotfiles/middle.svg", "real.svg");  // relative to its folder
    const std::string first = Link("first.svg", folder_ / "dotfiles/middle.svg");  // absolute

    WriteFileAtomically(first, "new");

    EXPECT_EQ(ReadFile(real), "new");
    EXPECT_EQ(LinkTarget(folder_ / "dotfiles/middle.svg"), "real.svg");
    EXPECT_EQ(folder_.Names(), (Names{"dotfiles", "first.svg"}));
    EXPECT_EQ(folder_.Names("dotfiles"), (Names{"middle.svg", "real.svg"}));
}

TEST_F(AtomicFileLinks, DanglingLinkCreatesTheFileItNames) {
    const std::string link = Link("star.svg", "dotfiles/star.svg");
    WriteFileAtomically(link, "new");
    EXPECT_EQ(ReadFile(folder_ / "dotfiles/star.svg"), "new");
    EXPECT_EQ(LinkTarget(link), "dotfiles/star.svg");
    EXPECT_EQ(folder_.Names("dotfiles"), Names{"star.svg"});
}

// What a link may not lead to: each is refused as the same thing without
// the link would be, and nothing changes.
TEST_F(AtomicFileLinks, LinkToWhatMayNotBeReplacedIsRefused) {
    Link("loop-a", "loop-b");
    Link("loop-b", "loop-a");
    Link("to-folder", "dotfiles");
    Link("into-missing-folder", "missing/star.svg");
    for (const char* name : {"loop-a", "to-folder", "into-missing-folder"}) {
        SCOPED_TRACE(name);
        const std::string path = folder_ / name;
        EXPECT_EQ(Outcome([&] { WriteFileAtomically(path, "x"); }), test::CannotCreate(path));
    }
    EXPECT_EQ(folder_.Names(),
              (Names{"dotfiles", "into-missing-folder", "loop-a", "loop-b", "to-folder"}));
    EXPECT_EQ(folder_.Names("dotfiles"), Names{});
}

TEST_F(AtomicFileLinks, LinkToAReadOnlyFileIsRefused) {
    const std::string real = folder_ / "dotfiles/star.svg";
    test::WriteFile(real, "protected");
    ASSERT_EQ(::chmod(real.c_str(), 0444), 0);
    ASSERT_EQ(::chmod((folder_ / "dotfiles").c_str(), 0777), 0);
    const std::string link = Link("star.svg", real);
    test::ChildOptions asNobody;
    asNobody.asNobody = true;
    const test::ChildResult r = test::RunForked(
        [&] {
            return Outcome([&] { WriteFileAtomically(link, "x"); }) == test::CannotCreate(link) ? 0
                                                                                                : 1;
        },
        asNobody);
    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.err;
    EXPECT_EQ(ReadFile(real), "protected");
    EXPECT_EQ(folder_.Names("dotfiles"), Names{"star.svg"});
}

// The replace gives the target's name a new file; other hard links to the
// old one keep the old contents.
TEST_F(AtomicFileLinks, HardLinkIsSplit) {
    const std::string target = folder_ / "star.svg";
    const std::string other = folder_ / "other-name.svg";
    test::WriteFile(target, "old");
    ASSERT_EQ(::link(target.c_str(), other.c_str()), 0);
    WriteFileAtomically(target, "new");
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ReadFile(other), "old");
}

}  // namespace
}  // namespace polygrav
