#include "geometry/ContourMeasures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/Arc.h"

namespace polygrav {

namespace {

constexpr double kPi = std::numbers::pi;

const TStarPoint& NextCorner(const Contour& c, std::size_t i) {
    return c[(i + 1) % c.size()].at;
}

// Whether the angle t (radians) is passed by the arc, ends included.
bool ArcPasses(const ArcGeometry& arc, double t) {
    // The angle's distance along the sweep, in [0, 2π).
    double along = arc.sweep > 0 ? t - arc.startAngle : arc.startAngle - t;
    along = std::fmod(along, 2 * kPi);
    if (along < 0) along += 2 * kPi;
    return along <= std::fabs(arc.sweep);
}

}  // namespace

void Bounds::Add(const TStarPoint& p) {
    if (empty()) {
        minX = maxX = p.X;
        minY = maxY = p.Y;
        return;
    }
    minX = std::min(minX, p.X);
    maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
}

double SignedArea(const Contour& contour) {
    double twice = 0;
    double segments = 0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const TStarPoint& a = contour[i].at;
        const TStarPoint& b = NextCorner(contour, i);
        twice += a.X * b.Y - b.X * a.Y;
        const double bulge = contour[i].bulge;
        if (bulge != 0 && a != b) {
            // The circular segment between chord and arc, r²/2·(θ − sin θ),
            // lies outside the chord for an arc that turns with the
            // clockwise contour (negative bulge) and inside it otherwise.
            const ArcGeometry arc = ArcOfBulge(a, b, bulge);
            const double theta = std::fabs(arc.sweep);
            const double area = arc.radius * arc.radius / 2 * (theta - std::sin(theta));
            segments += bulge < 0 ? area : -area;
        }
    }
    return twice / 2 + segments;
}

double ContourLength(const Contour& contour) {
    double length = 0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const TStarPoint& a = contour[i].at;
        const TStarPoint& b = NextCorner(contour, i);
        if (contour[i].bulge != 0 && a != b) {
            const ArcGeometry arc = ArcOfBulge(a, b, contour[i].bulge);
            length += arc.radius * std::fabs(arc.sweep);
        } else {
            length += std::hypot(b.X - a.X, b.Y - a.Y);
        }
    }
    return length;
}

Bounds BoundsOf(const std::vector<Contour>& contours) {
    Bounds box;
    for (const Contour& contour : contours) {
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const TStarPoint& a = contour[i].at;
            box.Add(a);
            const TStarPoint& b = NextCorner(contour, i);
            if (contour[i].bulge == 0 || a == b) continue;
            const ArcGeometry arc = ArcOfBulge(a, b, contour[i].bulge);
            for (int quarter = 0; quarter < 4; ++quarter) {
                const double t = quarter * kPi / 2;
                if (ArcPasses(arc, t)) {
                    box.Add({arc.center.X + arc.radius * std::cos(t),
                             arc.center.Y + arc.radius * std::sin(t)});
                }
            }
        }
    }
    return box;
}

Contour Reversed(const Contour& contour) {
    const std::size_t m = contour.size();
    Contour reversed(m);
    for (std::size_t j = 0; j < m; ++j) {
        // Corner j of the reversed contour is corner m − 1 − j; its edge is
        // the edge that arrived there, run backwards.
        reversed[j].at = contour[m - 1 - j].at;
        reversed[j].bulge = -contour[(2 * m - 2 - j) % m].bulge;
    }
    return reversed;
}

PointRing Flattened(const Contour& contour, double tolerance) {
    PointRing ring;
    ring.reserve(contour.size());
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const TStarPoint& a = contour[i].at;
        ring.push_back(a);
        const TStarPoint& b = NextCorner(contour, i);
        if (contour[i].bulge == 0 || a == b) continue;
        const ArcGeometry arc = ArcOfBulge(a, b, contour[i].bulge);
        // A chord of angle φ has sagitta r·(1 − cos(φ/2)).
        const double ratio = std::clamp(1 - tolerance / arc.radius, -1.0, 1.0);
        const double step = std::max(2 * std::acos(ratio), 1e-4);
        const int pieces = static_cast<int>(std::ceil(std::fabs(arc.sweep) / step));
        for (int k = 1; k < pieces; ++k) {
            const double t = arc.startAngle + arc.sweep * k / pieces;
            ring.push_back(
                {arc.center.X + arc.radius * std::cos(t), arc.center.Y + arc.radius * std::sin(t)});
        }
    }
    return ring;
}

Contour ContourOf(const PointRing& ring) {
    Contour contour;
    contour.reserve(ring.size());
    for (const TStarPoint& p : ring) contour.push_back({p, 0});
    return contour;
}

}  // namespace polygrav
