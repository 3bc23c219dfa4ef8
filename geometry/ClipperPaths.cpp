#include "geometry/ClipperPaths.h"

#include <cmath>

namespace polygrav {

ClipperLib::Path ToClipperPath(const PointRing& ring) {
    ClipperLib::Path path;
    path.reserve(ring.size());
    for (const TStarPoint& p : ring) {
        path.emplace_back(std::llround(p.X * kClipperUnitsPerMm),
                          std::llround(p.Y * kClipperUnitsPerMm));
    }
    return path;
}

ClipperLib::Paths ToClipperPaths(const std::vector<PointRing>& rings) {
    ClipperLib::Paths paths;
    paths.reserve(rings.size());
    for (const PointRing& ring : rings) paths.push_back(ToClipperPath(ring));
    return paths;
}

PointRing FromClipperPath(const ClipperLib::Path& path) {
    PointRing ring;
    ring.reserve(path.size());
    for (const ClipperLib::IntPoint& p : path) {
        ring.push_back({static_cast<double>(p.X) / kClipperUnitsPerMm,
                        static_cast<double>(p.Y) / kClipperUnitsPerMm});
    }
    return ring;
}

}  // namespace polygrav
