// Converting one document as the program does when started with its path.

#include "conversion/DocumentConversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Errors.h"
#include "svg/SvgDocument.h"
#include "tests/support/ExpectThrow.h"
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
    EXPECT_THROW_MSG(LoadDocumentSettings((folder / "none.pgv"), {}, "/prog", '.', false),
                     EPolygravError, "ファイル " + (folder / "none.pgv") + " を開けません");
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
