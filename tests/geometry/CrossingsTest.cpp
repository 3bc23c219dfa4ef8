// The check that cut outlines and offsets never cross.

#include "geometry/Crossings.h"

#include <gtest/gtest.h>

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
    }
}

}  // namespace
}  // namespace polygrav
