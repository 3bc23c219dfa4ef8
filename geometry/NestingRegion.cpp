// The regions and their Minkowski sums come from Clipper; the sum of two
// polygons is Clipper's sweep of one along the other's boundary together
// with one copy of each, which fills the sweep's inside.
#include "geometry/NestingRegion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/ClipperPaths.h"
#include "geometry/ContourMeasures.h"

namespace polygrav {

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// Chords of arcs within this many mm, for the search only; the region is
// grown by at least as much so that it still holds the arcs.
constexpr double kFlattenMm = 0.002;
// Clipper's round joins are chords of their circles within this many mm;
// a growth is lengthened by a little more so that it is never short.
constexpr double kJoinToleranceMm = 0.002;
constexpr double kJoinAllowanceMm = 0.0021;
// The step beyond a boundary that a computed exit takes, in Clipper units,
// so that rounding never leaves a point just inside.
constexpr double kExitStepUnits = 3;

double ReachOf(const Paths& paths) {
    double reach = 0;
    for (const Path& path : paths) {
        for (const IntPoint& p : path) {
            reach = std::max(reach, std::hypot(static_cast<double>(p.X), static_cast<double>(p.Y)));
        }
    }
    return reach / kClipperUnitsPerMm;
}

Paths OuterBoundaries(const Paths& paths) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(paths, ClipperLib::ptSubject, true);
    ClipperLib::PolyTree tree;
    clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    Paths outers;
    for (int i = 0; i < tree.ChildCount(); ++i) outers.push_back(tree.Childs[i]->Contour);
    return outers;
}

NestingRegion RegionOf(Paths paths) {
    NestingRegion region;
    region.paths = OuterBoundaries(paths);
    region.reach = ReachOf(region.paths);
    return region;
}

Path Translated(const Path& path, IntPoint by) {
    Path moved = path;
    for (IntPoint& p : moved) {
        p.X += by.X;
        p.Y += by.Y;
    }
    return moved;
}

IntPoint Units(TStarPoint p) {
    return {std::llround(p.X * kClipperUnitsPerMm), std::llround(p.Y * kClipperUnitsPerMm)};
}

}  // namespace

TStarPoint Millimetres(const ClipperLib::IntPoint& p) {
    return {static_cast<double>(p.X) / kClipperUnitsPerMm,
            static_cast<double>(p.Y) / kClipperUnitsPerMm};
}

NestingRegion PartRegion(const std::vector<Contour>& contours, TStarPoint centre, double grow) {
    Paths paths;
    for (const Contour& contour : contours) {
        PointRing ring = Flattened(contour, kFlattenMm);
        for (TStarPoint& p : ring) {
            p.X -= centre.X;
            p.Y -= centre.Y;
        }
        Path path = ToClipperPath(ring);
        if (!ClipperLib::Orientation(path)) std::reverse(path.begin(), path.end());
        paths.push_back(std::move(path));
    }
    paths = OuterBoundaries(paths);
    const bool arcs = std::any_of(contours.begin(), contours.end(), [](const Contour& c) {
        return std::any_of(c.begin(), c.end(), [](const ContourVertex& v) { return v.bulge != 0; });
    });
    double by = std::max(grow, 0.0) + (arcs ? kFlattenMm : 0);
    if (by == 0) return RegionOf(std::move(paths));
    by += kJoinAllowanceMm;
    ClipperLib::ClipperOffset offset(2, kJoinToleranceMm * kClipperUnitsPerMm);
    offset.AddPaths(paths, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    Paths grown;
    offset.Execute(grown, by * kClipperUnitsPerMm);
    return RegionOf(std::move(grown));
}

namespace {

// Corners up to which a region is searched as it is, and beyond which the
// thinned region gives way to the tangent polygon.
constexpr size_t kSearchCorners = 64;
constexpr size_t kThinnedCorners = 128;
constexpr int kTangentDirections = 96;

size_t CornersOf(const NestingRegion& region) {
    size_t corners = 0;
    for (const Path& path : region.paths) corners += path.size();
    return corners;
}

NestingRegion TangentPolygon(const NestingRegion& region) {
    constexpr double kPi = 3.14159265358979323846;
    std::vector<double> support(kTangentDirections, -std::numeric_limits<double>::infinity());
    for (int i = 0; i < kTangentDirections; ++i) {
        const double a = 2 * kPi * i / kTangentDirections;
        for (const Path& path : region.paths) {
            for (const IntPoint& q : path) {
                const TStarPoint p = Millimetres(q);
                support[i] = std::max(support[i], p.X * std::cos(a) + p.Y * std::sin(a));
            }
        }
    }
    // Consecutive support lines meet at the corners; a sliver beyond them
    // keeps rounding outside.
    PointRing ring;
    for (int i = 0; i < kTangentDirections; ++i) {
        const int j = (i + 1) % kTangentDirections;
        const double a = 2 * kPi * i / kTangentDirections;
        const double b = 2 * kPi * j / kTangentDirections;
        const double det = std::sin(b - a);
        const double hi = support[i] + 1e-4;
        const double hj = support[j] + 1e-4;
        ring.push_back({(hi * std::sin(b) - hj * std::sin(a)) / det,
                        (hj * std::cos(a) - hi * std::cos(b)) / det});
    }
    Path path = ToClipperPath(ring);
    if (!ClipperLib::Orientation(path)) std::reverse(path.begin(), path.end());
    return RegionOf({path});
}

}  // namespace

// Whether the outer region covers the inner one (to within a Clipper unit
// of area).
bool Covers(const NestingRegion& outer, const NestingRegion& inner) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(inner.paths, ClipperLib::ptSubject, true);
    clipper.AddPaths(outer.paths, ClipperLib::ptClip, true);
    Paths left;
    clipper.Execute(ClipperLib::ctDifference, left, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    double area = 0;
    for (const Path& path : left) area += std::fabs(ClipperLib::Area(path));
    return area <= 1;
}

NestingRegion SearchRegion(const NestingRegion& region) {
    if (CornersOf(region) <= kSearchCorners) return region;
    // Thinning moves the boundary inwards by about `by`; the thinned region
    // is grown with mitred corners until it covers the region again.
    const double by = std::max(region.reach * 0.002, 0.001);
    Paths thinned;
    ClipperLib::CleanPolygons(region.paths, thinned, by * kClipperUnitsPerMm);
    for (const double growth : {1.5, 3.0, 6.0}) {
        ClipperLib::ClipperOffset offset(2);
        offset.AddPaths(thinned, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
        Paths grown;
        offset.Execute(grown, growth * by * kClipperUnitsPerMm);
        NestingRegion search = RegionOf(std::move(grown));
        if (CornersOf(search) > kThinnedCorners) break;
        if (Covers(search, region)) return search;
    }
    return TangentPolygon(region);
}

NestingRegion Turned(const NestingRegion& region) {
    NestingRegion turned = region;
    for (Path& path : turned.paths) {
        for (IntPoint& p : path) {
            p.X = -p.X;
            p.Y = -p.Y;
        }
    }
    return turned;
}

NestingRegion MinkowskiSumOf(const NestingRegion& a, const NestingRegion& b) {
    Paths all;
    for (const Path& pa : a.paths) {
        for (const Path& pb : b.paths) {
            Paths sweep;
            ClipperLib::MinkowskiSum(pa, pb, sweep, true);
            all.insert(all.end(), sweep.begin(), sweep.end());
            all.push_back(Translated(pb, pa.front()));
            all.push_back(Translated(pa, pb.front()));
        }
    }
    for (Path& path : all) {
        if (!ClipperLib::Orientation(path)) std::reverse(path.begin(), path.end());
    }
    return RegionOf(std::move(all));
}

NestingRegion UnionOf(const std::vector<std::pair<const NestingRegion*, TStarPoint>>& pieces) {
    Paths all;
    for (const auto& [region, by] : pieces) {
        const IntPoint shift = Units(by);
        for (const Path& path : region->paths) all.push_back(Translated(path, shift));
    }
    return RegionOf(std::move(all));
}

bool StrictlyInside(const NestingRegion& region, TStarPoint p) {
    if (std::hypot(p.X, p.Y) > region.reach) return false;
    const IntPoint at = Units(p);
    for (const Path& path : region.paths) {
        // Outer boundaries of a union never overlap, so one is enough.
        if (ClipperLib::PointInPolygon(at, path) == 1) return true;
    }
    return false;
}

TStarPoint FirstExit(const NestingRegion& region, double angle) {
    const double dx = std::cos(angle);
    const double dy = std::sin(angle);
    // The nearest crossing of the ray with an edge whose far side is
    // outside; edges are tried from the nearest crossing outwards.
    std::vector<double> crossings;
    for (const Path& path : region.paths) {
        for (size_t i = 0; i < path.size(); ++i) {
            const IntPoint& a = path[i];
            const IntPoint& b = path[(i + 1) % path.size()];
            const double ax = static_cast<double>(a.X);
            const double ay = static_cast<double>(a.Y);
            const double ex = static_cast<double>(b.X) - ax;
            const double ey = static_cast<double>(b.Y) - ay;
            const double denom = dx * ey - dy * ex;
            if (denom == 0) continue;
            const double t = (ax * ey - ay * ex) / denom;  // along the ray
            const double s = (ax * dy - ay * dx) / denom;  // along the edge
            if (t > 0 && s >= 0 && s <= 1) crossings.push_back(t);
        }
    }
    std::sort(crossings.begin(), crossings.end());
    for (const double t : crossings) {
        const double r = (t + kExitStepUnits) / kClipperUnitsPerMm;
        const TStarPoint p{r * dx, r * dy};
        if (!StrictlyInside(region, p)) return p;
    }
    return {0, 0};
}

}  // namespace polygrav
