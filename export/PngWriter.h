#pragma once

#include <string>

#include "export/PngOptions.h"
#include "geometry/Figure.h"

namespace polygrav {

// The PNG of the figure drawn at the resolution, antialiased, on white (or
// transparent) ground; 8-bit RGB, or RGBA when transparent. The pHYs chunk
// carries the resolution in pixels per metre. Raises EExportError as
// PngPixelSide does, or when the figure cannot be drawn.
std::string PngImageOf(const Figure& figure, const PngOptions& options = {});

}  // namespace polygrav
