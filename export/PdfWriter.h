#pragma once

#include <string>

#include "geometry/Figure.h"

namespace polygrav {

// The PDF of the figure: one page exactly the size of the SVG document
// (documentSide mm, 72 / 25.4 points to the millimetre), the figure as
// vector paths drawn as the SVG draws them. Built in memory, so that the
// caller writes the file in one piece; without a creation date, so that the
// same figure always gives the same bytes. A figure that cannot be drawn raises
// EExportError.
std::string PdfDocumentOf(const Figure& figure);

}  // namespace polygrav
