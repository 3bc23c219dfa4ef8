#include "geometry/Mesh.h"

#include <cmath>

namespace polygrav {

namespace {

MeshPoint Minus(const MeshPoint& a, const MeshPoint& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

MeshPoint Cross(const MeshPoint& a, const MeshPoint& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace

MeshPoint TriangleNormal(const Mesh& mesh, const std::array<std::uint32_t, 3>& triangle) {
    const MeshPoint& a = mesh.vertices[triangle[0]];
    const MeshPoint n =
        Cross(Minus(mesh.vertices[triangle[1]], a), Minus(mesh.vertices[triangle[2]], a));
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (length == 0) return {};
    return {n.x / length, n.y / length, n.z / length};
}

double MeshVolume(const Mesh& mesh) {
    // The divergence theorem: the signed volumes of the tetrahedra from the
    // origin to each triangle add up to the enclosed volume.
    double sixfold = 0;
    for (const auto& t : mesh.triangles) {
        const MeshPoint& a = mesh.vertices[t[0]];
        const MeshPoint c = Cross(mesh.vertices[t[1]], mesh.vertices[t[2]]);
        sixfold += a.x * c.x + a.y * c.y + a.z * c.z;
    }
    return sixfold / 6;
}

}  // namespace polygrav
