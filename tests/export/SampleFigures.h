#pragma once

#include "geometry/Figure.h"

namespace polygrav::test {

// Hand-made figures with arc edges, since the settings give straight edges
// only. Every arc has radius 5 mm and ends on whole millimetres, so that the
// SVG's four decimals state it exactly.

// Nine corners in a frame of 40 mm: arcs of both senses, a half circle, two
// arcs longer than a half circle, the closing edge an arc.
Figure RoundedFigure();

// A disc of radius 20 mm with a hole of radius 10 mm, each contour two half
// circles; even-odd fill, so the hole stays empty.
Figure RingFigure();

}  // namespace polygrav::test
