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

// Everything that shapes a part. At the defaults (with n, size and star type
// as the design gives them) the result is the design's traced figure.
struct PartParameters {
    int n = 5;         // points or sides, 3 to 100
    double size = 50;  // mm, read as sizeBy says
    SizeBy sizeBy = SizeBy::Circumradius;
    int starType = kStarOutline;       // kStarOutline, kStarPolygon, kRegularPolygon, kNoStarType
    int starStep = 2;                  // k of the star {n/k}; star types only
    std::optional<double> innerRatio;  // inner / outer radius of the star outline
    double rotation = 0;               // degrees, clockwise on the page about the centre
    double cornerRadius = 0;           // mm, fillet at every convex corner
    double valleyRadius = 0;           // mm, fillet at every concave corner
    double offset = 0;                 // mm, positive grows the outline
    OffsetJoin offsetJoin = OffsetJoin::Round;
    bool cutOutline = false;  // the boundary of the filled region instead of the figures
    bool evenOdd = false;     // the region is filled by the even-odd rule

    // Whether every parameter beyond n, the size as a radius, the star type
    // and the fill rule has its default: the design's own figure, traced
    // through the star's points by the design's outline code.
    bool IsDesignFigure() const {
        return sizeBy == SizeBy::Circumradius && starStep == 2 && !innerRatio && rotation == 0 &&
               !NeedsCutOutline();
    }

    // Fillets and offsets work on the region's boundary, so they imply it.
    bool NeedsCutOutline() const {
        return cutOutline || cornerRadius != 0 || valleyRadius != 0 || offset != 0;
    }
};

}  // namespace polygrav
