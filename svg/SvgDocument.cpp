#include "svg/SvgDocument.h"

#include <cstdio>
#include <vector>

#include "model/NumberRules.h"
#include "model/StarGeometry.h"
#include "model/StarOutline.h"
#include "svg/NumberFormat.h"

namespace polygrav {

namespace {

// The margin around the figure, in millimetres.
constexpr double kMargin = 10;

constexpr const char* kLineEnd = "\r\n";

// Appends N(v): the "0.0000" pattern with a full stop, whatever the locale.
void AppendNumber(std::string& out, double v) {
    AppendFixed4(out, v, '.');
}

void AppendPathData(std::string& out, const std::vector<std::vector<TStarPoint>>& figures) {
    for (std::size_t f = 0; f < figures.size(); ++f) {
        if (f > 0) {
            out += 'z';
            out += kLineEnd;
        }
        const auto& points = figures[f];
        for (std::size_t i = 0; i < points.size(); ++i) {
            out += i == 0 ? 'M' : 'L';
            AppendNumber(out, points[i].X);
            out += ' ';
            AppendNumber(out, points[i].Y);
            out += ' ';
        }
    }
    // The last figure's "z" closes the attribute with it; without any figure
    // the d attribute stays empty.
    if (!figures.empty()) out += 'z';
}

}  // namespace

std::string ColorToSVG(TColor c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

std::string BuildSvgDocument(const TStarSettings& settings, char decimalSeparator) {
    // Both conversions come first, so that a bad text stops everything.
    const int n = ReadPointCount(settings.EdgeNumber);
    const double R = ReadRadius(settings.CircumRadius, decimalSeparator);

    std::vector<TStarPoint> Outer;
    std::vector<TStarPoint> Inner;
    CalcStarPoints(n, R, Outer, Inner);
    for (TStarPoint& p : Outer) {
        p.X += kMargin;
        p.Y += kMargin;
    }
    for (TStarPoint& p : Inner) {
        p.X += kMargin;
        p.Y += kMargin;
    }
    const double S = (R + kMargin) * 2;
    const auto figures = OutlinePoints(StarOutline(settings.StarType, n), Outer, Inner);

    std::string doc;
    // About 40 bytes per point pair, two pairs per point for type 0.
    doc.reserve(400 + static_cast<std::size_t>(n) * 80);

    doc += "<?xml version=\"1.0\" standalone=\"yes\"?>";
    doc += kLineEnd;

    std::string side;
    AppendNumber(side, S);
    doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + side + "mm" + "\" height=\"" +
           side + "mm\"" + " viewBox=\"0 0 " + side + " " + side + "\">";
    doc += kLineEnd;

    doc += "<path style=\"fill:";
    doc += settings.FillTransparent ? std::string("none") : ColorToSVG(settings.FillColor);
    if (settings.FillRule) doc += "; fill-rule:evenodd";
    doc += "; stroke:" + ColorToSVG(settings.StrokeColor);
    doc += "; stroke-width:";
    AppendNumber(doc, settings.StrokeWidth / 100.0);
    doc += "\" d=\"";
    AppendPathData(doc, figures);
    doc += "\"/>";
    doc += kLineEnd;

    doc += "</svg>";
    doc += kLineEnd;
    return doc;
}

}  // namespace polygrav
