#include "app/FocusMark.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>

namespace polygrav {

FocusMark::FocusMark(QAbstractScrollArea& area) : QWidget(&area), area_(area) {
    setObjectName(area.objectName() + QStringLiteral("FocusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

FocusMark* FocusMark::Attach(QAbstractScrollArea& area) {
    auto* mark = new FocusMark(area);
    area.installEventFilter(mark);
    area.viewport()->installEventFilter(mark);
    mark->FollowViewport();
    return mark;
}

bool FocusMark::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            FollowViewport();
            show();
            raise();
            break;
        case QEvent::FocusOut:
            hide();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            // The viewport shrinks when a scroll bar appears.
            FollowViewport();
            break;
        default:
            break;
    }
    return false;
}

void FocusMark::FollowViewport() {
    setGeometry(area_.viewport()->geometry());
}

// A band of the highlight colour along the edges, as the style marks a
// focused edit box; the style's own focus rectangle shows only after a
// focus change by the keyboard, and the scroll area gets its focus by click.
void FocusMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor color = palette().color(QPalette::Active, QPalette::Highlight);
    const QRect r = rect();
    constexpr int w = kWidth;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), color);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), color);
    painter.fillRect(QRect(r.left(), r.top(), w, r.height()), color);
    painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), color);
}

}  // namespace polygrav
