#pragma once

#include "geometry/Figure.h"
#include "geometry/Solid.h"

namespace polygrav {

// A round hole of a part, in the figure's frame.
struct HolePlacement {
    TStarPoint centre;
    double radius = 0;
};

// Where the hanging hole of p.holeDiameter goes in the region the contours
// bound (a region's boundary): on the line from the tip nearest the top
// (the highest point of the outline) towards the figure's centre, p.holeInset
// from the tip, or with an inset of 0 the nearest point on that line that
// leaves p.wall of material all round. The material is counted from the
// outline's flattened chords, so a solid keeps it too. Raises EPartError
// naming the largest diameter that fits (at that inset, or anywhere on the
// line) when the hole does not.
HolePlacement PlaceHole(const std::vector<Contour>& boundary, const TStarPoint& centre,
                        const SolidParameters& p);

// The hole as a contour of two half circles, running against the outer
// boundaries of CutOutline's rings so that it bounds the region as a hole.
Contour HoleContour(const HolePlacement& hole);

// The figure with the hole of p among its contours, when p asks for one (a
// plate with a diameter above 0); otherwise the figure as it is. The figure
// must be a region's boundary (regionBoundary).
Figure FigureWithHole(Figure figure, const SolidParameters& p);

}  // namespace polygrav
