#pragma once

#include "model/StarGeometry.h"

namespace polygrav {

// The circle of an edge given by its two ends and a non-zero bulge, in page
// coordinates (Y down). Angles are those of atan2(y − cy, x − cx), which grow
// clockwise as seen on the page: a point of the arc is
// (cx + r·cos t, cy + r·sin t) for t from startAngle to startAngle + sweep.
// A positive bulge (counter-clockwise on the page) has a negative sweep.
struct ArcGeometry {
    TStarPoint center;
    double radius = 0;
    double startAngle = 0;  // radians
    double sweep = 0;       // radians, |sweep| = 4·atan(|bulge|)
};

ArcGeometry ArcOfBulge(const TStarPoint& a, const TStarPoint& b, double bulge);

// The bulge of the arc from a to b that leaves a in the direction (tx, ty)
// (page coordinates); 0 when that direction runs along the chord.
double BulgeFromTangent(const TStarPoint& a, const TStarPoint& b, double tx, double ty);

}  // namespace polygrav
