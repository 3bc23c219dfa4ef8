#pragma once

#include <vector>

#include "model/StarGeometry.h"

namespace polygrav {

// The largest distance allowed between an arc and the straight segments that
// stand for it, in millimetres.
inline constexpr double kMaxChordErrorMm = 0.01;

// The most segments one arc is cut into. With it the chord error stays within
// kMaxChordErrorMm for every arc of radius up to about 8 km.
inline constexpr int kMaxArcSegments = 65536;

// The points strictly between a and b on the arc of the given bulge (page
// coordinates, as in geometry/Arc.h), so that the polyline a, points..., b
// lies within maxError of the arc. A zero bulge or a zero-length chord gives
// no points.
std::vector<TStarPoint> ArcInnerPoints(const TStarPoint& a, const TStarPoint& b, double bulge,
                                       double maxError = kMaxChordErrorMm);

}  // namespace polygrav
