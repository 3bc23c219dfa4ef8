#pragma once

#include <QObject>

class QWidget;

namespace polygrav {

// Keeps a child widget docked in its parent while the parent is resized,
// for the controls that sit at fixed places in a page rather than in a
// layout.
class Docking : public QObject {
    Q_OBJECT

  public:
    enum class Edge { Fill, Bottom };

    // Docks child to its parent: Fill covers the parent inside margin pixels;
    // Bottom spans the parent's width at the bottom with the child's height.
    static void Dock(QWidget* child, Edge edge, int margin = 0);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Docking(QWidget* child, Edge edge, int margin);
    void Apply();

    QWidget* child_;
    Edge edge_;
    int margin_;
    int height_;
};

}  // namespace polygrav
