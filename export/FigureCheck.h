#pragma once

#include "geometry/Figure.h"

namespace polygrav {

// Raises EExportError when the figure cannot be drawn in a file: a document
// side that is not a positive finite number, or a margin, corner or bulge
// that is not finite. The settings can give such figures (a radius of 1e308,
// a negative radius); the SVG writes them as they are, the other formats
// refuse them.
void RequireDrawableFigure(const Figure& figure);

}  // namespace polygrav
