#pragma once

#include <cstddef>
#include <vector>

#include "geometry/ContourMeasures.h"
#include "geometry/Figure.h"

namespace polygrav {

// Whether an offset by distance leaves nothing of a contour with this box
// and signed area (outlines positive): an outline that shrinks, or a hole
// that closes, by more than the largest disc it could hold.
bool OffsetRemoves(const Bounds& box, double signedArea, double distance);

// What the polygon fallback of an offset will cost, estimated from the
// source contours for any distance before the work: the contours it keeps
// (an outline that shrinks away or a hole that closes drops out), the
// points of their raw offsets (every corner the offset opens becomes an arc
// in chords whose count grows with the square root of the radius) and the
// pairs of kept contours whose grown boxes overlap, which Clipper must cut
// against each other. Built once per figure, asked for many distances while
// the largest fitting value is sought.
class OffsetWork {
  public:
    explicit OffsetWork(const std::vector<Contour>& contours);

    // Whether the fallback at distance stays within the document's budget
    // (geometry/WorkBudget.h): its points within kBudgetOffsetPoints, which
    // is cheap to tell, and its overlapping rings within
    // kBudgetOverlappingRings, which takes a sweep over the kept contours.
    bool PointsFit(double distance) const;
    bool OverlapsFit(double distance) const;

    // The estimated points of the raw offsets at distance, each kept contour
    // also counted as a fixed number of points for Clipper's work per ring.
    double Points(double distance) const;

  private:
    struct Source {
        Bounds box;
        double area = 0;  // signed: outlines positive
        std::size_t vertices = 0;
        double turning = 0;        // radians the offset may fill with arcs
        double largestRadius = 0;  // of the contour's own arcs, mm
    };

    std::vector<Source> sources_;
};

}  // namespace polygrav
