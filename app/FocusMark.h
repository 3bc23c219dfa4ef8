#pragma once

#include <QWidget>

class QAbstractScrollArea;

namespace polygrav {

// A frame around a scroll area's viewport, shown while the scroll area has
// the keyboard focus. A scroll area draws no focus mark of its own that its
// contents would not cover.
class FocusMark : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 2;  // pixels

    // Puts a mark over area, owned by it.
    static FocusMark* Attach(QAbstractScrollArea& area);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    explicit FocusMark(QAbstractScrollArea& area);
    void FollowViewport();

    QAbstractScrollArea& area_;
};

}  // namespace polygrav
