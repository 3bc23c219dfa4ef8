// The lattice search: the densest lattice packing of a part is the lattice
// of least cell area that has no point but the origin inside the part's
// difference region. For a first vector u on the region's boundary, the
// best second vector is the lowest point above the row of u that lies
// outside every translate of the region along that row: a corner of the
// union of those translates. The first vector's direction is searched.
#include "geometry/Lattice.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/ClipperPaths.h"

namespace polygrav {

namespace {

constexpr double kPi = 3.14159265358979323846;
// A candidate corner is lifted off the boundary by this many mm, so that
// rounding never leaves it just inside.
constexpr double kLiftMm = 3 / kClipperUnitsPerMm;
// Corners tried, lowest first, before a first vector is given up.
constexpr int kCornersTried = 48;

double Cross(TStarPoint a, TStarPoint b) {
    return a.X * b.Y - a.Y * b.X;
}
double Dot(TStarPoint a, TStarPoint b) {
    return a.X * b.X + a.Y * b.Y;
}
double Length(TStarPoint a) {
    return std::hypot(a.X, a.Y);
}

}  // namespace

double LatticeBasis::CellArea() const {
    return std::fabs(Cross(u, v));
}

bool Admissible(const NestingRegion& forbidden, const LatticeBasis& lattice) {
    const double ul = Length(lattice.u);
    const double height = lattice.CellArea() / ul;
    if (!(ul > 0) || !(height > 0)) return false;
    const double reach = forbidden.reach;
    const int rows = static_cast<int>(std::ceil(reach / height));
    // The region is symmetric: the half-plane of rows b ≥ 0 is enough.
    for (int b = 0; b <= rows; ++b) {
        const TStarPoint row{b * lattice.v.X, b * lattice.v.Y};
        const double along = Dot(row, lattice.u) / ul;
        const int first = b == 0 ? 1 : static_cast<int>(std::floor((-reach - along) / ul));
        const int last = static_cast<int>(std::ceil((reach - along) / ul));
        for (int a = first; a <= last; ++a) {
            const TStarPoint p{row.X + a * lattice.u.X, row.Y + a * lattice.u.Y};
            if (StrictlyInside(forbidden, p)) return false;
        }
    }
    return true;
}

std::optional<LatticeBasis> LowestSecondVector(const NestingRegion& forbidden, TStarPoint u) {
    const double ul = Length(u);
    if (!(ul > 0)) return std::nullopt;
    const int copies = static_cast<int>(std::ceil(forbidden.reach / ul)) + 1;
    std::vector<std::pair<const NestingRegion*, TStarPoint>> pieces;
    for (int k = -copies; k <= copies; ++k)
        pieces.emplace_back(&forbidden, TStarPoint{k * u.X, k * u.Y});
    const NestingRegion strip = UnionOf(pieces);

    const TStarPoint normal{-u.Y / ul, u.X / ul};
    std::vector<std::pair<double, TStarPoint>> corners;  // (height, corner)
    for (const ClipperLib::Path& path : strip.paths) {
        for (const ClipperLib::IntPoint& q : path) {
            const TStarPoint p = Millimetres(q);
            const double height = Dot(p, normal);
            const double along = Dot(p, u) / ul;
            if (height > 0 && along >= 0 && along < ul) corners.emplace_back(height, p);
        }
    }
    std::sort(corners.begin(), corners.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    const int tried = std::min<int>(static_cast<int>(corners.size()), kCornersTried);
    for (int i = 0; i < tried; ++i) {
        const TStarPoint p = corners[i].second;
        const LatticeBasis lattice{u, {p.X + kLiftMm * normal.X, p.Y + kLiftMm * normal.Y}};
        if (Admissible(forbidden, lattice)) return lattice;
    }
    return std::nullopt;
}

LatticeBasis Reduced(LatticeBasis lattice) {
    TStarPoint& u = lattice.u;
    TStarPoint& v = lattice.v;
    for (int round = 0; round < 64; ++round) {
        if (Dot(u, u) > Dot(v, v)) std::swap(u, v);
        const double m = std::round(Dot(u, v) / Dot(u, u));
        if (m == 0) break;
        v = {v.X - m * u.X, v.Y - m * u.Y};
    }
    return lattice;
}

std::optional<LatticeBasis> DensestLattice(const NestingRegion& forbidden, int directions,
                                           double tolerance) {
    const double none = std::numeric_limits<double>::infinity();
    auto cellArea = [&](double angle) {
        const auto lattice = LowestSecondVector(forbidden, FirstExit(forbidden, angle));
        return lattice ? lattice->CellArea() : none;
    };
    // u and −u give the same lattices.
    const double angle = MinimiseOverAngle(cellArea, kPi, directions, 3, tolerance);
    const auto lattice = LowestSecondVector(forbidden, FirstExit(forbidden, angle));
    if (!lattice) return std::nullopt;
    return Reduced(*lattice);
}

}  // namespace polygrav
