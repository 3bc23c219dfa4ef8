#pragma once

#include "export/ExportColor.h"
#include "model/Color.h"

namespace polygrav {

// The drawing colours of a DXF file: indices 1 to 255 of the AutoCAD Color
// Index. Index 7 is drawn black on a light background and white on a dark
// one.
inline constexpr int kFirstAci = 1;
inline constexpr int kLastAci = 255;

// The colour of an index from 1 to 255 (7 as white).
RgbColor AciColor(int index);

// The index whose colour is nearest to c (squared distance in RGB, the lower
// index on a tie). Index 7 stands for black as well as white, so black
// outlines stay black on paper. c is taken as the SVG shows it.
int NearestAci(TColor c);

}  // namespace polygrav
