#include "geometry/Offset.h"

#include <cmath>
#include <optional>

#include "geometry/ContourMeasures.h"
#include "geometry/Crossings.h"
#include "geometry/ExactOffset.h"
#include "geometry/PolylineOffset.h"

namespace polygrav {

namespace {

// Arcs are checked for crossings as chords this close to them (mm).
constexpr double kCheckFlattening = 1e-4;

std::optional<std::vector<Contour>> ExactOffsets(const std::vector<Contour>& contours,
                                                 double distance, OffsetJoin join) {
    std::vector<Contour> result;
    result.reserve(contours.size());
    for (const Contour& contour : contours) {
        auto offset = ExactOffset(contour, distance, join);
        if (!offset) return std::nullopt;
        result.push_back(std::move(*offset));
    }
    return result;
}

bool AnyCrossing(const std::vector<Contour>& contours) {
    std::vector<PointRing> rings;
    rings.reserve(contours.size());
    for (const Contour& c : contours) rings.push_back(Flattened(c, kCheckFlattening));
    return RingsCross(rings);
}

// The two results describe the same region: as many rings, and areas that
// differ by no more than the polyline's chords can explain.
bool Agree(const std::vector<Contour>& exact, const std::vector<PointRing>& polyline) {
    if (exact.size() != polyline.size()) return false;
    double exactArea = 0;
    double length = 0;
    for (const Contour& c : exact) {
        exactArea += SignedArea(c);
        length += ContourLength(c);
    }
    double polylineArea = 0;
    for (const PointRing& ring : polyline) polylineArea += SignedArea(ContourOf(ring));
    return std::fabs(exactArea - polylineArea) <= 0.001 * length + 1e-6;
}

}  // namespace

std::vector<Contour> OffsetContours(const std::vector<Contour>& contours, double distance,
                                    OffsetJoin join) {
    const std::vector<PointRing> polyline = PolylineOffset(contours, distance, join);
    auto exact = ExactOffsets(contours, distance, join);
    if (exact && !AnyCrossing(*exact) && Agree(*exact, polyline)) return std::move(*exact);
    std::vector<Contour> result;
    result.reserve(polyline.size());
    for (const PointRing& ring : polyline) result.push_back(ContourOf(ring));
    return result;
}

}  // namespace polygrav
