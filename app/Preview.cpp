#include "app/Preview.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QtMath>
#include <algorithm>

#include "geometry/Arc.h"
#include "geometry/PixelRuns.h"

namespace polygrav {

namespace {

QPointF ToQPoint(const PixelPoint& p) {
    return QPointF(p.x, p.y);
}

// Adds the arc from a to b to the path, as the core's ArcOfBulge gives it.
// Qt's angles grow counter-clockwise on the screen, the core's clockwise.
void ArcTo(QPainterPath& path, const PixelPoint& a, const PixelPoint& b, double bulge) {
    const ArcGeometry arc =
        ArcOfBulge({double(a.x), double(a.y)}, {double(b.x), double(b.y)}, bulge);
    const QRectF box(arc.center.X - arc.radius, arc.center.Y - arc.radius, 2 * arc.radius,
                     2 * arc.radius);
    path.arcTo(box, -qRadiansToDegrees(arc.startAngle), -qRadiansToDegrees(arc.sweep));
}

QPainterPath PathOf(const PreviewPicture& picture) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const auto& contour : picture.contours) {
        for (std::size_t i = 0; i < contour.size(); ++i) {
            if (i == 0) {
                path.moveTo(ToQPoint(contour[i].at));
            } else if (contour[i - 1].bulge != 0 && contour[i - 1].at != contour[i].at) {
                ArcTo(path, contour[i - 1].at, contour[i].at, contour[i - 1].bulge);
            } else {
                path.lineTo(ToQPoint(contour[i].at));
            }
        }
        if (!contour.empty() && contour.back().bulge != 0 &&
            contour.back().at != contour.front().at) {
            ArcTo(path, contour.back().at, contour.front().at, contour.back().bulge);
        }
        path.closeSubpath();
    }
    return path;
}

// Qt's own drawing: the path filled and outlined by the painter.
void PaintWithPainter(QImage& bitmap, const PreviewPicture& picture, const QColor& fill,
                      const QColor& stroke) {
    QPainter painter(&bitmap);
    // Integer pixels as the figure is computed; no smoothing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(stroke, picture.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (picture.filled) {
        painter.setBrush(fill);
    } else {
        painter.setBrush(Qt::NoBrush);
    }
    painter.drawPath(PathOf(picture));
}

void PaintRuns(QImage& bitmap, const std::vector<PixelRun>& runs, const QColor& color) {
    const QRgb rgb = color.rgb();
    // One look at the pixels: scanLine would check for a shared copy on
    // every run.
    uchar* const bits = bitmap.bits();
    const qsizetype stride = bitmap.bytesPerLine();
    for (const PixelRun& run : runs) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + run.y * stride);
        std::fill(row + run.x0, row + run.x1, rgb);
    }
}

// The core's runs, in the bitmap's device pixels: the fill, then the
// outline over it. The painter strokes a wide round-joined pen on a part's
// many thin spikes slowly; the runs give the same region at a fraction of
// the cost. A pen of one device pixel or less is the painter's thin line,
// which is fast and has its own stepping.
void PaintWithRuns(QImage& bitmap, const PreviewPicture& picture, const QColor& fill,
                   const QColor& stroke) {
    const qreal ratio = bitmap.devicePixelRatio();
    if (picture.filled) {
        PaintRuns(bitmap, FillRuns(picture, ratio), fill);
    }
    if (picture.penWidth * ratio > 1) {
        PaintRuns(bitmap, StrokeRuns(picture, ratio), stroke);
        return;
    }
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(stroke, picture.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(PathOf(picture));
}

}  // namespace

QImage PaintPreview(const PreviewPicture& picture, const ColorResolver& resolve,
                    qreal devicePixelRatio) {
    // Never fewer device pixels than the picture has, nor more a side than
    // the largest preview.
    const qreal most = std::max<qreal>(1, qreal(kMaxPreviewSide) / std::max(1, picture.side));
    const qreal ratio = devicePixelRatio > 1 ? std::min(devicePixelRatio, most) : 1;
    const int side = ScaledSide(picture.side, ratio);
    QImage bitmap(side, side, QImage::Format_RGB32);
    if (bitmap.isNull()) {
        return bitmap;  // out of memory: nothing to show rather than a crash
    }
    bitmap.setDevicePixelRatio(ratio);
    bitmap.fill(Qt::white);
    const QColor fill = resolve(picture.fillColor);
    const QColor stroke = resolve(picture.strokeColor);
    // Runs overwrite pixels, so only opaque colours can take them; the
    // design's figure stays exactly as the painter has always drawn it.
    const bool opaque = stroke.alpha() == 255 && (!picture.filled || fill.alpha() == 255);
    if (picture.designFigure || !opaque) {
        PaintWithPainter(bitmap, picture, fill, stroke);
    } else {
        PaintWithRuns(bitmap, picture, fill, stroke);
    }
    return bitmap;
}

QImage RenderPreview(const TStarSettings& settings, double ppi, const ColorResolver& resolve,
                     char decimalSeparator, qreal devicePixelRatio) {
    return PaintPreview(BuildPreviewPicture(settings, ppi, decimalSeparator), resolve,
                        devicePixelRatio);
}

}  // namespace polygrav
