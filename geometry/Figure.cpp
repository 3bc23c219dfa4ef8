#include "geometry/Figure.h"

#include <algorithm>
#include <cmath>

#include "geometry/ContourMeasures.h"
#include "geometry/PartGeometry.h"
#include "model/Errors.h"
#include "model/Limits.h"
#include "model/NumberRules.h"
#include "model/SettingsKeys.h"
#include "model/StarOutline.h"

namespace polygrav {

namespace {

void ApplyStyle(Figure& figure, const TStarSettings& settings) {
    figure.filled = !settings.FillTransparent;
    figure.fillColor = settings.FillColor;
    figure.strokeColor = settings.StrokeColor;
    figure.strokeWidth = settings.StrokeWidth;
    figure.evenOddRule = settings.FillRule;
}

// The design's figure: the outline of the star type through the points.
void TraceDesignFigure(Figure& figure, int n, double R, int starType) {
    std::vector<TStarPoint> Outer;
    std::vector<TStarPoint> Inner;
    CalcStarPoints(n, R, Outer, Inner);
    for (const auto& points : OutlinePoints(StarOutline(starType, n), Outer, Inner)) {
        Contour contour;
        contour.reserve(points.size());
        for (const TStarPoint& p : points) contour.push_back({p, 0});
        figure.contours.push_back(std::move(contour));
    }
    figure.margin = kMarginMm;
    figure.frameSide = R * 2;
    figure.documentSide = (R + kMarginMm) * 2;
    figure.designFigure = true;
}

// The farthest point of the contours from the centre (R, R); arcs by a fine
// polyline. It does not change when the figure turns.
double RadialExtent(const std::vector<Contour>& contours, double R) {
    double farthest = 0;
    for (const Contour& contour : contours) {
        for (const TStarPoint& p : Flattened(contour, 1e-4)) {
            farthest = std::max(farthest, std::hypot(p.X - R, p.Y - R));
        }
    }
    return farthest;
}

// A choice key's value within the range the key table gives it.
void CheckChoice(SettingsKey key, int value) {
    const SettingsKeyInfo& info = KeyInfo(key);
    const int low = static_cast<int>(info.minimum);
    const int high = static_cast<int>(info.maximum);
    if (value < low || value > high) {
        throw EPartError(SettingOutOfRangeMessage(info.name, value, low, high));
    }
}

PartParameters PartParametersOf(const TStarSettings& s, int n, double size) {
    CheckChoice(SettingsKey::SizeBy, s.Part.SizeBy);
    CheckChoice(SettingsKey::OffsetJoin, s.Part.OffsetJoin);
    return PartParameters{
        .n = n, .size = size, .starType = s.StarType, .evenOdd = s.FillRule, .part = s.Part};
}

// A part: its contours in a frame about the circle's centre that holds the
// whole figure (a grown outline reaches beyond the circle), so that the
// document keeps its margin all round.
void BuildPartFigure(Figure& figure, const PartParameters& p) {
    const PartContours part = BuildPartContours(p);
    const double R = part.circumradius;
    // A figure within its circle, rounding apart, keeps the design's frame.
    const double extent = RadialExtent(part.contours, R);
    const double half = extent > R + 1e-7 ? extent : R;
    const double shift = half - R;
    for (Contour contour : part.contours) {
        for (ContourVertex& v : contour) {
            v.at.X += shift;
            v.at.Y += shift;
        }
        figure.contours.push_back(std::move(contour));
    }
    figure.margin = kMarginMm;
    figure.frameSide = half * 2;
    figure.documentSide = (half + kMarginMm) * 2;
}

}  // namespace

PartParameters PartParametersOfSettings(const TStarSettings& settings, char decimalSeparator) {
    const int n = ReadPointCount(settings.EdgeNumber);
    const double size = ReadRadius(settings.CircumRadius, decimalSeparator);
    return PartParametersOf(settings, n, size);
}

Figure BuildFigure(const TStarSettings& settings, char decimalSeparator) {
    // Both conversions come first, so that a bad text stops everything.
    const int n = ReadPointCount(settings.EdgeNumber);
    const double R = ReadRadius(settings.CircumRadius, decimalSeparator);

    Figure figure;
    const PartParameters part = PartParametersOf(settings, n, R);
    if (part.IsDesignFigure()) {
        TraceDesignFigure(figure, n, R, settings.StarType);
    } else {
        BuildPartFigure(figure, part);
    }
    ApplyStyle(figure, settings);
    return figure;
}

}  // namespace polygrav
