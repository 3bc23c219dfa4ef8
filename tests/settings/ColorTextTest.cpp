#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>

#include "model/Errors.h"
#include "settings/ColorText.h"

#include "RowPrinting.h"
#include "tests/support/ExpectThrow.h"
#include "tests/support/RowName.h"

namespace polygrav {
namespace {

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

// Each name reads as its value and each value writes as its name, which
// holds only while names and values are each unique.
TEST(ColorText, EveryNameOfTheTableInBothDirections) {
    EXPECT_EQ(ColorNameTable().size(), 52u);
    for (const NamedColor& entry : ColorNameTable()) {
        const std::string name(entry.name);
        EXPECT_EQ(ColorToText(entry.value), name);
        EXPECT_EQ(TextToColor(name), entry.value) << name;
        EXPECT_EQ(TextToColor(Upper(name)), entry.value) << name;
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
                      TextCase{"LastSystemName", "$8000001E", 0x8000001E, "clMenuBar"},
                      TextCase{"DefaultColour", "$20000000", 0x20000000, "clDefault"},
                      TextCase{"NoColour", "$1FFFFFFF", 0x1FFFFFFF, "clNone"},
                      TextCase{"LastPlainName", "$00A4A0A0", 0x00A4A0A0, "clMedGray"},
                      TextCase{"UnnamedColourUnchanged", "$000080FF", 0x000080FF, "$000080FF"},
                      TextCase{"SystemIndexWithoutName", "$80000019", 0x80000019, "$80000019"},
                      TextCase{"HighByteKept", "$FF000000", 0xFF000000, "$FF000000"},
                      TextCase{"LowerCaseHexDigits", "0x00c08040", 0x00C08040, "$00C08040"},
                      TextCase{"NegativeIsItsThirtyTwoBits", "-1", 0xFFFFFFFF, "$FFFFFFFF"},
                      TextCase{"LeadingSpacesOfTheIntegerRule", "  16", 0x00000010, "$00000010"}),
    test::RowName());

struct BadTextCase {
    const char* name;
    std::string text;
    const char* message;
};

class ColorFromBadText : public ::testing::TestWithParam<BadTextCase> {};

TEST_P(ColorFromBadText, RaisesTheConversionError) {
    EXPECT_THROW_MSG(TextToColor(GetParam().text), EConvertError, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorFromBadText,
    ::testing::Values(
        BadTextCase{"Empty", "", "'' は整数ではありません"},
        BadTextCase{"PlainWord", "red", "'red' は整数ではありません"},
        BadTextCase{"NameWithTrailingBlank", "clRed ", "'clRed ' は整数ではありません"},
        BadTextCase{"NineHexDigits", "$100000000", "'$100000000' は整数ではありません"},
        BadTextCase{"NonAsciiCaseNotFolded", "ｃｌＲｅｄ", "'ｃｌＲｅｄ' は整数ではありません"}),
    test::RowName());

}  // namespace
}  // namespace polygrav
