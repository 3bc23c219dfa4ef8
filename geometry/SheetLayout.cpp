// The placement of a pattern on a sheet. The lattice is taken with a row
// vector as near to horizontal as its short vectors allow, so that the
// parts of one row lie in one band; the number of lattice points of a row
// inside a rectangle is then an interval's length, and a shift is scored
// without listing its parts.
#include "geometry/SheetLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "model/Errors.h"

namespace polygrav {

namespace {

// Shifts tried along each lattice vector.
constexpr int kShiftSamples = 24;
// A part that touches the margin to within this many mm is inside it.
constexpr double kTouchMm = 1e-9;

double Cross(TStarPoint a, TStarPoint b) {
    return a.X * b.Y - a.Y * b.X;
}
double Dot(TStarPoint a, TStarPoint b) {
    return a.X * b.X + a.Y * b.Y;
}
TStarPoint Add(TStarPoint a, TStarPoint b) {
    return {a.X + b.X, a.Y + b.Y};
}
TStarPoint Scaled(TStarPoint a, double s) {
    return {a.X * s, a.Y * s};
}
TStarPoint QuarterTurn(TStarPoint p) {
    return {-p.Y, p.X};
}

struct Rect {
    double minX, minY, maxX, maxY;
    bool empty() const { return minX > maxX || minY > maxY; }
};

// The lattice with w the most nearly horizontal of its short primitive
// vectors (pointing right) and z completing it, with w × z > 0.
struct Rows {
    TStarPoint w, z;
};

Rows RowsOf(const LatticeBasis& lattice) {
    int bestI = 1, bestJ = 0;
    double bestScore = std::numeric_limits<double>::infinity();
    double bestLength = std::numeric_limits<double>::infinity();
    for (int i = -4; i <= 4; ++i) {
        for (int j = -4; j <= 4; ++j) {
            if (std::gcd(i, j) != 1) continue;
            const TStarPoint w = Add(Scaled(lattice.u, i), Scaled(lattice.v, j));
            if (std::fabs(w.X) < 1e-12) continue;
            const double score = std::round(std::fabs(w.Y / w.X) * 1e9);
            const double length = std::hypot(w.X, w.Y);
            if (score < bestScore || (score == bestScore && length < bestLength)) {
                bestScore = score;
                bestLength = length;
                bestI = i;
                bestJ = j;
            }
        }
    }
    // Extended Euclid: k, l with i·l − j·k = 1.
    int k = 0, l = 0;
    for (int a = -8; a <= 8 && !(bestI * l - bestJ * k == 1); ++a) {
        for (int b = -8; b <= 8; ++b) {
            if (bestI * b - bestJ * a == 1) {
                k = a;
                l = b;
                break;
            }
        }
    }
    Rows rows{Add(Scaled(lattice.u, bestI), Scaled(lattice.v, bestJ)),
              Add(Scaled(lattice.u, k), Scaled(lattice.v, l))};
    if (rows.w.X < 0) rows.w = Scaled(rows.w, -1);
    rows.z = Add(rows.z, Scaled(rows.w, -std::round(Dot(rows.z, rows.w) / Dot(rows.w, rows.w))));
    if (Cross(rows.w, rows.z) < 0) rows.z = Scaled(rows.z, -1);
    return rows;
}

// The range of integers a with lo ≤ c + a·d ≤ hi.
void Narrow(double c, double d, double lo, double hi, double& first, double& last) {
    if (std::fabs(d) < 1e-12) {
        if (c < lo - kTouchMm || c > hi + kTouchMm) {
            first = 1;
            last = 0;
        }
        return;
    }
    double a = (lo - kTouchMm - c) / d;
    double b = (hi + kTouchMm - c) / d;
    if (a > b) std::swap(a, b);
    first = std::max(first, std::ceil(a));
    last = std::min(last, std::floor(b));
}

// Calls visit(b, a) for each lattice point origin + a·w + b·z inside the
// rectangle, row by row; returns how many there are.
template <typename Visit>
long long LatticePointsIn(const Rows& rows, TStarPoint origin, const Rect& rect, Visit&& visit) {
    if (rect.empty()) return 0;
    const double wl = std::hypot(rows.w.X, rows.w.Y);
    const double rowHeight = Cross(rows.w, rows.z) / wl;
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (const TStarPoint c :
         {TStarPoint{rect.minX, rect.minY}, TStarPoint{rect.maxX, rect.minY},
          TStarPoint{rect.minX, rect.maxY}, TStarPoint{rect.maxX, rect.maxY}}) {
        const double h = Cross(rows.w, {c.X - origin.X, c.Y - origin.Y}) / wl;
        lowest = std::min(lowest, h);
        highest = std::max(highest, h);
    }
    long long total = 0;
    const double firstRow = std::ceil((lowest - kTouchMm) / rowHeight);
    const double lastRow = std::floor((highest + kTouchMm) / rowHeight);
    for (double b = firstRow; b <= lastRow; ++b) {
        const TStarPoint start = Add(origin, Scaled(rows.z, b));
        double first = -std::numeric_limits<double>::infinity();
        double last = std::numeric_limits<double>::infinity();
        Narrow(start.X, rows.w.X, rect.minX, rect.maxX, first, last);
        Narrow(start.Y, rows.w.Y, rect.minY, rect.maxY, first, last);
        if (first > last) continue;
        total += static_cast<long long>(last - first) + 1;
        visit(b, first, last);
    }
    return total;
}

struct Oriented {
    Rows rows;
    std::vector<PatternPart> motif;
    std::vector<Rect> allowed;  // where each motif part's reference may lie
    bool quarter = false;
};

Oriented Orient(const NestingPattern& pattern, const SheetPart& part, const Rect& usable,
                bool quarter) {
    Oriented o;
    o.quarter = quarter;
    LatticeBasis lattice = pattern.lattice;
    if (quarter) lattice = {QuarterTurn(lattice.u), QuarterTurn(lattice.v)};
    o.rows = RowsOf(lattice);
    for (PatternPart p : pattern.motif) {
        const PlacedPart placed{{0, 0}, p.turned, quarter};
        if (quarter) p.offset = QuarterTurn(p.offset);
        Rect box{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                 -std::numeric_limits<double>::infinity(),
                 -std::numeric_limits<double>::infinity()};
        for (const TStarPoint c :
             {TStarPoint{part.minX, part.minY}, TStarPoint{part.maxX, part.minY},
              TStarPoint{part.minX, part.maxY}, TStarPoint{part.maxX, part.maxY}}) {
            const TStarPoint q = placed.Place(c);
            box.minX = std::min(box.minX, q.X);
            box.minY = std::min(box.minY, q.Y);
            box.maxX = std::max(box.maxX, q.X);
            box.maxY = std::max(box.maxY, q.Y);
        }
        o.allowed.push_back(
            {usable.minX - box.minX - p.offset.X, usable.minY - box.minY - p.offset.Y,
             usable.maxX - box.maxX - p.offset.X, usable.maxY - box.maxY - p.offset.Y});
        o.motif.push_back(p);
    }
    return o;
}

long long CountAt(const Oriented& o, TStarPoint shift) {
    long long total = 0;
    for (const Rect& rect : o.allowed)
        total += LatticePointsIn(o.rows, shift, rect, [](auto...) {});
    return total;
}

struct Placement {
    long long count = -1;
    TStarPoint shift;
};

Placement BestShift(const Oriented& o) {
    Placement best;
    auto consider = [&](TStarPoint shift) {
        const long long count = CountAt(o, shift);
        if (count > best.count) best = {count, shift};
    };
    // Shifts that put the first motif part on the allowed corner, then an
    // even spread over the cell.
    const Rect& first = o.allowed.front();
    consider({first.minX, first.maxY});
    consider({first.minX, first.minY});
    for (int i = 0; i < kShiftSamples; ++i) {
        for (int j = 0; j < kShiftSamples; ++j) {
            const TStarPoint s = Add(Scaled(o.rows.w, static_cast<double>(i) / kShiftSamples),
                                     Scaled(o.rows.z, static_cast<double>(j) / kShiftSamples));
            consider(Add({first.minX, first.minY}, s));
        }
    }
    return best;
}

}  // namespace

TStarPoint PlacedPart::Place(TStarPoint p) const {
    if (turned) p = {-p.X, -p.Y};
    if (quarter) p = QuarterTurn(p);
    return Add(at, p);
}

void CheckSheetRequest(const SheetRequest& r) {
    for (const auto& [key, side] : {std::pair{"Width", r.width}, std::pair{"Height", r.height}}) {
        if (!(side > 0 && side <= kMaxSheetSideMm))
            throw EPartError(SheetSideOutOfRangeMessage(key, side));
    }
    const double half = std::min(r.width, r.height) / 2;
    if (!(r.margin >= 0 && r.margin < half))
        throw EPartError(SheetMarginOutOfRangeMessage(r.margin, half));
    const double longest = std::max(r.width, r.height);
    if (!(r.gap >= 0 && r.gap <= longest))
        throw EPartError(SheetGapOutOfRangeMessage(r.gap, longest));
    if (r.count < 0)
        throw EPartError(
            SettingOutOfRangeMessage("Count", r.count, 0, static_cast<int>(kMaxSheetParts)));
}

SheetLayout LayOutSheet(const SheetRequest& request, const SheetPart& part,
                        const std::vector<NestingPattern>& patterns) {
    CheckSheetRequest(request);
    const Rect usable{request.margin, request.margin, request.width - request.margin,
                      request.height - request.margin};
    const double partW = part.maxX - part.minX;
    const double partH = part.maxY - part.minY;
    const bool fitsAsDrawn = partW <= usable.maxX - usable.minX + kTouchMm &&
                             partH <= usable.maxY - usable.minY + kTouchMm;
    const bool fitsTurned = partH <= usable.maxX - usable.minX + kTouchMm &&
                            partW <= usable.maxY - usable.minY + kTouchMm;
    if (!fitsAsDrawn && !fitsTurned) {
        const double m = 2 * request.margin;
        throw EPartError(SheetTooSmallMessage(request.width, request.height, partW + m, partH + m));
    }
    // A sheet that would hold far more parts than allowed is refused before
    // its rows are counted.
    if (!patterns.empty()) {
        const NestingPattern& densest = patterns.front();
        const double estimate = (usable.maxX - usable.minX) * (usable.maxY - usable.minY) /
                                densest.lattice.CellArea() *
                                static_cast<double>(densest.motif.size());
        if (estimate > 2.0 * kMaxSheetParts) {
            throw EPartError(SheetTooManyPartsMessage(std::llround(estimate), kMaxSheetParts));
        }
    }

    SheetLayout layout;
    Oriented chosen;
    Placement placement;
    double chosenDensity = -1;
    for (const NestingPattern& pattern : patterns) {
        const double density = pattern.Density(1);
        for (const bool quarter : {false, true}) {
            const Oriented o = Orient(pattern, part, usable, quarter);
            const Placement p = BestShift(o);
            if (p.count > placement.count ||
                (p.count == placement.count && density > chosenDensity)) {
                placement = p;
                chosen = o;
                chosenDensity = density;
                layout.pattern = pattern;
                layout.quarter = quarter;
            }
        }
    }
    layout.fit = placement.count;
    if (layout.fit > kMaxSheetParts)
        throw EPartError(SheetTooManyPartsMessage(layout.fit, kMaxSheetParts));
    if (request.count > layout.fit)
        throw EPartError(SheetCountTooLargeMessage(request.count, layout.fit));
    if (layout.quarter) {
        layout.pattern.lattice = {QuarterTurn(layout.pattern.lattice.u),
                                  QuarterTurn(layout.pattern.lattice.v)};
        for (PatternPart& p : layout.pattern.motif) p.offset = QuarterTurn(p.offset);
    }

    struct Entry {
        double row, x;
        PlacedPart part;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(layout.fit));
    for (size_t j = 0; j < chosen.motif.size(); ++j) {
        const PatternPart& m = chosen.motif[j];
        LatticePointsIn(chosen.rows, placement.shift, chosen.allowed[j],
                        [&](double b, double first, double last) {
                            for (double a = first; a <= last; ++a) {
                                const TStarPoint at =
                                    Add(Add(Add(placement.shift, Scaled(chosen.rows.z, b)),
                                            Scaled(chosen.rows.w, a)),
                                        m.offset);
                                entries.push_back({b, at.X, {at, m.turned, chosen.quarter}});
                            }
                        });
    }
    // Rows from the bottom of the page: the row vector z points down the
    // page, so the greatest row comes first.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.row != b.row ? a.row > b.row : a.x < b.x;
    });
    const size_t count = request.count > 0 ? static_cast<size_t>(request.count) : entries.size();
    for (size_t i = 0; i < count && i < entries.size(); ++i)
        layout.parts.push_back(entries[i].part);
    return layout;
}

}  // namespace polygrav
