#include "svg/SvgDocument.h"

#include <cmath>
#include <cstdio>

#include "geometry/Figure.h"
#include "svg/NumberFormat.h"

namespace polygrav {

namespace {

constexpr const char* kLineEnd = "\r\n";
// The sheet edge's hairline, mm.
constexpr double kSheetEdgeWidthMm = 0.1;

// Appends N(v): the "0.0000" pattern with a full stop, whatever the locale.
void AppendNumber(std::string& out, double v) {
    AppendFixed4(out, v, '.');
}

void AppendPair(std::string& out, const TStarPoint& p) {
    AppendNumber(out, p.X);
    out += ' ';
    AppendNumber(out, p.Y);
    out += ' ';
}

// A frame point shifted into the document by the margin.
TStarPoint InDocument(const TStarPoint& p, double margin) {
    return {p.X + margin, p.Y + margin};
}

// "A r r 0 large sweep " for the arc from a to b with the given bulge; the
// end point follows.
void AppendArcCommand(std::string& out, const TStarPoint& a, const TStarPoint& b, double bulge) {
    const double chord = std::hypot(b.X - a.X, b.Y - a.Y);
    const double radius = chord * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    out += 'A';
    AppendNumber(out, radius);
    out += ' ';
    AppendNumber(out, radius);
    out += std::fabs(bulge) > 1 ? " 0 1 " : " 0 0 ";
    // Y grows downwards, so SVG's positive sweep turns clockwise on the page,
    // against a positive bulge.
    out += bulge > 0 ? "0 " : "1 ";
}

void AppendPathData(std::string& out, const Figure& figure) {
    for (std::size_t f = 0; f < figure.contours.size(); ++f) {
        if (f > 0) {
            out += 'z';
            out += kLineEnd;
        }
        const Contour& contour = figure.contours[f];
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const TStarPoint at = InDocument(contour[i].at, figure.margin);
            if (i == 0) {
                out += 'M';
            } else if (const double bulge = contour[i - 1].bulge; bulge != 0) {
                AppendArcCommand(out, InDocument(contour[i - 1].at, figure.margin), at, bulge);
            } else {
                out += 'L';
            }
            AppendPair(out, at);
        }
        // The closing edge is drawn by "z" when straight; an arc back to the
        // first corner is written out before it.
        if (!contour.empty() && contour.back().bulge != 0) {
            const TStarPoint first = InDocument(contour.front().at, figure.margin);
            AppendArcCommand(out, InDocument(contour.back().at, figure.margin), first,
                             contour.back().bulge);
            AppendPair(out, first);
        }
    }
    // The last figure's "z" closes the attribute with it; without any figure
    // the d attribute stays empty.
    if (!figure.contours.empty()) out += 'z';
}

}  // namespace

std::string ColorToSVG(TColor c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

std::string BuildSvgDocument(const TStarSettings& settings, char decimalSeparator) {
    return SvgDocumentOf(BuildFigure(settings, decimalSeparator));
}

std::string SvgDocumentOf(const Figure& figure) {
    std::string doc;
    // About 40 bytes per corner.
    std::size_t corners = 0;
    for (const Contour& c : figure.contours) corners += c.size();
    doc.reserve(400 + corners * 40);

    doc += "<?xml version=\"1.0\" standalone=\"yes\"?>";
    doc += kLineEnd;

    std::string width;
    AppendNumber(width, figure.DocumentWidth());
    std::string height;
    AppendNumber(height, figure.DocumentHeight());
    doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + "mm" + "\" height=\"" +
           height + "mm\"" + " viewBox=\"0 0 " + width + " " + height + "\">";
    doc += kLineEnd;

    // The sheet's edge, a hairline under the parts, for cutters that take
    // the material's outline from the file.
    if (figure.sheetEdge) {
        std::string zero;
        AppendNumber(zero, 0);
        doc += "<path style=\"fill:none; stroke:" + ColorToSVG(figure.sheetEdgeColor) +
               "; stroke-width:";
        AppendNumber(doc, kSheetEdgeWidthMm);
        doc += "\" d=\"M" + zero + " " + zero + " L" + width + " " + zero + " L" + width + " " +
               height + " L" + zero + " " + height + " Z\"/>";
        doc += kLineEnd;
    }

    doc += "<path style=\"fill:";
    doc += figure.filled ? ColorToSVG(figure.fillColor) : std::string("none");
    if (figure.evenOddRule) doc += "; fill-rule:evenodd";
    doc += "; stroke:" + ColorToSVG(figure.strokeColor);
    doc += "; stroke-width:";
    AppendNumber(doc, figure.strokeWidthMm());
    doc += "\" d=\"";
    AppendPathData(doc, figure);
    doc += "\"/>";
    doc += kLineEnd;

    doc += "</svg>";
    doc += kLineEnd;
    return doc;
}

}  // namespace polygrav
