#pragma once

#include <polyclipping/clipper.hpp>
#include <vector>

#include "geometry/Figure.h"

namespace polygrav {

// A region of the plane for nesting, in Clipper's integer units: outer
// boundaries only (a hole is never used to hold another part), about a
// reference point at the origin.
struct NestingRegion {
    ClipperLib::Paths paths;
    double reach = 0;  // mm: the farthest point from the origin
};

// A point of Clipper's integer units in mm.
TStarPoint Millimetres(const ClipperLib::IntPoint& p);

// The region that the part's contours enclose, their holes filled, about
// the reference point `centre`, flattened and then grown by `grow` mm (at
// least the flattening tolerance, so that the region holds the contours).
NestingRegion PartRegion(const std::vector<Contour>& contours, TStarPoint centre, double grow);

// A region with few corners that holds the given one, for the search: the
// region itself when it has few, else its corners thinned and the result
// grown back over them, and when that still leaves many (a star of many
// tips), the polygon of its tangents in evenly spread directions around its
// convex hull.
NestingRegion SearchRegion(const NestingRegion& region);

// The region turned by 180° about the origin.
NestingRegion Turned(const NestingRegion& region);

// The Minkowski sum {a + b : a in A, b in B}.
NestingRegion MinkowskiSumOf(const NestingRegion& a, const NestingRegion& b);

// The union of the regions, each translated by its own vector (mm).
NestingRegion UnionOf(const std::vector<std::pair<const NestingRegion*, TStarPoint>>& pieces);

// Whether the point (mm) lies in the region's interior; a point on its
// boundary does not.
bool StrictlyInside(const NestingRegion& region, TStarPoint p);

// The nearest point of the ray from the origin along the angle (radians)
// that lies outside the region's interior, a little beyond its boundary.
TStarPoint FirstExit(const NestingRegion& region, double angle);

}  // namespace polygrav
