#include "export/CairoFigure.h"

#include "export/ExportColor.h"
#include "geometry/Arc.h"

namespace polygrav {

namespace {

void SetColor(cairo_t* cr, TColor c) {
    const RgbColor rgb = RgbOf(c);
    cairo_set_source_rgb(cr, rgb.red / 255.0, rgb.green / 255.0, rgb.blue / 255.0);
}

// The edge from a to b: a line, or the arc of the bulge. Cairo's angles grow
// from +X towards +Y, as those of ArcOfBulge do.
void AddEdge(cairo_t* cr, const TStarPoint& a, const TStarPoint& b, double bulge) {
    if (bulge == 0 || (a.X == b.X && a.Y == b.Y)) {
        cairo_line_to(cr, b.X, b.Y);
        return;
    }
    const ArcGeometry arc = ArcOfBulge(a, b, bulge);
    const double end = arc.startAngle + arc.sweep;
    if (arc.sweep > 0) {
        cairo_arc(cr, arc.center.X, arc.center.Y, arc.radius, arc.startAngle, end);
    } else {
        cairo_arc_negative(cr, arc.center.X, arc.center.Y, arc.radius, arc.startAngle, end);
    }
}

void AddContours(cairo_t* cr, const Figure& figure) {
    const auto inDocument = [&figure](const TStarPoint& p) {
        return TStarPoint{p.X + figure.margin, p.Y + figure.margin};
    };
    for (const Contour& contour : figure.contours) {
        if (contour.empty()) continue;
        const TStarPoint first = inDocument(contour.front().at);
        cairo_move_to(cr, first.X, first.Y);
        for (std::size_t i = 0; i < contour.size(); ++i) {
            // The closing edge, when straight, is close_path's own, as "z"
            // is in the SVG; the join at the first corner follows from it.
            const bool last = i + 1 == contour.size();
            if (last && contour[i].bulge == 0) break;
            const TStarPoint a = inDocument(contour[i].at);
            const TStarPoint b = inDocument(contour[last ? 0 : i + 1].at);
            AddEdge(cr, a, b, contour[i].bulge);
        }
        cairo_close_path(cr);
    }
}

}  // namespace

void DrawFigure(cairo_t* cr, const Figure& figure) {
    cairo_save(cr);
    cairo_new_path(cr);
    AddContours(cr, figure);
    if (figure.filled) {
        SetColor(cr, figure.fillColor);
        cairo_set_fill_rule(
            cr, figure.evenOddRule ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_fill_preserve(cr);
    }
    if (figure.strokeWidth > 0) {
        SetColor(cr, figure.strokeColor);
        cairo_set_line_width(cr, figure.strokeWidthMm());
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
        cairo_set_miter_limit(cr, 4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
}

}  // namespace polygrav
