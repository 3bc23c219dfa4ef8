#include "geometry/Arc.h"

#include <cmath>

namespace polygrav {

ArcGeometry ArcOfBulge(const TStarPoint& a, const TStarPoint& b, double bulge) {
    const double dx = b.X - a.X;
    const double dy = b.Y - a.Y;
    const double chord = std::hypot(dx, dy);
    const double ux = dx / chord;
    const double uy = dy / chord;
    // The centre lies on the chord's perpendicular bisector, at this signed
    // distance (the usual bulge relation, with Y pointing down).
    const double k = chord / 2 * (1 - bulge * bulge) / (2 * bulge);
    ArcGeometry arc;
    arc.center = {(a.X + b.X) / 2 + uy * k, (a.Y + b.Y) / 2 - ux * k};
    arc.radius = chord * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    arc.startAngle = std::atan2(a.Y - arc.center.Y, a.X - arc.center.X);
    arc.sweep = -4 * std::atan(bulge);
    return arc;
}

double BulgeFromTangent(const TStarPoint& a, const TStarPoint& b, double tx, double ty) {
    // The arc's half angle is the angle between the tangent and the chord.
    // A counter-clockwise arc leaves a on the clockwise side of its chord as
    // seen on the page, where tangent × chord is negative (Y down).
    const double cx = b.X - a.X;
    const double cy = b.Y - a.Y;
    const double cross = tx * cy - ty * cx;
    const double dot = tx * cx + ty * cy;
    const double half = std::atan2(-cross, dot);
    return std::tan(half / 2);
}

}  // namespace polygrav
