#include "geometry/PolylineOffset.h"

#include <algorithm>
#include <cmath>

#include "geometry/Arc.h"
#include "geometry/ClipperPaths.h"
#include "geometry/ContourMeasures.h"
#include "geometry/OffsetWork.h"

namespace polygrav {

namespace {

// Clipper's time grows faster than the number of points; beyond this many
// the chords are made coarser rather than the preview made to wait.
constexpr std::size_t kMostPoints = 1000000;
constexpr std::size_t kMostPointsToSplit = 5000;

// A mitre longer than this many offset distances is rounded instead.
constexpr double kMitreLimit = 1000;

// Ends closer than this are the same point (mm).
constexpr double kSamePoint = 1e-9;

struct Direction {
    double x = 0;
    double y = 0;
};

// Appends the points of the circle about center with signed radius r from
// angle start over sweep, after the first, in chords within tolerance.
void AppendArc(PointRing& ring, const TStarPoint& center, double r, double start, double sweep,
               double tolerance) {
    const double ratio = std::clamp(1 - tolerance / std::fabs(r), -1.0, 1.0);
    const double step = std::max(2 * std::acos(ratio), 1e-4);
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / step)));
    for (int k = 1; k <= pieces; ++k) {
        const double t = start + sweep * k / pieces;
        ring.push_back({center.X + r * std::cos(t), center.Y + r * std::sin(t)});
    }
}

// The raw offset of one contour as a polyline: every edge moved by the
// distance, computed in floating point from the exact edges (an arc's
// radius may pass through zero and come out on the far side of its centre),
// joined where the edges part by an arc or a mitre, and through the old
// corner where they overlap. The loops this leaves wind the wrong way round
// and fall away when Clipper keeps the positively wound region.
PointRing RawOffset(const Contour& contour, double distance, OffsetJoin join, double tolerance) {
    const std::size_t m = contour.size();
    struct Offset {
        TStarPoint start, end;
        Direction startTangent, endTangent;
    };
    PointRing ring;
    std::vector<Offset> ends(m);
    std::vector<PointRing> bodies(m);
    for (std::size_t i = 0; i < m; ++i) {
        const TStarPoint& a = contour[i].at;
        const TStarPoint& b = contour[(i + 1) % m].at;
        Offset& o = ends[i];
        if (contour[i].bulge == 0 || a == b) {
            const double length = std::hypot(b.X - a.X, b.Y - a.Y);
            const Direction u =
                length > 0 ? Direction{(b.X - a.X) / length, (b.Y - a.Y) / length} : Direction{};
            o.start = {a.X + u.y * distance, a.Y - u.x * distance};
            o.end = {b.X + u.y * distance, b.Y - u.x * distance};
            o.startTangent = o.endTangent = u;
            bodies[i] = {o.start, o.end};
            continue;
        }
        const ArcGeometry arc = ArcOfBulge(a, b, contour[i].bulge);
        const double s = arc.sweep > 0 ? 1 : -1;
        const double r = arc.radius + s * distance;
        const double t0 = arc.startAngle;
        const double t1 = arc.startAngle + arc.sweep;
        o.start = {arc.center.X + r * std::cos(t0), arc.center.Y + r * std::sin(t0)};
        o.end = {arc.center.X + r * std::cos(t1), arc.center.Y + r * std::sin(t1)};
        o.startTangent = {-std::sin(t0) * s, std::cos(t0) * s};
        o.endTangent = {-std::sin(t1) * s, std::cos(t1) * s};
        bodies[i] = {o.start};
        if (std::fabs(r) > kSamePoint)
            AppendArc(bodies[i], arc.center, r, t0, arc.sweep, tolerance);
        bodies[i].back() = o.end;
    }
    for (std::size_t i = 0; i < m; ++i) {
        ring.insert(ring.end(), bodies[i].begin(), bodies[i].end());
        const Offset& from = ends[i];
        const Offset& to = ends[(i + 1) % m];
        const TStarPoint& corner = contour[(i + 1) % m].at;
        if (std::hypot(to.start.X - from.end.X, to.start.Y - from.end.Y) <= kSamePoint) continue;
        const Direction& t1 = from.endTangent;
        const Direction& t2 = to.startTangent;
        const double turn = std::atan2(t1.x * t2.y - t1.y * t2.x, t1.x * t2.x + t1.y * t2.y);
        if (turn * distance <= 0) {
            ring.push_back(corner);  // overlapping edges: a loop that winds the wrong way
            continue;
        }
        const double reach = std::fabs(distance) * std::tan(std::fabs(turn) / 2);
        if (join == OffsetJoin::Mitre && reach <= kMitreLimit * std::fabs(distance)) {
            ring.push_back({from.end.X + t1.x * reach, from.end.Y + t1.y * reach});
            continue;
        }
        const double start = std::atan2(from.end.Y - corner.Y, from.end.X - corner.X);
        AppendArc(ring, corner, std::fabs(distance), start, turn, tolerance);
        ring.pop_back();  // the next edge starts there
    }
    return ring;
}

ClipperLib::Paths United(const ClipperLib::Paths& paths, ClipperLib::PolyFillType rule) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(paths, ClipperLib::ptSubject, true);
    ClipperLib::Paths region;
    clipper.Execute(ClipperLib::ctUnion, region, rule, rule);
    return region;
}

std::size_t PointsIn(const ClipperLib::Paths& paths) {
    std::size_t points = 0;
    for (const ClipperLib::Path& path : paths) points += path.size();
    return points;
}

// The same region with rings that touch at a corner split there.
ClipperLib::Paths StrictlySimple(const ClipperLib::Paths& region) {
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(true);
    clipper.AddPaths(region, ClipperLib::ptSubject, true);
    ClipperLib::Paths simple;
    clipper.Execute(ClipperLib::ctUnion, simple, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    return simple;
}

// The union of the grown outlines of a region without holes. Each raw
// offset on its own winds round its outline grown, and the offset of the
// region is the union of those. Uniting neighbours first, in small groups
// and then pairwise, keeps Clipper's scan lines short: a star polygon's
// hundreds of separate cells, grown into each other, would otherwise take
// seconds.
ClipperLib::Paths UnionOfGrownOutlines(std::vector<PointRing> raw) {
    TStarPoint middle{0, 0};
    Bounds box;
    for (const PointRing& ring : raw) {
        for (const TStarPoint& p : ring) box.Add(p);
    }
    middle = {(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
    const auto angle = [&middle](const PointRing& ring) {
        return std::atan2(ring.front().Y - middle.Y, ring.front().X - middle.X);
    };
    std::sort(raw.begin(), raw.end(),
              [&angle](const PointRing& a, const PointRing& b) { return angle(a) < angle(b); });
    constexpr std::size_t kGroup = 8;
    std::vector<ClipperLib::Paths> parts;
    for (std::size_t i = 0; i < raw.size(); i += kGroup) {
        ClipperLib::Paths group;
        for (std::size_t j = i; j < std::min(raw.size(), i + kGroup); ++j) {
            group.push_back(ToClipperPath(raw[j]));
        }
        parts.push_back(United(group, ClipperLib::pftPositive));
    }
    while (parts.size() > 1) {
        std::vector<ClipperLib::Paths> merged;
        for (std::size_t i = 0; i < parts.size(); i += 2) {
            if (i + 1 == parts.size()) {
                merged.push_back(std::move(parts[i]));
                continue;
            }
            ClipperLib::Paths both = std::move(parts[i]);
            both.insert(both.end(), parts[i + 1].begin(), parts[i + 1].end());
            merged.push_back(United(both, ClipperLib::pftNonZero));
        }
        parts = std::move(merged);
    }
    return parts.empty() ? ClipperLib::Paths{} : std::move(parts[0]);
}

}  // namespace

std::vector<PointRing> PolylineOffset(const std::vector<Contour>& contours, double distance,
                                      OffsetJoin join) {
    // Growing is the safe direction for raw offsets. A shrinking region is
    // the complement grown: its contours run the other way round and a box
    // far outside closes it.
    const bool shrink = distance < 0;
    const double grow = std::fabs(distance);
    std::vector<Contour> sources;
    for (const Contour& contour : contours) {
        // An outline that shrinks away, or a hole that closes, is left out:
        // its raw offset would turn inside out and wind the wrong way.
        const bool vanishes = OffsetRemoves(BoundsOf({contour}), SignedArea(contour), distance);
        if (!vanishes) sources.push_back(shrink ? Reversed(contour) : contour);
    }

    double tolerance = kOffsetFlatteningMm;
    std::vector<PointRing> raw;
    for (int attempt = 0; attempt < 2; ++attempt) {
        raw.clear();
        std::size_t points = 0;
        for (const Contour& contour : sources) {
            raw.push_back(RawOffset(contour, grow, join, tolerance));
            points += raw.back().size();
        }
        if (points <= kMostPoints) break;
        // The chords' count grows as one over the square root of the
        // tolerance: coarsen them to stay within the budget.
        const double over = static_cast<double>(points) / kMostPoints;
        tolerance *= over * over;
    }

    ClipperLib::Clipper clipper;
    ClipperLib::Paths region;
    if (shrink) {
        Bounds box = BoundsOf(contours);
        const double margin = grow + 1;
        const PointRing outside = {{box.minX - margin, box.minY - margin},
                                   {box.maxX + margin, box.minY - margin},
                                   {box.maxX + margin, box.maxY + margin},
                                   {box.minX - margin, box.maxY + margin}};
        ClipperLib::Clipper complement;
        complement.AddPath(ToClipperPath(outside), ClipperLib::ptSubject, true);
        complement.AddPaths(ToClipperPaths(raw), ClipperLib::ptSubject, true);
        ClipperLib::Paths grown;
        complement.Execute(ClipperLib::ctUnion, grown, ClipperLib::pftPositive,
                           ClipperLib::pftPositive);
        clipper.AddPath(ToClipperPath(outside), ClipperLib::ptSubject, true);
        clipper.AddPaths(grown, ClipperLib::ptClip, true);
        clipper.Execute(ClipperLib::ctDifference, region, ClipperLib::pftNonZero,
                        ClipperLib::pftNonZero);
    } else if (std::all_of(contours.begin(), contours.end(),
                           [](const Contour& c) { return SignedArea(c) > 0; })) {
        region = UnionOfGrownOutlines(raw);
    } else {
        // What the raw offsets wind round positively is the offset region;
        // strictly simple, rings that touch at a corner come out separate.
        clipper.AddPaths(ToClipperPaths(raw), ClipperLib::ptSubject, true);
        clipper.Execute(ClipperLib::ctUnion, region, ClipperLib::pftPositive,
                        ClipperLib::pftPositive);
    }
    // Rings of an offset touch at a corner only by accident; splitting them
    // there costs Clipper time that grows with the square of a ring's size,
    // so only rings of modest size are split.
    if (PointsIn(region) <= kMostPointsToSplit) region = StrictlySimple(region);
    ClipperLib::CleanPolygons(region);

    std::vector<PointRing> rings;
    for (const ClipperLib::Path& path : region) {
        if (path.size() >= 3) rings.push_back(FromClipperPath(path));
    }
    return rings;
}

}  // namespace polygrav
