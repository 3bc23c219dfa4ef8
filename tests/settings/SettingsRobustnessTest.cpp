#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "model/Errors.h"
#include "settings/SettingsModel.h"
#include "tests/support/RowName.h"
#include "tests/support/TempFolder.h"

#include "RowPrinting.h"

namespace polygrav {
namespace {

const char* const kKeys[] = {"FavoriteDir", "EdgeNumber",      "CircumRadius", "StarType",
                             "FillColor",   "FillTransparent", "StrokeColor",  "StrokeWidth",
                             "View",        "FillRule"};

bool IsColorKey(const std::string& key) {
    return key == "FillColor" || key == "StrokeColor";
}

// Loads the file into a fresh model; only a colour key may raise, and only
// the conversion error. The limits of the controls hold whatever was read.
SettingsModel LoadChecked(const std::string& file, const std::string& key) {
    SettingsModel model("/start");
    try {
        ReadSettings(IniDocument::Parse(file), "/prog", model);
    } catch (const EConvertError&) {
        EXPECT_TRUE(IsColorKey(key)) << key;
    }
    EXPECT_GE(model.values.StarType, kNoStarType);
    EXPECT_LE(model.values.StarType, kRegularPolygon);
    EXPECT_GE(model.values.StrokeWidth, kMinStrokeWidth);
    EXPECT_LE(model.values.StrokeWidth, kMaxStrokeWidth);
    EXPECT_LE(model.favoriteDir.size(), kMaxIniValueBytes);
    return model;
}

TEST(SettingsRobustness, BinaryJunkInEveryKey) {
    std::mt19937 random(1234);
    for (const std::string key : kKeys) {
        for (int round = 0; round < 200; ++round) {
            std::string junk;
            const int length = static_cast<int>(random() % 64);
            for (int i = 0; i < length; ++i) junk += static_cast<char>(random() % 256);
            LoadChecked("[SVG]\r\n" + key + "=" + junk + "\r\n", key);
        }
    }
}

TEST(SettingsRobustness, OneMegabyteValueInEveryKey) {
    std::string huge;
    for (int i = 0; i < 1 << 20; ++i) huge += static_cast<char>('0' + i % 10);
    for (const std::string key : kKeys) {
        const SettingsModel model = LoadChecked("[SVG]\r\n" + key + "=" + huge + "\r\n", key);
        if (key == "FavoriteDir") {
            EXPECT_EQ(model.favoriteDir, huge.substr(0, kMaxIniValueBytes));
        } else if (key == "EdgeNumber") {
            EXPECT_EQ(model.values.EdgeNumber, "5");  // no whole number within 5 to 100
        }
    }
}

// A settings file with other values than the design values, in several
// shapes that must all read the same.
std::string ChangedValuesFile() {
    IniDocument doc;
    WriteSettings(doc, "/data", {"12", "33.5", 2, 0x00C08040, true, clNavy, 120, false, true});
    return doc.Serialize();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string WithoutFinalLineEnd(std::string text) {
    text.resize(text.size() - 2);
    return text;
}

struct ShapeCase {
    const char* name;
    std::string file;
};

class SettingsFileShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SettingsFileShape, ReadsTheSameValues) {
    SettingsModel model("/start");
    ReadSettings(IniDocument::Parse(GetParam().file), "/prog", model);
    EXPECT_EQ(model.favoriteDir, "/data");
    EXPECT_EQ(model.values,
              (TStarSettings{"12", "33.5", 2, 0x00C08040, true, clNavy, 120, false, true}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileShape,
    ::testing::Values(ShapeCase{"CrLf", ChangedValuesFile()},
                      ShapeCase{"LfOnly", Replaced(ChangedValuesFile(), "\r\n", "\n")},
                      ShapeCase{"CrOnly", Replaced(ChangedValuesFile(), "\r\n", "\r")},
                      ShapeCase{"ByteOrderMark", "\xEF\xBB\xBF" + ChangedValuesFile()},
                      ShapeCase{"NoFinalLineEnd", WithoutFinalLineEnd(ChangedValuesFile())},
                      ShapeCase{"LowerCaseNames", Replaced(ChangedValuesFile(), "[SVG]", "[svg]")}),
    test::RowName());

TEST(SettingsRobustness, FilesWithoutTheSectionChangeNothing) {
    test::TempFolder folder;
    test::WriteFile(folder / "nosection.ini", "StarType=2\nView=0\n");
    for (const std::string& path :
         {folder / "nosection.ini", folder / "missing.ini", folder.path()}) {
        SettingsModel model("/start");
        ReadSettings(LoadIniFile(path), "/prog", model);
        EXPECT_EQ(model.values, TStarSettings{}) << path;
        EXPECT_EQ(model.favoriteDir, "/prog") << path;
    }
}

}  // namespace
}  // namespace polygrav
