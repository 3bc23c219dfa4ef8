// Areas, lengths and boxes of contours with arc edges.

#include "geometry/ContourMeasures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace polygrav {
namespace {

constexpr double kPi = std::numbers::pi;

// A circle of radius 1 about (1, 0) as two half circles, counter-clockwise
// on the page.
const Contour kCircle = {{{0, 0}, 1}, {{2, 0}, 1}};

// The square 10 × 10, clockwise on the page, with its corner at (10, 10)
// rounded by a quarter circle of radius 2.
const Contour kRoundedSquare = {
    {{0, 0}, 0}, {{10, 0}, 0}, {{10, 8}, -std::tan(kPi / 8)}, {{8, 10}, 0}, {{0, 10}, 0}};

TEST(ContourMeasures, AreaCountsArcSegmentsWithTheirSide) {
    EXPECT_NEAR(SignedArea(kCircle), -kPi, 1e-12);
    EXPECT_NEAR(SignedArea(kRoundedSquare), 100 - (4 - kPi), 1e-12);
    EXPECT_NEAR(SignedArea(Reversed(kRoundedSquare)), -(100 - (4 - kPi)), 1e-12);
    // A concave quarter circle takes its segment away instead.
    Contour notched = kRoundedSquare;
    notched[2].bulge = -notched[2].bulge;
    EXPECT_NEAR(SignedArea(notched), 100 - 2 - (kPi - 2), 1e-12);
}

TEST(ContourMeasures, LengthTakesArcsByTheirLength) {
    EXPECT_NEAR(ContourLength(kCircle), 2 * kPi, 1e-12);
    EXPECT_NEAR(ContourLength(kRoundedSquare), 10 + 8 + kPi + 8 + 10, 1e-12);
    EXPECT_NEAR(ContourLength(Reversed(kRoundedSquare)), ContourLength(kRoundedSquare), 1e-12);
}

TEST(ContourMeasures, BoundsReachTheArcsExtremePoints) {
    const Bounds circle = BoundsOf({kCircle});
    EXPECT_NEAR(circle.minX, 0, 1e-12);
    EXPECT_NEAR(circle.maxX, 2, 1e-12);
    EXPECT_NEAR(circle.minY, -1, 1e-12);
    EXPECT_NEAR(circle.maxY, 1, 1e-12);
    // A shallow arc whose highest point lies between its ends.
    const Contour lens = {{{0, 0}, 0.2}, {{4, 0}, 0.2}};
    const Bounds box = BoundsOf({lens});
    const double sagitta = 2 * 0.2;  // chord / 2 · bulge
    EXPECT_NEAR(box.height(), 2 * sagitta, 1e-12);
    EXPECT_NEAR(box.width(), 4, 1e-12);
    EXPECT_TRUE(BoundsOf({}).empty());
}

TEST(ContourMeasures, ReversedRunsTheOtherWayOnTheSameCircles) {
    const Contour back = Reversed(kRoundedSquare);
    ASSERT_EQ(back.size(), kRoundedSquare.size());
    // The arc from (10, 8) to (8, 10) becomes the arc from (8, 10) to (10, 8).
    EXPECT_EQ(back[1].at, (TStarPoint{8, 10}));
    EXPECT_EQ(back[1].bulge, -kRoundedSquare[2].bulge);
    EXPECT_EQ(Reversed(back), kRoundedSquare);
}

TEST(ContourMeasures, FlattenedChordsStayWithinTheTolerance) {
    for (const double tolerance : {0.1, 0.001}) {
        const PointRing ring = Flattened(kCircle, tolerance);
        ASSERT_GT(ring.size(), 4u);
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const TStarPoint& a = ring[i];
            const TStarPoint& b = ring[(i + 1) % ring.size()];
            EXPECT_NEAR(std::hypot(a.X - 1, a.Y), 1, 1e-12);
            const double mid = std::hypot((a.X + b.X) / 2 - 1, (a.Y + b.Y) / 2);
            EXPECT_GE(mid, 1 - tolerance);
        }
    }
    EXPECT_EQ(Flattened(ContourOf({{0, 0}, {1, 0}, {0, 1}}), 0.01).size(), 3u);
}

}  // namespace
}  // namespace polygrav
