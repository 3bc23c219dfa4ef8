#include "geometry/Offset.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "geometry/ContourMeasures.h"
#include "geometry/Crossings.h"
#include "geometry/ExactOffset.h"
#include "geometry/OffsetWork.h"
#include "geometry/PolylineOffset.h"
#include "geometry/WorkBudget.h"

namespace polygrav {

namespace {

std::optional<std::vector<Contour>> ExactOffsets(const std::vector<Contour>& contours,
                                                 double distance, OffsetJoin join) {
    std::vector<Contour> result;
    result.reserve(contours.size());
    for (const Contour& contour : contours) {
        // A contour that the offset removes has no offset edge by edge.
        if (OffsetRemoves(BoundsOf({contour}), SignedArea(contour), distance)) return std::nullopt;
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
    // Outlines without holes that shrink cannot meet each other: each may
    // fall back on its own, which keeps Clipper's work small.
    const bool separate = distance < 0 && contours.size() > 1 &&
                          std::all_of(contours.begin(), contours.end(),
                                      [](const Contour& c) { return SignedArea(c) > 0; });
    if (separate) {
        std::vector<Contour> result;
        for (const Contour& contour : contours) {
            for (Contour& c : OffsetContours({contour}, distance, join)) {
                result.push_back(std::move(c));
            }
        }
        return result;
    }
    // The polygon fallback's cost grows with the contours it keeps, their
    // points and the rings that overlap: refuse an offset that asks too much.
    const OffsetWork work(contours);
    RequireWithinBudget("Offset", distance,
                        {[&work](double d) { return work.PointsFit(d); },
                         [&work](double d) { return work.OverlapsFit(d); }});
    std::vector<Contour> result;
    for (const PointRing& ring : PolylineOffset(contours, distance, join)) {
        result.push_back(ContourOf(ring));
    }
    return result;
}

}  // namespace polygrav
