#include "geometry/PolylineOffset.h"

#include <cmath>

#include "geometry/ClipperPaths.h"
#include "geometry/ContourMeasures.h"

namespace polygrav {

namespace {

constexpr double kFlatteningMm = 0.0002;

// A mitre may reach this many offset distances from its corner before
// Clipper squares it off; the sharpest tip we build needs about 32.
constexpr double kMitreLimit = 1000;

}  // namespace

std::vector<PointRing> PolylineOffset(const std::vector<Contour>& contours, double distance,
                                      OffsetJoin join) {
    ClipperLib::Paths paths;
    for (const Contour& contour : contours) {
        // Chords fine enough for the offset arcs, whose radius grows by up
        // to |distance|: a mitred chord offset strays by the sagitta at that
        // radius.
        paths.push_back(ToClipperPath(Flattened(contour, kFlatteningMm, std::fabs(distance))));
    }
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
