// A batch of documents converted in one run, with failures on the way.

#include "conversion/BatchConversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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
    EXPECT_EQ(r.reports.back(), "ファイル " + *missingFolder.output + " を作成できません.");
}

TEST(BatchConversion, DocumentIsNeverItsOwnOutput) {
    test::TempFolder folder;
    test::WriteFile((folder / "odd.svg"), "[SVG]\nEdgeNumber=7\n");
    Recorder r;
    EXPECT_EQ(ConvertBatch(Options({(folder / "odd.svg")}), "/prog", '.', r.Hooks()), 1);
    EXPECT_EQ(test::ReadFile((folder / "odd.svg")), "[SVG]\nEdgeNumber=7\n");
}

// A document's [Sheet] and the --set lines of that section reach the
// figure of every format and the readouts; a sheet with one side left at 0
// writes nothing.
TEST(BatchConversion, SheetOfTheDocumentAndOfTheLines) {
    test::TempFolder folder;
    const std::string document = folder / "hexagons.pgv";
    test::WriteFile(document,
                    "[SVG]\nEdgeNumber=6\nStarType=2\nCircumRadius=10\n"
                    "[Sheet]\nWidth=120\nHeight=80\n");
    ConvertOptions svg = Options({document});
    svg.settings = {"Sheet.Outline=1"};
    svg.output = "-";
    Recorder r;
    EXPECT_EQ(ConvertBatch(svg, "/prog", '.', r.Hooks()), 0);
    EXPECT_NE(r.standardOutput.find("width=\"120.0000mm\" height=\"80.0000mm\""),
              std::string::npos);
    EXPECT_NE(r.standardOutput.find("d=\"M0.0000 0.0000 L120.0000 0.0000"), std::string::npos);

    // 19.32 × 22 mm a grid cell with the gap: 5 columns and 3 rows inside
    // the 110 × 70 mm within the margin.
    ConvertOptions info = Options({document});
    info.info = true;
    info.settings = {"Sheet.Arrangement=1"};
    Recorder i;
    EXPECT_EQ(ConvertBatch(info, "/prog", '.', i.Hooks()), 0);
    EXPECT_NE(i.standardOutput.find("\"contours\": 1, \"parts\": 15, \"density\": "),
              std::string::npos);
    EXPECT_NE(i.standardOutput.find("\"arrangement\": \"grid\"}"), std::string::npos);

    ConvertOptions oneSide = Options({document});
    oneSide.settings = {"Sheet.Height=0"};
    Recorder f;
    EXPECT_EQ(ConvertBatch(oneSide, "/prog", '.', f.Hooks()), 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "hexagons.svg"));
    ASSERT_EQ(f.reports.size(), 1u);
    EXPECT_NE(f.reports[0].find("Height"), std::string::npos);
}

}  // namespace
}  // namespace polygrav
