#include "geometry/Fillet.h"

#include <cmath>
#include <optional>

#include "model/Errors.h"

namespace polygrav {

namespace {

// A corner of a ring as the fillet sees it.
struct Corner {
    double ux = 0, uy = 0;  // unit direction of the edge arriving
    double wx = 0, wy = 0;  // unit direction of the edge leaving
    double turn = 0;        // signed turning angle; positive at a convex corner
    double radius = 0;      // the fillet asked for
    double tangent = 0;     // distance from the corner to each tangent point
};

// Two lengths that differ by less than this are taken as equal, so that a
// fillet may use up its edge exactly.
constexpr double kLengthSlack = 1e-9;

double Length(const TStarPoint& a, const TStarPoint& b) {
    return std::hypot(b.X - a.X, b.Y - a.Y);
}

std::vector<Corner> CornersOf(const PointRing& ring, double cornerRadius, double valleyRadius) {
    const std::size_t m = ring.size();
    std::vector<Corner> corners(m);
    for (std::size_t i = 0; i < m; ++i) {
        const TStarPoint& prev = ring[(i + m - 1) % m];
        const TStarPoint& p = ring[i];
        const TStarPoint& next = ring[(i + 1) % m];
        Corner& c = corners[i];
        const double lin = Length(prev, p);
        const double lout = Length(p, next);
        c.ux = (p.X - prev.X) / lin;
        c.uy = (p.Y - prev.Y) / lin;
        c.wx = (next.X - p.X) / lout;
        c.wy = (next.Y - p.Y) / lout;
        // The region lies to the left of travel in the ring's own axes, so
        // a positive turn goes round the region: a convex corner.
        c.turn = std::atan2(c.ux * c.wy - c.uy * c.wx, c.ux * c.wx + c.uy * c.wy);
        c.radius = c.turn > 0 ? cornerRadius : valleyRadius;
        // A corner that does not turn needs no fillet.
        const bool turns = std::fabs(c.turn) > 1e-9;
        c.tangent = c.radius > 0 && turns ? c.radius * std::tan(std::fabs(c.turn) / 2) : 0;
    }
    return corners;
}

// The largest radius at corner i that leaves its neighbours' fillets room on
// both edges.
double LargestFittingRadius(const PointRing& ring, const std::vector<Corner>& corners,
                            std::size_t i) {
    const std::size_t m = ring.size();
    const std::size_t prev = (i + m - 1) % m;
    const std::size_t next = (i + 1) % m;
    const double roomIn = Length(ring[prev], ring[i]) - corners[prev].tangent;
    const double roomOut = Length(ring[i], ring[next]) - corners[next].tangent;
    const double room = std::fmax(0.0, std::fmin(roomIn, roomOut));
    return room / std::tan(std::fabs(corners[i].turn) / 2);
}

struct Misfit {
    double radius;
    double largest;
    bool convex;
};

// The corner that does not fit and has the most room, so that the message
// names a radius the user can reach by changing this one value.
std::optional<Misfit> FindMisfit(const PointRing& ring, const std::vector<Corner>& corners) {
    const std::size_t m = ring.size();
    std::optional<Misfit> worst;
    for (std::size_t i = 0; i < m; ++i) {
        const std::size_t next = (i + 1) % m;
        if (corners[i].tangent + corners[next].tangent <=
            Length(ring[i], ring[next]) + kLengthSlack) {
            continue;
        }
        for (const std::size_t j : {i, next}) {
            if (corners[j].tangent == 0) continue;
            const double largest = LargestFittingRadius(ring, corners, j);
            if (largest >= corners[j].radius) continue;
            if (!worst || largest > worst->largest) {
                worst = Misfit{corners[j].radius, largest, corners[j].turn > 0};
            }
        }
    }
    return worst;
}

[[noreturn]] void RefuseMisfit(const Misfit& misfit) {
    // Rounded down at the fourth decimal, so that the named radius fits.
    const double largest = std::floor(misfit.largest * 1e4) / 1e4;
    throw EPartError(misfit.convex ? CornerRadiusTooLargeMessage(misfit.radius, largest)
                                   : ValleyRadiusTooLargeMessage(misfit.radius, largest));
}

Contour FilletRing(const PointRing& ring, const std::vector<Corner>& corners) {
    const std::size_t m = ring.size();
    Contour contour;
    contour.reserve(m * 2);
    for (std::size_t i = 0; i < m; ++i) {
        const Corner& c = corners[i];
        const TStarPoint& p = ring[i];
        if (c.tangent == 0) {
            contour.push_back({p, 0});
            continue;
        }
        const TStarPoint from{p.X - c.ux * c.tangent, p.Y - c.uy * c.tangent};
        const TStarPoint to{p.X + c.wx * c.tangent, p.Y + c.wy * c.tangent};
        // A turn that is positive in the ring's axes is clockwise on the
        // page, where the bulge is negative.
        contour.push_back({from, -std::tan(c.turn / 4)});
        // The straight rest of the edge; none when the next fillet starts
        // where this one ends.
        const std::size_t next = (i + 1) % m;
        const double rest = Length(p, ring[next]) - c.tangent - corners[next].tangent;
        if (rest > kLengthSlack) contour.push_back({to, 0});
    }
    return contour;
}

}  // namespace

std::vector<Contour> FilletCorners(const std::vector<PointRing>& rings, double cornerRadius,
                                   double valleyRadius) {
    std::vector<std::vector<Corner>> cornersOfRings;
    cornersOfRings.reserve(rings.size());
    for (const PointRing& ring : rings) {
        cornersOfRings.push_back(CornersOf(ring, cornerRadius, valleyRadius));
        if (const auto misfit = FindMisfit(ring, cornersOfRings.back())) RefuseMisfit(*misfit);
    }
    std::vector<Contour> contours;
    contours.reserve(rings.size());
    for (std::size_t r = 0; r < rings.size(); ++r) {
        contours.push_back(FilletRing(rings[r], cornersOfRings[r]));
    }
    return contours;
}

}  // namespace polygrav
