#include "geometry/Crossings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/Arc.h"

namespace polygrav {

namespace {

// A point closer than this to a line counts as on it (mm).
constexpr double kOnLine = 1e-10;
// A crossing closer than this to an end of an edge is where edges meet (mm).
constexpr double kAtEnd = 1e-7;

constexpr double kPi = std::numbers::pi;

struct Edge {
    TStarPoint a;
    TStarPoint b;
    bool arc = false;
    ArcGeometry circle;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

double Distance(const TStarPoint& p, const TStarPoint& q) {
    return std::hypot(p.X - q.X, p.Y - q.Y);
}

// The signed distance of c from the line through a and b, times |b − a|.
double Side(const TStarPoint& a, const TStarPoint& b, const TStarPoint& c) {
    return (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X);
}

int SideSign(const TStarPoint& a, const TStarPoint& b, const TStarPoint& c) {
    const double side = Side(a, b, c);
    const double tolerance = kOnLine * Distance(a, b);
    return side > tolerance ? 1 : (side < -tolerance ? -1 : 0);
}

bool StraightConflict(const Edge& e, const Edge& f) {
    const int c = SideSign(e.a, e.b, f.a);
    const int d = SideSign(e.a, e.b, f.b);
    const int a = SideSign(f.a, f.b, e.a);
    const int b = SideSign(f.a, f.b, e.b);
    if (c * d < 0 && a * b < 0) return true;  // a proper crossing
    if (c != 0 || d != 0) return false;
    // Both on one line: they conflict when their stretches overlap.
    const double length = Distance(e.a, e.b);
    if (length == 0) return false;
    auto along = [&](const TStarPoint& p) {
        return ((p.X - e.a.X) * (e.b.X - e.a.X) + (p.Y - e.a.Y) * (e.b.Y - e.a.Y)) / length;
    };
    const double lo = std::max(0.0, std::min(along(f.a), along(f.b)));
    const double hi = std::min(length, std::max(along(f.a), along(f.b)));
    return hi - lo > 1e-9;
}

bool NearAnEnd(const Edge& e, const TStarPoint& p) {
    return Distance(p, e.a) <= kAtEnd || Distance(p, e.b) <= kAtEnd;
}

// The angle t (radians) measured along the arc's sweep from its start, in
// [0, 2π).
double AlongArc(const ArcGeometry& arc, double t) {
    double along = arc.sweep > 0 ? t - arc.startAngle : arc.startAngle - t;
    along = std::fmod(along, 2 * kPi);
    return along < 0 ? along + 2 * kPi : along;
}

// Whether p, a point of the edge's line or circle, lies inside the edge.
bool Inside(const Edge& e, const TStarPoint& p) {
    if (NearAnEnd(e, p)) return false;
    if (!e.arc) {
        const double dx = e.b.X - e.a.X;
        const double dy = e.b.Y - e.a.Y;
        const double t = ((p.X - e.a.X) * dx + (p.Y - e.a.Y) * dy) / (dx * dx + dy * dy);
        return t > 0 && t < 1;
    }
    const double t = std::atan2(p.Y - e.circle.center.Y, p.X - e.circle.center.X);
    return AlongArc(e.circle, t) < std::fabs(e.circle.sweep);
}

bool StraightArcConflict(const Edge& line, const Edge& arc) {
    const double dx = line.b.X - line.a.X;
    const double dy = line.b.Y - line.a.Y;
    const double fx = line.a.X - arc.circle.center.X;
    const double fy = line.a.Y - arc.circle.center.Y;
    const double r = arc.circle.radius;
    const double A = dx * dx + dy * dy;
    const double B = 2 * (fx * dx + fy * dy);
    const double C = fx * fx + fy * fy - r * r;
    const double disc = B * B - 4 * A * C;
    // A line that only grazes the circle touches it.
    if (disc <= 1e-12 * A * r * r) return false;
    for (const double sign : {-1.0, 1.0}) {
        const double t = (-B + sign * std::sqrt(disc)) / (2 * A);
        const TStarPoint p{line.a.X + t * dx, line.a.Y + t * dy};
        if (Inside(line, p) && Inside(arc, p)) return true;
    }
    return false;
}

bool ArcArcConflict(const Edge& e, const Edge& f) {
    const TStarPoint& c1 = e.circle.center;
    const TStarPoint& c2 = f.circle.center;
    const double r1 = e.circle.radius;
    const double r2 = f.circle.radius;
    const double d = Distance(c1, c2);
    if (d <= kOnLine && std::fabs(r1 - r2) <= kOnLine) {
        // One circle: they conflict when either reaches into the other.
        const ArcGeometry& g = f.circle;
        const double middle = g.startAngle + g.sweep / 2;
        const TStarPoint m{c2.X + r2 * std::cos(middle), c2.Y + r2 * std::sin(middle)};
        return Inside(e, m) || Inside(e, f.a) || Inside(e, f.b) || Inside(f, e.a);
    }
    if (d >= r1 + r2 || d <= std::fabs(r1 - r2) || d == 0) return false;
    const double a = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
    const double h = std::sqrt(std::fmax(r1 * r1 - a * a, 0.0));
    const double ux = (c2.X - c1.X) / d;
    const double uy = (c2.Y - c1.Y) / d;
    for (const double sign : {-1.0, 1.0}) {
        const TStarPoint p{c1.X + a * ux - sign * h * uy, c1.Y + a * uy + sign * h * ux};
        if (Inside(e, p) && Inside(f, p)) return true;
    }
    return false;
}

bool Conflict(const Edge& e, const Edge& f) {
    if (!e.arc && !f.arc) return StraightConflict(e, f);
    if (!e.arc) return StraightArcConflict(e, f);
    if (!f.arc) return StraightArcConflict(f, e);
    return ArcArcConflict(e, f);
}

Edge StraightEdge(const TStarPoint& a, const TStarPoint& b) {
    return {a,
            b,
            false,
            {},
            std::min(a.X, b.X),
            std::max(a.X, b.X),
            std::min(a.Y, b.Y),
            std::max(a.Y, b.Y)};
}

bool AnyConflict(std::vector<Edge> edges) {
    // Sweep from left to right: only edges whose x ranges overlap can meet.
    std::sort(edges.begin(), edges.end(),
              [](const Edge& e, const Edge& f) { return e.minX < f.minX; });
    for (std::size_t i = 0; i < edges.size(); ++i) {
        for (std::size_t j = i + 1; j < edges.size() && edges[j].minX <= edges[i].maxX; ++j) {
            if (edges[j].minY > edges[i].maxY || edges[j].maxY < edges[i].minY) continue;
            if (Conflict(edges[i], edges[j])) return true;
        }
    }
    return false;
}

}  // namespace

bool RingsCross(const std::vector<PointRing>& rings) {
    std::vector<Edge> edges;
    for (const PointRing& ring : rings) {
        for (std::size_t i = 0; i < ring.size(); ++i) {
            edges.push_back(StraightEdge(ring[i], ring[(i + 1) % ring.size()]));
        }
    }
    return AnyConflict(std::move(edges));
}

bool ContoursCross(const std::vector<Contour>& contours) {
    std::vector<Edge> edges;
    for (const Contour& contour : contours) {
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const TStarPoint& a = contour[i].at;
            const TStarPoint& b = contour[(i + 1) % contour.size()].at;
            Edge edge = StraightEdge(a, b);
            if (contour[i].bulge != 0 && a != b) {
                // The circle's box holds the arc; arcs here are small.
                edge.arc = true;
                edge.circle = ArcOfBulge(a, b, contour[i].bulge);
                const double r = edge.circle.radius;
                edge.minX = edge.circle.center.X - r;
                edge.maxX = edge.circle.center.X + r;
                edge.minY = edge.circle.center.Y - r;
                edge.maxY = edge.circle.center.Y + r;
            }
            edges.push_back(edge);
        }
    }
    return AnyConflict(std::move(edges));
}

}  // namespace polygrav
