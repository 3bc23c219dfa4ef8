#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "geometry/PointRing.h"

namespace polygrav {

// Rounds the corners of the boundary rings with true circular arcs, tangent
// to both edges: convex corners (the region's corners that point outwards)
// with cornerRadius and concave ones with valleyRadius; a radius of 0 leaves
// those corners sharp. The rings run as CutOutline gives them, with the
// region on the same side of travel everywhere. A radius whose arc does not
// fit between its corner's neighbours raises EPartError naming the largest
// radius that fits at that corner.
std::vector<Contour> FilletCorners(const std::vector<PointRing>& rings, double cornerRadius,
                                   double valleyRadius);

}  // namespace polygrav
