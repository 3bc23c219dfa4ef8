#include "geometry/OffsetWork.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/Arc.h"
#include "geometry/PolylineOffset.h"
#include "geometry/WorkBudget.h"

namespace polygrav {

namespace {

constexpr double kPi = std::numbers::pi;

// Clipper's work for one ring beyond its points: building its edges, its
// local minima and its output record, measured as points of the same cost.
constexpr double kPointsPerContour = 40;

double Wrapped(double angle) {
    angle = std::fmod(angle, 2 * kPi);
    if (angle > kPi) angle -= 2 * kPi;
    if (angle <= -kPi) angle += 2 * kPi;
    return angle;
}

// The turning of the contour at its corners and along its arcs, each
// counted by its size: a bound on the angles that the raw offset fills
// with arcs, whichever side the offset goes.
double Turning(const Contour& contour) {
    const std::size_t m = contour.size();
    std::vector<double> chord(m), sweep(m);
    double turning = 0;
    for (std::size_t i = 0; i < m; ++i) {
        const TStarPoint& a = contour[i].at;
        const TStarPoint& b = contour[(i + 1) % m].at;
        chord[i] = std::atan2(b.Y - a.Y, b.X - a.X);
        sweep[i] = contour[i].bulge == 0 ? 0 : 4 * std::atan(contour[i].bulge);
        turning += std::fabs(sweep[i]);
    }
    for (std::size_t i = 0; i < m; ++i) {
        const std::size_t before = (i + m - 1) % m;
        // A chord's tangent turns by half the arc's sweep at either end.
        turning +=
            std::fabs(Wrapped((chord[i] - sweep[i] / 2) - (chord[before] + sweep[before] / 2)));
    }
    return turning;
}

double LargestRadius(const Contour& contour) {
    double largest = 0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const TStarPoint& a = contour[i].at;
        const TStarPoint& b = contour[(i + 1) % contour.size()].at;
        if (contour[i].bulge != 0 && a != b) {
            largest = std::max(largest, ArcOfBulge(a, b, contour[i].bulge).radius);
        }
    }
    return largest;
}

// The angle one chord spans on a circle of radius r, as the polyline
// offset flattens it.
double ChordAngle(double r) {
    const double ratio = std::clamp(1 - kOffsetFlatteningMm / r, -1.0, 1.0);
    return std::max(2 * std::acos(ratio), 1e-4);
}

}  // namespace

OffsetWork::OffsetWork(const std::vector<Contour>& contours) {
    sources_.reserve(contours.size());
    for (const Contour& contour : contours) {
        sources_.push_back({BoundsOf({contour}), SignedArea(contour), contour.size(),
                            Turning(contour), LargestRadius(contour)});
    }
}

bool OffsetRemoves(const Bounds& box, double signedArea, double distance) {
    if ((signedArea > 0) == (distance > 0)) return false;
    const double r = std::fabs(distance);
    return box.width() <= 2 * r || box.height() <= 2 * r || std::fabs(signedArea) <= kPi * r * r;
}

double OffsetWork::Points(double distance) const {
    const double r = std::fabs(distance);
    double points = 0;
    for (const Source& source : sources_) {
        if (OffsetRemoves(source.box, source.area, distance)) continue;
        points += kPointsPerContour + 2.0 * static_cast<double>(source.vertices) +
                  source.turning / ChordAngle(r + source.largestRadius);
    }
    return points;
}

bool OffsetWork::PointsFit(double distance) const {
    return Points(distance) <= kBudgetOffsetPoints;
}

bool OffsetWork::OverlapsFit(double distance) const {
    std::vector<Bounds> kept;
    for (const Source& source : sources_) {
        if (!OffsetRemoves(source.box, source.area, distance)) kept.push_back(source.box);
    }
    // Too few rings to make too many pairs need no sweep.
    const double n = static_cast<double>(kept.size());
    if (n * (n - 1) / 2 <= static_cast<double>(kBudgetOverlappingRings)) return true;
    const OverlapCounter overlaps(std::move(kept));
    return overlaps.Pairs(std::fabs(distance), kBudgetOverlappingRings) <= kBudgetOverlappingRings;
}

}  // namespace polygrav
