#pragma once

#include <vector>

#include "geometry/ContourMeasures.h"
#include "geometry/Figure.h"
#include "geometry/PartParameters.h"

namespace polygrav {

// The contours of a part in the figure's frame: millimetres, origin top
// left, Y down, the frame being the square of side 2R about the circle's
// centre (R, R). An offset outline may reach beyond the frame by the offset.
struct PartContours {
    std::vector<Contour> contours;
    double circumradius = 0;  // R
    Bounds bounds;            // of the contours, arcs' extreme points included
    // The contours are the boundary of the filled region: they never cross,
    // outer boundaries run counter-clockwise on the page and holes clockwise.
    // Otherwise they are the figures as traced, in the star's own order.
    bool boundary = false;
};

// Builds the part. The figures come from n, the step, the ratio and the
// rotation; then, when a fillet, an offset or the cut outline is asked for,
// the boundary of the region they fill (by the fill rule), the fillets, and
// the offset, in that order. Raises EPartError for parameters that cannot be
// built (out of range, a fillet that does not fit, an offset that leaves
// nothing, nothing to draw); nothing is returned then.
PartContours BuildPartContours(const PartParameters& p);

}  // namespace polygrav
