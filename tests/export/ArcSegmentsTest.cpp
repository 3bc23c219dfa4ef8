#include "export/ArcSegments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/Arc.h"

namespace polygrav {
namespace {

// The farthest a segment of the polyline a, inner..., b lies from the arc.
double ChordError(const TStarPoint& a, const TStarPoint& b, const std::vector<TStarPoint>& inner,
                  double radius) {
    std::vector<TStarPoint> run{a};
    run.insert(run.end(), inner.begin(), inner.end());
    run.push_back(b);
    double worst = 0;
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
        const double half = std::hypot(run[i + 1].X - run[i].X, run[i + 1].Y - run[i].Y) / 2;
        worst = std::max(worst, radius - std::sqrt(radius * radius - half * half));
    }
    return worst;
}

TEST(ArcSegmentsTest, StayWithinTheChordErrorOnTheArc) {
    struct Row {
        const char* name;
        TStarPoint a, b;
        double bulge;
    };
    const Row rows[] = {
        {"quarter circle radius 5", {0, 0}, {5, 5}, std::tan(std::numbers::pi / 8)},
        {"half circle radius 20, clockwise", {20, 0}, {20, 40}, -1},
        {"long arc radius 5", {4, 28}, {4, 20}, 2},
        {"nearly a full circle radius 100", {0, 0}, {0.5, 0}, 400},
        {"flat arc radius 1000", {0, 0}, {100, 0}, 0.025},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ArcGeometry arc = ArcOfBulge(row.a, row.b, row.bulge);
        const auto inner = ArcInnerPoints(row.a, row.b, row.bulge);
        ASSERT_FALSE(inner.empty());
        for (const TStarPoint& p : inner) {
            EXPECT_NEAR(std::hypot(p.X - arc.center.X, p.Y - arc.center.Y), arc.radius, 1e-9);
        }
        const double error = ChordError(row.a, row.b, inner, arc.radius);
        EXPECT_LE(error, kMaxChordErrorMm);
        // Not needlessly fine: one segment fewer would break the bound.
        EXPECT_GT(error, kMaxChordErrorMm / 2);
        // The points run from a towards b along this arc, not its remainder.
        const double first =
            std::atan2(inner.front().Y - arc.center.Y, inner.front().X - arc.center.X);
        const double step = std::remainder(first - arc.startAngle, 2 * std::numbers::pi);
        EXPECT_GT(step * arc.sweep, 0);
    }
}

TEST(ArcSegmentsTest, EdgesWithoutArcAndTinyArcsNeedNoPoints) {
    EXPECT_TRUE(ArcInnerPoints({0, 0}, {10, 0}, 0).empty());
    EXPECT_TRUE(ArcInnerPoints({3, 3}, {3, 3}, 1).empty());
    // A half circle of radius 0.004 mm lies within 0.01 mm of its chord.
    EXPECT_TRUE(ArcInnerPoints({0, 0}, {0.008, 0}, 1).empty());
}

TEST(ArcSegmentsTest, HugeArcsAreCutIntoAtMostTheLimit) {
    EXPECT_EQ(ArcInnerPoints({0, 0}, {1e9, 0}, 1).size(),
              static_cast<std::size_t>(kMaxArcSegments - 1));
}

}  // namespace
}  // namespace polygrav
