#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "geometry/PointRing.h"

namespace polygrav {

// Whether two edges of the rings, of one ring or of two, cross each other or
// run along each other for a stretch. Edges that only meet at a point where
// one of them ends (neighbours in a ring, rings that touch at a corner) do
// not count: such rings are still cut cleanly.
bool RingsCross(const std::vector<PointRing>& rings);

// The same question for contours with arc edges, answered on the arcs
// themselves: two edges conflict where they cross at a point that is not
// within 0.0000001 mm of an end of either, or where they run along the
// same line or circle for a stretch.
bool ContoursCross(const std::vector<Contour>& contours);

}  // namespace polygrav
