// Offsets for kerf: exact where the outline allows it, valid always.

#include "geometry/Offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "geometry/Fillet.h"
#include "geometry/PartGeometry.h"
#include "geometry/PolylineOffset.h"
#include "model/Errors.h"
#include "tests/geometry/ContourProbe.h"

namespace polygrav {
namespace {

using probe::Distance;

PartParameters Hexagon(double acrossFlats, double offset, OffsetJoin join) {
    PartParameters p;
    p.n = 6;
    p.size = acrossFlats;
    p.part.SizeBy = static_cast<int>(SizeBy::AcrossFlats);
    p.starType = kRegularPolygon;
    p.part.Offset = offset;
    p.part.OffsetJoin = static_cast<int>(join);
    return p;
}

TEST(Offset, MitredHexagonKeepsItsCornersOnTheOffsetEdges) {
    const PartContours part = BuildPartContours(Hexagon(20, 0.1, OffsetJoin::Mitre));
    ASSERT_EQ(part.contours.size(), 1u);
    const Contour& c = part.contours[0];
    ASSERT_EQ(c.size(), 6u);
    for (const ContourVertex& v : c) EXPECT_EQ(v.bulge, 0);
    // Each edge lies 20.2 from the opposite one.
    for (std::size_t i = 0; i < 3; ++i) {
        const TStarPoint& a = c[i].at;
        const TStarPoint& b = c[i + 1].at;
        EXPECT_NEAR(probe::DistanceToLine(c[i + 3].at, a, b), 20.2, 0.001) << i;
        EXPECT_NEAR(probe::DistanceToLine(c[(i + 4) % 6].at, a, b), 20.2, 0.001) << i;
    }
    EXPECT_NEAR(part.bounds.width(), 20.2, 0.001);
}

TEST(Offset, RoundJoinsAreArcsOfTheOffsetAboutTheCorners) {
    const PartContours part = BuildPartContours(Hexagon(20, 0.1, OffsetJoin::Round));
    const double R = part.circumradius;
    ASSERT_EQ(part.contours.size(), 1u);
    const Contour& c = part.contours[0];
    ASSERT_EQ(c.size(), 12u);
    const auto tips = BuildPartContours(Hexagon(20, 0, OffsetJoin::Round)).contours[0];
    int arcs = 0;
    for (const probe::Edge& e : probe::EdgesOf(c)) {
        if (e.bulge == 0) continue;
        ++arcs;
        const ArcGeometry arc = ArcOfBulge(e.a, e.b, e.bulge);
        EXPECT_NEAR(arc.radius, 0.1, 1e-9);
        EXPECT_NEAR(Distance(arc.center, {R, R}), R, 1e-9);  // about a corner
    }
    EXPECT_EQ(arcs, 6);
    EXPECT_NEAR(part.bounds.width(), 20.2, 0.001);
    EXPECT_NEAR(part.bounds.height(), 2 * R + 0.2, 1e-9);
    EXPECT_EQ(tips.size(), 6u);
}

TEST(Offset, ArcsStayArcsWithTheRadiusMoved) {
    for (const double offset : {0.5, -0.5, -1.9}) {
        SCOPED_TRACE(offset);
        PartParameters p;
        p.part.CornerRadius = 2;
        p.part.Offset = offset;
        const PartContours part = BuildPartContours(p);
        ASSERT_EQ(part.contours.size(), 1u);
        int arcs = 0;
        for (const probe::Edge& e : probe::EdgesOf(part.contours[0])) {
            if (e.bulge == 0) continue;
            const double radius = ArcOfBulge(e.a, e.b, e.bulge).radius;
            // Tip arcs grow or shrink with the offset; an outward offset
            // rounds the sharp valleys with arcs of the offset itself.
            if (std::fabs(radius - (2 + offset)) < 1e-9) {
                ++arcs;
            } else {
                EXPECT_NEAR(radius, std::fabs(offset), 1e-9);
            }
        }
        EXPECT_EQ(arcs, 5);
    }
}

// The contours before their offset, as the offset receives them.
std::vector<Contour> BeforeOffset(PartParameters p) {
    p.part.Offset = 0;
    p.part.CutOutline = true;
    std::vector<Contour> contours;
    for (const Contour& c : BuildPartContours(p).contours) contours.push_back(Reversed(c));
    return contours;
}

TEST(Offset, LargeOffsetsStillGiveValidContours) {
    struct Row {
        std::string name;
        PartParameters p;
    };
    std::vector<Row> rows;
    for (const OffsetJoin join : {OffsetJoin::Round, OffsetJoin::Mitre}) {
        const std::string j = join == OffsetJoin::Round ? " round" : " mitre";
        PartParameters p;
        p.part.OffsetJoin = static_cast<int>(join);
        p.part.ValleyRadius = 1;
        p.part.Offset = -1.5;
        rows.push_back({"inward beyond the valley fillet" + j, p});
        p.part.Offset = 1.5;
        rows.push_back({"outward beyond the valley fillet" + j, p});
        p.part.ValleyRadius = 0;
        p.part.CornerRadius = 1;
        p.part.Offset = -1.5;
        rows.push_back({"inward beyond the tip fillet" + j, p});
        p.part.CornerRadius = 0.2;
        p.part.ValleyRadius = 0.2;
        p.part.Offset = -12;
        rows.push_back({"deep inward" + j, p});
        PartParameters tips;
        tips.part.OffsetJoin = static_cast<int>(join);
        tips.starType = kStarPolygon;
        tips.evenOdd = true;
        tips.part.Offset = 0.5;
        rows.push_back({"tips that merge" + j, tips});
        tips.part.Offset = -0.5;
        rows.push_back({"tips that shrink apart" + j, tips});
        PartParameters many;
        many.part.OffsetJoin = static_cast<int>(join);
        many.n = 100;
        many.part.StarStep = 49;
        many.size = 100;
        many.part.CornerRadius = 0.2;
        many.part.ValleyRadius = 0.2;
        many.part.Offset = 0.1;
        rows.push_back({"hundred sharp tips" + j, many});
        many.part.Offset = -0.3;
        rows.push_back({"hundred sharp tips inward" + j, many});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PartContours part = BuildPartContours(row.p);
        ASSERT_FALSE(part.contours.empty());
        for (const Contour& c : part.contours) {
            EXPECT_GE(c.size(), 3u);
            for (const ContourVertex& v : c) {
                EXPECT_TRUE(std::isfinite(v.at.X) && std::isfinite(v.at.Y));
            }
        }
        EXPECT_FALSE(probe::Crosses(part.contours));
        // The same region as Clipper's offset of fine polylines.
        const auto polyline =
            PolylineOffset(BeforeOffset(row.p), row.p.part.Offset, row.p.offsetJoin());
        double polylineArea = 0;
        for (const PointRing& ring : polyline) polylineArea += SignedArea(ContourOf(ring));
        double length = 0;
        for (const Contour& c : part.contours) length += ContourLength(c);
        EXPECT_NEAR(-probe::TotalArea(part.contours), polylineArea, 0.001 * length);
        EXPECT_EQ(part.contours.size(), polyline.size());
    }
}

TEST(Offset, PolylineOffsetKeepsCloseToTheExactRegion) {
    const double pi = std::numbers::pi;
    // Squares run with the region on their left in their own axes.
    const auto square = [](double x0, double side) {
        return ContourOf({{x0, x0}, {x0 + side, x0}, {x0 + side, x0 + side}, {x0, x0 + side}});
    };
    const Contour hole = Reversed(square(4, 2));
    // A square of side 10 with its corners rounded by radius 0.01.
    const Contour rounded = FilletCorners({Flattened(square(0, 10), 1)}, 0.01, 0).at(0);
    struct Row {
        const char* name;
        std::vector<Contour> contours;
        double distance;
        OffsetJoin join;
        std::size_t rings;
        double area;
    };
    const Row rows[] = {
        {"grown round", {square(0, 10)}, 1, OffsetJoin::Round, 1, 100 + 40 + pi},
        {"grown mitred", {square(0, 10)}, 1, OffsetJoin::Mitre, 1, 144},
        {"shrunk", {square(0, 10)}, -1, OffsetJoin::Round, 1, 64},
        {"shrunk away", {square(0, 2)}, -1.5, OffsetJoin::Mitre, 0, 0},
        {"hole that closes",
         {square(0, 10), hole},
         1.5,
         OffsetJoin::Round,
         1,
         169 - (4 - pi) * 2.25},
        {"hole that opens", {square(0, 10), hole}, -1, OffsetJoin::Mitre, 2, 64 - 16},
        {"hole that opens round",
         {square(0, 10), hole},
         -1,
         OffsetJoin::Round,
         2,
         64 - (16 - 4 + pi)},
        // Small arcs offset far: the chords follow the offset arcs.
        {"small arcs grown far",
         {rounded},
         5,
         OffsetJoin::Mitre,
         1,
         100 - (4 - pi) * 1e-4 + 4 * 9.98 * 5 + pi * 5.01 * 5.01 - pi * 0.01 * 0.01},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto rings = PolylineOffset(row.contours, row.distance, row.join);
        EXPECT_EQ(rings.size(), row.rings);
        double area = 0;
        for (const PointRing& ring : rings) area += SignedArea(ContourOf(ring));
        EXPECT_NEAR(area, row.area, 0.01);
    }
}

TEST(Offset, MergingTipsBecomeOneStarAroundAHole) {
    PartParameters p;
    p.starType = kStarPolygon;
    p.evenOdd = true;
    p.part.Offset = 0.5;
    const PartContours part = BuildPartContours(p);
    ASSERT_EQ(part.contours.size(), 2u);
    EXPECT_LT(SignedArea(part.contours[0]) * SignedArea(part.contours[1]), 0);
}

TEST(Offset, OffsetThatLeavesNothingIsRefused) {
    struct Row {
        const char* name;
        PartParameters p;
    };
    PartParameters star;
    star.part.Offset = -19.2;  // the largest circle inside the star has radius 19.0983
    const Row rows[] = {
        {"star", star},
        {"hexagon", Hexagon(20, -10.5, OffsetJoin::Mitre)},
        {"hexagon round", Hexagon(20, -10.5, OffsetJoin::Round)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            BuildPartContours(row.p);
            ADD_FAILURE() << "built";
        } catch (const EPartError& e) {
            EXPECT_EQ(e.what(), OffsetLeavesNothingMessage(row.p.part.Offset));
        }
    }
    EXPECT_NO_THROW(BuildPartContours(Hexagon(20, -9.9, OffsetJoin::Mitre)));
    star.part.Offset = -19;
    EXPECT_NO_THROW(BuildPartContours(star));
}

}  // namespace
}  // namespace polygrav
