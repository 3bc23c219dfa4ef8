// The readouts of a part.

#include "geometry/PartMetrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/geometry/ContourProbe.h"

namespace polygrav {
namespace {

constexpr double kPi = std::numbers::pi;

PartMetrics Measure(const PartParameters& p) {
    return MeasurePart(p, BuildPartContours(p));
}

TEST(PartMetrics, PentagramOutline) {
    PartParameters p;
    p.part.CutOutline = true;
    const PartMetrics m = Measure(p);
    EXPECT_EQ(m.circumradius, 50);
    EXPECT_NEAR(m.acrossFlats, 80.9017, 5e-5);
    EXPECT_NEAR(m.side, 58.7785, 5e-5);
    ASSERT_TRUE(m.innerRadius);
    EXPECT_NEAR(*m.innerRadius, 19.0983, 5e-5);
    EXPECT_NEAR(m.width, 95.1057, 5e-5);
    EXPECT_NEAR(m.height, 90.4508, 5e-5);
    EXPECT_NEAR(m.perimeter, 363.2713, 5e-4);
    EXPECT_NEAR(m.area, 2806.42, 0.005);
    EXPECT_EQ(m.contours, 1);
}

TEST(PartMetrics, AreaFollowsTheFillRule) {
    PartParameters p;
    p.starType = kStarPolygon;
    const PartMetrics nonZero = Measure(p);
    EXPECT_NEAR(nonZero.area, 2806.42, 0.005);
    EXPECT_NEAR(nonZero.perimeter, 5 * 2 * 50 * std::sin(2 * kPi / 5), 1e-9);  // as traced
    p.evenOdd = true;
    const double inner = 19.0983;
    const double pentagon = 2.5 * inner * inner * std::sin(2 * kPi / 5);
    EXPECT_NEAR(Measure(p).area, 2806.42 - pentagon, 0.01);
    p.part.CutOutline = true;
    EXPECT_NEAR(Measure(p).area, 2806.42 - pentagon, 0.01);
    EXPECT_EQ(Measure(p).contours, 5);
}

TEST(PartMetrics, FilletsTakeTheirCornersAway) {
    // A fillet of radius r at a turn φ removes r²·(tan(φ/2) − φ/2) of area
    // and shortens the outline by 2r·(tan(φ/2) − φ/2).
    PartParameters p;
    p.part.CornerRadius = 2;
    const double turn = 0.8 * kPi;
    const double cut = 4 * (std::tan(turn / 2) - turn / 2);
    const PartMetrics m = Measure(p);
    EXPECT_NEAR(m.area, 2806.4230 - 5 * cut, 0.005);
    EXPECT_NEAR(m.perimeter, 363.2713 - 5 * cut, 5e-4);
    // The fillet's centre lies 2 / sin 18° inside each tip; the top arc
    // starts the box, the two lower tips' arcs end it.
    const double inside = 2 / std::sin(kPi / 10);
    const double top = inside - 2;
    const double bottom = 50 + (50 - inside) * std::cos(kPi / 5) + 2;
    EXPECT_NEAR(m.height, bottom - top, 1e-9);
}

TEST(PartMetrics, RegularPolygonsBySize) {
    PartParameters hexagon;
    hexagon.n = 6;
    hexagon.starType = kRegularPolygon;
    hexagon.size = 13;
    hexagon.part.SizeBy = static_cast<int>(SizeBy::AcrossFlats);
    const PartMetrics h = Measure(hexagon);
    EXPECT_NEAR(h.circumradius, 7.5056, 5e-5);
    EXPECT_NEAR(h.acrossFlats, 13, 1e-12);
    EXPECT_FALSE(h.innerRadius);
    EXPECT_NEAR(h.width, 13, 0.001);  // between the opposite upright edges

    PartParameters octagon;
    octagon.n = 8;
    octagon.starType = kRegularPolygon;
    octagon.size = 20;
    octagon.part.SizeBy = static_cast<int>(SizeBy::Side);
    const PartContours part = BuildPartContours(octagon);
    const PartMetrics o = MeasurePart(octagon, part);
    EXPECT_NEAR(o.circumradius, 26.1313, 5e-5);
    EXPECT_NEAR(o.side, 20, 1e-12);
    for (const probe::Edge& e : probe::EdgesOf(part.contours.at(0))) {
        EXPECT_NEAR(probe::Distance(e.a, e.b), 20, 1e-4);
    }
    EXPECT_NEAR(o.perimeter, 160, 1e-9);
}

TEST(PartMetrics, RoundOffsetAddsItsBand) {
    PartParameters p;
    p.n = 6;
    p.starType = kRegularPolygon;
    p.size = 20;
    p.part.SizeBy = static_cast<int>(SizeBy::AcrossFlats);
    const PartMetrics sharp = Measure(p);
    p.part.Offset = 0.1;
    const PartMetrics m = Measure(p);
    EXPECT_NEAR(m.perimeter, sharp.perimeter + 2 * kPi * 0.1, 1e-9);
    EXPECT_NEAR(m.area, sharp.area + sharp.perimeter * 0.1 + kPi * 0.01, 1e-6);
    EXPECT_NEAR(m.height, sharp.height + 0.2, 1e-9);
    EXPECT_NEAR(m.width, 20.2, 1e-9);
}

TEST(PartMetrics, InnerRadiusOfTheStars) {
    PartParameters p;
    p.n = 7;
    p.part.StarStep = 3;
    EXPECT_NEAR(*Measure(p).innerRadius / 50, 0.35690, 5e-6);
    p.starType = kStarPolygon;
    EXPECT_NEAR(*Measure(p).innerRadius / 50, 0.35690, 5e-6);
    p.starType = kStarOutline;
    p.part.InnerRatio = 0.6;
    EXPECT_NEAR(*Measure(p).innerRadius, 30, 1e-12);
}

}  // namespace
}  // namespace polygrav
