#include "app/Docking.h"

#include <QEvent>
#include <QWidget>

namespace polygrav {

Docking::Docking(QWidget* child, Edge edge, int margin)
    : QObject(child), child_(child), edge_(edge), margin_(margin), height_(child->height()) {}

void Docking::Dock(QWidget* child, Edge edge, int margin) {
    auto* docking = new Docking(child, edge, margin);
    child->parentWidget()->installEventFilter(docking);
    docking->Apply();
}

bool Docking::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        Apply();
    }
    return false;
}

void Docking::Apply() {
    const QWidget* parent = child_->parentWidget();
    const int w = parent->width();
    const int h = parent->height();
    switch (edge_) {
        case Edge::Fill:
            child_->setGeometry(margin_, margin_, w - 2 * margin_, h - 2 * margin_);
            break;
        case Edge::Bottom:
            child_->setGeometry(0, h - height_, w, height_);
            break;
    }
}

}  // namespace polygrav
