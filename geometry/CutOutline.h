#pragma once

#include <vector>

#include "geometry/PointRing.h"

namespace polygrav {

// The boundary of the region that the figures fill, by the non-zero rule or
// the even-odd rule, as rings that never cross and share no edge (they may
// touch at a corner). Outer boundaries have a positive SignedArea and holes a
// negative one, so the region always lies on the same side of travel. Every
// corner is a corner of a figure or a crossing of two figure edges, computed
// exactly from those edges; Clipper only finds which they are.
std::vector<PointRing> CutOutline(const std::vector<PointRing>& figures, bool evenOdd);

}  // namespace polygrav
