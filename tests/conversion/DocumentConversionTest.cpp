// Converting one document as the program does when started with its path.

#include "conversion/DocumentConversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "svg/SvgDocument.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

TEST(DocumentConversion, WritesTheSvgBesideTheDocumentAndOpensItWhenViewIsOn) {
    test::TempFolder folder;
    test::WriteFile((folder / "star.PGV"), "[SVG]\nEdgeNumber=7\nView=1\n");
    std::vector<std::string> opened;
    const ConversionOutcome outcome =
        ConvertDocument((folder / "star.PGV"), "/prog", '.',
                        [&opened](const std::string& path) { opened.push_back(path); });
    EXPECT_TRUE(outcome.written);
    EXPECT_FALSE(outcome.error);
    TStarSettings expected;
    expected.EdgeNumber = "7";
    EXPECT_EQ(test::ReadFile((folder / "star.svg")), BuildSvgDocument(expected, '.'));
    EXPECT_EQ(opened, std::vector<std::string>{(folder / "star.svg")});
}

TEST(DocumentConversion, MissingDocumentGivesTheDesignValues) {
    test::TempFolder folder;
    const ConversionOutcome outcome =
        ConvertDocument((folder / "none.pgv"), "/prog", '.', [](const std::string&) {});
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(test::ReadFile((folder / "none.svg")), BuildSvgDocument(TStarSettings{}, '.'));
}

TEST(DocumentConversion, FirstErrorEndsItAndNothingIsWritten) {
    test::TempFolder folder;
    test::WriteFile((folder / "bad.pgv"), "[SVG]\nEdgeNumber=\nCircumRadius=30\nFillColor=bad\n");
    bool opened = false;
    const ConversionOutcome outcome = ConvertDocument(
        (folder / "bad.pgv"), "/prog", '.', [&opened](const std::string&) { opened = true; });
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.error, "'' は整数ではありません.");
    EXPECT_FALSE(opened);
    EXPECT_EQ(test::ReadFile((folder / "bad.svg")), "");
}

TEST(DocumentConversion, SettingsLinesFollowTheDocument) {
    test::TempFolder folder;
    test::WriteFile((folder / "a.pgv"), "[SVG]\nEdgeNumber=7\nStrokeWidth=20\n");
    const SettingsModel model = LoadDocumentSettings(
        (folder / "a.pgv"), {"EdgeNumber=300", "starType=2", " StrokeWidth = 90 "}, "/prog", '.',
        false);
    EXPECT_EQ(model.values.EdgeNumber, "100");  // through the box's rule
    EXPECT_EQ(model.values.StarType, kRegularPolygon);
    EXPECT_EQ(model.values.StrokeWidth, 90);
    EXPECT_EQ(model.favoriteDir, "/prog");
}

TEST(DocumentConversion, DocumentThatMustExist) {
    test::TempFolder folder;
    try {
        LoadDocumentSettings((folder / "none.pgv"), {}, "/prog", '.', false);
        FAIL() << "no error";
    } catch (const EPolygravError& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + (folder / "none.pgv") + " を開けません");
    }
}

TEST(DocumentConversion, DocumentPathRule) {
    EXPECT_TRUE(IsSettingsDocumentPath("a.pgv"));
    EXPECT_TRUE(IsSettingsDocumentPath("/x/A.PgV"));
    EXPECT_FALSE(IsSettingsDocumentPath("a.txt"));
    EXPECT_FALSE(IsSettingsDocumentPath("-style"));
    EXPECT_FALSE(IsSettingsDocumentPath("pgv"));
    EXPECT_FALSE(IsSettingsDocumentPath("dir.pgv/file"));
}

}  // namespace
}  // namespace polygrav

namespace polygrav {
namespace {

// Each --set line is checked with the document's keys and the lines before
// it: a range that depends on another key follows that key's new value.
TEST(DocumentConversion, SetLinesApplyInOrderOnTheDocumentsKeys) {
    struct Row {
        const char* name;
        const char* document;
        std::vector<std::string> lines;
        std::optional<std::string> error;  // none: loads
    };
    const Row rows[] = {
        {"a step after a larger point count", "[SVG]\n", {"EdgeNumber=12", "StarStep=5"}, {}},
        {"a step the document's point count allows", "[SVG]\nEdgeNumber=20\n", {"StarStep=3"}, {}},
        {"a step beyond the document's point count",
         "[SVG]\nEdgeNumber=5\n",
         {"StarStep=3"},
         StarStepOutOfRangeMessage(3, 2).text()},
        {"a step before the point count that allows it",
         "[SVG]\n",
         {"StarStep=5", "EdgeNumber=12"},
         StarStepOutOfRangeMessage(5, 2).text()},
        {"a key of [SVG] named with its section",
         "[SVG]\n",
         {"svg.EdgeNumber=9", "StarStep=4"},
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempFolder folder;
        test::WriteFile(folder / "doc.pgv", row.document);
        std::optional<std::string> error;
        try {
            LoadDocumentSettings(folder / "doc.pgv", row.lines, "/prog", '.', false);
        } catch (const EPolygravError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, row.error);
    }
}

}  // namespace
}  // namespace polygrav
