#pragma once

#include <string>

#include "geometry/Figure.h"
#include "model/Color.h"
#include "model/StarSettings.h"

namespace polygrav {

// "#RRGGBB" from the three low bytes of c; the highest byte is ignored, so a
// system colour is not resolved.
std::string ColorToSVG(TColor c);

// The complete four-line SVG document (each line ended by CR LF) for the
// settings. Reads n and R first; a conversion error leaves nothing behind.
std::string BuildSvgDocument(const TStarSettings& settings, char decimalSeparator);

// The document of a figure already built.
std::string SvgDocumentOf(const Figure& figure);

}  // namespace polygrav
