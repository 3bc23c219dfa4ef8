#pragma once

namespace polygrav {

inline constexpr int kDefaultDpi = 96;
inline constexpr int kMinDpi = 1;
inline constexpr int kMaxDpi = 2400;
// The longest side of an image, in pixels.
inline constexpr int kMaxPngSide = 10000;
// An image of up to kPngWholePixels (80 MB while cairo draws them) is drawn
// in one piece; a larger one in bands of rows of kPngBandPixels, each the
// whole drawing moved up by whole rows, so that its memory stays that of
// one band whatever the resolution.
inline constexpr int kPngWholePixels = 20 * 1000 * 1000;
inline constexpr int kPngBandPixels = 8 * 1000 * 1000;

struct PngOptions {
    int dpi = kDefaultDpi;
    bool transparent = false;  // no white background: alpha 0 outside the figure
};

// The side of the square image in pixels: documentSide mm at dpi, rounded to
// the nearest pixel (100 mm at 300 dpi is 1181 pixels). Raises EExportError
// when dpi is outside kMinDpi to kMaxDpi or the side is not 1 to kMaxPngSide.
int PngPixelSide(double documentSide, int dpi);

// Raises EExportError ImageOverBudget when an image of side pixels a side
// is more than one document may draw (kBudgetImagePixels, geometry/
// WorkBudget.h); the message names the largest resolution that fits the
// document of documentSide mm.
void RequireImageWithinBudget(double documentSide, int dpi, int side);

}  // namespace polygrav
