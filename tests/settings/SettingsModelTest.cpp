#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/Errors.h"
#include "settings/SettingsModel.h"
#include "tests/support/RowName.h"
#include "tests/support/TempFolder.h"

#include "RowPrinting.h"

namespace polygrav {
namespace {

SettingsModel Loaded(const std::string& file) {
    SettingsModel model("/start");
    ReadSettings(IniDocument::Parse(file), "/prog", model);
    return model;
}

struct LoadCase {
    const char* name;
    const char* line;
    TStarSettings expected;
};

class ModelLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(ModelLoad, TakesTheValueAsTheControlsWould) {
    const SettingsModel model = Loaded(std::string("[SVG]\n") + GetParam().line + "\n");
    EXPECT_EQ(model.values, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelLoad,
    ::testing::Values(
        LoadCase{"EdgeNumberAbove100Limited", "EdgeNumber=200", {.EdgeNumber = "100"}},
        LoadCase{"EdgeNumberNotANumberBecomes5", "EdgeNumber=abc", {.EdgeNumber = "5"}},
        LoadCase{"EdgeNumberEmptyKeptForTyping", "EdgeNumber=", {.EdgeNumber = ""}},
        LoadCase{"EdgeNumberLeadingBlankTaken", "EdgeNumber=\" 16\"", {.EdgeNumber = " 16"}},
        LoadCase{"CircumRadiusAbove100Limited", "CircumRadius=150", {.CircumRadius = "100"}},
        LoadCase{"CircumRadiusFractionKept", "CircumRadius=7.5", {.CircumRadius = "7.5"}},
        LoadCase{"StarTypeBelowMinusOne", "StarType=-5", {.StarType = kNoStarType}},
        LoadCase{"StarTypeMinusOne", "StarType=-1", {.StarType = kNoStarType}},
        LoadCase{"StarTypeAboveLastItem", "StarType=7", {.StarType = kRegularPolygon}},
        LoadCase{"StarTypeWordKeepsItem", "StarType=one", {}},
        LoadCase{"StrokeWidthAbove400", "StrokeWidth=1000", {.StrokeWidth = 400}},
        LoadCase{"StrokeWidthBelow0", "StrokeWidth=-3", {.StrokeWidth = 0}},
        LoadCase{"StrokeWidthHex", "StrokeWidth=$64", {.StrokeWidth = 100}},
        LoadCase{"StrokeWidthFractionKeepsPosition", "StrokeWidth=2.5", {}},
        LoadCase{"FillTransparentTwo", "FillTransparent=2", {.FillTransparent = true}},
        LoadCase{"ViewHexZero", "View=0x0", {.View = false}},
        LoadCase{"FillColorSystemCarried", "FillColor=$80000005", {.FillColor = 0x80000005}},
        LoadCase{"StrokeColorAnyBits", "StrokeColor=$FF000000", {.StrokeColor = 0xFF000000}}),
    test::RowName());

TEST(SettingsModel, MissingFileChangesNothingButTheFolder) {
    test::TempFolder folder;
    SettingsModel model("/start");
    ReadSettings(LoadIniFile(folder / "missing.pgv"), "/prog", model);
    EXPECT_EQ(model.values, TStarSettings{});
    EXPECT_EQ(model.favoriteDir, "/prog");
}

TEST(SettingsModel, BadColourLeavesTheKeysBeforeItInForce) {
    SettingsModel model("/start");
    EXPECT_THROW(ReadSettings(IniDocument::Parse("[SVG]\nFavoriteDir=/d\nEdgeNumber=8\n"
                                                 "CircumRadius=20\nStarType=1\nFillColor=red\n"
                                                 "FillTransparent=1\nView=0\n"),
                              "/prog", model),
                 EConvertError);
    EXPECT_EQ(model.favoriteDir, "/d");
    EXPECT_EQ(model.values,
              (TStarSettings{.EdgeNumber = "8", .CircumRadius = "20", .StarType = 1}));
}

struct SaveCase {
    const char* name;
    const char* loaded;
    const char* written;
};

class ModelLoadThenSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(ModelLoadThenSave, WritesTheValueBackInItsOwnForm) {
    const SettingsModel model = Loaded(std::string("[SVG]\n") + GetParam().loaded + "\n");
    IniDocument doc;
    WriteSettings(doc, model.favoriteDir, model.values);
    EXPECT_NE(doc.Serialize().find(std::string("\r\n") + GetParam().written + "\r\n"),
              std::string::npos)
        << doc.Serialize();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelLoadThenSave,
    ::testing::Values(SaveCase{"DecimalRedByName", "FillColor=255", "FillColor=clRed"},
                      SaveCase{"SystemColourByName", "FillColor=$80000005", "FillColor=clWindow"},
                      SaveCase{"UnnamedColourUnchanged", "FillColor=$000080FF",
                               "FillColor=$000080FF"},
                      SaveCase{"NameCaseNormalised", "StrokeColor=CLBLUE", "StrokeColor=clBlue"},
                      SaveCase{"LimitedStarType", "StarType=7", "StarType=2"},
                      SaveCase{"NoStarType", "StarType=-5", "StarType=-1"},
                      SaveCase{"LimitedPointCount", "EdgeNumber=200", "EdgeNumber=100"},
                      SaveCase{"FlagAsOne", "View=-1", "View=1"}),
    test::RowName());

}  // namespace
}  // namespace polygrav
