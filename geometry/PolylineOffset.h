#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "geometry/PartParameters.h"
#include "geometry/PointRing.h"

namespace polygrav {

// The offset as Clipper finds it from fine polylines: each contour's raw
// offset (every edge moved, arcs by their radius, joins as asked) is
// flattened into chords within 0.0002 mm, and the region that those wind
// round positively is the offset; a region that shrinks is found as its
// complement grown. The chords are computed in floating point
// from the exact edges, so a large offset of a small arc does not magnify
// the 0.00001 mm integer grid. Every point lies within 0.0003 mm of the exact
// offset; only where that would take more than a million points (hundreds of
// fillets offset by several millimetres) are the chords coarser. The rings
// never cross and run like CutOutline's: outer boundaries with a positive
// SignedArea. Rings that touch at a corner, which an offset makes only by
// accident, are split there when the result has up to 5000 points.
// The chords' largest sagitta (mm).
inline constexpr double kOffsetFlatteningMm = 0.0002;

std::vector<PointRing> PolylineOffset(const std::vector<Contour>& contours, double distance,
                                      OffsetJoin join);

}  // namespace polygrav
