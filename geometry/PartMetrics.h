#pragma once

#include <optional>

#include "geometry/PartGeometry.h"

namespace polygrav {

// The readouts of a part, in millimetres and square millimetres.
struct PartMetrics {
    // Of the regular polygon through the tips.
    double circumradius = 0;
    double acrossFlats = 0;
    double side = 0;
    // The star outline's inner radius, or where the star polygon's
    // neighbouring edges cross; none for the regular polygon.
    std::optional<double> innerRadius;
    // Of the contours as written (fillets and offset included, the stroke
    // not).
    double width = 0;
    double height = 0;
    double perimeter = 0;  // of all contours, arcs by their length
    double area = 0;       // of the region that the fill covers, by the fill rule
    int contours = 0;
};

PartMetrics MeasurePart(const PartParameters& p, const PartContours& part);

// The readouts of the figure that the settings give, as every output draws
// it; raises the figure's errors (of n, R and the part).
PartMetrics MeasureSettings(const TStarSettings& settings, char decimalSeparator);

}  // namespace polygrav
