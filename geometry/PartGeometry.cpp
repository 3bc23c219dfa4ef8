#include "geometry/PartGeometry.h"

#include <algorithm>
#include <cmath>

#include "geometry/ContourMeasures.h"
#include "geometry/CutOutline.h"
#include "geometry/Fillet.h"
#include "geometry/Offset.h"
#include "geometry/StarPolygon.h"
#include "model/Errors.h"

namespace polygrav {

namespace {

constexpr int kMinPartPoints = 3;
constexpr int kMaxPartPoints = 100;

// Parts up to 10 m across, and offsets up to 1 m, keep Clipper's integers
// far inside their range and every computation well inside double precision.
constexpr double kMaxCircumradius = 5000;
constexpr double kMaxOffset = 1000;

void CheckParameters(const PartParameters& p) {
    if (p.n < kMinPartPoints || p.n > kMaxPartPoints) {
        throw EPartError(PointCountOutOfRangeMessage(p.n));
    }
    if (!(p.size > 0) || !std::isfinite(p.size)) throw EPartError(SizeOutOfRangeMessage(p.size));
    for (const double radius : {p.part.CornerRadius, p.part.ValleyRadius}) {
        if (!(radius >= 0) || !std::isfinite(radius)) {
            throw EPartError(NegativeRadiusMessage(radius));
        }
    }
    if (!(std::fabs(p.part.Offset) <= kMaxOffset))
        throw EPartError(OffsetOutOfRangeMessage(p.part.Offset));
    if (!std::isfinite(p.part.Rotation)) throw EPartError(NoOutlineMessage());
}

// Outer boundaries counter-clockwise on the page like the traced star, each
// contour starting at its topmost corner (leftmost among equals).
Contour Normalised(Contour contour) {
    contour = Reversed(contour);
    const auto top = std::min_element(
        contour.begin(), contour.end(), [](const ContourVertex& a, const ContourVertex& b) {
            return a.at.Y < b.at.Y || (a.at.Y == b.at.Y && a.at.X < b.at.X);
        });
    std::rotate(contour.begin(), top, contour.end());
    return contour;
}

// A ring with the region on its left in its own axes, as CutOutline gives.
PointRing RegionSense(PointRing ring) {
    if (SignedArea(ContourOf(ring)) < 0) std::reverse(ring.begin(), ring.end());
    return ring;
}

// The boundary of the region that the figures fill. A star outline whose
// inner corners lie between the centre and the tips and a regular polygon
// are simple rings already, and the star polygon {n/k} covers, by the
// non-zero rule, just the star outline through its crossings: these need no
// Clipper. Everything else (the even-odd rule over a star polygon, the
// degenerate stars of three and four points) goes through CutOutline.
std::vector<PointRing> RegionBoundary(const PartParameters& p, double R,
                                      const std::vector<PointRing>& figures) {
    const bool starShaped = 2 * p.part.StarStep < p.n;
    switch (p.starType) {
        case kRegularPolygon:
            return {RegionSense(figures.at(0))};
        case kStarOutline:
            if (starShaped || p.part.InnerRatio) return {RegionSense(figures.at(0))};
            break;
        case kStarPolygon:
            if (starShaped && !p.evenOdd) {
                PartParameters outline = p;
                outline.starType = kStarOutline;
                outline.part.InnerRatio.reset();
                return {RegionSense(TracedFigures(outline, R).at(0))};
            }
            break;
        default:
            break;
    }
    return CutOutline(figures, p.evenOdd);
}

}  // namespace

PartContours BuildPartContours(const PartParameters& p) {
    CheckParameters(p);
    const double R = CircumradiusOf(p.n, p.size, p.sizeBy());
    if (!(R <= kMaxCircumradius)) throw EPartError(SizeOutOfRangeMessage(p.size));

    PartParameters turned = p;
    turned.part.Rotation = std::fmod(p.part.Rotation, 360.0);
    const std::vector<PointRing> figures = TracedFigures(turned, R);
    if (figures.empty()) throw EPartError(NoOutlineMessage());

    PartContours part;
    part.circumradius = R;
    if (!p.NeedsCutOutline()) {
        for (const PointRing& figure : figures) part.contours.push_back(ContourOf(figure));
        part.bounds = BoundsOf(part.contours);
        return part;
    }

    const std::vector<PointRing> rings = RegionBoundary(turned, R, figures);
    if (rings.empty()) throw EPartError(NoOutlineMessage());
    std::vector<Contour> contours = FilletCorners(rings, p.part.CornerRadius, p.part.ValleyRadius);
    if (p.part.Offset != 0) {
        contours = OffsetContours(contours, p.part.Offset, p.offsetJoin());
        if (contours.empty()) throw EPartError(OffsetLeavesNothingMessage(p.part.Offset));
    }
    part.boundary = true;
    for (Contour& contour : contours) part.contours.push_back(Normalised(std::move(contour)));
    part.bounds = BoundsOf(part.contours);
    return part;
}

}  // namespace polygrav
