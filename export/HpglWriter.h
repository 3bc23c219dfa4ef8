#pragma once

#include <optional>
#include <string>

#include "geometry/Figure.h"

namespace polygrav {

// Plotter units per millimetre.
inline constexpr int kHpglUnitsPerMm = 40;

// The cutter's settings for an HPGL file.
struct HpglOptions {
    // mm: each closed contour goes on this far past its start, along its own
    // path, so that the blade closes the cut; 0 for none.
    double overcut = 0;
    // The picture turned left to right, for material cut from its back.
    bool mirror = false;
    // VS in cm/s; none: the cutter's own speed.
    std::optional<double> speed;
};

// Raises EExportError naming the key when an option cannot be used: an
// overcut below 0, a speed of 0 or below.
void CheckHpglOptions(const HpglOptions& options);

// The HPGL file that cuts the figure: IN; SP1; (VS), then each contour in
// cutting order (holes before the parts around them) as PU to its first
// corner and PD through the others, in whole plotter units (40 a mm), Y
// pointing up from the document's bottom-left corner; arcs as chords within
// 0.01 mm. The first corner is rounded once and ends the contour too, so a
// closed contour stays closed. Raises EExportError for options that cannot
// be used (an overcut longer than the shortest contour) or a figure that
// cannot be drawn.
std::string HpglFileOf(const Figure& figure, const HpglOptions& options = {});

}  // namespace polygrav
