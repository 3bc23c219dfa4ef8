// The patterns of a sheet. A double lattice (the part on a lattice and its
// copy turned by 180° on the same lattice shifted by t) is a lattice packing
// of the pair Q = P ∪ (t − P), whose difference region is
// (P − P) ∪ (P + P − t) ∪ (t − P − P); the copy touches the part when t
// lies on the boundary of P + P, so t is searched along that boundary.
#include "geometry/NestingPattern.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/ClipperPaths.h"

namespace polygrav {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Rays tried for the first lattice vector, and for the turned copy's place.
constexpr int kLatticeDirections = 36;
constexpr int kCopyDirections = 16;
constexpr int kCopyLatticeDirections = 24;

struct Box {
    double minX, minY, maxX, maxY;
};

Box BoxOf(const NestingRegion& region) {
    Box box{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
            -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (const ClipperLib::Path& path : region.paths) {
        for (const ClipperLib::IntPoint& q : path) {
            const TStarPoint p = Millimetres(q);
            box.minX = std::min(box.minX, p.X);
            box.minY = std::min(box.minY, p.Y);
            box.maxX = std::max(box.maxX, p.X);
            box.maxY = std::max(box.maxY, p.Y);
        }
    }
    return box;
}

// One Clipper unit beyond the box, so that neighbouring boxes never share
// a point that rounding could put inside both.
constexpr double kBoxSlackMm = 1 / kClipperUnitsPerMm;

}  // namespace

double NestingPattern::Density(double partArea) const {
    return partArea * static_cast<double>(motif.size()) / lattice.CellArea();
}

NestingPattern GridPattern(const NestingRegion& part) {
    const Box box = BoxOf(part);
    const double w = box.maxX - box.minX + kBoxSlackMm;
    const double h = box.maxY - box.minY + kBoxSlackMm;
    return {{{w, 0}, {0, h}}, {{{0, 0}, false}}, Arrangement::Grid};
}

NestingPattern BrickPattern(const NestingRegion& part) {
    const Box box = BoxOf(part);
    const double w = box.maxX - box.minX + kBoxSlackMm;
    const NestingRegion difference = MinkowskiSumOf(part, Turned(part));
    // The least row height at which the shifted rows stay apart, by
    // bisection between a height that overlaps and one that does not.
    double low = 0;
    double high = box.maxY - box.minY + kBoxSlackMm;
    for (int i = 0; i < 48 && high - low > 1e-7; ++i) {
        const double mid = (low + high) / 2;
        if (Admissible(difference, {{w, 0}, {w / 2, mid}})) {
            high = mid;
        } else {
            low = mid;
        }
    }
    return {{{w, 0}, {w / 2, high}}, {{{0, 0}, false}}, Arrangement::Brick};
}

std::optional<NestingPattern> LatticePattern(const NestingRegion& part) {
    const NestingRegion difference = MinkowskiSumOf(part, Turned(part));
    const auto lattice = DensestLattice(difference, kLatticeDirections);
    if (!lattice) return std::nullopt;
    return NestingPattern{*lattice, {{{0, 0}, false}}, Arrangement::Densest};
}

std::optional<NestingPattern> DoubleLatticePattern(const NestingRegion& part) {
    const NestingRegion turned = Turned(part);
    const NestingRegion difference = MinkowskiSumOf(part, turned);
    const NestingRegion sum = MinkowskiSumOf(part, part);
    const NestingRegion turnedSum = Turned(sum);
    auto pairRegion = [&](TStarPoint t) {
        return UnionOf({{&difference, {0, 0}}, {&sum, {-t.X, -t.Y}}, {&turnedSum, t}});
    };
    const double none = std::numeric_limits<double>::infinity();
    auto cellArea = [&](double angle) {
        const auto lattice =
            DensestLattice(pairRegion(FirstExit(sum, angle)), kCopyLatticeDirections);
        return lattice ? lattice->CellArea() : none;
    };
    const double angle = MinimiseOverAngle(cellArea, 2 * kPi, kCopyDirections, 2, 1e-4);
    const TStarPoint t = FirstExit(sum, angle);
    const auto lattice = DensestLattice(pairRegion(t), kLatticeDirections);
    if (!lattice) return std::nullopt;
    return NestingPattern{*lattice, {{{0, 0}, false}, {t, true}}, Arrangement::Densest};
}

std::vector<NestingPattern> CandidatePatterns(const NestingRegion& grown, Arrangement arrangement,
                                              bool turn) {
    const NestingRegion part = SearchRegion(grown);
    switch (arrangement) {
        case Arrangement::Grid:
            return {GridPattern(part)};
        case Arrangement::Brick:
            return {BrickPattern(part)};
        case Arrangement::Densest:
            break;
    }
    std::vector<NestingPattern> patterns;
    if (auto lattice = LatticePattern(part)) patterns.push_back(*lattice);
    if (turn) {
        if (auto pair = DoubleLatticePattern(part)) patterns.push_back(*pair);
    }
    NestingPattern grid = GridPattern(part);
    NestingPattern brick = BrickPattern(part);
    grid.arrangement = brick.arrangement = Arrangement::Densest;
    patterns.push_back(grid);
    patterns.push_back(brick);
    std::stable_sort(patterns.begin(), patterns.end(),
                     [](const NestingPattern& a, const NestingPattern& b) {
                         return a.Density(1) > b.Density(1);
                     });
    return patterns;
}

}  // namespace polygrav
