// The boundary of the region that the traced figures fill.

#include "geometry/CutOutline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/ContourMeasures.h"
#include "geometry/Crossings.h"
#include "geometry/StarPolygon.h"

namespace polygrav {
namespace {

std::vector<PointRing> StarPolygonFigures(int n, int k, double R) {
    PartParameters p;
    p.n = n;
    p.starType = kStarPolygon;
    p.part.StarStep = k;
    return TracedFigures(p, R);
}

double AreaOf(const std::vector<PointRing>& rings) {
    double area = 0;
    for (const PointRing& ring : rings) area += SignedArea(ContourOf(ring));
    return area;
}

// Corners alternate between the tips on the circle and the crossings.
void ExpectAlternatingRadii(const PointRing& ring, double R, double inner) {
    const double first = std::hypot(ring[0].X - R, ring[0].Y - R);
    const std::size_t tipParity = std::fabs(first - R) < 1e-4 ? 0 : 1;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const double r = std::hypot(ring[i].X - R, ring[i].Y - R);
        EXPECT_NEAR(r, i % 2 == tipParity ? R : inner, 1e-4) << i;
    }
}

TEST(CutOutline, PentagramIsOneStarOfTenCorners) {
    const auto rings = CutOutline(StarPolygonFigures(5, 2, 50), false);
    ASSERT_EQ(rings.size(), 1u);
    ASSERT_EQ(rings[0].size(), 10u);
    ExpectAlternatingRadii(rings[0], 50, 19.0983);
    EXPECT_NEAR(AreaOf(rings), 2806.42, 0.005);
    EXPECT_FALSE(RingsCross(rings));
    // The tips are the figure's own corners, not Clipper's rounded ones.
    const auto tips = TipPoints(5, 50, 0);
    for (const TStarPoint& corner : rings[0]) {
        if (std::hypot(corner.X - 50, corner.Y - 50) < 49) continue;
        bool isTip = false;
        for (const TStarPoint& tip : tips) isTip = isTip || corner == tip;
        EXPECT_TRUE(isTip) << corner.X << " " << corner.Y;
    }
}

TEST(CutOutline, CrossingsAreExact) {
    // The crossing of two edges, computed without Clipper.
    const auto tips = TipPoints(7, 40, 0);
    TStarPoint crossing;
    CrossPoint(tips[0], tips[3], tips[1], tips[5], crossing);
    const auto rings = CutOutline(StarPolygonFigures(7, 3, 40), false);
    ASSERT_EQ(rings.size(), 1u);
    double nearest = 1;
    for (const TStarPoint& p : rings[0]) {
        nearest = std::fmin(nearest, std::hypot(p.X - crossing.X, p.Y - crossing.Y));
    }
    EXPECT_LT(nearest, 1e-12);
    ExpectAlternatingRadii(rings[0], 40, CrossingRadius(7, 3, 40));
}

TEST(CutOutline, HexagramUnitesItsTwoTriangles) {
    const auto figures = StarPolygonFigures(6, 2, 50);
    ASSERT_EQ(figures.size(), 2u);
    const auto rings = CutOutline(figures, false);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].size(), 12u);
    ExpectAlternatingRadii(rings[0], 50, 50 * CrossingRadius(6, 2, 1));
}

TEST(CutOutline, EvenOddLeavesOutWhatIsCoveredTwice) {
    // The pentagram's centre is covered twice: by the even-odd rule only the
    // five tips remain, separate rings that touch at the inner corners.
    const auto rings = CutOutline(StarPolygonFigures(5, 2, 50), true);
    ASSERT_EQ(rings.size(), 5u);
    const double inner = 50 * CrossingRadius(5, 2, 1);
    const double pentagon = 2.5 * inner * inner * std::sin(2 * std::numbers::pi / 5);
    for (const PointRing& ring : rings) {
        EXPECT_EQ(ring.size(), 3u);
        EXPECT_GT(SignedArea(ContourOf(ring)), 0);
    }
    EXPECT_NEAR(AreaOf(rings), 2806.42 - pentagon, 0.005);
    EXPECT_FALSE(RingsCross(rings));
}

TEST(CutOutline, HolesRunAgainstTheirOuterBoundary) {
    const PointRing outer = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const PointRing inner = {{3, 3}, {7, 3}, {7, 7}, {3, 7}};
    const auto nonZero = CutOutline({outer, inner}, false);
    ASSERT_EQ(nonZero.size(), 1u);
    EXPECT_NEAR(AreaOf(nonZero), 100, 1e-9);

    const auto evenOdd = CutOutline({outer, inner}, true);
    ASSERT_EQ(evenOdd.size(), 2u);
    EXPECT_NEAR(AreaOf(evenOdd), 84, 1e-9);
    const double a = SignedArea(ContourOf(evenOdd[0]));
    const double b = SignedArea(ContourOf(evenOdd[1]));
    EXPECT_LT(a * b, 0);
}

TEST(CutOutline, FiguresWithoutAreaLeaveNothing) {
    // Four points as a star polygon: two diagonals through the centre.
    EXPECT_TRUE(CutOutline(StarPolygonFigures(4, 2, 50), false).empty());
    EXPECT_TRUE(CutOutline({}, false).empty());
}

}  // namespace
}  // namespace polygrav
