#pragma once

#include <QWidget>

namespace polygrav {

// A vertical bar as long as the long side of an ID-1 card at the screen's
// pixels per inch times a factor. The user holds a card against the screen
// and drags the bar's lower end (or presses the arrow keys) until the two
// match; the bar then reports the factor that makes millimetres true on this
// screen. Setting the factor from the program reports nothing.
class CalibrationBar : public QWidget {
    Q_OBJECT

  public:
    explicit CalibrationBar(QWidget* parent = nullptr);

    // The screen's pixels per inch, uncalibrated.
    void setPpi(double ppi);
    double ppi() const { return ppi_; }

    void setFactor(double factor);
    double factor() const { return factor_; }

    // The pixel row of the bar's top, and of its end at the present factor.
    int barTop() const;
    int barEnd() const;

  signals:
    // The user moved the bar's end to this factor (already limited to the
    // accepted range and rounded to thousandths).
    void factorDragged(double factor);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void DragTo(int y);
    void Step(double by);
    void Report(double factor);
    void UpdateHeight();

    double ppi_ = 96;
    double factor_ = 1;
};

}  // namespace polygrav
