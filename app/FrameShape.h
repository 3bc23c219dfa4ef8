#pragma once

#include <QColor>
#include <QWidget>

namespace polygrav {

// A rectangle shape without fill: an outline of the given colour and width
// drawn inside the widget's edges.
class FrameShape : public QWidget {
    Q_OBJECT

  public:
    explicit FrameShape(QWidget* parent = nullptr);

    void setOutline(const QColor& color, int width);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_ = Qt::yellow;
    int width_ = 5;
};

}  // namespace polygrav
