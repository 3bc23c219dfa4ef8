// The check that cut outlines and offsets never cross.

#include "geometry/Crossings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/ContourMeasures.h"

namespace polygrav {
namespace {

TEST(Crossings, TellCrossingFromTouching) {
    const PointRing square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    struct Row {
        const char* name;
        std::vector<PointRing> rings;
        bool cross;
    };
    const Row rows[] = {
        {"one simple ring", {square}, false},
        {"bow tie", {{{0, 0}, {4, 4}, {4, 0}, {0, 4}}}, true},
        {"overlapping squares", {square, {{2, 2}, {6, 2}, {6, 6}, {2, 6}}}, true},
        {"square inside a square", {square, {{1, 1}, {3, 1}, {3, 3}, {1, 3}}}, false},
        {"touching at a corner", {square, {{4, 4}, {8, 4}, {8, 8}, {4, 8}}}, false},
        {"sharing part of an edge", {square, {{4, 1}, {8, 1}, {8, 3}, {4, 3}}}, true},
        {"doubling back on itself", {{{0, 0}, {4, 0}, {2, 0}, {2, 3}}}, true},
        {"nothing", {}, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RingsCross(row.rings), row.cross) << row.name;
        std::vector<Contour> contours;
        for (const PointRing& ring : row.rings) contours.push_back(ContourOf(ring));
        EXPECT_EQ(ContoursCross(contours), row.cross) << row.name;
    }
}

TEST(Crossings, ArcsAreCheckedAsArcs) {
    // The circle of radius 1 about (1, 0) as two half circles.
    const Contour circle = {{{0, 0}, 1}, {{2, 0}, 1}};
    const auto square = [](double x0, double y0, double side) {
        return ContourOf({{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}});
    };
    struct Row {
        const char* name;
        std::vector<Contour> contours;
        bool cross;
    };
    const Row rows[] = {
        {"circle alone", {circle}, false},
        {"circle inside a square", {circle, square(-1, -2, 4)}, false},
        {"square through the circle", {circle, square(1.5, -0.2, 2)}, true},
        {"square touching the circle's side", {circle, square(2, -0.5, 1)}, false},
        {"two circles that overlap", {circle, {{{1, 0}, 1}, {{3, 0}, 1}}}, true},
        {"two circles side by side", {circle, {{{2, 0}, -1}, {{4, 0}, -1}}}, false},
        {"the same circle twice", {circle, {{{0, 0}, -1}, {{2, 0}, -1}}}, true},
        // A rounded corner: the arc meets both straight edges at its ends.
        {"rounded square",
         {{{{0, 0}, 0},
           {{10, 0}, 0},
           {{10, 8}, -std::tan(std::numbers::pi / 8)},
           {{8, 10}, 0},
           {{0, 10}, 0}}},
         false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ContoursCross(row.contours), row.cross) << row.name;
        // Finely flattened, the straight check agrees.
        std::vector<PointRing> rings;
        for (const Contour& c : row.contours) rings.push_back(Flattened(c, 1e-5));
        EXPECT_EQ(RingsCross(rings), row.cross) << row.name;
    }
}

}  // namespace
}  // namespace polygrav
