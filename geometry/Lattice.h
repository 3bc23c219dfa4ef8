#pragma once

#include <optional>

#include "geometry/NestingRegion.h"

namespace polygrav {

// A lattice of the plane, {a·u + b·v : a, b integers}, in mm.
struct LatticeBasis {
    TStarPoint u;
    TStarPoint v;

    // The area of one cell, |u × v|.
    double CellArea() const;
};

// Whether no lattice point but the origin lies in the interior of the
// region: translates of a part by the lattice then never overlap when the
// region is the part's difference region (the part minus itself). The
// region must be symmetric about the origin and contain it.
bool Admissible(const NestingRegion& forbidden, const LatticeBasis& lattice);

// The admissible lattice of least cell area among those whose first vector
// is u; none when no second vector near the row of u is admissible.
std::optional<LatticeBasis> LowestSecondVector(const NestingRegion& forbidden, TStarPoint u);

// The admissible lattice of least cell area found by trying the first vector
// where each of `directions` rays leaves the region, then refining the best
// directions. The same basis reduced: u and v as short as the lattice
// allows.
std::optional<LatticeBasis> DensestLattice(const NestingRegion& forbidden, int directions,
                                           double tolerance = 1e-6);

// The same lattice with its shortest basis (Lagrange's reduction).
LatticeBasis Reduced(LatticeBasis lattice);

// Minimises f over the angles in [0, period): `samples` even samples, then
// a golden-section refinement about the best `keep` of them down to
// `tolerance` radians. Returns the best angle found.
template <typename F>
double MinimiseOverAngle(F&& f, double period, int samples, int keep, double tolerance);

}  // namespace polygrav

#include "geometry/LatticeSearch.inl"
