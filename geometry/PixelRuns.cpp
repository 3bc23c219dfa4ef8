#include "geometry/PixelRuns.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "geometry/Arc.h"

namespace polygrav {

namespace {

struct Point {
    double x = 0;
    double y = 0;
};

using Ring = std::vector<Point>;

// A corner of a contour in device pixels.
Point Scaled(const PixelPoint& p, double scale) {
    return {p.x * scale, p.y * scale};
}

// Appends the chords of the arc from a to b, b excluded: as few as keep every
// chord within kRunArcTolerance of the arc.
void AppendArc(Ring& ring, const Point& a, const Point& b, double bulge) {
    const ArcGeometry arc = ArcOfBulge({a.x, a.y}, {b.x, b.y}, bulge);
    ring.push_back(a);
    const double cosine = 1 - kRunArcTolerance / arc.radius;
    const double step = cosine > -1 ? 2 * std::acos(cosine) : 2 * std::numbers::pi;
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(arc.sweep) / step)));
    for (int i = 1; i < pieces; ++i) {
        const double t = arc.startAngle + arc.sweep * i / pieces;
        ring.push_back(
            {arc.center.X + arc.radius * std::cos(t), arc.center.Y + arc.radius * std::sin(t)});
    }
}

// The contours with their arcs replaced by chords, in device pixels.
std::vector<Ring> Rings(const PreviewPicture& picture, double scale) {
    std::vector<Ring> rings;
    rings.reserve(picture.contours.size());
    for (const auto& contour : picture.contours) {
        Ring ring;
        ring.reserve(contour.size() * 2);
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const PixelVertex& v = contour[i];
            const PixelPoint& next = contour[(i + 1) % contour.size()].at;
            if (v.bulge != 0 && v.at != next) {
                AppendArc(ring, Scaled(v.at, scale), Scaled(next, scale), v.bulge);
            } else {
                ring.push_back(Scaled(v.at, scale));
            }
        }
        rings.push_back(std::move(ring));
    }
    return rings;
}

// Floor and ceiling of a value within a few bitmap sides of the bitmap,
// without the library's calls: a preview row takes several of them.
int FloorOf(double v) {
    const int i = static_cast<int>(v);
    return v < i ? i - 1 : i;
}

int CeilOf(double v) {
    const int i = static_cast<int>(v);
    return v > i ? i + 1 : i;
}

// The outline samples each pixel a hair up and left of its centre, as Qt's
// painter does in effect: a centre exactly on the line's top or left edge
// is outside it, on its bottom or right edge inside.
constexpr double kSampleNudge = 1e-7;

// Where pixel or row i is sampled.
double SampleAt(int i) {
    return i + 0.5 - kSampleNudge;
}

// The first pixel sampled at or right of x (or below, for rows).
int FirstSampleFrom(double x) {
    return CeilOf(x - 0.5 + kSampleNudge);
}

// The last pixel sampled at or left of x (or above, for rows).
int LastSampleUpTo(double x) {
    return FloorOf(x - 0.5 + kSampleNudge);
}

// Collects runs. A run that meets the latest run of its row joins it:
// consecutive segments of a contour overlap about their shared corner, and
// so many thin spikes would otherwise paint the same pixels over and over.
class RunCollector {
  public:
    explicit RunCollector(int side) : side_(side), latest_(static_cast<std::size_t>(side), -1) {}

    // Adds the pixels of row y sampled in [lo, hi], clipped to the bitmap.
    void AddClosed(int y, double lo, double hi) {
        const int x0 = FirstSampleFrom(std::clamp(lo, 0.0, double(side_)));
        const int x1 = LastSampleUpTo(std::clamp(hi, 0.0, double(side_))) + 1;
        if (x0 >= x1) {
            return;
        }
        int& latest = latest_[static_cast<std::size_t>(y)];
        if (latest >= 0) {
            PixelRun& run = runs_[static_cast<std::size_t>(latest)];
            if (x0 <= run.x1 && x1 >= run.x0) {
                run.x0 = std::min(run.x0, x0);
                run.x1 = std::max(run.x1, x1);
                return;
            }
        }
        latest = static_cast<int>(runs_.size());
        runs_.push_back({y, x0, x1});
    }

    std::vector<PixelRun> Take() { return std::move(runs_); }

  private:
    int side_;
    std::vector<int> latest_;
    std::vector<PixelRun> runs_;
};

// The rows of the bitmap sampled in [lo, hi].
struct RowRange {
    int first = 0;
    int last = -1;
};

RowRange RowsWithin(double lo, double hi, int side) {
    return {FirstSampleFrom(std::clamp(lo, 0.0, double(side))),
            LastSampleUpTo(std::clamp(hi, 0.0, double(side)))};
}

// Widens [lo, hi] to hold the points of the row y that lie within r of c.
void WidenByDisc(const Point& c, double r, double y, double& lo, double& hi) {
    const double dy = y - c.y;
    if (std::abs(dy) <= r) {
        const double half = std::sqrt(r * r - dy * dy);
        lo = std::min(lo, c.x - half);
        hi = std::max(hi, c.x + half);
    }
}

// Where a row crosses the band of half-width r along a segment, square at
// its ends: both bounds are linear in the row's height, so each row costs a
// few multiplications.
class BandCrossing {
  public:
    BandCrossing(const Point& p, const Point& q, double r) : p_(p), r_(r) {
        const double dx = q.x - p.x;
        const double dy = q.y - p.y;
        length_ = std::hypot(dx, dy);
        if (length_ == 0) {
            return;
        }
        ux_ = dx / length_;
        uy_ = dy / length_;
        // Across the segment: |(x − p.x)·uy − (y − p.y)·ux| ≤ r.
        if (std::abs(uy_) > kFlat) {
            acrossSlope_ = ux_ / uy_;
            acrossHalf_ = r / std::abs(uy_);
        }
        // Along it: 0 ≤ (x − p.x)·ux + (y − p.y)·uy ≤ length.
        if (std::abs(ux_) > kFlat) {
            alongSlope_ = -uy_ / ux_;
            alongFrom_ = std::min(0.0, length_ / ux_);
            alongTo_ = std::max(0.0, length_ / ux_);
        }
    }

    // Widens [lo, hi] by the band's points on the row at height y.
    void Widen(double y, double& lo, double& hi) const {
        if (length_ == 0) {
            return;
        }
        const double ry = y - p_.y;
        double from = -HUGE_VAL;
        double to = HUGE_VAL;
        if (std::abs(uy_) > kFlat) {
            const double centre = ry * acrossSlope_;
            from = centre - acrossHalf_;
            to = centre + acrossHalf_;
        } else if (std::abs(ry) > r_) {
            return;
        }
        if (std::abs(ux_) > kFlat) {
            const double start = ry * alongSlope_;
            from = std::max(from, start + alongFrom_);
            to = std::min(to, start + alongTo_);
        } else if (ry * uy_ < 0 || ry * uy_ > length_) {
            return;
        }
        if (from <= to) {
            lo = std::min(lo, p_.x + from);
            hi = std::max(hi, p_.x + to);
        }
    }

  private:
    // A direction closer than this to an axis runs along it.
    static constexpr double kFlat = 1e-9;

    Point p_;
    double r_ = 0;
    double length_ = 0;
    double ux_ = 0;
    double uy_ = 0;
    double acrossSlope_ = 0;
    double acrossHalf_ = 0;
    double alongSlope_ = 0;
    double alongFrom_ = 0;
    double alongTo_ = 0;
};

// The runs of the points within r of the segment from p to q: a band along
// it, rounded by the discs at its ends. The shape is convex, so each row
// holds one run.
void AddCapsule(RunCollector& runs, const Point& p, const Point& q, double r, int side) {
    const BandCrossing band(p, q, r);
    const RowRange rows = RowsWithin(std::min(p.y, q.y) - r, std::max(p.y, q.y) + r, side);
    for (int row = rows.first; row <= rows.last; ++row) {
        const double y = SampleAt(row);
        double lo = HUGE_VAL;
        double hi = -HUGE_VAL;
        WidenByDisc(p, r, y, lo, hi);
        WidenByDisc(q, r, y, lo, hi);
        band.Widen(y, lo, hi);
        if (lo <= hi) {
            runs.AddClosed(row, lo, hi);
        }
    }
}

// Narrows [lo, hi] on the row dy below c to the side of the line through c
// along (ux, uy) where sense · ((x − cx)·(−uy) + dy·ux) ≥ 0; false when
// nothing of the row is left.
bool KeepSide(double ux, double uy, double sense, const Point& c, double dy, double& lo,
              double& hi) {
    const double a = -sense * uy;
    const double b = sense * ux * dy;
    if (a > 0) {
        lo = std::max(lo, c.x - b / a);
    } else if (a < 0) {
        hi = std::min(hi, c.x - b / a);
    } else if (b < 0) {
        return false;
    }
    return lo <= hi;
}

// The runs of the sector of radius reach about c from the angle from over
// sweep, at most a half turn either way.
void AddSector(RunCollector& runs, const Point& c, double reach, double from, double sweep,
               int side) {
    if (sweep < 0) {
        from += sweep;
        sweep = -sweep;
    }
    const double ux0 = std::cos(from);
    const double uy0 = std::sin(from);
    const double ux1 = std::cos(from + sweep);
    const double uy1 = std::sin(from + sweep);
    const RowRange rows = RowsWithin(c.y - reach, c.y + reach, side);
    for (int row = rows.first; row <= rows.last; ++row) {
        const double dy = SampleAt(row) - c.y;
        const double half = std::sqrt(std::max(0.0, reach * reach - dy * dy));
        double lo = c.x - half;
        double hi = c.x + half;
        // Turned from the first ray by at most a half turn, and not past the
        // second.
        if (KeepSide(ux0, uy0, 1, c, dy, lo, hi) && KeepSide(ux1, uy1, -1, c, dy, lo, hi)) {
            runs.AddClosed(row, lo, hi);
        }
    }
}

// The points within r of an arc whose radius is at most r, but for those
// nearer one of its ends than any other point of it: those lie in the discs
// about the ends. Its centre is within r of every point of the arc, so they
// form the sector of radius + r over the arc's angle.
void AddSmallArc(RunCollector& runs, const ArcGeometry& arc, double r, int side) {
    const Point c{arc.center.X, arc.center.Y};
    const double reach = arc.radius + r;
    if (std::abs(arc.sweep) <= std::numbers::pi) {
        AddSector(runs, c, reach, arc.startAngle, arc.sweep, side);
    } else {
        AddSector(runs, c, reach, arc.startAngle, arc.sweep / 2, side);
        AddSector(runs, c, reach, arc.startAngle + arc.sweep / 2, arc.sweep / 2, side);
    }
}

// An edge as Qt's painter scans it without smoothing, so that fills agree
// pixel for pixel: ends in 1/64 pixel, the crossing of each row's centre in
// 1/65536 pixel and half a pixel ahead, so that its whole part is the first
// pixel right of the edge.
struct ScanEdge {
    int top = 0;
    int bottom = -1;
    std::int64_t x = 0;
    std::int64_t step = 0;
};

std::int64_t ToSixtyFourths(double v) {
    return std::llround(v * 64);
}

ScanEdge ScanEdgeOf(const Point& p, const Point& q, int side) {
    std::int64_t ax = ToSixtyFourths(p.x);
    std::int64_t ay = ToSixtyFourths(p.y);
    std::int64_t bx = ToSixtyFourths(q.x);
    std::int64_t by = ToSixtyFourths(q.y);
    if (ay > by) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    ScanEdge e;
    // The rows whose centres lie below the top end, down to the bottom end.
    e.top = static_cast<int>(std::max<std::int64_t>(0, (ay + 32) >> 6));
    e.bottom = static_cast<int>(std::min<std::int64_t>(side - 1, (by - 32) >> 6));
    if (e.top > e.bottom) {
        return e;
    }
    e.x = 32768 + ax * 1024;
    if (bx != ax) {
        const double slope = double(bx - ax) / double(by - ay);
        e.step = static_cast<std::int64_t>(slope * 65536);
        e.x += static_cast<std::int64_t>((e.top + 0.5 - double(ay) / 64) * slope * 65536);
    }
    return e;
}

}  // namespace

std::vector<PixelRun> FillRuns(const PreviewPicture& picture, double scale) {
    const int side = ScaledSide(picture.side, scale);
    std::vector<ScanEdge> edges;
    for (const Ring& ring : Rings(picture, scale)) {
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const ScanEdge e = ScanEdgeOf(ring[i], ring[(i + 1) % ring.size()], side);
            if (e.top <= e.bottom) {
                edges.push_back(e);
            }
        }
    }

    // The crossings of all rows share one array: counted first, then placed.
    std::vector<int> start(static_cast<std::size_t>(side) + 1, 0);
    for (const ScanEdge& e : edges) {
        for (int y = e.top; y <= e.bottom; ++y) {
            ++start[static_cast<std::size_t>(y) + 1];
        }
    }
    for (std::size_t y = 1; y < start.size(); ++y) {
        start[y] += start[y - 1];
    }
    std::vector<int> crossings(static_cast<std::size_t>(start.back()));
    std::vector<int> next(start.begin(), start.end() - 1);
    for (const ScanEdge& e : edges) {
        std::int64_t x = e.x;
        for (int y = e.top; y <= e.bottom; ++y, x += e.step) {
            crossings[static_cast<std::size_t>(next[static_cast<std::size_t>(y)]++)] =
                static_cast<int>(x >> 16);
        }
    }

    std::vector<PixelRun> runs;
    runs.reserve(crossings.size() / 2);
    for (int y = 0; y < side; ++y) {
        const auto first = crossings.begin() + start[static_cast<std::size_t>(y)];
        const auto last = crossings.begin() + start[static_cast<std::size_t>(y) + 1];
        std::sort(first, last);
        for (auto it = first; it + 1 < last; it += 2) {
            const int x0 = std::max(0, *it);
            const int x1 = std::min(side, *(it + 1));
            if (x0 < x1) {
                runs.push_back({y, x0, x1});
            }
        }
    }
    return runs;
}

std::vector<PixelRun> StrokeRuns(const PreviewPicture& picture, double scale) {
    const int side = ScaledSide(picture.side, scale);
    const double r = picture.penWidth * scale / 2;
    RunCollector runs(side);
    for (const auto& contour : picture.contours) {
        const auto isArc = [&contour](std::size_t i) {
            return contour[i].bulge != 0 && contour[i].at != contour[(i + 1) % contour.size()].at;
        };
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const std::size_t next = (i + 1) % contour.size();
            const Point a = Scaled(contour[i].at, scale);
            const Point b = Scaled(contour[next].at, scale);
            if (!isArc(i)) {
                AddCapsule(runs, a, b, r, side);
                continue;
            }
            const ArcGeometry arc = ArcOfBulge({a.x, a.y}, {b.x, b.y}, contour[i].bulge);
            if (arc.radius > r) {
                Ring chords;
                AppendArc(chords, a, b, contour[i].bulge);
                chords.push_back(b);
                for (std::size_t k = 0; k + 1 < chords.size(); ++k) {
                    AddCapsule(runs, chords[k], chords[k + 1], r, side);
                }
                continue;
            }
            AddSmallArc(runs, arc, r, side);
            // The disc about the arc's end, unless the next edge's band
            // rounds it; the previous edge always holds the start's.
            if (isArc(next)) {
                AddCapsule(runs, b, b, r, side);
            }
        }
    }
    return runs.Take();
}

int ScaledSide(int side, double scale) {
    return static_cast<int>(std::lround(side * scale));
}

}  // namespace polygrav
