#include "export/ArcSegments.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/Arc.h"

namespace polygrav {

std::vector<TStarPoint> ArcInnerPoints(const TStarPoint& a, const TStarPoint& b, double bulge,
                                       double maxError) {
    if (bulge == 0 || (a.X == b.X && a.Y == b.Y)) return {};
    const ArcGeometry arc = ArcOfBulge(a, b, bulge);

    // A segment over the angle t lies at most r·(1 − cos(t/2)) = 2r·sin²(t/4)
    // from its arc; this form keeps its precision for small angles.
    const double ratio = maxError / (2 * arc.radius);
    const double maxStep = ratio >= 1 ? 2 * std::numbers::pi : 4 * std::asin(std::sqrt(ratio));
    const double wanted = std::ceil(std::fabs(arc.sweep) / maxStep);
    const int segments = static_cast<int>(std::clamp(wanted, 1.0, double{kMaxArcSegments}));

    std::vector<TStarPoint> points;
    points.reserve(static_cast<std::size_t>(segments - 1));
    for (int i = 1; i < segments; ++i) {
        const double t = arc.startAngle + arc.sweep * i / segments;
        points.push_back(
            {arc.center.X + arc.radius * std::cos(t), arc.center.Y + arc.radius * std::sin(t)});
    }
    return points;
}

}  // namespace polygrav
