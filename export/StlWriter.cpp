#include "export/StlWriter.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace polygrav {

namespace {

void PutUint32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutFloat(std::string& out, double value) {
    PutUint32(out, std::bit_cast<std::uint32_t>(static_cast<float>(value)));
}

void PutPoint(std::string& out, const MeshPoint& p) {
    PutFloat(out, p.x);
    PutFloat(out, p.y);
    PutFloat(out, p.z);
}

}  // namespace

std::string StlDocumentOf(const Mesh& mesh) {
    constexpr std::size_t kHeaderSize = 80;
    constexpr std::size_t kTriangleSize = 50;
    std::string out;
    out.reserve(kHeaderSize + 4 + kTriangleSize * mesh.triangles.size());
    std::string header = "Binary STL by Polygrav, unit: millimetre";
    header.resize(kHeaderSize, ' ');
    out += header;
    PutUint32(out, static_cast<std::uint32_t>(mesh.triangles.size()));
    for (const auto& t : mesh.triangles) {
        PutPoint(out, TriangleNormal(mesh, t));
        for (const std::uint32_t v : t) PutPoint(out, mesh.vertices[v]);
        out.append(2, '\0');  // no attributes
    }
    return out;
}

}  // namespace polygrav
