#include "geometry/PartMetrics.h"

#include <cmath>
#include <numbers>

#include "geometry/CutOutline.h"
#include "geometry/Figure.h"
#include "geometry/StarPolygon.h"

namespace polygrav {

namespace {

std::optional<double> InnerRadiusOf(const PartParameters& p, double R) {
    switch (p.starType) {
        case kStarOutline:
            if (p.part.InnerRatio) return *p.part.InnerRatio * R;
            [[fallthrough]];
        case kStarPolygon:
            // For three points the crossing lies beyond the centre, on a tip.
            return std::fabs(CrossingRadius(p.n, p.part.StarStep, R));
        default:
            return std::nullopt;
    }
}

double AreaOf(const PartParameters& p, const PartContours& part) {
    double signedArea = 0;
    if (part.boundary) {
        for (const Contour& c : part.contours) signedArea += SignedArea(c);
        return std::fabs(signedArea);
    }
    // Traced figures may cross themselves: the fill rule decides what the
    // fill covers, and the region's boundary measures it.
    std::vector<PointRing> figures;
    for (const Contour& c : part.contours) {
        PointRing ring;
        for (const ContourVertex& v : c) ring.push_back(v.at);
        figures.push_back(std::move(ring));
    }
    for (const PointRing& ring : CutOutline(figures, p.evenOdd)) {
        signedArea += SignedArea(ContourOf(ring));
    }
    return signedArea;
}

}  // namespace

PartMetrics MeasurePart(const PartParameters& p, const PartContours& part) {
    const double R = part.circumradius;
    PartMetrics m;
    m.circumradius = R;
    m.acrossFlats = 2 * R * std::cos(std::numbers::pi / p.n);
    m.side = 2 * R * std::sin(std::numbers::pi / p.n);
    m.innerRadius = InnerRadiusOf(p, R);
    m.width = part.bounds.width();
    m.height = part.bounds.height();
    for (const Contour& c : part.contours) m.perimeter += ContourLength(c);
    m.area = AreaOf(p, part);
    m.contours = static_cast<int>(part.contours.size());
    return m;
}

PartMetrics MeasureSettings(const TStarSettings& settings, char decimalSeparator) {
    const PartParameters parameters = PartParametersOfSettings(settings, decimalSeparator);
    return MeasurePart(parameters, BuildPartContours(parameters));
}

}  // namespace polygrav
