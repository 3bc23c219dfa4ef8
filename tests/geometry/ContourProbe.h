#pragma once

// Small readings of contours that several geometry tests share.

#include <cmath>
#include <vector>

#include "geometry/Arc.h"
#include "geometry/ContourMeasures.h"
#include "geometry/Crossings.h"
#include "geometry/Figure.h"

namespace polygrav::probe {

// One edge of a contour with its ends.
struct Edge {
    TStarPoint a;
    TStarPoint b;
    double bulge = 0;
};

inline std::vector<Edge> EdgesOf(const Contour& c) {
    std::vector<Edge> edges;
    for (std::size_t i = 0; i < c.size(); ++i) {
        edges.push_back({c[i].at, c[(i + 1) % c.size()].at, c[i].bulge});
    }
    return edges;
}

inline double Distance(const TStarPoint& p, const TStarPoint& q) {
    return std::hypot(p.X - q.X, p.Y - q.Y);
}

// The distance of p from the line through a and b.
inline double DistanceToLine(const TStarPoint& p, const TStarPoint& a, const TStarPoint& b) {
    return std::fabs((b.X - a.X) * (p.Y - a.Y) - (b.Y - a.Y) * (p.X - a.X)) / Distance(a, b);
}

inline bool Crosses(const std::vector<Contour>& contours) {
    std::vector<PointRing> rings;
    for (const Contour& c : contours) rings.push_back(Flattened(c, 1e-4));
    return RingsCross(rings);
}

inline double TotalArea(const std::vector<Contour>& contours) {
    double area = 0;
    for (const Contour& c : contours) area += SignedArea(c);
    return area;
}

}  // namespace polygrav::probe
