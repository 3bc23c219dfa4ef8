#include "geometry/Solid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>

#include "geometry/ContourMeasures.h"
#include "geometry/Hole.h"
#include "geometry/Offset.h"
#include "model/Errors.h"
#include "model/StarSettings.h"

namespace polygrav {
namespace {

struct SamplePart {
    const char* name;
    int starType;
    int n;
    int step;
    double corner;
    double valley;
    double offset;
};

// The parts of the format tests: plain, filleted, with a kerf offset, the
// hardest filleted star, and a compound of two triangles.
constexpr SamplePart kParts[] = {
    {"star5-2", kStarPolygon, 5, 2, 0, 0, 0},
    {"star7-3-filleted", kStarPolygon, 7, 3, 2, 1, 0},
    {"hexagon-kerf", kRegularPolygon, 6, 2, 0, 0, 0.15},
    {"star100-49-filleted", kStarOutline, 100, 49, 0.2, 0.2, 0},
    {"compound6-2", kStarPolygon, 6, 2, 0, 0, 0},
};

Figure FigureOf(const SamplePart& part) {
    TStarSettings s;
    s.StarType = part.starType;
    s.EdgeNumber = std::to_string(part.n);
    s.Part.StarStep = part.step;
    s.Part.CornerRadius = part.corner;
    s.Part.ValleyRadius = part.valley;
    s.Part.Offset = part.offset;
    s.Part.CutOutline = true;
    return BuildFigure(s, '.');
}

double RegionArea(const std::vector<Contour>& contours) {
    double sum = 0;
    for (const Contour& c : contours) sum += SignedArea(c);
    return std::fabs(sum);
}

// Every directed edge once and its reverse once: closed, two triangles an
// edge, consistently turned. Then no triangle without area in the single
// precision that STL and 3MF store.
void ExpectClosedManifold(const Mesh& mesh) {
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    for (const auto& t : mesh.triangles) {
        for (int i = 0; i < 3; ++i) ++edges[{t[i], t[(i + 1) % 3]}];
        const auto f = [&](std::uint32_t v) {
            const MeshPoint& p = mesh.vertices[v];
            return std::array<float, 3>{static_cast<float>(p.x), static_cast<float>(p.y),
                                        static_cast<float>(p.z)};
        };
        const auto a = f(t[0]), b = f(t[1]), c = f(t[2]);
        const double cx = double(b[1] - a[1]) * (c[2] - a[2]) - double(b[2] - a[2]) * (c[1] - a[1]);
        const double cy = double(b[2] - a[2]) * (c[0] - a[0]) - double(b[0] - a[0]) * (c[2] - a[2]);
        const double cz = double(b[0] - a[0]) * (c[1] - a[1]) - double(b[1] - a[1]) * (c[0] - a[0]);
        ASSERT_GT(std::hypot(cx, cy, cz), 0) << "a degenerate triangle";
    }
    for (const auto& [edge, count] : edges) {
        ASSERT_EQ(count, 1) << "edge " << edge.first << "-" << edge.second;
        ASSERT_EQ(edges.count({edge.second, edge.first}), 1u)
            << "open edge " << edge.first << "-" << edge.second;
    }
}

class SolidPartTest : public testing::TestWithParam<SamplePart> {};

TEST_P(SolidPartTest, PlateIsClosedAndHoldsAreaTimesThickness) {
    const Figure figure = FigureOf(GetParam());
    SolidParameters p;
    p.thickness = 4;
    const Mesh mesh = BuildSolidMesh(SolidOutlinesOf(figure, p), p);
    ExpectClosedManifold(mesh);
    EXPECT_NEAR(MeshVolume(mesh), RegionArea(figure.contours) * 4,
                RegionArea(figure.contours) * 4 * 1e-3);
}

// The area of the region after moving its boundary outwards by distance
// (inwards when negative). Offsets take the rings the way CutOutline runs
// them, its outer boundaries at a positive signed area; the figure's
// contours may run the other way round.
double MovedArea(const std::vector<Contour>& contours, double distance) {
    double signedArea = 0;
    for (const Contour& c : contours) signedArea += SignedArea(c);
    std::vector<Contour> rings = contours;
    if (signedArea < 0) {
        for (Contour& c : rings) c = Reversed(c);
    }
    return RegionArea(OffsetContours(rings, distance, OffsetJoin::Round));
}

TEST_P(SolidPartTest, CutterIsClosedAndHoldsWallAndFlange) {
    const Figure figure = FigureOf(GetParam());
    const double outline = RegionArea(figure.contours);
    const double inner = MovedArea(figure.contours, -0.8);
    const double grown = MovedArea(figure.contours, 4);
    ASSERT_LT(inner, outline);
    ASSERT_GT(grown, outline);
    for (const double flange : {0.0, 4.0}) {
        SolidParameters p;
        p.cutter = true;
        p.wall = 0.8;
        p.height = 12;
        p.flange = flange;
        const Mesh mesh = BuildSolidMesh(SolidOutlinesOf(figure, p), p);
        ExpectClosedManifold(mesh);
        // The wall's ring the whole height, the flange's ring in the top.
        double expected = (outline - inner) * 12;
        if (flange > 0) expected += (grown - outline) * kFlangeThickness;
        EXPECT_NEAR(MeshVolume(mesh), expected, expected * 1e-3) << "flange " << flange;
    }
}

TEST_P(SolidPartTest, HoleLeavesTheWallOfMaterial) {
    SolidParameters p;
    p.holeDiameter = GetParam().n == 100 ? 0.5 : 3;
    p.wall = 1;
    const Figure plain = FigureOf(GetParam());
    const Figure figure = FigureWithHole(plain, p);
    ASSERT_EQ(figure.contours.size(), plain.contours.size() + 1);
    const Contour& hole = figure.contours.back();
    // It turns against the outer boundary, so it bounds the region.
    EXPECT_LT(SignedArea(hole) * SignedArea(plain.contours.front()), 0);
    const TStarPoint centre{(hole[0].at.X + hole[1].at.X) / 2, hole[0].at.Y};
    // The least distance from the hole's circle to the outline's chords.
    double nearest = 1e9;
    for (const Contour& c : plain.contours) {
        for (const TStarPoint& q : Flattened(c, kSolidTolerance)) {
            nearest = std::min(nearest, std::hypot(q.X - centre.X, q.Y - centre.Y));
        }
    }
    EXPECT_GE(nearest - p.holeDiameter / 2, p.wall);
    const Mesh mesh = BuildSolidMesh(SolidOutlinesOf(figure, p), p);
    ExpectClosedManifold(mesh);
    const double area = RegionArea(plain.contours) - M_PI * p.holeDiameter * p.holeDiameter / 4;
    EXPECT_NEAR(MeshVolume(mesh), area * p.thickness, area * p.thickness * 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Parts, SolidPartTest, testing::ValuesIn(kParts), [](const auto& sample) {
    std::string name = sample.param.name;
    for (char& c : name) c = c == '-' ? '_' : c;
    return name;
});

// Bad values are refused with the entry naming them, before anything is made.
TEST(SolidParametersTest, RefusesValuesOutOfRange) {
    struct Case {
        SolidParameters p;
        MessageId id;
    };
    const auto with = [](auto change) {
        SolidParameters p;
        change(p);
        return p;
    };
    const Case cases[] = {
        {with([](auto& p) { p.thickness = 0; }), MessageId::SolidLengthOutOfRange},
        {with([](auto& p) { p.thickness = 200.5; }), MessageId::SolidLengthOutOfRange},
        {with([](auto& p) { p.wall = -1; }), MessageId::SolidLengthOutOfRange},
        {with([](auto& p) { p.height = NAN; }), MessageId::SolidLengthOutOfRange},
        {with([](auto& p) { p.flange = -0.1; }), MessageId::SolidLengthOrZeroOutOfRange},
        {with([](auto& p) { p.holeDiameter = 201; }), MessageId::SolidLengthOrZeroOutOfRange},
        {with([](auto& p) {
             p.cutter = true;
             p.height = 1.2;
         }),
         MessageId::FlangeNeedsHeight},
        {with([](auto& p) {
             p.cutter = true;
             p.holeDiameter = 3;
         }),
         MessageId::HoleOnCutter},
    };
    for (const Case& c : cases) {
        try {
            CheckSolidParameters(c.p);
            ADD_FAILURE() << "accepted";
        } catch (const EPartError& e) {
            EXPECT_EQ(e.message().id, c.id) << e.what();
        }
    }
    SolidParameters edge;
    edge.thickness = 200;
    edge.flange = 0;
    edge.cutter = true;
    edge.height = 1.2;
    EXPECT_NO_THROW(CheckSolidParameters(edge));  // no flange: any height
}

TEST(SolidParametersTest, WallThatClosesThePartIsRefused) {
    SolidParameters p;
    p.cutter = true;
    p.wall = 30;
    try {
        SolidOutlinesOf(FigureOf(kParts[0]), p);
        FAIL() << "accepted";
    } catch (const EPartError& e) {
        EXPECT_EQ(e.message(), (Message{MessageId::WallClosesPart, {"30.0000"}}));
    }
}

TEST(SolidParametersTest, HoleThatDoesNotFitNamesTheLargestThatDoes) {
    const Figure figure = FigureOf(kParts[0]);
    SolidParameters p;
    p.holeDiameter = 60;
    double largest = 0;
    try {
        FigureWithHole(figure, p);
        FAIL() << "accepted";
    } catch (const EPartError& e) {
        ASSERT_EQ(e.message().id, MessageId::HoleTooLarge);
        EXPECT_EQ(e.message().args[0], "60.0000");
        largest = std::stod(e.message().args[1]);
    }
    ASSERT_GT(largest, 1);
    p.holeDiameter = largest - 0.01;
    EXPECT_NO_THROW(FigureWithHole(figure, p));
    p.holeDiameter = largest + 0.01;
    EXPECT_THROW(FigureWithHole(figure, p), EPartError);
    // At a given inset the largest is the room there.
    p.holeDiameter = 3;
    p.holeInset = 1;  // too near the tip for any hole
    EXPECT_THROW(FigureWithHole(figure, p), EPartError);
}

TEST(SolidOutlineTest, TracedFigureIsTakenAsTheRegionItFills) {
    // The design's {5/2} crosses itself; the solid is its filled region.
    TStarSettings s;
    s.StarType = kStarPolygon;
    const Figure traced = BuildFigure(s, '.');
    ASSERT_FALSE(traced.regionBoundary);
    s.Part.CutOutline = true;
    const Figure cut = BuildFigure(s, '.');
    SolidParameters p;
    const Mesh mesh = BuildSolidMesh(SolidOutlinesOf(traced, p), p);
    ExpectClosedManifold(mesh);
    EXPECT_NEAR(MeshVolume(mesh), RegionArea(cut.contours) * 3, RegionArea(cut.contours) * 3e-6);
}

}  // namespace
}  // namespace polygrav
