#pragma once

#include <QColor>
#include <QImage>
#include <functional>

#include "geometry/PreviewPixels.h"
#include "model/Color.h"
#include "model/StarSettings.h"

namespace polygrav {

using ColorResolver = std::function<QColor(TColor)>;

// Paints the preview on a white bitmap of its side: filled by the even-odd
// rule unless the fill is transparent, then outlined with a solid pen of
// round caps and joins. The pixel arithmetic is the core's; this only paints.
// On a screen of device pixel ratio above 1 the bitmap has that many device
// pixels to a pixel of the picture, so that it stays sharp, and the same
// side in logical pixels; at ratio 1 it is the picture's pixels themselves.
QImage PaintPreview(const PreviewPicture& picture, const ColorResolver& resolve,
                    qreal devicePixelRatio = 1);

// The preview of the settings at ppi pixels per inch; raises the conversion
// errors of BuildPreviewPicture before any drawing.
QImage RenderPreview(const TStarSettings& settings, double ppi, const ColorResolver& resolve,
                     char decimalSeparator, qreal devicePixelRatio = 1);

}  // namespace polygrav
