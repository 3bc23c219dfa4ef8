#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "geometry/PartParameters.h"
#include "geometry/PointRing.h"

namespace polygrav {

// The offset that Clipper computes from the contours flattened into fine
// polylines. Arcs become chords short enough that their offset strays from
// the offset arc by at most 0.0002 mm, round joins keep within 0.0002 mm,
// and the integer grid adds 0.00001 mm, so every point lies within 0.0005 mm
// of the exact offset. Only where that would take more than 20000 points
// (hundreds of fillets offset by several millimetres with mitred joins) are
// the chords coarser. The rings never cross and run like CutOutline's:
// outer boundaries with a positive SignedArea.
std::vector<PointRing> PolylineOffset(const std::vector<Contour>& contours, double distance,
                                      OffsetJoin join);

}  // namespace polygrav
