#include "export/AciColor.h"

#include <gtest/gtest.h>

namespace polygrav {
namespace {

TEST(AciColorTest, NearestIndexTable) {
    struct Row {
        const char* name;
        TColor color;  // 0x00BBGGRR
        int expected;
    };
    const Row rows[] = {
        {"red", 0x000000FF, 1},
        {"yellow", 0x0000FFFF, 2},
        {"green", 0x0000FF00, 3},
        {"cyan", 0x00FFFF00, 4},
        {"blue", 0x00FF0000, 5},
        {"magenta", 0x00FF00FF, 6},
        {"black stays black on paper", 0x00000000, 7},
        {"white", 0x00FFFFFF, 7},
        {"almost black", 0x00020305, 7},
        {"grey 128", 0x00808080, 8},
        {"grey 192", 0x00C0C0C0, 9},
        {"dark grey", 0x00333333, 250},
        {"navy", 0x00800000, 174},
        {"orange", 0x00007FFF, 30},
        {"system colour as the SVG shows it: index 5 in red", 0x80000005, 7},
        {"highest byte ignored", 0xFF0000FF, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(NearestAci(row.color), row.expected);
    }
}

TEST(AciColorTest, EveryPaletteColourFindsAnIndexOfItsOwnColour) {
    for (int index = kFirstAci; index <= kLastAci; ++index) {
        const RgbColor rgb = AciColor(index);
        const TColor c = rgb.red | rgb.green << 8 | rgb.blue << 16;
        EXPECT_EQ(AciColor(NearestAci(c)), rgb) << "index " << index;
    }
}

TEST(AciColorTest, PaletteFollowsItsHueAndGreyRows) {
    // Index 10 + 10·h is hue h·15° at full value; the odd index after it is
    // the half-saturated tone; 250 to 255 grow lighter.
    EXPECT_EQ(AciColor(10), (RgbColor{255, 0, 0}));
    EXPECT_EQ(AciColor(11), (RgbColor{255, 127, 127}));
    EXPECT_EQ(AciColor(90), (RgbColor{0, 255, 0}));
    EXPECT_EQ(AciColor(170), (RgbColor{0, 0, 255}));
    EXPECT_EQ(AciColor(249), (RgbColor{38, 19, 23}));
    for (int index = 250; index < 255; ++index) {
        EXPECT_LT(AciColor(index).red, AciColor(index + 1).red);
    }
    EXPECT_EQ(AciColor(255), (RgbColor{255, 255, 255}));
}

}  // namespace
}  // namespace polygrav
