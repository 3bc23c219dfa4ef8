// Opens written files through the real GIO lookup, with a recording program
// registered as the default application for SVG files in a sandbox.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ShellSandbox.h"
#include "model/Messages.h"
#include "shell/ViewerLaunch.h"
#include "tests/support/RowName.h"

namespace polygrav::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSvgText =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30mm\" height=\"30mm\"/>\r\n";
constexpr const char* kNoViewer = "SVGのビューワーが見つかりませんでした。";

// Makes a recording program in a folder with a blank the SVG viewer.
void RegisterRecordingViewer(const ShellSandbox& sandbox, const std::string& extraLines = "") {
    const fs::path viewer = sandbox.Root() / "viewer bin" / "record args.sh";
    sandbox.WriteRecordingProgram(viewer);
    sandbox.RegisterSvgViewer("\"" + viewer.string() + "\" %f", extraLines);
}

class ViewerLaunchTest : public ::testing::Test {
  protected:
    // Writes a small SVG file at name inside a folder with a blank.
    fs::path WriteSvg(const std::string& name) {
        const fs::path folder = sandbox_.Root() / "my drawings";
        fs::create_directories(folder);
        const fs::path file = folder / name;
        WriteFile(file, kSvgText);
        return file;
    }

    ShellSandbox sandbox_;
};

struct FileNameCase {
    const char* name;
    const char* fileName;
};

class ViewerReceivesPathTest : public ViewerLaunchTest,
                               public ::testing::WithParamInterface<FileNameCase> {};

TEST_P(ViewerReceivesPathTest, AsOneExactArgument) {
    RegisterRecordingViewer(sandbox_);
    const fs::path svg = WriteSvg(GetParam().fileName);

    const ProbeRun run = sandbox_.RunProbe({"open", svg.string()});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.messages.empty()) << run.output;
    const auto records = sandbox_.WaitForRecords(1);
    ASSERT_EQ(records.size(), 1u);
    // $0, the one argument, the working folder.
    ASSERT_EQ(records[0].size(), 3u);
    EXPECT_EQ(records[0][1], svg.string());
}

INSTANTIATE_TEST_SUITE_P(
    FileNames, ViewerReceivesPathTest,
    ::testing::Values(FileNameCase{"Plain", "star.svg"}, FileNameCase{"Blanks", "my star 5.svg"},
                      FileNameCase{"QuotesAndJapanese", "星 \"テスト\".svg"},
                      FileNameCase{"ShellCharacters", "a $HOME `id` 'b' \\ c;d&e.svg"},
                      FileNameCase{"PercentCodes", "100% %f %u.svg"}),
    RowName());

TEST_F(ViewerLaunchTest, EveryWriteStartsItsOwnViewer) {
    RegisterRecordingViewer(sandbox_);
    const fs::path svg = WriteSvg("star.svg");

    const ProbeRun run = sandbox_.RunProbe({"open", svg.string(), svg.string()});

    EXPECT_TRUE(run.messages.empty()) << run.output;
    const auto records = sandbox_.WaitForRecords(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].at(1), svg.string());
    EXPECT_EQ(records[1].at(1), svg.string());
}

// The window writes DXF, PDF and PNG too; each opens in the application
// that the desktop has for its type.
TEST_F(ViewerLaunchTest, OpensEachFormatInTheApplicationForItsType) {
    const fs::path viewer = sandbox_.Root() / "viewer bin" / "record args.sh";
    sandbox_.WriteRecordingProgram(viewer);
    sandbox_.RegisterViewer({"image/svg+xml", "image/vnd.dxf", "application/pdf", "image/png"},
                            "\"" + viewer.string() + "\" %f");
    const fs::path folder = sandbox_.Root() / "my drawings";
    fs::create_directories(folder);
    const std::vector<std::pair<std::string, std::string>> files{
        {"star.svg", kSvgText},
        {"star.dxf", "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n"},
        {"star.pdf", "%PDF-1.5\n%%EOF\n"},
        {"star.png", std::string("\x89PNG\r\n\x1a\n", 8)},
    };
    std::vector<std::string> args{"open"};
    for (const auto& [name, bytes] : files) {
        WriteFile(folder / name, bytes);
        args.push_back((folder / name).string());
    }

    const ProbeRun run = sandbox_.RunProbe(args);

    EXPECT_TRUE(run.messages.empty()) << run.output;
    std::vector<std::string> opened;
    for (const auto& record : sandbox_.WaitForRecords(files.size())) {
        opened.push_back(record.at(1));
    }
    std::sort(opened.begin(), opened.end());
    EXPECT_EQ(opened, (std::vector<std::string>{
                          (folder / "star.dxf").string(), (folder / "star.pdf").string(),
                          (folder / "star.png").string(), (folder / "star.svg").string()}));
}

// Each row leaves the desktop without a way to open the file; the message is
// shown once and the file stays as written.
struct FailureCase {
    const char* name;
    const char* expected;
    void (*setUp)(const ShellSandbox&);
};

class ViewerFailureTest : public ViewerLaunchTest,
                          public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ViewerFailureTest, ShowsTheMessageAndKeepsTheFile) {
    GetParam().setUp(sandbox_);
    const fs::path svg = WriteSvg("星 \"テスト\".svg");

    const ProbeRun run = sandbox_.RunProbe({"open", svg.string()});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.messages, std::vector<std::string>{GetParam().expected}) << run.output;
    EXPECT_EQ(ReadFile(svg), kSvgText);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ViewerFailureTest,
    ::testing::Values(
        FailureCase{"NoApplicationForSvg", kNoViewer, [](const ShellSandbox&) {}},
        // GIO drops an entry whose program it cannot run, so the desktop
        // has no viewer at all.
        FailureCase{"ProgramNotExecutable", kNoViewer,
                    [](const ShellSandbox& sandbox) {
                        const fs::path program = sandbox.Root() / "viewer";
                        WriteFile(program, "#!/bin/sh\n");
                        sandbox.RegisterSvgViewer(program.string() + " %f");
                    }},
        FailureCase{"ProgramMissing", kNoViewer,
                    [](const ShellSandbox& sandbox) {
                        sandbox.RegisterSvgViewer((sandbox.Root() / "gone").string() + " %f");
                    }},
        // GIO's spawn fails before the viewer runs: G_SPAWN_ERROR_CHDIR (2).
        FailureCase{"WorkingFolderMissing", "実行できません (2)",
                    [](const ShellSandbox& sandbox) {
                        RegisterRecordingViewer(
                            sandbox, "Path=" + (sandbox.Root() / "no such folder").string() + "\n");
                    }}),
    RowName());

}  // namespace
}  // namespace polygrav::test

namespace polygrav {
namespace {

// A file that no viewer opens is named by its type: the design's text for an
// SVG (or a name without a type), the type in capitals for the others.
TEST(NoViewerMessage, NamesTheFilesType) {
    const std::string svg = MessageText(MessageId::NoViewer);
    EXPECT_EQ(NoViewerMessage("/d/star.svg"), svg);
    EXPECT_EQ(NoViewerMessage("/d/star.SVG"), svg);
    EXPECT_EQ(NoViewerMessage("/d.x/star"), svg);
    EXPECT_EQ(NoViewerMessage("/d/star.dxf"), MessageText(MessageId::NoViewerForType, {"DXF"}));
    EXPECT_EQ(NoViewerMessage("star.tar.png"), MessageText(MessageId::NoViewerForType, {"PNG"}));
}

}  // namespace
}  // namespace polygrav
