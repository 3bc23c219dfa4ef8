#include "geometry/Offset.h"

#include <cmath>
#include <optional>

#include "geometry/ContourMeasures.h"
#include "geometry/Crossings.h"
#include "geometry/ExactOffset.h"
#include "geometry/PolylineOffset.h"

namespace polygrav {

namespace {

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

// Each offset contour runs the same way round as its source: a contour that
// turned inside out has vanished and is not an outline.
bool KeepsItsSense(const std::vector<Contour>& sources, const std::vector<Contour>& offsets) {
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if ((SignedArea(sources[i]) > 0) != (SignedArea(offsets[i]) > 0)) return false;
    }
    return true;
}

}  // namespace

std::vector<Contour> OffsetContours(const std::vector<Contour>& contours, double distance,
                                    OffsetJoin join) {
    auto exact = ExactOffsets(contours, distance, join);
    if (exact && KeepsItsSense(contours, *exact) && !ContoursCross(*exact)) {
        return std::move(*exact);
    }
    const std::vector<PointRing> polyline = PolylineOffset(contours, distance, join);
    std::vector<Contour> result;
    result.reserve(polyline.size());
    for (const PointRing& ring : polyline) result.push_back(ContourOf(ring));
    return result;
}

}  // namespace polygrav
