// The circle of a bulged edge, shared by every writer that draws arcs.

#include "geometry/Arc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace polygrav {
namespace {

// The point of the arc at the fraction t of its sweep.
TStarPoint PointAt(const ArcGeometry& arc, double t) {
    const double angle = arc.startAngle + t * arc.sweep;
    return {arc.center.X + arc.radius * std::cos(angle),
            arc.center.Y + arc.radius * std::sin(angle)};
}

TEST(Arc, PositiveBulgeTurnsCounterClockwiseOnThePage) {
    // A half circle from (0, 0) to (2, 0): counter-clockwise as seen on the
    // page (Y down) passes below the chord, at y = +1.
    const ArcGeometry arc = ArcOfBulge({0, 0}, {2, 0}, 1);
    EXPECT_NEAR(arc.center.X, 1, 1e-12);
    EXPECT_NEAR(arc.center.Y, 0, 1e-12);
    EXPECT_NEAR(arc.radius, 1, 1e-12);
    const TStarPoint middle = PointAt(arc, 0.5);
    EXPECT_NEAR(middle.X, 1, 1e-12);
    EXPECT_NEAR(middle.Y, 1, 1e-12);
    const TStarPoint end = PointAt(arc, 1);
    EXPECT_NEAR(end.X, 2, 1e-12);
    EXPECT_NEAR(end.Y, 0, 1e-12);
}

TEST(Arc, NegativeBulgeAndMajorArcs) {
    const ArcGeometry minor = ArcOfBulge({0, 0}, {2, 0}, -0.25);
    EXPECT_LT(PointAt(minor, 0.5).Y, 0);  // clockwise: above the chord
    EXPECT_NEAR(std::fabs(minor.sweep), 4 * std::atan(0.25), 1e-12);
    const ArcGeometry major = ArcOfBulge({0, 0}, {2, 0}, 3);
    EXPECT_GT(std::fabs(major.sweep), std::numbers::pi);
    const TStarPoint end = PointAt(major, 1);
    EXPECT_NEAR(end.X, 2, 1e-12);
    EXPECT_NEAR(end.Y, 0, 1e-12);
}

TEST(Arc, BulgeFromTangentInvertsTheArc) {
    for (const double bulge : {0.1, 0.5, 1.0, -0.3, 2.0}) {
        const TStarPoint a{3, 4};
        const TStarPoint b{7, 1};
        const ArcGeometry arc = ArcOfBulge(a, b, bulge);
        // The tangent at a is perpendicular to the radius, in the sweep's sense.
        const double angle = arc.startAngle;
        const double s = arc.sweep > 0 ? 1 : -1;
        const double tx = -std::sin(angle) * s;
        const double ty = std::cos(angle) * s;
        EXPECT_NEAR(BulgeFromTangent(a, b, tx, ty), bulge, 1e-12) << bulge;
    }
    EXPECT_EQ(BulgeFromTangent({0, 0}, {1, 0}, 1, 0), 0);
}

}  // namespace
}  // namespace polygrav
