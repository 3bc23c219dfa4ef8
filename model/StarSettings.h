#pragma once

#include <string>

#include "model/Color.h"

namespace polygrav {

// The star types of the radio group; -1 means that no item is selected.
inline constexpr int kNoStarType = -1;
inline constexpr int kStarOutline = 0;     // "星１": through outer and inner points
inline constexpr int kStarPolygon = 1;     // "星２": through every second vertex
inline constexpr int kRegularPolygon = 2;  // "正多角形"

inline constexpr int kMinStrokeWidth = 0;
inline constexpr int kMaxStrokeWidth = 400;

// A snapshot of the nine settings as the window's controls hold them. The
// point count and the radius stay the texts of their edit boxes; they are
// converted anew by every operation that needs them.
struct TStarSettings {
    std::string EdgeNumber = "5";
    std::string CircumRadius = "50";
    int StarType = kStarOutline;
    TColor FillColor = clRed;
    bool FillTransparent = false;
    TColor StrokeColor = clBlack;
    int StrokeWidth = 50;  // hundredths of a millimetre, 0 to 400
    bool View = true;
    bool FillRule = false;

    bool operator==(const TStarSettings&) const = default;
};

}  // namespace polygrav
