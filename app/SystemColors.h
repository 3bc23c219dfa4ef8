#pragma once

#include <QColor>
#include <QPalette>

#include "model/Color.h"

namespace polygrav {

// The colour that c shows on the screen: an ordinary colour from its three
// low bytes, a system colour from the palette role that plays its part on
// this desktop (an index without one gives black).
QColor ResolveColor(TColor c, const QPalette& palette);

// The TColor of an ordinary colour, as the colour dialog gives it.
TColor ToTColor(const QColor& c);

}  // namespace polygrav
