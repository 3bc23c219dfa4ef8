#pragma once

#include <vector>

#include "geometry/PointRing.h"

namespace polygrav {

// Whether two edges of the rings, of one ring or of two, cross each other or
// run along each other for a stretch. Edges that only meet at a point where
// one of them ends (neighbours in a ring, rings that touch at a corner) do
// not count: such rings are still cut cleanly.
bool RingsCross(const std::vector<PointRing>& rings);

}  // namespace polygrav
