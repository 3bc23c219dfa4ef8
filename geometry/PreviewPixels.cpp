#include "geometry/PreviewPixels.h"

#include <cmath>

#include "model/Errors.h"
#include "model/Limits.h"

namespace polygrav {

namespace {

// Trunc of a value already known to fit an int.
int Trunc(double v) {
    return static_cast<int>(std::trunc(v));
}

}  // namespace

PixelPoint MmToPixel(const TStarPoint& p, double ppi) {
    return {Trunc(ppi * p.X / kMmPerInch), Trunc(ppi * p.Y / kMmPerInch)};
}

int PreviewMargin(double ppi) {
    return Trunc((ppi * kMarginMm) / kMmPerInch);
}

int PreviewSide(double documentSide, double ppi) {
    return Trunc(documentSide * ppi / kMmPerInch);
}

int PreviewPenWidth(int strokeWidth, double ppi) {
    return Trunc(strokeWidth / 100.0 * ppi / kMmPerInch);
}

PreviewPicture PreviewOfFigure(const Figure& figure, double ppi, const std::string& radiusText) {
    // The side is checked in doubles first, so that a far-off radius cannot
    // overflow the conversion to int.
    const double side = figure.documentSide * ppi / kMmPerInch;
    if (!(std::isfinite(side) && std::trunc(side) >= 1 && std::trunc(side) <= kMaxPreviewSide)) {
        // The design's figure grows with its radius alone, whose text is to
        // blame; a part's grows with its offset and joins as well, so its
        // message names the size and the document that makes it.
        if (figure.designFigure || !std::isfinite(side) || std::trunc(side) < 1) {
            throw EConvertError(NotAFloatMessage(radiusText));
        }
        throw EPartError(PreviewTooWideMessage(side, kMaxPreviewSide, figure.documentSide));
    }

    PreviewPicture picture;
    picture.side = PreviewSide(figure.documentSide, ppi);
    picture.penWidth = PreviewPenWidth(figure.strokeWidth, ppi);
    picture.filled = figure.filled;
    picture.fillColor = figure.fillColor;
    picture.strokeColor = figure.strokeColor;
    picture.designFigure = figure.designFigure;

    const int m = PreviewMargin(ppi);
    picture.contours.reserve(figure.contours.size());
    for (const Contour& contour : figure.contours) {
        std::vector<PixelVertex> pixels;
        pixels.reserve(contour.size());
        for (const ContourVertex& v : contour) {
            const PixelPoint p = MmToPixel(v.at, ppi);
            pixels.push_back({{p.x + m, p.y + m}, v.bulge});
        }
        picture.contours.push_back(std::move(pixels));
    }
    return picture;
}

PreviewPicture BuildPreviewPicture(const TStarSettings& settings, double ppi,
                                   char decimalSeparator) {
    return PreviewOfFigure(BuildFigure(settings, decimalSeparator), ppi, settings.CircumRadius);
}

}  // namespace polygrav
