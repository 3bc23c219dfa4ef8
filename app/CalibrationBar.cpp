#include "app/CalibrationBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/Limits.h"
#include "settings/PreviewCalibration.h"

namespace polygrav {

namespace {

constexpr int kTop = 8;      // room above the bar
constexpr int kBottom = 12;  // room below the longest bar for its handle
constexpr int kBarLeft = 8;
constexpr int kBarWidth = 14;
constexpr int kWidth = 120;

// Thousandths are finer than a pixel of the bar on any screen in range.
double RoundedFactor(double factor) {
    return std::round(std::clamp(factor, kMinCalibration, kMaxCalibration) * 1000) / 1000;
}

}  // namespace

CalibrationBar::CalibrationBar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SizeVerCursor);
    UpdateHeight();
}

void CalibrationBar::setPpi(double ppi) {
    ppi_ = ppi;
    UpdateHeight();
    update();
}

void CalibrationBar::setFactor(double factor) {
    factor_ = factor;
    update();
}

int CalibrationBar::barTop() const {
    return kTop;
}

int CalibrationBar::barEnd() const {
    return kTop + static_cast<int>(std::lround(CalibrationBarPixels(ppi_, factor_)));
}

// The widget holds the longest bar the range allows, so that dragging never
// runs out of room.
void CalibrationBar::UpdateHeight() {
    const int longest = static_cast<int>(std::ceil(CalibrationBarPixels(ppi_, kMaxCalibration)));
    setFixedSize(kWidth, kTop + longest + kBottom);
}

void CalibrationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int end = barEnd();
    painter.fillRect(kBarLeft, kTop, kBarWidth, end - kTop, palette().color(QPalette::Highlight));
    // A tick every 10 mm at the present factor, longer every 50 mm.
    painter.setPen(palette().color(QPalette::WindowText));
    const double pixelsPerMm = ppi_ * factor_ / kMmPerInch;
    for (int mm = 0; mm * pixelsPerMm <= end - kTop; mm += 10) {
        const int y = kTop + static_cast<int>(std::lround(mm * pixelsPerMm));
        const int length = mm % 50 == 0 ? 10 : 5;
        painter.drawLine(kBarLeft + kBarWidth, y, kBarLeft + kBarWidth + length, y);
    }
    // The handle at the end, where the card's edge goes.
    painter.drawLine(0, kTop, width() - 1, kTop);
    painter.drawLine(0, end, width() - 1, end);
    const QPoint handle[] = {{kBarLeft + kBarWidth + 12, end},
                             {kBarLeft + kBarWidth + 20, end - 5},
                             {kBarLeft + kBarWidth + 20, end + 5}};
    painter.setBrush(palette().color(QPalette::WindowText));
    painter.drawPolygon(handle, 3);
    painter.drawText(QRect(kBarLeft + kBarWidth + 24, end - 18, width(), 16),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("85.60 mm"));
}

void CalibrationBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) DragTo(event->position().toPoint().y());
}

void CalibrationBar::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) DragTo(event->position().toPoint().y());
}

void CalibrationBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            Step(-0.001);
            break;
        case Qt::Key_Down:
            Step(0.001);
            break;
        case Qt::Key_PageUp:
            Step(-0.01);
            break;
        case Qt::Key_PageDown:
            Step(0.01);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CalibrationBar::DragTo(int y) {
    Report((y - kTop) / CalibrationBarPixels(ppi_, 1));
}

void CalibrationBar::Step(double by) {
    Report(factor_ + by);
}

void CalibrationBar::Report(double factor) {
    const double rounded = RoundedFactor(factor);
    if (rounded == factor_) return;
    factor_ = rounded;
    update();
    emit factorDragged(rounded);
}

}  // namespace polygrav
