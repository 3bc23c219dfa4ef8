#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace polygrav {

// A point of a plane region, in millimetres with y up.
struct PlanePoint {
    double x = 0;
    double y = 0;
};

// The region bounded by rings, triangulated: the triangles cover exactly the
// points inside an odd number of rings, each counter-clockwise; boundary
// holds every ring edge once, directed so that the region lies on its left.
// Indices are those of the points handed in; points that no ring names
// take no part.
struct RegionTriangulation {
    std::vector<std::array<std::uint32_t, 3>> triangles;
    std::vector<std::array<std::uint32_t, 2>> boundary;
};

// Triangulates the region of rings (each a closed list of indices into
// points, at least three, consecutive indices distinct). The rings must not
// cross one another or themselves; they may touch at a shared point. Raises
// EPartError when they cross, since the triangulation would then need points
// that no ring has and the walls of a solid could not meet its faces.
RegionTriangulation TriangulateRegion(const std::vector<PlanePoint>& points,
                                      const std::vector<std::vector<std::uint32_t>>& rings);

}  // namespace polygrav
