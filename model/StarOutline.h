#pragma once

#include <vector>

#include "model/StarGeometry.h"

namespace polygrav {

// One corner of a figure: an index into the outer vertices or the inner points.
struct OutlineVertex {
    bool inner = false;
    int index = 0;

    bool operator==(const OutlineVertex&) const = default;
};

// A closed figure; it is closed back to its first vertex.
using OutlineFigure = std::vector<OutlineVertex>;

// The figures that a star type traces through n points: type 0 one figure
// through outer and inner points, type 1 the star polygon through every second
// vertex (two figures for even n), type 2 the regular polygon. Any other type,
// -1 (no item selected) included, gives no figure.
std::vector<OutlineFigure> StarOutline(int starType, int n);

// The figures as points, looked up in Outer and Inner.
std::vector<std::vector<TStarPoint>> OutlinePoints(const std::vector<OutlineFigure>& figures,
                                                   const std::vector<TStarPoint>& Outer,
                                                   const std::vector<TStarPoint>& Inner);

}  // namespace polygrav
