#include "geometry/Figure.h"

#include "model/Limits.h"
#include "model/NumberRules.h"
#include "model/StarOutline.h"

namespace polygrav {

Figure BuildFigure(const TStarSettings& settings, char decimalSeparator) {
    // Both conversions come first, so that a bad text stops everything.
    const int n = ReadPointCount(settings.EdgeNumber);
    const double R = ReadRadius(settings.CircumRadius, decimalSeparator);

    std::vector<TStarPoint> Outer;
    std::vector<TStarPoint> Inner;
    CalcStarPoints(n, R, Outer, Inner);

    Figure figure;
    for (const auto& points : OutlinePoints(StarOutline(settings.StarType, n), Outer, Inner)) {
        Contour contour;
        contour.reserve(points.size());
        for (const TStarPoint& p : points) contour.push_back({p, 0});
        figure.contours.push_back(std::move(contour));
    }
    figure.margin = kMarginMm;
    figure.frameSide = R * 2;
    figure.documentSide = (R + kMarginMm) * 2;
    figure.filled = !settings.FillTransparent;
    figure.fillColor = settings.FillColor;
    figure.strokeColor = settings.StrokeColor;
    figure.strokeWidth = settings.StrokeWidth;
    figure.evenOddRule = settings.FillRule;
    return figure;
}

}  // namespace polygrav
