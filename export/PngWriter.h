#pragma once

#include <string>

#include "geometry/Figure.h"

namespace polygrav {

inline constexpr int kDefaultDpi = 96;
inline constexpr int kMinDpi = 1;
inline constexpr int kMaxDpi = 2400;
// The longest side of an image, in pixels: 10000 × 10000 pixels take 400 MB
// while they are drawn.
inline constexpr int kMaxPngSide = 10000;

struct PngOptions {
    int dpi = kDefaultDpi;
    bool transparent = false;  // no white background: alpha 0 outside the figure
};

// The side of the square image in pixels: documentSide mm at dpi, rounded to
// the nearest pixel (100 mm at 300 dpi is 1181 pixels). Raises EExportError
// when dpi is outside kMinDpi to kMaxDpi or the side is not 1 to kMaxPngSide.
int PngPixelSide(double documentSide, int dpi);

// The PNG of the figure drawn at the resolution, antialiased, on white (or
// transparent) ground; 8-bit RGB, or RGBA when transparent. The pHYs chunk
// carries the resolution in pixels per metre. Raises EExportError as
// PngPixelSide does, or when the figure cannot be drawn.
std::string PngImageOf(const Figure& figure, const PngOptions& options = {});

}  // namespace polygrav
