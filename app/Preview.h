#pragma once

#include <QColor>
#include <QImage>
#include <functional>

#include "model/Color.h"
#include "model/StarGeometry.h"
#include "model/StarSettings.h"

namespace polygrav {

// A point of the preview bitmap, in pixels.
struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// Millimetres to pixels: x = Trunc(ppi × X / 25.4), y likewise, multiplying
// first and dividing second.
PixelPoint MmToPixel(const TStarPoint& p, int ppi);

// The 10 mm margin in pixels: Trunc(ppi × 10 / 25.4), ppi × 10 formed as an
// integer first (37 at 96 ppi).
int PreviewMargin(int ppi);

// The side of the square bitmap: Trunc((R + 10) × 2 × ppi / 25.4).
int PreviewSide(double R, int ppi);

// The pen width in pixels: Trunc(StrokeWidth / 100 × ppi / 25.4); 0 draws
// the thinnest line.
int PreviewPenWidth(int strokeWidth, int ppi);

using ColorResolver = std::function<QColor(TColor)>;

// Draws the figure of the settings at its printed size on a white bitmap of
// ppi pixels per inch: filled by the even-odd rule unless the fill is
// transparent, then outlined with a solid pen of round caps and joins.
// Reads n and R first, raising their conversion errors before any drawing; a
// radius whose bitmap would be empty or larger than 16384 pixels a side
// raises the radius conversion error too.
QImage RenderPreview(const TStarSettings& settings, int ppi, const ColorResolver& resolve,
                     char decimalSeparator);

}  // namespace polygrav
