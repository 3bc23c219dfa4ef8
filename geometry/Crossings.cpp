#include "geometry/Crossings.h"

#include <algorithm>
#include <cmath>

namespace polygrav {

namespace {

// A point closer than this to a line counts as on it (mm).
constexpr double kOnLine = 1e-10;

struct Edge {
    TStarPoint a;
    TStarPoint b;
    double minX, maxX, minY, maxY;
};

// The signed distance of c from the line through a and b, times |b − a|.
double Side(const TStarPoint& a, const TStarPoint& b, const TStarPoint& c) {
    return (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X);
}

int SideSign(const TStarPoint& a, const TStarPoint& b, const TStarPoint& c) {
    const double side = Side(a, b, c);
    const double tolerance = kOnLine * std::hypot(b.X - a.X, b.Y - a.Y);
    return side > tolerance ? 1 : (side < -tolerance ? -1 : 0);
}

bool Conflict(const Edge& e, const Edge& f) {
    const int c = SideSign(e.a, e.b, f.a);
    const int d = SideSign(e.a, e.b, f.b);
    const int a = SideSign(f.a, f.b, e.a);
    const int b = SideSign(f.a, f.b, e.b);
    if (c * d < 0 && a * b < 0) return true;  // a proper crossing
    if (c != 0 || d != 0) return false;
    // Both on one line: they conflict when their stretches overlap.
    const double dx = e.b.X - e.a.X;
    const double dy = e.b.Y - e.a.Y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return false;
    auto along = [&](const TStarPoint& p) {
        return ((p.X - e.a.X) * dx + (p.Y - e.a.Y) * dy) / length;
    };
    const double lo = std::max(0.0, std::min(along(f.a), along(f.b)));
    const double hi = std::min(length, std::max(along(f.a), along(f.b)));
    return hi - lo > 1e-9;
}

}  // namespace

bool RingsCross(const std::vector<PointRing>& rings) {
    std::vector<Edge> edges;
    for (const PointRing& ring : rings) {
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const TStarPoint& a = ring[i];
            const TStarPoint& b = ring[(i + 1) % ring.size()];
            edges.push_back({a, b, std::min(a.X, b.X), std::max(a.X, b.X), std::min(a.Y, b.Y),
                             std::max(a.Y, b.Y)});
        }
    }
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

}  // namespace polygrav
