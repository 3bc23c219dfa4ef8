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

// Whether two of the contours that the offset grows (outlines outwards,
// holes inwards) come within twice the distance of each other at their first
// corners: their grown regions then overlap, so they cannot stay separate
// contours and no edge-by-edge offset stands for them. A cheap sufficient
// test, which spares a far-reaching offset of many contours the crossing
// test of its edge-by-edge offsets.
bool GrownContoursMeet(const std::vector<Contour>& contours, double distance) {
    std::vector<TStarPoint> corners;
    for (const Contour& contour : contours) {
        if (!contour.empty() && (SignedArea(contour) > 0) == (distance > 0)) {
            corners.push_back(contour.front().at);
        }
    }
    std::sort(corners.begin(), corners.end(),
              [](const TStarPoint& a, const TStarPoint& b) { return a.X < b.X; });
    const double reach = 2 * std::fabs(distance);
    for (std::size_t i = 0; i < corners.size(); ++i) {
        for (std::size_t j = i + 1; j < corners.size() && corners[j].X - corners[i].X < reach;
             ++j) {
            if (std::hypot(corners[j].X - corners[i].X, corners[j].Y - corners[i].Y) < reach) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::vector<Contour> OffsetContours(const std::vector<Contour>& contours, double distance,
                                    OffsetJoin join) {
    auto exact = GrownContoursMeet(contours, distance) ? std::nullopt
                                                       : ExactOffsets(contours, distance, join);
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
