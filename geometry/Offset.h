#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "geometry/PartParameters.h"

namespace polygrav {

// Grows the region bounded by the contours by distance (mm; negative
// shrinks it), as a kerf needs. The contours run like CutOutline's rings.
// The exact construction (ExactOffset) is used when it holds for every
// contour, its rings do not cross, and it agrees with Clipper's offset of
// the same contours as fine polylines in count and in area. Otherwise, where
// an offset swallows a feature, splits or merges rings, the polyline offset
// is the result: straight edges within 0.0005 mm of the exact offset.
// An empty result means that nothing is left.
std::vector<Contour> OffsetContours(const std::vector<Contour>& contours, double distance,
                                    OffsetJoin join);

}  // namespace polygrav
