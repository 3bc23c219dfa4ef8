#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "settings/SettingsFile.h"
#include "tests/support/ExpectThrow.h"
#include "tests/support/RowName.h"
#include "tests/support/TempFolder.h"

#include "tests/support/LocaleGuard.h"

#include "RowPrinting.h"

namespace polygrav {
namespace {

using Calls = std::vector<std::string>;

std::string Hex(TColor c) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(c));
    return text;
}

// Notes every call as "Key=value" and keeps the values exactly as handed.
class RecordingTarget : public SettingsTarget {
  public:
    Calls calls;
    TStarSettings values;
    std::string favoriteDir;

    void setFavoriteDir(const std::string& dir) override {
        favoriteDir = dir;
        calls.push_back("FavoriteDir=" + dir);
    }
    void setEdgeNumber(const std::string& text) override {
        values.EdgeNumber = text;
        calls.push_back("EdgeNumber=" + text);
    }
    void setCircumRadius(const std::string& text) override {
        values.CircumRadius = text;
        calls.push_back("CircumRadius=" + text);
    }
    void setStarType(std::int32_t index) override {
        values.StarType = index;
        calls.push_back("StarType=" + std::to_string(index));
    }
    void setFillColor(TColor c) override {
        values.FillColor = c;
        calls.push_back("FillColor=" + Hex(c));
    }
    void setFillTransparent(bool on) override {
        values.FillTransparent = on;
        calls.push_back("FillTransparent=" + std::to_string(on));
    }
    void setStrokeColor(TColor c) override {
        values.StrokeColor = c;
        calls.push_back("StrokeColor=" + Hex(c));
    }
    void setStrokeWidth(std::int32_t position) override {
        values.StrokeWidth = position;
        calls.push_back("StrokeWidth=" + std::to_string(position));
    }
    void setView(bool on) override {
        values.View = on;
        calls.push_back("View=" + std::to_string(on));
    }
    void setFillRule(bool on) override {
        values.FillRule = on;
        calls.push_back("FillRule=" + std::to_string(on));
    }
    PartSettings partSettings() const override { return values.Part; }
    void setPartSettings(const PartSettings& part) override {
        values.Part = part;
        calls.push_back("Part");
    }
};

Calls ReadCalls(const std::string& file) {
    RecordingTarget target;
    ReadSettings(IniDocument::Parse(file), "/prog", target);
    return target.calls;
}

// ---- Reading one key ----

struct KeyCase {
    const char* name;
    const char* line;
    Calls afterFavoriteDir;  // the calls after the default FavoriteDir
};

class ReadOneKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ReadOneKey, HandsTheValueOrNothing) {
    Calls expected{"FavoriteDir=/prog"};
    expected.insert(expected.end(), GetParam().afterFavoriteDir.begin(),
                    GetParam().afterFavoriteDir.end());
    EXPECT_EQ(ReadCalls(std::string("[SVG]\r\n") + GetParam().line + "\r\n"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadOneKey,
    ::testing::Values(
        KeyCase{"NoKeys", "", {}}, KeyCase{"EdgeNumberText", "EdgeNumber=200", {"EdgeNumber=200"}},
        KeyCase{"EdgeNumberQuotedKeepsBlank", "EdgeNumber=\" 16\"", {"EdgeNumber= 16"}},
        KeyCase{"EdgeNumberEmpty", "EdgeNumber=", {"EdgeNumber="}},
        KeyCase{"CircumRadiusAnyText", "CircumRadius=abc", {"CircumRadius=abc"}},
        KeyCase{"StarTypeOutOfRangeHandedAsRead", "StarType=7", {"StarType=7"}},
        KeyCase{"StarTypeNegative", "StarType=-5", {"StarType=-5"}},
        KeyCase{"StarTypeHex", "StarType=0x1", {"StarType=1"}},
        KeyCase{"StarTypeWord", "StarType=one", {}}, KeyCase{"StarTypeEmpty", "StarType=", {}},
        KeyCase{"StrokeWidthDollarHex", "StrokeWidth=$64", {"StrokeWidth=100"}},
        KeyCase{"StrokeWidthZeroXHex", "StrokeWidth=0x64", {"StrokeWidth=100"}},
        KeyCase{"StrokeWidthFraction", "StrokeWidth=2.5", {}},
        KeyCase{"StrokeWidthTooLarge", "StrokeWidth=1000", {"StrokeWidth=1000"}},
        KeyCase{"ViewTwoIsOn", "View=2", {"View=1"}},
        KeyCase{"ViewMinusOneIsOn", "View=-1", {"View=1"}},
        KeyCase{"ViewHexZeroIsOff", "View=0x0", {"View=0"}},
        KeyCase{"ViewYesIsNoFlag", "View=yes", {}},
        KeyCase{"FillTransparentOn", "FillTransparent=1", {"FillTransparent=1"}},
        KeyCase{"FillRuleTrueIsNoFlag", "FillRule=true", {}},
        KeyCase{"FillColorNameAnyCase", "FillColor=CLBLUE", {"FillColor=0x00FF0000"}},
        KeyCase{"FillColorDecimal", "FillColor=255", {"FillColor=0x000000FF"}},
        KeyCase{"FillColorSystem", "FillColor=$80000005", {"FillColor=0x80000005"}},
        KeyCase{"StrokeColorHex", "StrokeColor=$000080FF", {"StrokeColor=0x000080FF"}},
        KeyCase{"KeyNamesIgnoreCase", "fillrule=1", {"FillRule=1"}}),
    test::RowName());

TEST(ReadSettings, HandsTheKeysInTheirOrderWhateverTheFileOrder) {
    const Calls calls = ReadCalls(
        "[SVG]\nFillRule=1\nView=0\nStrokeWidth=10\nStrokeColor=clNavy\nFillTransparent=1\n"
        "FillColor=clWhite\nStarType=2\nCircumRadius=20\nEdgeNumber=8\nFavoriteDir=/home/u\n");
    EXPECT_EQ(calls, (Calls{"FavoriteDir=/home/u", "EdgeNumber=8", "CircumRadius=20", "StarType=2",
                            "FillColor=0x00FFFFFF", "FillTransparent=1", "StrokeColor=0x00800000",
                            "StrokeWidth=10", "View=0", "FillRule=1"}));
}

TEST(ReadSettings, EmptyFavoriteDirIsHandedAsEmpty) {
    EXPECT_EQ(ReadCalls("[SVG]\nFavoriteDir=\n"), Calls{"FavoriteDir="});
}

TEST(ReadSettings, KeysOutsideTheSectionAreNotRead) {
    EXPECT_EQ(ReadCalls("StarType=1\n[Other]\nStarType=2\n"), Calls{"FavoriteDir=/prog"});
}

struct BadColorCase {
    const char* name;
    const char* file;
    const char* message;
    Calls handedBefore;
};

class ReadBadColor : public ::testing::TestWithParam<BadColorCase> {};

TEST_P(ReadBadColor, StopsAtThatKeyWithTheConversionError) {
    RecordingTarget target;
    EXPECT_THROW_MSG(ReadSettings(IniDocument::Parse(GetParam().file), "/prog", target),
                     EConvertError, GetParam().message);
    EXPECT_EQ(target.calls, GetParam().handedBefore);
}

const char* const kAllKeysBadFill =
    "[SVG]\nFavoriteDir=/d\nEdgeNumber=7\nCircumRadius=20\nStarType=1\nFillColor=red\n"
    "FillTransparent=1\nStrokeColor=clBlue\nStrokeWidth=10\nView=0\nFillRule=1\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBadColor,
    ::testing::Values(
        BadColorCase{"FillColorWord",
                     kAllKeysBadFill,
                     "'red' は整数ではありません",
                     {"FavoriteDir=/d", "EdgeNumber=7", "CircumRadius=20", "StarType=1"}},
        BadColorCase{"FillColorEmpty",
                     "[SVG]\nStarType=2\nFillColor=\nView=0\n",
                     "'' は整数ではありません",
                     {"FavoriteDir=/prog", "StarType=2"}},
        BadColorCase{"StrokeColorWord",
                     "[SVG]\nFillColor=clLime\nFillTransparent=1\nStrokeColor=black\nView=0\n",
                     "'black' は整数ではありません",
                     {"FavoriteDir=/prog", "FillColor=0x0000FF00", "FillTransparent=1"}}),
    test::RowName());

TEST(ReadSettings, NamesTheKeyWhereTheLoadStopped) {
    RecordingTarget target;
    SettingsKey reading{};
    EXPECT_THROW(ReadSettings(IniDocument::Parse(kAllKeysBadFill), "/prog", target, &reading),
                 EConvertError);
    EXPECT_EQ(reading, SettingsKey::FillColor);
    ReadSettings(IniDocument::Parse("[SVG]\n"), "/prog", target, &reading);
    EXPECT_EQ(reading, SettingsKey::CutOutline);  // every key was read
}

struct PartReadCase {
    const char* name;
    const char* lines;
    char localeSeparator;
    PartSettings expected;
};

class ReadPartKeys : public ::testing::TestWithParam<PartReadCase> {};

TEST_P(ReadPartKeys, SameRulesAsTheDesignsKeys) {
    RecordingTarget target;
    ReadSettings(IniDocument::Parse(std::string("[SVG]\n") + GetParam().lines), "/prog", target,
                 nullptr, GetParam().localeSeparator);
    EXPECT_EQ(target.values.Part, GetParam().expected);
    EXPECT_EQ(target.values.EdgeNumber, "5");  // the design's keys untouched
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadPartKeys,
    ::testing::Values(
        PartReadCase{"Integers",
                     "StarStep=3\nSizeBy=$1\nOffsetJoin=1\nCutOutline=2\n",
                     '.',
                     {.StarStep = 3, .SizeBy = 1, .OffsetJoin = 1, .CutOutline = true}},
        PartReadCase{"DecimalsWithAFullStop",
                     "InnerRatio=0.5\nRotation=-12.5\nCornerRadius=2\nValleyRadius=1e0\n"
                     "Offset=0.15\n",
                     ',',
                     {.InnerRatio = 0.5,
                      .Rotation = -12.5,
                      .CornerRadius = 2,
                      .ValleyRadius = 1,
                      .Offset = 0.15}},
        PartReadCase{"DecimalsWithTheLocaleComma",
                     "InnerRatio=0,25\nOffset=-0,1\n",
                     ',',
                     {.InnerRatio = 0.25, .Offset = -0.1}},
        PartReadCase{"CommaWithoutThatLocaleKeeps", "Offset=0,1\n", '.', {}},
        PartReadCase{"TextsThatFailKeepTheDefault",
                     "StarStep=two\nRotation=right\nSizeBy=1.5\nCutOutline=yes\n",
                     '.',
                     {}},
        PartReadCase{"EmptyRatioIsNone",
                     "InnerRatio=0.3\nInnerRatio=\n",
                     '.',
                     {.InnerRatio = 0.3}},  // the first of two keys counts
        PartReadCase{"OutOfRangeIsKeptForTheFigureToRefuse",
                     "StarStep=-4\nInnerRatio=7\n",
                     '.',
                     {.StarStep = -4, .InnerRatio = 7}}),
    test::RowName());

TEST(ReadPartKeys, EmptyRatioAfterAnother) {
    RecordingTarget target;
    target.values.Part.InnerRatio = 0.4;
    ReadSettings(IniDocument::Parse("[SVG]\nInnerRatio=\n"), "/prog", target);
    EXPECT_EQ(target.values.Part.InnerRatio, std::nullopt);
}

// ---- Writing ----

TEST(WriteSettings, PartKeysOnlyWhenNotTheDefaultOrAlreadyThere) {
    IniDocument doc = IniDocument::Parse("[SVG]\r\nOffset=0.3\r\nInnerRatio=0.4\r\n");
    TStarSettings s;
    s.Part.Rotation = 12.5;  // not the default: added
    s.Part.CornerRadius = 0.1;
    // Offset and InnerRatio are back at their defaults but in the file: written.
    WriteSettings(doc, "/d", s);
    const std::string text = doc.Serialize();
    EXPECT_NE(text.find("\r\nOffset=0\r\nInnerRatio=\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nRotation=12.5\r\nCornerRadius=0.1\r\n"), std::string::npos) << text;
    for (const char* key :
         {"StarStep=", "SizeBy=", "ValleyRadius=", "OffsetJoin=", "CutOutline="}) {
        EXPECT_EQ(text.find(key), std::string::npos) << key;
    }
}

TEST(WriteSettings, PartDecimalsUseAFullStopInAnyLocale) {
    test::LocaleGuard comma(test::kCommaLocales);
    if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma";
    EXPECT_EQ(FormatPartDecimal(0.1), "0.1");
    EXPECT_EQ(FormatPartDecimal(-2), "-2");
    EXPECT_EQ(FormatPartDecimal(1e-7), "1e-07");
    EXPECT_EQ(FormatPartDecimal(2.675), "2.675");
}

TEST(KeysToSave, EveryKeyAfterACompleteLoad) {
    TStarSettings changed;
    changed.View = false;
    EXPECT_EQ(KeysToSave(std::nullopt, {}, "/a", changed, "/b"), AllSettingsKeys());
}

TEST(KeysToSave, KeysFromTheStopOnOnlyWhenChanged) {
    // The load stopped at FillColor: FillColor and the keys after it keep
    // what the file holds, unless their value changed since.
    TStarSettings atStop;
    atStop.EdgeNumber = "7";
    TStarSettings now = atStop;
    now.EdgeNumber = "8";   // before the stop: written anyway
    now.StrokeWidth = 120;  // after the stop, changed: written
    const SettingsKeySet keys = KeysToSave(SettingsKey::FillColor, atStop, "/d", now, "/d");
    SettingsKeySet expected;
    for (const SettingsKey k :
         {SettingsKey::FavoriteDir, SettingsKey::EdgeNumber, SettingsKey::CircumRadius,
          SettingsKey::StarType, SettingsKey::StrokeWidth}) {
        expected.set(static_cast<std::size_t>(k));
    }
    EXPECT_EQ(keys, expected);
}

TEST(WriteSettings, OnlyTheGivenKeys) {
    IniDocument doc = IniDocument::Parse("[SVG]\r\nView=0\r\nFillRule=1\r\n");
    SettingsKeySet keys;
    keys.set(static_cast<std::size_t>(SettingsKey::EdgeNumber));
    keys.set(static_cast<std::size_t>(SettingsKey::View));
    WriteSettings(doc, "/d", TStarSettings{}, keys);
    EXPECT_EQ(doc.Serialize(), "[SVG]\r\nView=1\r\nFillRule=1\r\nEdgeNumber=5\r\n");
}

TEST(WriteSettings, DesignValuesGiveTheGoldenFile) {
    IniDocument doc;
    WriteSettings(doc, "/opt/polygrav", TStarSettings{});
    EXPECT_EQ(doc.Serialize(),
              test::ReadFile(std::string(POLYGRAV_TEST_DATA) + "/design-values.ini"));
}

TEST(WriteSettings, GoldenFileReadsBackAsTheDesignValues) {
    const IniDocument doc =
        IniDocument::Parse(test::ReadFile(std::string(POLYGRAV_TEST_DATA) + "/design-values.ini"));
    RecordingTarget target;
    target.values = {"9", "9", 2, clWhite, true, clWhite, 9, false, true};
    ReadSettings(doc, "/prog", target);
    EXPECT_EQ(target.values, TStarSettings{});
    EXPECT_EQ(target.favoriteDir, "/opt/polygrav");
}

TEST(WriteSettings, ReplacesKeysInPlaceAndKeepsTheRestOfTheFile) {
    IniDocument doc = IniDocument::Parse(
        "; my settings\n[Other]\nStarType=9\n[svg]\nview=0\nEdgeNumber=7\n; end of star\n");
    TStarSettings s;
    s.StarType = kNoStarType;
    s.FillColor = 0x00C08040;
    s.StrokeColor = 0xFF000000;
    s.View = false;
    s.FillRule = true;
    WriteSettings(doc, "", s);
    EXPECT_EQ(doc.Serialize(),
              "; my settings\r\n[Other]\r\nStarType=9\r\n[svg]\r\nView=0\r\nEdgeNumber=5\r\n"
              "FavoriteDir=\r\nCircumRadius=50\r\nStarType=-1\r\nFillColor=$00C08040\r\n"
              "FillTransparent=0\r\nStrokeColor=$FF000000\r\nStrokeWidth=50\r\nFillRule=1\r\n"
              "; end of star\r\n");
}

struct RoundTripCase {
    const char* name;
    std::string favoriteDir;
    TStarSettings values;
};

class SettingsRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(SettingsRoundTrip, ReadsBackWhatWasWritten) {
    IniDocument doc;
    WriteSettings(doc, GetParam().favoriteDir, GetParam().values);
    RecordingTarget target;
    target.values = {"x", "x", 1, 1, false, 1, 1, false, false};
    ReadSettings(IniDocument::Parse(doc.Serialize()), "/prog", target);
    EXPECT_EQ(target.favoriteDir, GetParam().favoriteDir);
    EXPECT_EQ(target.values, GetParam().values);
    EXPECT_EQ(target.calls.size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRoundTrip,
    ::testing::Values(
        RoundTripCase{"DesignValues", "/opt/polygrav", {}},
        RoundTripCase{"EveryValueChanged",
                      "/home/ユーザー/図面",
                      {"100", "7.5", 2, 0x00C08040, true, clNavy, 400, false, true}},
        RoundTripCase{"EmptyTexts", "", {"", "", kNoStarType, 0, false, 0, 0, false, false}},
        RoundTripCase{"BlanksAroundTexts",
                      " /dir with blanks/ ",
                      {" 16", "50 ", 0, 0x80000019, false, 0x1FFFFFFF, 50, true, false}},
        RoundTripCase{"QuotesAroundTexts",
                      "\"/quoted\"",
                      {"\"5\"", "\"", 1, 0xFFFFFFFF, true, 0x80000005, 1, true, true}},
        RoundTripCase{"SeparatorsInTexts",
                      "/a=b;c/[SVG]#",
                      {"=5", "; 50", 0, clRed, false, clBlack, 50, true, false}}),
    test::RowName());

TEST(WriteSettings, LineBreakInTheFolderCannotAddKeys) {
    IniDocument doc;
    WriteSettings(doc, "/tmp/x\nStarType=2\r\n[Other]", TStarSettings{});
    RecordingTarget target;
    ReadSettings(IniDocument::Parse(doc.Serialize()), "/prog", target);
    EXPECT_EQ(target.favoriteDir, "/tmp/x StarType=2  [Other]");
    EXPECT_EQ(target.values, TStarSettings{});
}

// ---- Where the file lives ----

struct PlaceCase {
    const char* name;
    const char* programDir;
    bool writable;
    const char* xdgConfigHome;
    const char* home;
    const char* expected;
};

class SettingsPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SettingsPlace, ChoosesTheFile) {
    const PlaceCase& c = GetParam();
    EXPECT_EQ(SettingsFilePathFor(c.programDir, c.writable, c.xdgConfigHome, c.home), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsPlace,
    ::testing::Values(PlaceCase{"BesideWritableProgram", "/opt/pg", true, "/cfg", "/home/u",
                                "/opt/pg/polygrav.ini"},
                      PlaceCase{"ProgramInRootFolder", "/", true, "", "/home/u", "/polygrav.ini"},
                      PlaceCase{"ConfigHomeForReadOnlyProgram", "/usr/bin", false, "/cfg",
                                "/home/u", "/cfg/polygrav/polygrav.ini"},
                      PlaceCase{"ConfigHomeWithTrailingSlash", "/usr/bin", false, "/cfg/",
                                "/home/u", "/cfg/polygrav/polygrav.ini"},
                      PlaceCase{"EmptyConfigHomeGivesDotConfig", "/usr/bin", false, "", "/home/u",
                                "/home/u/.config/polygrav/polygrav.ini"},
                      PlaceCase{"RelativeConfigHomeIgnored", "/usr/bin", false, "cfg", "/home/u",
                                "/home/u/.config/polygrav/polygrav.ini"},
                      PlaceCase{"BareProgramNameUsesConfig", "", true, "", "/home/u",
                                "/home/u/.config/polygrav/polygrav.ini"},
                      PlaceCase{"NoHomeStaysBesideProgram", "/usr/bin", false, "", "",
                                "/usr/bin/polygrav.ini"}),
    test::RowName());

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SettingsFilePath, BesideTheProgramWhenItsFolderIsWritable) {
    test::TempFolder folder;
    EXPECT_EQ(SettingsFilePath(folder / "polygrav"), folder / "polygrav.ini");
}

TEST(SettingsFilePath, InTheConfigFolderOtherwiseAndCreatesNothing) {
    test::TempFolder folder;
    const ScopedEnv config("XDG_CONFIG_HOME", folder / "config");
    // A folder that does not exist cannot be written, not even by root.
    EXPECT_EQ(SettingsFilePath((folder / "gone") + "/polygrav"),
              (folder / "config") + "/polygrav/polygrav.ini");
    EXPECT_FALSE(std::filesystem::exists(folder / "config"));
}

}  // namespace
}  // namespace polygrav
