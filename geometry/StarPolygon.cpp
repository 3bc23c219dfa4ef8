#include "geometry/StarPolygon.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include "model/Errors.h"

namespace polygrav {

namespace {

constexpr double kPi = std::numbers::pi;

// The point at distance r from the centre (R, R), in the direction of the
// top turned clockwise on the page by angle (radians).
TStarPoint AtAngle(double R, double r, double angle) {
    return {R + r * std::sin(angle), R - r * std::cos(angle)};
}

double RadiansOf(double degrees) {
    return degrees * kPi / 180;
}

}  // namespace

double CircumradiusOf(int n, double value, SizeBy sizeBy) {
    switch (sizeBy) {
        case SizeBy::AcrossFlats:
            return value / (2 * std::cos(kPi / n));
        case SizeBy::Side:
            return value / (2 * std::sin(kPi / n));
        case SizeBy::Circumradius:
            break;
    }
    return value;
}

int LargestStarStep(int n) {
    return (n - 1) / 2;
}

void CheckStarStep(int n, int k) {
    if (k == 2) return;
    if (k < 2 || k > LargestStarStep(n)) {
        throw EPartError(StarStepOutOfRangeMessage(k, std::max(2, LargestStarStep(n))));
    }
}

double CrossingRadius(int n, int k, double R) {
    return R * std::cos(kPi * k / n) / std::cos(kPi * (k - 1) / n);
}

std::vector<TStarPoint> TipPoints(int n, double R, double rotation) {
    const double turn = RadiansOf(rotation);
    std::vector<TStarPoint> tips;
    tips.reserve(static_cast<std::size_t>(n));
    for (int d = 0; d < n; ++d) tips.push_back(AtAngle(R, R, turn - 2 * kPi * d / n));
    return tips;
}

std::vector<TStarPoint> InnerPoints(int n, double R, double innerRadius, double rotation) {
    const double turn = RadiansOf(rotation);
    std::vector<TStarPoint> inner;
    inner.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        inner.push_back(AtAngle(R, innerRadius, turn - 2 * kPi * (i + 0.5) / n));
    }
    return inner;
}

std::vector<PointRing> TracedFigures(const PartParameters& p, double R) {
    const int n = p.n;
    std::vector<PointRing> figures;
    switch (p.starType) {
        case kStarOutline: {
            CheckStarStep(n, p.part.StarStep);
            double innerRadius = CrossingRadius(n, p.part.StarStep, R);
            if (p.part.InnerRatio) {
                const double ratio = *p.part.InnerRatio;
                if (!(ratio > 0 && ratio < 1)) throw EPartError(InnerRatioOutOfRangeMessage(ratio));
                innerRadius = ratio * R;
            }
            const auto tips = TipPoints(n, R, p.part.Rotation);
            const auto inner = InnerPoints(n, R, innerRadius, p.part.Rotation);
            PointRing ring;
            ring.reserve(tips.size() * 2);
            for (std::size_t i = 0; i < tips.size(); ++i) {
                ring.push_back(tips[i]);
                ring.push_back(inner[i]);
            }
            figures.push_back(std::move(ring));
            break;
        }
        case kStarPolygon: {
            CheckStarStep(n, p.part.StarStep);
            const auto tips = TipPoints(n, R, p.part.Rotation);
            // {n/k} falls into gcd(n, k) figures, each visiting every k-th tip
            // from its own first tip.
            const int parts = std::gcd(n, p.part.StarStep);
            for (int first = 0; first < parts; ++first) {
                PointRing ring;
                for (int j = 0; j < n / parts; ++j) {
                    ring.push_back(
                        tips[static_cast<std::size_t>((first + j * p.part.StarStep) % n)]);
                }
                figures.push_back(std::move(ring));
            }
            break;
        }
        case kRegularPolygon:
            figures.push_back(TipPoints(n, R, p.part.Rotation));
            break;
        default:
            break;  // no star type: nothing to trace
    }
    return figures;
}

}  // namespace polygrav
