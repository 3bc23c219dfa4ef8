// Fillets: true arcs tangent to both edges of a corner.

#include "geometry/Fillet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/CutOutline.h"
#include "geometry/StarPolygon.h"
#include "model/Errors.h"
#include "tests/geometry/ContourProbe.h"
#include "tests/support/ExpectThrow.h"

namespace polygrav {
namespace {

using probe::Distance;
using probe::DistanceToLine;

// The pentagram's outline, R = 50, as CutOutline gives it.
PointRing PentagramRing() {
    PartParameters p;
    return CutOutline(TracedFigures(p, 50), false).at(0);
}

// The index of the ring's corner nearest to p.
std::size_t NearestCorner(const PointRing& ring, const TStarPoint& p) {
    std::size_t best = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        if (Distance(ring[i], p) < Distance(ring[best], p)) best = i;
    }
    return best;
}

TEST(Fillet, TipArcsHaveTheRadiusAndTouchBothEdges) {
    const PointRing ring = PentagramRing();
    const auto contours = FilletCorners({ring}, 2, 0);
    ASSERT_EQ(contours.size(), 1u);
    const Contour& c = contours[0];
    int arcs = 0;
    for (const probe::Edge& e : probe::EdgesOf(c)) {
        if (e.bulge == 0) continue;
        ++arcs;
        const ArcGeometry arc = ArcOfBulge(e.a, e.b, e.bulge);
        EXPECT_NEAR(arc.radius, 2, 0.001);
        // Both ends lie 6.155 from the tip, one on each of its edges, and the
        // centre is the radius away from both edges' lines: tangent to each.
        const TStarPoint middle{(e.a.X + e.b.X) / 2, (e.a.Y + e.b.Y) / 2};
        const std::size_t i = NearestCorner(ring, middle);
        const TStarPoint& tip = ring[i];
        const TStarPoint& before = ring[(i + ring.size() - 1) % ring.size()];
        const TStarPoint& after = ring[(i + 1) % ring.size()];
        EXPECT_NEAR(Distance(tip, e.a), 6.155, 0.001);
        EXPECT_NEAR(Distance(tip, e.b), 6.155, 0.001);
        EXPECT_NEAR(DistanceToLine(e.a, before, tip), 0, 1e-9);
        EXPECT_NEAR(DistanceToLine(e.b, tip, after), 0, 1e-9);
        EXPECT_NEAR(DistanceToLine(arc.center, before, tip), 2, 1e-9);
        EXPECT_NEAR(DistanceToLine(arc.center, tip, after), 2, 1e-9);
        // The centre lies inside the star, nearer its centre than the tip.
        EXPECT_LT(Distance(arc.center, {50, 50}), Distance(tip, {50, 50}));
    }
    EXPECT_EQ(arcs, 5);
    EXPECT_EQ(c.size(), 15u);  // per tip: arc, straight edge to the valley, valley
}

TEST(Fillet, ValleyArcsAreConcave) {
    const PointRing ring = PentagramRing();
    const Contour c = FilletCorners({ring}, 2, 1).at(0);
    int convex = 0;
    int concave = 0;
    for (const probe::Edge& e : probe::EdgesOf(c)) {
        if (e.bulge == 0) continue;
        const ArcGeometry arc = ArcOfBulge(e.a, e.b, e.bulge);
        const TStarPoint middle{(e.a.X + e.b.X) / 2, (e.a.Y + e.b.Y) / 2};
        const TStarPoint corner = ring[NearestCorner(ring, middle)];
        if (Distance(corner, {50, 50}) > 40) {
            ++convex;
            EXPECT_LT(e.bulge, 0);
            continue;
        }
        ++concave;
        EXPECT_NEAR(arc.radius, 1, 0.001);
        // A valley arc bends the other way, its centre outside the star.
        EXPECT_GT(e.bulge, 0);
        EXPECT_GT(Distance(arc.center, {50, 50}), Distance(corner, {50, 50}));
    }
    EXPECT_EQ(convex, 5);
    EXPECT_EQ(concave, 5);
    EXPECT_EQ(c.size(), 20u);  // two arcs and two straight edges per tip
    EXPECT_FALSE(probe::Crosses({c}));
}

TEST(Fillet, RadiusThatDoesNotFitIsRefusedWithTheLargestThatFits) {
    const PointRing ring = PentagramRing();
    // Each edge of the pentagram's outline is 36.3271 long; a tip's fillet
    // uses tan(72°) = 3.0777 times its radius of it, a valley's tan(36°).
    struct Row {
        const char* name;
        double corner;
        double valley;
        Message message;
        double largestCorner;
        double largestValley;
    };
    const Row rows[] = {
        {"tip alone", 12, 0, CornerRadiusTooLargeMessage(12, 11.8033), 11.8033, 0},
        {"valley beside a tip fillet", 2, 42, ValleyRadiusTooLargeMessage(42, 41.5278), 2, 41.5278},
        {"tip beside a valley fillet", 11, 5, CornerRadiusTooLargeMessage(11, 10.6230), 10.6230, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_THROW_MSG(FilletCorners({ring}, row.corner, row.valley), EPartError, row.message);
        // The radius named fits; a little more does not.
        EXPECT_NO_THROW(FilletCorners({ring}, row.largestCorner, row.largestValley));
        const double more = 0.001;
        const bool tip = row.message.id == MessageId::CornerRadiusTooLarge;
        EXPECT_THROW(FilletCorners({ring}, row.largestCorner + (tip ? more : 0),
                                   row.largestValley + (tip ? 0 : more)),
                     EPartError);
    }
}

TEST(Fillet, FilletsMayUseUpTheirEdge) {
    // A square of side 10 with radius 5 at every corner is a circle.
    const PointRing square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const Contour circle = FilletCorners({square}, 5, 0).at(0);
    ASSERT_EQ(circle.size(), 4u);
    for (const ContourVertex& v : circle) EXPECT_NE(v.bulge, 0);
    EXPECT_NEAR(SignedArea(circle), std::numbers::pi * 25, 1e-9);
    EXPECT_EQ(FilletCorners({square}, 0, 3).at(0), ContourOf(square));  // no concave corner
}

}  // namespace
}  // namespace polygrav
