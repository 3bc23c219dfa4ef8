#pragma once

#include <optional>

#include "model/StarSettings.h"

namespace polygrav {

// What the size value of a part measures, on the regular polygon through the
// tips.
enum class SizeBy {
    Circumradius = 0,  // the radius R of the circle through the tips
    AcrossFlats = 1,   // the distance between opposite sides, 2·R·cos(π/n)
    Side = 2,          // the length of one side, 2·R·sin(π/n)
};

// How an offset outline turns round a corner that it moves away from.
enum class OffsetJoin {
    Round = 0,  // an arc of radius |offset| about the corner
    Mitre = 1,  // the offset edges run on to where they cross
};

// Everything that shapes a part: the point count, the size and the star
// type and fill rule of the design, and the part's own keys as the settings
// hold them (PartSettings, checked when the part is built). At the defaults
// the result is the design's traced figure.
struct PartParameters {
    int n = 5;                    // points or sides, 3 to 100
    double size = 50;             // mm, read as part.SizeBy says
    int starType = kStarOutline;  // kStarOutline, kStarPolygon, kRegularPolygon, kNoStarType
    bool evenOdd = false;         // the region is filled by the even-odd rule
    PartSettings part{};

    // What the size measures and how an offset joins, as the geometry's
    // types; part.SizeBy and part.OffsetJoin are checked first.
    SizeBy sizeBy() const { return static_cast<SizeBy>(part.SizeBy); }
    OffsetJoin offsetJoin() const { return static_cast<OffsetJoin>(part.OffsetJoin); }

    // Whether every parameter beyond n, the size as a radius, the star type
    // and the fill rule has its default: the design's own figure, which the
    // design's outline code draws.
    bool IsDesignFigure() const {
        return part.SizeBy == kSizeByCircumradius && part.StarStep == 2 && !part.InnerRatio &&
               part.Rotation == 0 && !NeedsCutOutline();
    }

    // Fillets and offsets work on the region's boundary, so they imply it.
    bool NeedsCutOutline() const {
        return part.CutOutline || part.CornerRadius != 0 || part.ValleyRadius != 0 ||
               part.Offset != 0;
    }
};

}  // namespace polygrav
