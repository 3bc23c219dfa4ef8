#pragma once

#include <optional>
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

// What the radius box gives (SizeBy).
inline constexpr int kSizeByCircumradius = 0;
inline constexpr int kSizeByAcrossFlats = 1;  // of the polygon through the tips
inline constexpr int kSizeBySide = 2;         // of the polygon through the tips

// How an offset outline joins its edges (OffsetJoin).
inline constexpr int kRoundJoin = 0;
inline constexpr int kMitreJoin = 1;

// The settings of the figure as a part, each with the key of its name. At
// their defaults the figure is the design's, byte for byte. Values are kept
// as read; their ranges are checked when the figure is built.
struct PartSettings {
    int StarStep = 2;                  // k of the star {n/k}
    std::optional<double> InnerRatio;  // inner radius ÷ R; none: where the edges cross
    double Rotation = 0;               // degrees, clockwise on the page
    int SizeBy = kSizeByCircumradius;  // what the radius box gives
    double CornerRadius = 0;           // mm, fillet at convex corners
    double ValleyRadius = 0;           // mm, fillet at concave corners
    double Offset = 0;                 // mm, outline grown (+) or shrunk (-)
    int OffsetJoin = kRoundJoin;
    bool CutOutline = false;  // the boundary of the filled region instead of the figures

    bool operator==(const PartSettings&) const = default;
    bool IsDesign() const { return *this == PartSettings{}; }
};

// A snapshot of the settings as the window's controls hold them. The
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
    // The keys of the figure as a part.
    PartSettings Part{};

    bool operator==(const TStarSettings&) const = default;
};

}  // namespace polygrav
