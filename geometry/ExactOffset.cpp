#include "geometry/ExactOffset.h"

#include <cmath>
#include <vector>

#include "geometry/Arc.h"

namespace polygrav {

namespace {

// Ends closer than this are the same point (mm).
constexpr double kSamePoint = 1e-9;

// A mitre longer than this many offset distances is left to the polyline
// offset, which squares it off.
constexpr double kMitreLimit = 1000;

struct Vec {
    double x = 0;
    double y = 0;
};

Vec Between(const TStarPoint& a, const TStarPoint& b) {
    return {b.X - a.X, b.Y - a.Y};
}
double Cross(const Vec& u, const Vec& v) {
    return u.x * v.y - u.y * v.x;
}
double Dot(const Vec& u, const Vec& v) {
    return u.x * v.x + u.y * v.y;
}
double Distance(const TStarPoint& a, const TStarPoint& b) {
    return std::hypot(b.X - a.X, b.Y - a.Y);
}
TStarPoint Moved(const TStarPoint& p, const Vec& v, double by) {
    return {p.X + v.x * by, p.Y + v.y * by};
}

// A straight piece or an arc of the outline being built. Arcs use the
// angles of ArcGeometry.
struct Piece {
    TStarPoint a;
    TStarPoint b;
    bool arc = false;
    TStarPoint center;
    double radius = 0;
    double startAngle = 0;
    double sweep = 0;
    Vec direction;  // a straight piece's direction before any trimming
    bool dropped = false;
};

Vec StartTangent(const Piece& p) {
    if (!p.arc) return p.direction;
    const double s = p.sweep > 0 ? 1 : -1;
    return {-std::sin(p.startAngle) * s, std::cos(p.startAngle) * s};
}

Vec EndTangent(const Piece& p) {
    if (!p.arc) return p.direction;
    const double t = p.startAngle + p.sweep;
    const double s = p.sweep > 0 ? 1 : -1;
    return {-std::sin(t) * s, std::cos(t) * s};
}

Piece StraightPiece(const TStarPoint& a, const TStarPoint& b) {
    Piece piece;
    piece.a = a;
    piece.b = b;
    const double length = Distance(a, b);
    piece.direction = {(b.X - a.X) / length, (b.Y - a.Y) / length};
    return piece;
}

Piece ArcPiece(const TStarPoint& center, double radius, double startAngle, double sweep) {
    Piece piece;
    piece.arc = true;
    piece.center = center;
    piece.radius = radius;
    piece.startAngle = startAngle;
    piece.sweep = sweep;
    piece.a = {center.X + radius * std::cos(startAngle), center.Y + radius * std::sin(startAngle)};
    const double end = startAngle + sweep;
    piece.b = {center.X + radius * std::cos(end), center.Y + radius * std::sin(end)};
    return piece;
}

// The edge from corner i of the contour moved by distance. The region lies
// to the left of travel, so its outward normal is the direction turned to
// the right: (dy, −dx).
Piece OffsetEdge(const Contour& contour, std::size_t i, double distance) {
    const TStarPoint& a = contour[i].at;
    const TStarPoint& b = contour[(i + 1) % contour.size()].at;
    if (contour[i].bulge == 0) {
        Piece line = StraightPiece(a, b);
        const Vec normal{line.direction.y, -line.direction.x};
        line.a = Moved(a, normal, distance);
        line.b = Moved(b, normal, distance);
        return line;
    }
    // An arc with a positive sweep turns round the region, and its outward
    // normal points away from the centre.
    const ArcGeometry arc = ArcOfBulge(a, b, contour[i].bulge);
    const double radius = arc.radius + (arc.sweep > 0 ? distance : -distance);
    Piece piece = ArcPiece(arc.center, std::fmax(radius, 0.0), arc.startAngle, arc.sweep);
    piece.dropped = radius <= kSamePoint;
    return piece;
}

// Where the lines of two straight pieces cross.
std::optional<TStarPoint> Crossing(const Piece& p, const Piece& q) {
    const double den = Cross(p.direction, q.direction);
    if (std::fabs(den) < 1e-12) return std::nullopt;
    const double along = Cross(Between(p.a, q.a), q.direction) / den;
    return Moved(p.a, p.direction, along);
}

double BulgeOfSweep(double sweep) {
    return -std::tan(sweep / 4);
}

}  // namespace

std::optional<Contour> ExactOffset(const Contour& contour, double distance, OffsetJoin join) {
    const std::size_t m = contour.size();
    std::vector<Piece> edges;
    edges.reserve(m);
    for (std::size_t i = 0; i < m; ++i) edges.push_back(OffsetEdge(contour, i, distance));

    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < m; ++i) {
        if (!edges[i].dropped) kept.push_back(i);
    }
    if (kept.empty()) return std::nullopt;

    // The joins that follow each kept edge.
    std::vector<std::vector<Piece>> joins(m);
    for (std::size_t k = 0; k < kept.size(); ++k) {
        Piece& from = edges[kept[k]];
        Piece& to = edges[kept[(k + 1) % kept.size()]];
        const bool adjacent = (kept[k] + 1) % m == kept[(k + 1) % kept.size()];
        if (adjacent && Distance(from.b, to.a) <= kSamePoint) {
            to.a = from.b;  // tangent edges stay tangent
            continue;
        }
        const Vec t1 = EndTangent(from);
        const Vec t2 = StartTangent(to);
        const double turn = std::atan2(Cross(t1, t2), Dot(t1, t2));
        if (adjacent && turn * distance > 0) {
            // The outline moves away from this corner and leaves a gap.
            const TStarPoint& corner = contour[(kept[k] + 1) % m].at;
            if (join == OffsetJoin::Round) {
                const double start = std::atan2(from.b.Y - corner.Y, from.b.X - corner.X);
                Piece arc = ArcPiece(corner, std::fabs(distance), start, turn);
                arc.a = from.b;
                arc.b = to.a;
                joins[kept[k]].push_back(arc);
                continue;
            }
            const double reach = std::fabs(distance) * std::tan(std::fabs(turn) / 2);
            if (reach > kMitreLimit * std::fabs(distance)) return std::nullopt;
            const TStarPoint mitre = Moved(from.b, t1, reach);
            if (from.arc) {
                joins[kept[k]].push_back(StraightPiece(from.b, mitre));
            } else {
                from.b = mitre;
            }
            if (to.arc) {
                joins[kept[k]].push_back(StraightPiece(mitre, to.a));
            } else {
                to.a = mitre;
            }
            continue;
        }
        // The edges overlap here, or an arc between them vanished: both are
        // cut back to the crossing of their lines.
        if (from.arc || to.arc) return std::nullopt;
        const auto crossing = Crossing(from, to);
        if (!crossing) return std::nullopt;
        from.b = *crossing;
        to.a = *crossing;
    }

    Contour result;
    for (const std::size_t i : kept) {
        const Piece& edge = edges[i];
        if (!edge.arc && Dot(Between(edge.a, edge.b), edge.direction) <= kSamePoint) {
            return std::nullopt;  // cut back beyond its other end
        }
        result.push_back({edge.a, edge.arc ? BulgeOfSweep(edge.sweep) : 0});
        for (const Piece& piece : joins[i]) {
            result.push_back({piece.a, piece.arc ? BulgeOfSweep(piece.sweep) : 0});
        }
    }
    return result;
}

}  // namespace polygrav
