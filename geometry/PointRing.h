#pragma once

#include <vector>

#include "model/StarGeometry.h"

namespace polygrav {

// A closed figure of straight edges: its corners in order, closed back to the
// first.
using PointRing = std::vector<TStarPoint>;

}  // namespace polygrav
