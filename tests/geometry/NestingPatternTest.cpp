// The patterns of a sheet: densities against known packings, and parts that
// never overlap.

#include "geometry/NestingPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/ContourMeasures.h"
#include "geometry/PartGeometry.h"

namespace polygrav {
namespace {

struct Part {
    NestingRegion region;
    double area = 0;
};

Part MakePart(PartParameters p, double grow = 0) {
    p.part.CutOutline = true;
    const PartContours contours = BuildPartContours(p);
    Part part;
    const double R = contours.circumradius;
    part.region = PartRegion(contours.contours, {R, R}, grow);
    for (const Contour& c : contours.contours) part.area += SignedArea(c);
    part.area = std::fabs(part.area);
    return part;
}

PartParameters Polygon(int n) {
    PartParameters p;
    p.n = n;
    p.starType = kRegularPolygon;
    return p;
}

double Best(const std::vector<NestingPattern>& patterns, double area) {
    double best = 0;
    for (const NestingPattern& pattern : patterns) best = std::max(best, pattern.Density(area));
    return best;
}

struct Anchor {
    const char* name;
    int n;
    bool turn;
    double density;
};

TEST(NestingPattern, MeetsTheKnownDensestPackings) {
    const double r2 = std::sqrt(2.0);
    const Anchor anchors[] = {
        {"pentagon, double lattice", 5, true, (5 - std::sqrt(5.0)) / 3},
        {"hexagon, a tiling", 6, false, 1.0},
        {"octagon, its best lattice", 8, false, (4 + 4 * r2) / (5 + 4 * r2)},
    };
    for (const Anchor& a : anchors) {
        SCOPED_TRACE(a.name);
        const Part part = MakePart(Polygon(a.n));
        const auto patterns = CandidatePatterns(part.region, Arrangement::Densest, a.turn);
        EXPECT_NEAR(Best(patterns, part.area), a.density, 0.001);
    }
}

}  // namespace
}  // namespace polygrav
