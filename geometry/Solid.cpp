#include "geometry/Solid.h"

#include <cmath>
#include <cstdint>
#include <map>
#include <utility>

#include "geometry/ContourMeasures.h"
#include "geometry/CutOutline.h"
#include "geometry/Offset.h"
#include "geometry/SolidErrors.h"
#include "model/Errors.h"

namespace polygrav {

namespace {

// Points are snapped to a grid of 0.1 µm, far below what a printer makes,
// so that a point that two rings share is one point, and distinct points
// stay distinct in the single precision of STL and 3MF.
constexpr double kGrid = 1e-4;
constexpr double kLongestLength = 200;

void RequireLength(const char* key, double value) {
    if (!(value > 0 && value <= kLongestLength)) {
        throw EPartError(SolidLengthOutOfRangeMessage(key, value));
    }
}

void RequireLengthOrZero(const char* key, double value) {
    if (!(value >= 0 && value <= kLongestLength)) {
        throw EPartError(SolidLengthOrZeroOutOfRangeMessage(key, value));
    }
}

// The points of the solid's outlines, each once.
class PointSet {
  public:
    std::uint32_t Id(double x, double y) {
        const std::pair<std::int64_t, std::int64_t> key{std::llround(x / kGrid),
                                                        std::llround(y / kGrid)};
        const auto [at, added] = ids_.try_emplace(key, static_cast<std::uint32_t>(points_.size()));
        if (added) {
            points_.push_back(
                {static_cast<double>(key.first) * kGrid, static_cast<double>(key.second) * kGrid});
        }
        return at->second;
    }

    std::vector<PlanePoint> Take() { return std::move(points_); }

  private:
    std::map<std::pair<std::int64_t, std::int64_t>, std::uint32_t> ids_;
    std::vector<PlanePoint> points_;
};

// The contours flattened into rings of the solid's frame, mirrored about the
// frame's middle so that y runs up. Corners that the grid merges count once;
// a ring left with fewer than three corners is dropped.
std::vector<std::vector<std::uint32_t>> AddRings(PointSet& points,
                                                 const std::vector<Contour>& contours,
                                                 double frameSide) {
    std::vector<std::vector<std::uint32_t>> rings;
    for (const Contour& contour : contours) {
        std::vector<std::uint32_t> ring;
        for (const TStarPoint& p : Flattened(contour, kSolidTolerance)) {
            const std::uint32_t id = points.Id(p.X, frameSide - p.Y);
            if (ring.empty() || ring.back() != id) ring.push_back(id);
        }
        while (ring.size() > 1 && ring.back() == ring.front()) ring.pop_back();
        if (ring.size() >= 3) rings.push_back(std::move(ring));
    }
    return rings;
}

// The boundary of the region the figure fills.
std::vector<Contour> RegionBoundary(const Figure& figure) {
    if (figure.regionBoundary) return figure.contours;
    std::vector<PointRing> figures;
    for (const Contour& contour : figure.contours) {
        figures.push_back(Flattened(contour, kSolidTolerance));
    }
    std::vector<Contour> boundary;
    for (const PointRing& ring : CutOutline(figures, figure.evenOddRule)) {
        boundary.push_back(ContourOf(ring));
    }
    return boundary;
}

// Makes the mesh's vertices at a few heights, each point and height once.
class MeshBuilder {
  public:
    MeshBuilder(const std::vector<PlanePoint>& points, std::vector<double> heights)
        : points_(points),
          heights_(std::move(heights)),
          ids_(points.size() * heights_.size(), kNone) {}

    // The triangles of a horizontal face at a height, facing up or down.
    void Face(const RegionTriangulation& region, std::size_t level, bool up) {
        for (const auto& t : region.triangles) {
            const std::uint32_t a = Vertex(t[0], level);
            const std::uint32_t b = Vertex(t[1], level);
            const std::uint32_t c = Vertex(t[2], level);
            mesh_.triangles.push_back(up ? std::array{a, b, c} : std::array{a, c, b});
        }
    }

    // The wall along a boundary edge (region on its left) between two
    // heights, facing away from the region.
    void Wall(const std::array<std::uint32_t, 2>& edge, std::size_t low, std::size_t high) {
        const std::uint32_t a0 = Vertex(edge[0], low);
        const std::uint32_t b0 = Vertex(edge[1], low);
        const std::uint32_t a1 = Vertex(edge[0], high);
        const std::uint32_t b1 = Vertex(edge[1], high);
        mesh_.triangles.push_back({a0, b0, b1});
        mesh_.triangles.push_back({a0, b1, a1});
    }

    Mesh Take() { return std::move(mesh_); }

  private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    std::uint32_t Vertex(std::uint32_t point, std::size_t level) {
        std::uint32_t& id = ids_[level * points_.size() + point];
        if (id == kNone) {
            id = static_cast<std::uint32_t>(mesh_.vertices.size());
            mesh_.vertices.push_back({points_[point].x, points_[point].y, heights_[level]});
        }
        return id;
    }

    const std::vector<PlanePoint>& points_;
    std::vector<double> heights_;
    std::vector<std::uint32_t> ids_;
    Mesh mesh_;
};

std::vector<std::vector<std::uint32_t>> Joined(std::vector<std::vector<std::uint32_t>> a,
                                               const std::vector<std::vector<std::uint32_t>>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A straight extrusion of the region of rings from 0 to height.
Mesh Prism(const std::vector<PlanePoint>& points,
           const std::vector<std::vector<std::uint32_t>>& rings, double height) {
    const RegionTriangulation region = TriangulateRegion(points, rings);
    MeshBuilder builder(points, {0, height});
    builder.Face(region, 0, false);
    builder.Face(region, 1, true);
    for (const auto& edge : region.boundary) builder.Wall(edge, 0, 1);
    return builder.Take();
}

}  // namespace

void CheckSolidParameters(const SolidParameters& p) {
    RequireLength("Thickness", p.thickness);
    RequireLength("Wall", p.wall);
    RequireLength("Height", p.height);
    RequireLengthOrZero("Flange", p.flange);
    RequireLengthOrZero("HoleDiameter", p.holeDiameter);
    RequireLengthOrZero("HoleInset", p.holeInset);
    if (p.cutter && p.flange > 0 && p.height <= kFlangeThickness) {
        throw EPartError(FlangeNeedsHeightMessage(p.height));
    }
    // A cutter is a wall round an open middle: a hole in it would cut the
    // wall or hang in the air, so it is refused rather than left out.
    if (p.cutter && p.holeDiameter > 0) throw EPartError(HoleOnCutterMessage(p.holeDiameter));
}

SolidOutlines SolidOutlinesOf(const Figure& figure, const SolidParameters& p) {
    CheckSolidParameters(p);
    const std::vector<Contour> boundary = RegionBoundary(figure);
    if (boundary.empty()) throw EPartError({MessageId::NoOutline, {}});
    PointSet points;
    SolidOutlines outlines;
    outlines.outline = AddRings(points, boundary, figure.frameSide);
    if (p.cutter) {
        // The cut shape is the drawn outline: the wall grows inward from it.
        // Offsets grow the region to the left of travel; a boundary that
        // runs the other way round (as the regular polygon's may) is turned
        // first, so that inward stays inward.
        std::vector<Contour> turned = boundary;
        double area = 0;
        for (const Contour& c : boundary) area += SignedArea(c);
        if (area < 0) {
            for (Contour& c : turned) c = Reversed(c);
        }
        outlines.inner =
            AddRings(points, OffsetContours(turned, -p.wall, OffsetJoin::Round), figure.frameSide);
        if (outlines.inner.empty()) throw EPartError(WallClosesPartMessage(p.wall));
        if (p.flange > 0) {
            outlines.grown = AddRings(points, OffsetContours(turned, p.flange, OffsetJoin::Round),
                                      figure.frameSide);
        }
    }
    outlines.points = points.Take();
    return outlines;
}

Mesh BuildSolidMesh(const SolidOutlines& o, const SolidParameters& p) {
    if (!p.cutter) return Prism(o.points, o.outline, p.thickness);
    if (o.grown.empty()) return Prism(o.points, Joined(o.outline, o.inner), p.height);

    // The wall from the bed to the flange's underside, the flange's ring
    // beside it, and the inner side running the whole height.
    enum Level : std::size_t { kBed, kUnderside, kTop };
    std::vector<char> isInner(o.points.size(), 0);
    std::vector<char> isGrown(o.points.size(), 0);
    for (const auto& ring : o.inner) {
        for (const std::uint32_t i : ring) isInner[i] = 1;
    }
    for (const auto& ring : o.grown) {
        for (const std::uint32_t i : ring) isGrown[i] = 1;
    }
    const RegionTriangulation bottom = TriangulateRegion(o.points, Joined(o.outline, o.inner));
    const RegionTriangulation top = TriangulateRegion(o.points, Joined(o.inner, o.grown));
    const RegionTriangulation underside = TriangulateRegion(o.points, Joined(o.outline, o.grown));
    MeshBuilder builder(o.points, {0, p.height - kFlangeThickness, p.height});
    builder.Face(bottom, kBed, false);
    builder.Face(underside, kUnderside, false);
    builder.Face(top, kTop, true);
    for (const auto& edge : bottom.boundary) {
        builder.Wall(edge, kBed, isInner[edge[0]] ? kTop : kUnderside);
    }
    for (const auto& edge : top.boundary) {
        if (isGrown[edge[0]]) builder.Wall(edge, kUnderside, kTop);
    }
    return builder.Take();
}

}  // namespace polygrav
