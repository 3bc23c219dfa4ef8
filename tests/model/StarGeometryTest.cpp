#include "model/StarGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>
#include <vector>

#include "model/Errors.h"
#include "tests/support/ExpectThrow.h"

namespace polygrav {
namespace {

// Four decimals, as the SVG file writes them.
constexpr double kFourDecimals = 0.00005;

void ExpectPointsNear(const std::vector<TStarPoint>& actual,
                      const std::vector<TStarPoint>& expected, double tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        EXPECT_NEAR(actual[i].X, expected[i].X, tolerance);
        EXPECT_NEAR(actual[i].Y, expected[i].Y, tolerance);
    }
}

TEST(StarGeometryTest, FivePointStarOfRadius50) {
    std::vector<TStarPoint> outer, inner;
    CalcStarPoints(5, 50, outer, inner);
    ExpectPointsNear(
        outer,
        {{50, 0}, {2.4472, 34.5492}, {20.6107, 90.4508}, {79.3893, 90.4508}, {97.5528, 34.5492}},
        kFourDecimals);
    ExpectPointsNear(inner,
                     {{38.7743, 34.5492},
                      {31.8364, 55.9017},
                      {50, 69.0983},
                      {68.1636, 55.9017},
                      {61.2257, 34.5492}},
                     kFourDecimals);
}

TEST(StarGeometryTest, TopVertexIsExactlyTopCentre) {
    std::vector<TStarPoint> outer, inner;
    CalcStarPoints(7, 12.5, outer, inner);
    EXPECT_EQ(outer[0], (TStarPoint{12.5, 0}));
}

TEST(StarGeometryTest, HundredPointsLieOnTheirCircles) {
    const int n = 100;
    const double R = 100;
    std::vector<TStarPoint> outer, inner;
    CalcStarPoints(n, R, outer, inner);
    ASSERT_EQ(outer.size(), 100u);
    ASSERT_EQ(inner.size(), 100u);
    const double pi = std::numbers::pi;
    const double innerDistance = R * std::cos(2 * pi / n) / std::cos(pi / n);
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        // Vertex d sits at angle 2*pi*d/n counter-clockwise from the top.
        EXPECT_NEAR(outer[i].X, R - R * std::sin(2 * pi * i / n), 1e-9);
        EXPECT_NEAR(outer[i].Y, R - R * std::cos(2 * pi * i / n), 1e-9);
        // Inner point i lies on the bisector of tips i and i + 1.
        const double angle = 2 * pi * (i + 0.5) / n;
        EXPECT_NEAR(inner[i].X, R - innerDistance * std::sin(angle), 1e-9);
        EXPECT_NEAR(inner[i].Y, R - innerDistance * std::cos(angle), 1e-9);
    }
}

TEST(StarGeometryTest, FourPointsHaveEveryInnerPointAtTheCentre) {
    std::vector<TStarPoint> outer, inner;
    CalcStarPoints(4, 50, outer, inner);
    ExpectPointsNear(inner, {{50, 50}, {50, 50}, {50, 50}, {50, 50}}, 1e-9);
}

TEST(StarGeometryTest, ThreePointsHaveInnerPointsOnThePreviousVertex) {
    std::vector<TStarPoint> outer, inner;
    CalcStarPoints(3, 50, outer, inner);
    ExpectPointsNear(inner, {outer[2], outer[0], outer[1]}, 1e-9);
}

TEST(StarGeometryTest, ResultReplacesWhatTheVectorsHeld) {
    std::vector<TStarPoint> outer(9, TStarPoint{7, 7});
    std::vector<TStarPoint> inner(2, TStarPoint{7, 7});
    CalcStarPoints(5, 0, outer, inner);
    // With R = 0 every chord is a point, so no inner point can be computed;
    // they stay at the (degenerate) centre rather than at stale values.
    ExpectPointsNear(outer, std::vector<TStarPoint>(5, TStarPoint{0, 0}), 0);
    ExpectPointsNear(inner, std::vector<TStarPoint>(5, TStarPoint{0, 0}), 0);
}

TEST(StarGeometryTest, FewerThanThreePointsAreRefusedWithoutTouchingTheVectors) {
    for (int n : {2, 1, 0, -1, INT_MIN}) {
        SCOPED_TRACE("n = " + std::to_string(n));
        std::vector<TStarPoint> outer{{1, 2}};
        std::vector<TStarPoint> inner{{3, 4}, {5, 6}};
        EXPECT_THROW_MSG(CalcStarPoints(n, 50, outer, inner), EConvertError,
                         "'" + std::to_string(n) + "' は3以上の整数ではありません");
        EXPECT_EQ(outer, (std::vector<TStarPoint>{{1, 2}}));
        EXPECT_EQ(inner, (std::vector<TStarPoint>{{3, 4}, {5, 6}}));
    }
}

TEST(CrossPointTest, IntersectionOfTwoLines) {
    TStarPoint p{-1, -1};
    CrossPoint({0, 0}, {2, 2}, {0, 2}, {2, 0}, p);
    EXPECT_EQ(p, (TStarPoint{1, 1}));
    // The crossing may lie outside both segments.
    CrossPoint({0, 0}, {1, 0}, {5, 1}, {5, 2}, p);
    EXPECT_EQ(p, (TStarPoint{5, 0}));
}

TEST(CrossPointTest, ParallelOrCoincidentLinesLeaveThePointAlone) {
    TStarPoint p{-1, -1};
    CrossPoint({0, 0}, {1, 1}, {0, 1}, {1, 2}, p);
    EXPECT_EQ(p, (TStarPoint{-1, -1}));
    CrossPoint({0, 0}, {1, 1}, {2, 2}, {3, 3}, p);
    EXPECT_EQ(p, (TStarPoint{-1, -1}));
}

}  // namespace
}  // namespace polygrav
