#include "geometry/CutOutline.h"

#include <cmath>
#include <limits>
#include <optional>

#include "geometry/ClipperPaths.h"

namespace polygrav {

namespace {

// Clipper's corners lie within 0.00001 mm of the exact ones; a figure corner
// or edge this close is the one that Clipper found.
constexpr double kSnapDistance = 1e-4;

struct Segment {
    TStarPoint a;
    TStarPoint b;
};

double Cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

double Distance(const TStarPoint& p, const TStarPoint& q) {
    return std::hypot(p.X - q.X, p.Y - q.Y);
}

double DistanceToSegment(const TStarPoint& p, const Segment& s) {
    const double dx = s.b.X - s.a.X;
    const double dy = s.b.Y - s.a.Y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0) return Distance(p, s.a);
    double t = ((p.X - s.a.X) * dx + (p.Y - s.a.Y) * dy) / lengthSquared;
    t = std::fmax(0.0, std::fmin(1.0, t));
    return Distance(p, {s.a.X + t * dx, s.a.Y + t * dy});
}

// Where the lines through s and t cross; nothing when they are parallel.
std::optional<TStarPoint> LineCrossing(const Segment& s, const Segment& t) {
    const double d1x = s.b.X - s.a.X;
    const double d1y = s.b.Y - s.a.Y;
    const double d2x = t.b.X - t.a.X;
    const double d2y = t.b.Y - t.a.Y;
    const double den = Cross(d1x, d1y, d2x, d2y);
    if (std::fabs(den) <= 1e-12 * std::hypot(d1x, d1y) * std::hypot(d2x, d2y)) return std::nullopt;
    const double lambda = Cross(t.a.X - s.a.X, t.a.Y - s.a.Y, d2x, d2y) / den;
    return TStarPoint{s.a.X + d1x * lambda, s.a.Y + d1y * lambda};
}

// The exact point that Clipper's rounded corner q stands for: a figure
// corner, or else the crossing of the two figure edges nearest to it.
TStarPoint Snapped(const TStarPoint& q, const std::vector<PointRing>& figures,
                   const std::vector<Segment>& edges) {
    for (const PointRing& figure : figures) {
        for (const TStarPoint& corner : figure) {
            if (Distance(corner, q) <= kSnapDistance) return corner;
        }
    }
    std::vector<const Segment*> near;
    for (const Segment& edge : edges) {
        if (DistanceToSegment(q, edge) <= kSnapDistance) near.push_back(&edge);
    }
    TStarPoint best = q;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < near.size(); ++i) {
        for (std::size_t j = i + 1; j < near.size(); ++j) {
            const auto crossing = LineCrossing(*near[i], *near[j]);
            if (!crossing) continue;
            const double d = Distance(*crossing, q);
            if (d <= kSnapDistance && d < bestDistance) {
                best = *crossing;
                bestDistance = d;
            }
        }
    }
    return best;
}

// Drops repeated corners and corners on a straight run, which snapping can
// leave behind.
PointRing WithoutRedundantCorners(PointRing ring) {
    bool changed = true;
    while (changed && ring.size() >= 3) {
        changed = false;
        for (std::size_t i = 0; i < ring.size() && ring.size() >= 3; ++i) {
            const TStarPoint& prev = ring[(i + ring.size() - 1) % ring.size()];
            const TStarPoint& p = ring[i];
            const TStarPoint& next = ring[(i + 1) % ring.size()];
            const double ax = p.X - prev.X;
            const double ay = p.Y - prev.Y;
            const double bx = next.X - p.X;
            const double by = next.Y - p.Y;
            const bool repeated = Distance(p, prev) <= 1e-9;
            const bool straight = std::fabs(Cross(ax, ay, bx, by)) <=
                                      1e-12 * std::hypot(ax, ay) * std::hypot(bx, by) &&
                                  ax * bx + ay * by > 0;
            if (repeated || straight) {
                ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(i));
                changed = true;
            }
        }
    }
    if (ring.size() < 3) ring.clear();
    return ring;
}

}  // namespace

std::vector<PointRing> CutOutline(const std::vector<PointRing>& figures, bool evenOdd) {
    ClipperLib::Clipper clipper;
    // Strictly simple: rings that touch at a corner come out as separate
    // rings rather than as one ring through that corner twice.
    clipper.StrictlySimple(true);
    clipper.AddPaths(ToClipperPaths(figures), ClipperLib::ptSubject, true);
    const auto rule = evenOdd ? ClipperLib::pftEvenOdd : ClipperLib::pftNonZero;
    ClipperLib::Paths region;
    clipper.Execute(ClipperLib::ctUnion, region, rule, rule);
    ClipperLib::CleanPolygons(region);

    std::vector<Segment> edges;
    for (const PointRing& figure : figures) {
        for (std::size_t i = 0; i < figure.size(); ++i) {
            edges.push_back({figure[i], figure[(i + 1) % figure.size()]});
        }
    }
    std::vector<PointRing> rings;
    for (const ClipperLib::Path& path : region) {
        PointRing ring = FromClipperPath(path);
        for (TStarPoint& p : ring) p = Snapped(p, figures, edges);
        ring = WithoutRedundantCorners(std::move(ring));
        if (!ring.empty()) rings.push_back(std::move(ring));
    }
    return rings;
}

}  // namespace polygrav
