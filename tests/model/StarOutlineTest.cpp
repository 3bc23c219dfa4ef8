#include "model/StarOutline.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "model/StarSettings.h"

namespace polygrav {
namespace {

// A figure written as text: "o3" is outer vertex 3, "i3" inner point 3.
std::string Describe(const std::vector<OutlineFigure>& figures) {
    std::string text;
    for (const OutlineFigure& figure : figures) {
        text += "[";
        for (std::size_t i = 0; i < figure.size(); ++i) {
            if (i > 0) text += " ";
            text += (figure[i].inner ? "i" : "o") + std::to_string(figure[i].index);
        }
        text += "]";
    }
    return text;
}

TEST(StarOutlineTest, Table) {
    struct Row {
        const char* name;
        int type;
        int n;
        std::string expected;
    };
    const Row rows[] = {
        {"outline n=5", kStarOutline, 5, "[o0 i0 o1 i1 o2 i2 o3 i3 o4 i4]"},
        {"outline n=4", kStarOutline, 4, "[o0 i0 o1 i1 o2 i2 o3 i3]"},
        {"polygon star n=5", kStarPolygon, 5, "[o0 o2 o4 o1 o3]"},
        {"polygon star n=7", kStarPolygon, 7, "[o0 o2 o4 o6 o1 o3 o5]"},
        {"polygon star n=6", kStarPolygon, 6, "[o0 o2 o4][o1 o3 o5]"},
        {"polygon star n=8", kStarPolygon, 8, "[o0 o2 o4 o6][o1 o3 o5 o7]"},
        {"polygon star n=3", kStarPolygon, 3, "[o0 o2 o1]"},
        {"regular polygon n=5", kRegularPolygon, 5, "[o0 o1 o2 o3 o4]"},
        {"no type selected", kNoStarType, 5, ""},
        {"unknown type", 3, 5, ""},
        {"too few points", kStarOutline, 2, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Describe(StarOutline(row.type, row.n)), row.expected);
    }
}

TEST(StarOutlineTest, HundredPointsGiveTwoFiguresOfFiftyAndNinetyNineOne) {
    const auto even = StarOutline(kStarPolygon, 100);
    ASSERT_EQ(even.size(), 2u);
    EXPECT_EQ(even[0].size(), 50u);
    EXPECT_EQ(even[1].size(), 50u);
    EXPECT_EQ(even[1].back(), (OutlineVertex{false, 99}));
    const auto odd = StarOutline(kStarPolygon, 99);
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].size(), 99u);
    EXPECT_EQ(odd[0].back(), (OutlineVertex{false, 97}));
}

TEST(OutlinePointsTest, LooksUpOuterAndInnerPoints) {
    const std::vector<TStarPoint> outer{{1, 1}, {2, 2}, {3, 3}};
    const std::vector<TStarPoint> inner{{-1, -1}, {-2, -2}, {-3, -3}};
    const std::vector<OutlineFigure> figures{{{false, 2}, {true, 0}}, {{true, 2}}};
    const auto points = OutlinePoints(figures, outer, inner);
    EXPECT_EQ(points, (std::vector<std::vector<TStarPoint>>{{{3, 3}, {-1, -1}}, {{-3, -3}}}));
}

TEST(OutlinePointsTest, FigureThatDoesNotFitTheArraysIsAnError) {
    const std::vector<TStarPoint> outer{{1, 1}, {2, 2}, {3, 3}};
    EXPECT_THROW(OutlinePoints(StarOutline(kStarOutline, 5), outer, outer), std::out_of_range);
}

}  // namespace
}  // namespace polygrav
