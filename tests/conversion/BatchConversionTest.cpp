// A batch of documents converted in one run, with failures on the way.

#include "conversion/BatchConversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "fileio/FileSystemCalls.h"
#include "svg/SvgDocument.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

// Records what the batch reports, opens and writes to standard output.
struct Recorder {
    std::vector<std::string> reports;
    std::vector<std::string> opened;
    std::string standardOutput;
    bool standardOutputFails = false;

    BatchHooks Hooks() {
        return {[this](const std::string& text) { reports.push_back(text); },
                [this](const std::string& path) { opened.push_back(path); },
                [this](const std::string& bytes) {
                    standardOutput += bytes;
                    return !standardOutputFails;
                }};
    }
};

ConvertOptions Options(std::vector<std::string> documents) {
    ConvertOptions options;
    options.documents = std::move(documents);
    return options;
}

TStarSettings WithPoints(const char* n) {
    TStarSettings s;
    s.EdgeNumber = n;
    return s;
}

TEST(BatchConversion, FailuresAreNamedAndTheOthersStillWritten) {
    test::TempFolder folder;
    test::WriteFile((folder / "good.pgv"), "[SVG]\nEdgeNumber=7\n");
    test::WriteFile((folder / "bad.pgv"), "[SVG]\nFillColor=red\n");
    test::WriteFile((folder / "bad.svg"), "earlier");
    test::WriteFile((folder / "also.pgv"), "[SVG]\nEdgeNumber=9\n");
    Recorder r;
    const int status = ConvertBatch(Options({(folder / "good.pgv"), (folder / "bad.pgv"),
                                             (folder / "missing.pgv"), (folder / "also.pgv")}),
                                    "/prog", '.', r.Hooks());
    EXPECT_EQ(status, 1);
    EXPECT_EQ(r.reports, (std::vector<std::string>{
                             (folder / "bad.pgv") + ": 'red' は整数ではありません.",
                             (folder / "missing.pgv") + ": ファイル " + (folder / "missing.pgv") +
                                 " を開けません.",
                         }));
    EXPECT_EQ(test::ReadFile((folder / "good.svg")), BuildSvgDocument(WithPoints("7"), '.'));
    EXPECT_EQ(test::ReadFile((folder / "also.svg")), BuildSvgDocument(WithPoints("9"), '.'));
    EXPECT_EQ(test::ReadFile((folder / "bad.svg")), "earlier");
    EXPECT_FALSE(std::filesystem::exists((folder / "missing.svg")));
    EXPECT_TRUE(r.opened.empty());  // no viewer without --view
}

TEST(BatchConversion, SettingsLinesAndViewApplyToEveryDocument) {
    test::TempFolder folder;
    test::WriteFile((folder / "a.pgv"), "[SVG]\nEdgeNumber=7\n");
    test::WriteFile((folder / "b.pgv"), "[SVG]\nEdgeNumber=8\nView=0\n");
    ConvertOptions options = Options({(folder / "a.pgv"), (folder / "b.pgv")});
    options.settings = {"StarType=2"};
    options.view = true;
    Recorder r;
    EXPECT_EQ(ConvertBatch(options, "/prog", '.', r.Hooks()), 0);
    TStarSettings a = WithPoints("7");
    a.StarType = kRegularPolygon;
    EXPECT_EQ(test::ReadFile((folder / "a.svg")), BuildSvgDocument(a, '.'));
    // Only the document whose View setting is on opens.
    EXPECT_EQ(r.opened, std::vector<std::string>{(folder / "a.svg")});
}

TEST(BatchConversion, OutputPathsAndStandardOutput) {
    test::TempFolder folder;
    ConvertOptions designValues;
    designValues.settings = {"EdgeNumber=6"};
    designValues.output = "-";
    Recorder r;
    EXPECT_EQ(ConvertBatch(designValues, "/prog", '.', r.Hooks()), 0);
    EXPECT_EQ(r.standardOutput, BuildSvgDocument(WithPoints("6"), '.'));

    r.standardOutputFails = true;
    EXPECT_EQ(ConvertBatch(designValues, "/prog", '.', r.Hooks()), 1);
    EXPECT_EQ(r.reports.back(), "ストリームへの書き込みエラー.");

    ConvertOptions missingFolder = designValues;
    missingFolder.output = (folder / "no/such/folder/x.svg");
    EXPECT_EQ(ConvertBatch(missingFolder, "/prog", '.', r.Hooks()), 1);
    EXPECT_EQ(r.reports.back(), "ファイル " + *missingFolder.output +
                                    " を作成できません: No such file or directory.");

    // A character device is written to, not replaced.
    ConvertOptions device = designValues;
    device.output = "/dev/null";
    EXPECT_EQ(ConvertBatch(device, "/prog", '.', r.Hooks()), 0);
}

// A write that fails names each target once, with the system's reason.
TEST(BatchConversion, WriteFailuresNameTheTargetAndTheReason) {
    test::TempFolder folder;
    test::WriteFile((folder / "a.pgv"), "[SVG]\nEdgeNumber=7\n");
    FileSystemCalls calls = CurrentFileSystemCalls();
    calls.write = [](int, const void*, size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    ConvertOptions options = Options({(folder / "a.pgv")});
    options.formats = {ExportFormat::Svg, ExportFormat::Dxf};
    Recorder r;
    {
        const ScopedFileSystemCalls full(calls);
        EXPECT_EQ(ConvertBatch(options, "/prog", '.', r.Hooks()), 1);
    }
    const std::string prefix = (folder / "a.pgv") + ": ファイル ";
    EXPECT_EQ(r.reports,
              (std::vector<std::string>{
                  prefix + (folder / "a.svg") + " に書き込めません: No space left on device.",
                  prefix + (folder / "a.dxf") + " に書き込めません: No space left on device.",
              }));
}

TEST(BatchConversion, InfoGoesToTheOutputPath) {
    test::TempFolder folder;
    ConvertOptions options;
    options.info = true;
    options.settings = {"StarType=2", "EdgeNumber=6"};
    options.output = (folder / "info.json");
    Recorder r;
    EXPECT_EQ(ConvertBatch(options, "/prog", '.', r.Hooks()), 0);
    EXPECT_TRUE(r.standardOutput.empty());
    const std::string json = test::ReadFile(*options.output);
    EXPECT_EQ(json.rfind("{\"circumradius\": 50,", 0), 0u) << json;
}

TEST(BatchConversion, DocumentIsNeverItsOwnOutput) {
    test::TempFolder folder;
    test::WriteFile((folder / "odd.svg"), "[SVG]\nEdgeNumber=7\n");
    Recorder r;
    EXPECT_EQ(ConvertBatch(Options({(folder / "odd.svg")}), "/prog", '.', r.Hooks()), 1);
    EXPECT_EQ(test::ReadFile((folder / "odd.svg")), "[SVG]\nEdgeNumber=7\n");
}

}  // namespace
}  // namespace polygrav
