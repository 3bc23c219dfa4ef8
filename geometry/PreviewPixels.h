#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "model/StarSettings.h"

namespace polygrav {

// A point of the preview bitmap, in pixels.
struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// A corner of a contour on the bitmap and the edge that leaves it (bulge as
// in ContourVertex: 0 for a straight edge).
struct PixelVertex {
    PixelPoint at;
    double bulge = 0;

    bool operator==(const PixelVertex&) const = default;
};

// The largest side of a preview bitmap, in pixels.
inline constexpr int kMaxPreviewSide = 16384;

// ppi is the screen's pixels per inch, or that value times the preview's
// calibration factor; a whole ppi gives the integer arithmetic below exactly.

// Millimetres to pixels: x = Trunc(ppi × X / 25.4), y likewise, multiplying
// first and dividing second.
PixelPoint MmToPixel(const TStarPoint& p, double ppi);

// The margin in pixels: Trunc(ppi × 10 / 25.4), ppi × 10 formed as an integer
// first (37 at 96 ppi).
int PreviewMargin(double ppi);

// The side of the square bitmap for a document of documentSide mm, which is
// (R + 10) × 2: Trunc((R + 10) × 2 × ppi / 25.4), evaluated left to right.
int PreviewSide(double documentSide, double ppi);

// The pen width in pixels: Trunc(StrokeWidth / 100 × ppi / 25.4); 0 draws
// the thinnest line.
int PreviewPenWidth(int strokeWidth, double ppi);

// What the preview paints: the square bitmap's side, the contours in pixels
// (each frame point converted with MmToPixel, then shifted by the margin in
// pixels, which is converted once), the pen width and the figure's style.
struct PreviewPicture {
    int side = 0;
    int penWidth = 0;
    std::vector<std::vector<PixelVertex>> contours;
    bool filled = true;
    TColor fillColor = clRed;
    TColor strokeColor = clBlack;
    bool designFigure = false;  // as Figure::designFigure: drawn by the painter alone
};

// The preview of the settings at ppi pixels per inch. Reads n and R first,
// raising their conversion errors; a radius whose bitmap would be empty or
// larger than kMaxPreviewSide pixels a side raises the radius conversion
// error too, so that nothing is drawn.
PreviewPicture BuildPreviewPicture(const TStarSettings& settings, double ppi,
                                   char decimalSeparator);

// The preview of a figure already built; radiusText names the radius in the
// error for a bitmap out of range.
PreviewPicture PreviewOfFigure(const Figure& figure, double ppi, const std::string& radiusText);

}  // namespace polygrav
