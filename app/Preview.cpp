#include "app/Preview.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QtMath>

#include "geometry/Arc.h"

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

}  // namespace

QImage PaintPreview(const PreviewPicture& picture, const ColorResolver& resolve) {
    QImage bitmap(picture.side, picture.side, QImage::Format_RGB32);
    bitmap.fill(Qt::white);

    QPainter painter(&bitmap);
    // Integer pixels as the figure is computed; no smoothing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(resolve(picture.strokeColor), picture.penWidth, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    if (picture.filled) {
        painter.setBrush(resolve(picture.fillColor));
    } else {
        painter.setBrush(Qt::NoBrush);
    }
    painter.drawPath(PathOf(picture));
    painter.end();
    return bitmap;
}

QImage RenderPreview(const TStarSettings& settings, double ppi, const ColorResolver& resolve,
                     char decimalSeparator) {
    return PaintPreview(BuildPreviewPicture(settings, ppi, decimalSeparator), resolve);
}

}  // namespace polygrav
