#pragma once

#include <optional>

#include "geometry/Figure.h"
#include "geometry/PartParameters.h"

namespace polygrav {

// The offset of one contour built edge by edge, exactly: every straight edge
// moves along its normal, every arc keeps its centre and changes its radius
// by the distance, a corner that the outline leaves opens into an arc of
// radius |distance| (round) or runs the two edges on to where they cross
// (mitre), and edges that now overlap at a corner are cut back to their
// crossing. An arc that shrinks to nothing drops out and its straight
// neighbours meet. The contour runs like CutOutline's rings (region to the
// left in its own axes); a positive distance grows the region.
//
// Gives nothing when this local construction cannot stand for the offset: an
// edge would run backwards, two arcs would have to be cut against each other,
// or a mitre would reach too far. The caller then uses the polyline offset.
std::optional<Contour> ExactOffset(const Contour& contour, double distance, OffsetJoin join);

}  // namespace polygrav
