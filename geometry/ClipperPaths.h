#pragma once

#include <polyclipping/clipper.hpp>
#include <vector>

#include "geometry/PointRing.h"

namespace polygrav {

// Clipper works in integers: one unit is 10 nm. Rounding a point moves it by
// at most 0.000007 mm, and a crossing that Clipper computes is off by no
// more than that, far below the 0.001 mm that cutting can show. Coordinates
// stay below Clipper's fast range (about 10.7 m) for every part we build.
inline constexpr double kClipperUnitsPerMm = 1e5;

ClipperLib::Path ToClipperPath(const PointRing& ring);
ClipperLib::Paths ToClipperPaths(const std::vector<PointRing>& rings);
PointRing FromClipperPath(const ClipperLib::Path& path);

}  // namespace polygrav
