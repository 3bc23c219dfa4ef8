#include "app/ColorSwatch.h"

#include <QPainter>

#include "app/SystemColors.h"

namespace polygrav {

ColorSwatch::ColorSwatch(QWidget* parent) : ClickLabel(parent) {}

void ColorSwatch::setColor(TColor c) {
    color_ = c;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ResolveColor(color_, palette()));
}

}  // namespace polygrav
