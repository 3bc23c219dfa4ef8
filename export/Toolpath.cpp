#include "export/Toolpath.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "export/ArcSegments.h"
#include "geometry/Arc.h"
#include "geometry/ContourMeasures.h"

namespace polygrav {

namespace {

// The flattening used to decide whether a point lies inside a contour: far
// finer than any gap between two contours of a figure.
constexpr double kInsideTolerance = 0.001;

struct ContourInfo {
    Bounds bounds;
    double area = 0;  // absolute
    PointRing ring;
    int depth = 0;  // how many contours hold this one
};

// Non-zero winding number of the ring around p.
bool Inside(const PointRing& ring, const TStarPoint& p) {
    int winding = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const TStarPoint& a = ring[i];
        const TStarPoint& b = ring[(i + 1) % ring.size()];
        const double cross = (b.X - a.X) * (p.Y - a.Y) - (p.X - a.X) * (b.Y - a.Y);
        if (a.Y <= p.Y) {
            if (b.Y > p.Y && cross > 0) ++winding;
        } else if (b.Y <= p.Y && cross < 0) {
            --winding;
        }
    }
    return winding != 0;
}

bool BoxHolds(const Bounds& outer, const Bounds& inner) {
    return outer.minX <= inner.minX && outer.minY <= inner.minY && outer.maxX >= inner.maxX &&
           outer.maxY >= inner.maxY;
}

double Distance2(const TStarPoint& a, const TStarPoint& b) {
    return (a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y);
}

// Takes from `left` the contour whose first corner is nearest to `at`.
std::size_t TakeNearest(std::vector<std::size_t>& left, const std::vector<Contour>& contours,
                        const TStarPoint& at) {
    auto best = left.begin();
    double bestDistance = std::numeric_limits<double>::infinity();
    for (auto it = left.begin(); it != left.end(); ++it) {
        const double d = Distance2(contours[*it].front().at, at);
        if (d < bestDistance) {
            bestDistance = d;
            best = it;
        }
    }
    const std::size_t index = *best;
    left.erase(best);
    return index;
}

TStarPoint PagePoint(const MachineVertex& v) {
    return {v.x, -v.y};
}

}  // namespace

std::vector<std::size_t> CuttingOrder(const std::vector<Contour>& contours,
                                      const TStarPoint& from) {
    std::vector<ContourInfo> info(contours.size());
    for (std::size_t i = 0; i < contours.size(); ++i) {
        info[i].bounds = BoundsOf({contours[i]});
        info[i].area = std::fabs(SignedArea(contours[i]));
        info[i].ring = Flattened(contours[i], kInsideTolerance);
    }
    // The part of a contour is the outermost contour that holds it.
    std::vector<std::size_t> root(contours.size());
    std::vector<double> rootArea(contours.size(), -1);
    for (std::size_t i = 0; i < contours.size(); ++i) {
        root[i] = i;
        if (contours[i].empty()) continue;
        for (std::size_t j = 0; j < contours.size(); ++j) {
            if (j == i || contours[j].empty() || info[j].area <= info[i].area) continue;
            if (!BoxHolds(info[j].bounds, info[i].bounds)) continue;
            if (!Inside(info[j].ring, contours[i].front().at)) continue;
            ++info[i].depth;
            if (info[j].area > rootArea[i]) {
                rootArea[i] = info[j].area;
                root[i] = j;
            }
        }
    }

    std::vector<std::size_t> parts;
    std::vector<std::vector<std::size_t>> members(contours.size());
    for (std::size_t i = 0; i < contours.size(); ++i) {
        if (contours[i].empty()) continue;
        if (root[i] == i) parts.push_back(i);
        members[root[i]].push_back(i);
    }

    std::vector<std::size_t> order;
    order.reserve(contours.size());
    TStarPoint at = from;
    while (!parts.empty()) {
        // The part whose first contour to cut lies nearest: its deepest
        // contour nearest to here, or the part itself when it has no hole.
        std::size_t bestPart = 0;
        double bestDistance = std::numeric_limits<double>::infinity();
        for (std::size_t p = 0; p < parts.size(); ++p) {
            const std::vector<std::size_t>& m = members[parts[p]];
            int deepest = 0;
            for (std::size_t c : m) deepest = std::max(deepest, info[c].depth);
            for (std::size_t c : m) {
                if (info[c].depth != deepest) continue;
                const double d = Distance2(contours[c].front().at, at);
                if (d < bestDistance) {
                    bestDistance = d;
                    bestPart = p;
                }
            }
        }
        std::vector<std::size_t> left = members[parts[bestPart]];
        parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(bestPart));
        while (!left.empty()) {
            int deepest = 0;
            for (std::size_t c : left) deepest = std::max(deepest, info[c].depth);
            std::vector<std::size_t> level;
            for (std::size_t c : left) {
                if (info[c].depth == deepest) level.push_back(c);
            }
            std::erase_if(left, [&](std::size_t c) { return info[c].depth == deepest; });
            while (!level.empty()) {
                const std::size_t next = TakeNearest(level, contours, at);
                order.push_back(next);
                at = contours[next].front().at;
            }
        }
    }
    return order;
}

std::vector<MachineContour> MachineContoursOf(const Figure& figure, MachineOrigin origin,
                                              bool mirror) {
    const double side = figure.documentSide;
    const double shift = origin == MachineOrigin::Centre ? side / 2 : 0;
    const auto toMachine = [&](const ContourVertex& v) {
        const double x = v.at.X + figure.margin;
        const double y = side - (v.at.Y + figure.margin);
        return MachineVertex{(mirror ? side - x : x) - shift, y - shift,
                             mirror ? -v.bulge : v.bulge};
    };
    // The walk starts at the machine's origin, in the figure's frame.
    const TStarPoint from{(mirror ? side - shift : shift) - figure.margin,
                          side - shift - figure.margin};

    std::vector<MachineContour> result;
    for (const std::size_t index : CuttingOrder(figure.contours, from)) {
        MachineContour contour;
        contour.reserve(figure.contours[index].size());
        for (const ContourVertex& v : figure.contours[index]) contour.push_back(toMachine(v));
        result.push_back(std::move(contour));
    }
    return result;
}

// The machine's frame seen as a page (Y negated) shows the same picture, so
// the page's arc functions serve it with the bulge as it is.
MachineVertex ArcCentre(const MachineVertex& a, const MachineVertex& b) {
    const ArcGeometry arc = ArcOfBulge(PagePoint(a), PagePoint(b), a.bulge);
    return {arc.center.X, -arc.center.Y, 0};
}

std::vector<MachineVertex> ArcChordPoints(const MachineVertex& a, const MachineVertex& b,
                                          double maxError) {
    std::vector<MachineVertex> points;
    for (const TStarPoint& p : ArcInnerPoints(PagePoint(a), PagePoint(b), a.bulge, maxError)) {
        points.push_back({p.X, -p.Y, 0});
    }
    return points;
}

}  // namespace polygrav
