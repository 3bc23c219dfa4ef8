#pragma once

#include <cairo.h>

#include "geometry/Figure.h"

namespace polygrav {

// Draws the figure on a cairo context whose user unit is the millimetre of
// the document (origin top left, Y down), the way an SVG viewer draws the
// figure's SVG: the fill (none when not filled) with the non-zero or the
// even-odd rule, then the outline with mitred joins (limit 4) and butt caps.
// A zero outline width draws no outline, as in SVG. Arcs are cairo arcs.
void DrawFigure(cairo_t* cr, const Figure& figure);

}  // namespace polygrav
