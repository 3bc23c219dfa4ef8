#include "app/Preview.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>
#include <vector>

#include "model/Errors.h"
#include "model/NumberRules.h"
#include "model/StarOutline.h"

namespace polygrav {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kMaxPreviewSide = 16384;

// Trunc of a value already known to fit an int.
int Trunc(double v) {
    return static_cast<int>(std::trunc(v));
}

// Trunc that keeps far-off values in range, for the side check.
double TruncChecked(double v) {
    return std::isfinite(v) ? std::trunc(v) : -1.0;
}

}  // namespace

PixelPoint MmToPixel(const TStarPoint& p, int ppi) {
    return {Trunc(ppi * p.X / kMmPerInch), Trunc(ppi * p.Y / kMmPerInch)};
}

int PreviewMargin(int ppi) {
    return Trunc((ppi * 10) / kMmPerInch);
}

int PreviewSide(double R, int ppi) {
    return Trunc((R + 10) * 2 * ppi / kMmPerInch);
}

int PreviewPenWidth(int strokeWidth, int ppi) {
    return Trunc(strokeWidth / 100.0 * ppi / kMmPerInch);
}

QImage RenderPreview(const TStarSettings& settings, int ppi, const ColorResolver& resolve,
                     char decimalSeparator) {
    const int n = ReadPointCount(settings.EdgeNumber);
    const double R = ReadRadius(settings.CircumRadius, decimalSeparator);

    const double side = TruncChecked((R + 10) * 2 * ppi / kMmPerInch);
    if (!(side >= 1 && side <= kMaxPreviewSide)) {
        throw EConvertError(NotAFloatMessage(settings.CircumRadius));
    }

    std::vector<TStarPoint> Outer;
    std::vector<TStarPoint> Inner;
    CalcStarPoints(n, R, Outer, Inner);

    const int m = PreviewMargin(ppi);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const auto& figure : OutlinePoints(StarOutline(settings.StarType, n), Outer, Inner)) {
        bool first = true;
        for (const TStarPoint& p : figure) {
            const PixelPoint px = MmToPixel(p, ppi);
            const QPointF at(px.x + m, px.y + m);
            if (first) {
                path.moveTo(at);
                first = false;
            } else {
                path.lineTo(at);
            }
        }
        path.closeSubpath();
    }

    const int sidePx = PreviewSide(R, ppi);
    QImage bitmap(sidePx, sidePx, QImage::Format_RGB32);
    bitmap.fill(Qt::white);

    QPainter painter(&bitmap);
    // Integer pixels as the figure is computed; no smoothing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(resolve(settings.StrokeColor), PreviewPenWidth(settings.StrokeWidth, ppi),
                        Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (settings.FillTransparent) {
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setBrush(resolve(settings.FillColor));
    }
    painter.drawPath(path);
    painter.end();
    return bitmap;
}

}  // namespace polygrav
