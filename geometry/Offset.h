#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "geometry/PartParameters.h"

namespace polygrav {

// Grows the region bounded by the contours by distance (mm; negative
// shrinks it), as a kerf needs. The contours run like CutOutline's rings.
// The exact construction (ExactOffset) is the result when it holds for
// every contour, no contour turns inside out and no two edges cross.
// Otherwise, where an offset swallows a feature, splits or merges contours,
// Clipper's offset of the contours as fine polylines is the result: straight
// edges within 0.0005 mm of the exact offset. It costs far more (tens of
// milliseconds for a hundred filleted tips), so it is the fallback only; the
// tests and the fuzz target hold the exact result against it.
// An empty result means that nothing is left.
std::vector<Contour> OffsetContours(const std::vector<Contour>& contours, double distance,
                                    OffsetJoin join);

}  // namespace polygrav
