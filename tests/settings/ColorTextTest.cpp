#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <ostream>
#include <random>
#include <string>

#include "model/Errors.h"
#include "settings/ColorText.h"

#include "RowPrinting.h"

namespace polygrav {
namespace {

struct NamedColor {
    const char* name;
    TColor value;
};

// The colour names as the settings file knows them.
const NamedColor kTable[] = {
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clDefault", 0x20000000},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clHotLight", 0x8000001A},
    {"clGradientActiveCaption", 0x8000001B},
    {"clGradientInactiveCaption", 0x8000001C},
    {"clMenuHighlight", 0x8000001D},
    {"clMenuBar", 0x8000001E},
};

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

bool IsDollarForm(const std::string& text) {
    if (text.size() != 9 || text[0] != '$') return false;
    return text.find_first_not_of("0123456789ABCDEF", 1) == std::string::npos;
}

TEST(ColorText, EveryNameOfTheTableInBothDirections) {
    static_assert(std::size(kTable) == 52);
    for (const NamedColor& entry : kTable) {
        EXPECT_EQ(ColorToText(entry.value), entry.name);
        EXPECT_EQ(TextToColor(entry.name), entry.value) << entry.name;
        EXPECT_EQ(TextToColor(Upper(entry.name)), entry.value) << entry.name;
    }
}

TEST(ColorText, EverySystemIndexReadsBackUnchanged) {
    for (TColor index = 0; index <= 0xFF; ++index) {
        const TColor c = 0x80000000u + index;
        const std::string text = ColorToText(c);
        EXPECT_EQ(TextToColor(text), c) << text;
        const bool named = index <= 30 && index != 25;
        EXPECT_EQ(!IsDollarForm(text), named) << text;
    }
}

TEST(ColorText, RandomValuesReadBackUnchanged) {
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        const TColor c = static_cast<TColor>(random());
        const std::string text = ColorToText(c);
        EXPECT_EQ(TextToColor(text), c) << text;
    }
}

struct TextCase {
    const char* name;
    const char* text;
    TColor color;
    const char* writtenBack;
};

class ColorFromText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ColorFromText, ReadsAndWritesBack) {
    const TextCase& c = GetParam();
    EXPECT_EQ(TextToColor(c.text), c.color);
    EXPECT_EQ(ColorToText(TextToColor(c.text)), c.writtenBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorFromText,
    ::testing::Values(TextCase{"NameInCapitals", "CLBLUE", 0x00FF0000, "clBlue"},
                      TextCase{"DecimalOfANamedColour", "255", 0x000000FF, "clRed"},
                      TextCase{"SystemColourByNumber", "$80000005", 0x80000005, "clWindow"},
                      TextCase{"UnnamedColourUnchanged", "$000080FF", 0x000080FF, "$000080FF"},
                      TextCase{"SystemIndexWithoutName", "$80000019", 0x80000019, "$80000019"},
                      TextCase{"HighByteKept", "$FF000000", 0xFF000000, "$FF000000"},
                      TextCase{"LowerCaseHexDigits", "0x00c08040", 0x00C08040, "$00C08040"},
                      TextCase{"NegativeIsItsThirtyTwoBits", "-1", 0xFFFFFFFF, "$FFFFFFFF"},
                      TextCase{"LeadingSpacesOfTheIntegerRule", "  16", 0x00000010, "$00000010"}),
    [](const auto& row) { return std::string(row.param.name); });

struct BadTextCase {
    const char* name;
    std::string text;
    const char* message;
};

class ColorFromBadText : public ::testing::TestWithParam<BadTextCase> {};

TEST_P(ColorFromBadText, RaisesTheConversionError) {
    try {
        TextToColor(GetParam().text);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorFromBadText,
    ::testing::Values(
        BadTextCase{"Empty", "", "'' は整数ではありません"},
        BadTextCase{"PlainWord", "red", "'red' は整数ではありません"},
        BadTextCase{"NameWithTrailingBlank", "clRed ", "'clRed ' は整数ではありません"},
        BadTextCase{"NineHexDigits", "$100000000", "'$100000000' は整数ではありません"},
        BadTextCase{"NonAsciiCaseNotFolded", "ｃｌＲｅｄ", "'ｃｌＲｅｄ' は整数ではありません"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace polygrav
