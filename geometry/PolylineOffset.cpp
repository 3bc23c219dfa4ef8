#include "geometry/PolylineOffset.h"

#include <cmath>

#include "geometry/ClipperPaths.h"
#include "geometry/ContourMeasures.h"

namespace polygrav {

namespace {

constexpr double kFlatteningMm = 0.0002;

// Clipper's time grows faster than the number of points; beyond this many
// the chords are made coarser rather than the preview made to wait.
constexpr std::size_t kMostPoints = 20000;

// A mitre may reach this many offset distances from its corner before
// Clipper squares it off; the sharpest tip we build needs about 32.
constexpr double kMitreLimit = 1000;

// The contours as polylines. Round joins offset every chord's corner by an
// arc, so chords within the tolerance of the arc stay within it after the
// offset. Mitred joins would push out the corners between chords, by the
// sagitta of the offset arc: the chords are then made as short as the arc's
// radius after the offset needs.
ClipperLib::Paths PolylinesOf(const std::vector<Contour>& contours, double distance,
                              OffsetJoin join) {
    const double growth = join == OffsetJoin::Mitre ? std::fabs(distance) : 0;
    double tolerance = kFlatteningMm;
    std::vector<PointRing> rings;
    for (int attempt = 0; attempt < 2; ++attempt) {
        rings.clear();
        std::size_t points = 0;
        for (const Contour& contour : contours) {
            rings.push_back(Flattened(contour, tolerance, growth));
            points += rings.back().size();
        }
        if (points <= kMostPoints) break;
        // The chords' count grows as one over the square root of the
        // tolerance: coarsen them to stay within the budget.
        const double over = static_cast<double>(points) / kMostPoints;
        tolerance *= over * over;
    }
    return ToClipperPaths(rings);
}

}  // namespace

std::vector<PointRing> PolylineOffset(const std::vector<Contour>& contours, double distance,
                                      OffsetJoin join) {
    const ClipperLib::Paths paths = PolylinesOf(contours, distance, join);
    ClipperLib::ClipperOffset offset(kMitreLimit, kFlatteningMm * kClipperUnitsPerMm);
    offset.AddPaths(paths, join == OffsetJoin::Round ? ClipperLib::jtRound : ClipperLib::jtMiter,
                    ClipperLib::etClosedPolygon);
    ClipperLib::Paths grown;
    offset.Execute(grown, distance * kClipperUnitsPerMm);

    // The offset's own union may leave rings that touch at a corner joined;
    // a strictly simple union separates them.
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(true);
    clipper.AddPaths(grown, ClipperLib::ptSubject, true);
    ClipperLib::Paths region;
    clipper.Execute(ClipperLib::ctUnion, region, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    ClipperLib::CleanPolygons(region);

    std::vector<PointRing> rings;
    for (const ClipperLib::Path& path : region) {
        if (path.size() >= 3) rings.push_back(FromClipperPath(path));
    }
    return rings;
}

}  // namespace polygrav
