#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace polygrav {

// A point of a solid in millimetres: x to the right, y away from the viewer
// on the print bed (the page's up), z up from the bed.
struct MeshPoint {
    double x = 0;
    double y = 0;
    double z = 0;

    bool operator==(const MeshPoint&) const = default;
};

// A closed triangle mesh: each triangle names three vertices in the order
// that turns counter-clockwise seen from outside, so that its normal by the
// right-hand rule points out of the solid.
struct Mesh {
    std::vector<MeshPoint> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles;
};

// The outward unit normal of a triangle; zero for a degenerate one.
MeshPoint TriangleNormal(const Mesh& mesh, const std::array<std::uint32_t, 3>& triangle);

// The volume enclosed (mm³), positive when the normals point outwards.
double MeshVolume(const Mesh& mesh);

}  // namespace polygrav
