#include "app/FrameShape.h"

#include <QPainter>

namespace polygrav {

FrameShape::FrameShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrameShape::setOutline(const QColor& color, int width) {
    color_ = color;
    width_ = width;
    update();
}

void FrameShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width_;
    const QRect r = rect();
    // Four bands of width w along the edges, so that the outline stays
    // inside the shape's rectangle.
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), color_);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), color_);
    painter.fillRect(QRect(r.left(), r.top(), w, r.height()), color_);
    painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), color_);
}

}  // namespace polygrav
