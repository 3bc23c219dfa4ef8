#include "geometry/Hole.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/ContourMeasures.h"
#include "geometry/SolidErrors.h"
#include "model/Errors.h"

namespace polygrav {

namespace {

// The outline as the chords the solid is made of, and a little finer, so
// that distances count the material that a mesh keeps.
struct Chords {
    std::vector<PointRing> rings;

    double DistanceTo(const TStarPoint& p) const {
        double best = std::numeric_limits<double>::infinity();
        for (const PointRing& ring : rings) {
            for (std::size_t i = 0; i < ring.size(); ++i) {
                const TStarPoint& a = ring[i];
                const TStarPoint& b = ring[(i + 1) % ring.size()];
                const double dx = b.X - a.X;
                const double dy = b.Y - a.Y;
                const double length2 = dx * dx + dy * dy;
                double t = length2 > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2 : 0;
                t = std::clamp(t, 0.0, 1.0);
                best = std::min(best, std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy)));
            }
        }
        return best;
    }

    // Inside by the even-odd count, which a region's boundary agrees with.
    bool Inside(const TStarPoint& p) const {
        bool inside = false;
        for (const PointRing& ring : rings) {
            for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
                const TStarPoint& a = ring[i];
                const TStarPoint& b = ring[j];
                if ((a.Y > p.Y) != (b.Y > p.Y) &&
                    p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) {
                    inside = !inside;
                }
            }
        }
        return inside;
    }

    // The room a hole centred at p has, after the wall: its largest radius.
    double Room(const TStarPoint& p, double wall) const {
        return Inside(p) ? DistanceTo(p) - wall : -wall;
    }
};

}  // namespace

HolePlacement PlaceHole(const std::vector<Contour>& boundary, const TStarPoint& centre,
                        const SolidParameters& p) {
    Chords chords;
    for (const Contour& contour : boundary) {
        chords.rings.push_back(Flattened(contour, kSolidTolerance / 4));
    }
    // The tip: the highest point on the page (least Y); of a flat top, the
    // middle of its highest points.
    double top = std::numeric_limits<double>::infinity();
    for (const PointRing& ring : chords.rings) {
        for (const TStarPoint& q : ring) top = std::min(top, q.Y);
    }
    double left = std::numeric_limits<double>::infinity();
    double right = -left;
    for (const PointRing& ring : chords.rings) {
        for (const TStarPoint& q : ring) {
            if (q.Y <= top + 1e-9) {
                left = std::min(left, q.X);
                right = std::max(right, q.X);
            }
        }
    }
    const TStarPoint tip{(left + right) / 2, top};
    double dx = centre.X - tip.X;
    double dy = centre.Y - tip.Y;
    const double reach = std::hypot(dx, dy);
    if (reach > 0) {
        dx /= reach;
        dy /= reach;
    } else {
        dx = 0;
        dy = 1;
    }
    const auto at = [&](double t) { return TStarPoint{tip.X + dx * t, tip.Y + dy * t}; };
    // The material is kept beyond the flattening's deviation too.
    const double wall = p.wall + kSolidTolerance;
    const double radius = p.holeDiameter / 2;
    const auto misfit = [&](double largestRadius) {
        return EPartError(HoleTooLargeMessage(p.holeDiameter, std::max(0.0, 2 * largestRadius)));
    };

    if (p.holeInset > 0) {
        const double room = chords.Room(at(p.holeInset), wall);
        if (room < radius) throw misfit(room);
        return {at(p.holeInset), radius};
    }
    // The first point along the line with room enough, found on steps of
    // 0.05 mm and then by halving the step before it.
    constexpr double kStep = 0.05;
    double best = -wall;
    for (double t = kStep; t <= reach; t += kStep) {
        const double room = chords.Room(at(t), wall);
        best = std::max(best, room);
        if (room < radius) continue;
        double low = t - kStep;
        double high = t;
        for (int i = 0; i < 40; ++i) {
            const double mid = (low + high) / 2;
            (chords.Room(at(mid), wall) >= radius ? high : low) = mid;
        }
        return {at(high), radius};
    }
    throw misfit(best);
}

Contour HoleContour(const HolePlacement& hole) {
    // Two half circles through the left and right ends, each turning
    // clockwise on the page (a negative bulge).
    const TStarPoint left{hole.centre.X - hole.radius, hole.centre.Y};
    const TStarPoint right{hole.centre.X + hole.radius, hole.centre.Y};
    return {{left, -1}, {right, -1}};
}

Figure FigureWithHole(Figure figure, const SolidParameters& p) {
    if (p.cutter || p.holeDiameter <= 0) return figure;
    const double middle = figure.frameSide / 2;
    const HolePlacement hole = PlaceHole(figure.contours, {middle, middle}, p);
    figure.contours.push_back(HoleContour(hole));
    return figure;
}

}  // namespace polygrav
