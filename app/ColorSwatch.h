#pragma once

#include "app/ClickLabel.h"
#include "model/Color.h"

namespace polygrav {

// A label used as a colour swatch: it holds a TColor exactly as given (a
// system colour stays one) and fills its background with the colour that
// value shows on the screen. Setting the colour runs no handler.
class ColorSwatch : public ClickLabel {
    Q_OBJECT

  public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    TColor color() const { return color_; }
    void setColor(TColor c);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TColor color_ = clBlack;
};

}  // namespace polygrav
