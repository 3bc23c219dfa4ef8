#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "geometry/PointRing.h"

namespace polygrav {

// An axis-aligned box in the figure's frame; empty while minX > maxX.
struct Bounds {
    double minX = 0;
    double minY = 0;
    double maxX = -1;
    double maxY = -1;

    bool empty() const { return minX > maxX; }
    double width() const { return empty() ? 0 : maxX - minX; }
    double height() const { return empty() ? 0 : maxY - minY; }
    void Add(const TStarPoint& p);
};

// The shoelace area of a contour with its arcs' segments counted exactly.
// Positive when the contour runs clockwise as seen on the page (Y down), the
// sense in which its interior lies to the right of travel on the page.
double SignedArea(const Contour& contour);

// The length of a contour, arcs by their length.
double ContourLength(const Contour& contour);

// The box of the contours, arcs' extreme points included.
Bounds BoundsOf(const std::vector<Contour>& contours);

// The same contour run the other way; each arc keeps its circle.
Contour Reversed(const Contour& contour);

// The contour as straight edges: every arc is replaced by chords whose
// sagitta is at most tolerance (mm). The corners of the contour stay.
PointRing Flattened(const Contour& contour, double tolerance);

// A ring of straight edges as a contour.
Contour ContourOf(const PointRing& ring);

}  // namespace polygrav
