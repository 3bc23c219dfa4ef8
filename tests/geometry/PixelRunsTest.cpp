// The preview's fill and outline as runs of pixels, checked pixel by pixel
// against the exact figure: a pixel's centre inside the contours (even-odd),
// or within half the pen of them.

#include "geometry/PixelRuns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "geometry/Arc.h"
#include "tests/support/RowName.h"

namespace polygrav {
namespace {

using Coverage = std::vector<std::vector<int>>;  // [y][x]: how many runs hold it

Coverage Cover(const std::vector<PixelRun>& runs, int side) {
    Coverage c(side, std::vector<int>(side, 0));
    for (const PixelRun& run : runs) {
        EXPECT_GE(run.y, 0);
        EXPECT_LT(run.y, side);
        EXPECT_GE(run.x0, 0);
        EXPECT_LE(run.x1, side);
        EXPECT_LT(run.x0, run.x1);
        for (int x = std::max(0, run.x0); x < std::min(side, run.x1); ++x) ++c[run.y][x];
    }
    return c;
}

// The distance from p to the edge that leaves vertex i, arcs exactly.
double DistanceToEdge(const std::vector<PixelVertex>& contour, std::size_t i, double px,
                      double py) {
    const PixelPoint a = contour[i].at;
    const PixelPoint b = contour[(i + 1) % contour.size()].at;
    if (contour[i].bulge != 0 && a != b) {
        const ArcGeometry arc =
            ArcOfBulge({double(a.x), double(a.y)}, {double(b.x), double(b.y)}, contour[i].bulge);
        const double t = std::atan2(py - arc.center.Y, px - arc.center.X);
        const double turn = 2 * std::numbers::pi;
        const double along = arc.sweep > 0 ? std::fmod(t - arc.startAngle + 2 * turn, turn)
                                           : std::fmod(arc.startAngle - t + 2 * turn, turn);
        if (along <= std::abs(arc.sweep)) {
            return std::abs(std::hypot(px - arc.center.X, py - arc.center.Y) - arc.radius);
        }
        return std::min(std::hypot(px - a.x, py - a.y), std::hypot(px - b.x, py - b.y));
    }
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double s =
        length2 == 0 ? 0 : std::clamp(((px - a.x) * dx + (py - a.y) * dy) / length2, 0.0, 1.0);
    return std::hypot(px - (a.x + s * dx), py - (a.y + s * dy));
}

double DistanceToContours(const PreviewPicture& picture, double px, double py) {
    double d = HUGE_VAL;
    for (const auto& contour : picture.contours) {
        for (std::size_t i = 0; i < contour.size(); ++i) {
            d = std::min(d, DistanceToEdge(contour, i, px, py));
        }
    }
    return d;
}

// The contours with their arcs as very fine chords: even-odd inside them is
// inside the exact figure for every centre not right at its boundary.
using FineRing = std::vector<std::pair<double, double>>;

std::vector<FineRing> FineRings(const PreviewPicture& picture) {
    std::vector<FineRing> rings;
    for (const auto& contour : picture.contours) {
        FineRing ring;
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const PixelPoint a = contour[i].at;
            const PixelPoint b = contour[(i + 1) % contour.size()].at;
            ring.emplace_back(a.x, a.y);
            if (contour[i].bulge != 0 && a != b) {
                const ArcGeometry arc = ArcOfBulge({double(a.x), double(a.y)},
                                                   {double(b.x), double(b.y)}, contour[i].bulge);
                for (int k = 1; k < 2000; ++k) {
                    const double t = arc.startAngle + arc.sweep * k / 2000;
                    ring.emplace_back(arc.center.X + arc.radius * std::cos(t),
                                      arc.center.Y + arc.radius * std::sin(t));
                }
            }
        }
        rings.push_back(std::move(ring));
    }
    return rings;
}

bool InsideEvenOdd(const std::vector<FineRing>& rings, double px, double py) {
    bool inside = false;
    for (const FineRing& ring : rings) {
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const auto [ax, ay] = ring[i];
            const auto [bx, by] = ring[(i + 1) % ring.size()];
            if ((ay > py) != (by > py) && px < ax + (py - ay) * (bx - ax) / (by - ay)) {
                inside = !inside;
            }
        }
    }
    return inside;
}

struct RunsCase {
    const char* name;
    int side;
    int penWidth;
    std::vector<std::vector<PixelVertex>> contours;
};

PreviewPicture PictureOf(const RunsCase& c) {
    PreviewPicture p;
    p.side = c.side;
    p.penWidth = c.penWidth;
    p.contours = c.contours;
    return p;
}

// A quarter turn as a bulge, clockwise on the page.
constexpr double kQuarterClockwise = -0.41421356237309503;

const RunsCase kCases[] = {
    {"Triangle", 64, 7, {{{{10, 10}}, {{50, 14}}, {{22, 45}}}}},
    // A spike much thinner than the pen, as a part's {n/k} tips are.
    {"ThinSpike", 80, 15, {{{{38, 8}}, {{41, 70}}, {{36, 70}}}}},
    // Corners rounded with arcs smaller than the pen's half width.
    {"SmallFillets",
     64,
     9,
     {{{{14, 10}, kQuarterClockwise},
       {{16, 12}},
       {{16, 40}, kQuarterClockwise},
       {{14, 42}},
       {{10, 42}, kQuarterClockwise},
       {{8, 40}},
       {{8, 12}, kQuarterClockwise},
       {{10, 10}}}}},
    // Arcs larger than the pen's half width, and a hole for the even-odd fill.
    {"LargeFilletsAndAHole",
     64,
     5,
     {{{{18, 6}, kQuarterClockwise},
       {{28, 16}},
       {{28, 40}, kQuarterClockwise},
       {{18, 50}},
       {{14, 50}, kQuarterClockwise},
       {{4, 40}},
       {{4, 16}, kQuarterClockwise},
       {{14, 6}}},
      {{{12, 20}}, {{20, 20}}, {{20, 36}}, {{12, 36}}}}},
    // Three quarters of a turn about a small circle, closed by its chord.
    {"ArcBeyondAHalfTurn", 48, 9, {{{{20, 20}, 2.414213562373095}, {{24, 24}}}}},
    {"CircleOfTwoHalves", 64, 4, {{{{20, 30}, 1.0}, {{44, 30}, 1.0}}}},
    // Small arcs meeting at corners, where only the corners' discs reach.
    {"SmallArcsAtCorners", 48, 9, {{{{20, 20}, 0.6}, {{26, 20}, 0.6}, {{23, 25}, 0.6}}}},
    {"SinglePoint", 32, 6, {{{{15, 16}}}}},
    // The outline reaches past the bitmap's edges and is cut there.
    {"CutByTheBitmap", 40, 11, {{{{2, 1}}, {{38, 3}}, {{20, 39}}}}},
};

class PixelRunsTest : public ::testing::TestWithParam<RunsCase> {};

TEST_P(PixelRunsTest, FillHoldsTheCentresInsideTheContours) {
    const PreviewPicture picture = PictureOf(GetParam());
    const Coverage c = Cover(FillRuns(picture), picture.side);
    const std::vector<FineRing> rings = FineRings(picture);
    int checked = 0;
    for (int y = 0; y < picture.side; ++y) {
        for (int x = 0; x < picture.side; ++x) {
            ASSERT_LE(c[y][x], 1) << "runs overlap at " << x << "," << y;
            const double px = x + 0.5;
            const double py = y + 0.5;
            // Chords stand for arcs, and the painter's ends are in 1/64 pixel.
            if (DistanceToContours(picture, px, py) <= kRunArcTolerance + 1.0 / 64) continue;
            ++checked;
            EXPECT_EQ(c[y][x] == 1, InsideEvenOdd(rings, px, py)) << x << "," << y;
        }
    }
    EXPECT_GT(checked, picture.side * picture.side / 2);
}

TEST_P(PixelRunsTest, StrokeHoldsTheCentresWithinHalfThePen) {
    const PreviewPicture picture = PictureOf(GetParam());
    const Coverage c = Cover(StrokeRuns(picture), picture.side);
    const double r = picture.penWidth / 2.0;
    int covered = 0;
    for (int y = 0; y < picture.side; ++y) {
        for (int x = 0; x < picture.side; ++x) {
            const double d = DistanceToContours(picture, x + 0.5, y + 0.5);
            covered += c[y][x] > 0 ? 1 : 0;
            // Large arcs' outlines follow chords.
            if (std::abs(d - r) <= kRunArcTolerance) continue;
            EXPECT_EQ(c[y][x] > 0, d < r) << x << "," << y << " at " << d;
        }
    }
    EXPECT_GT(covered, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PixelRunsTest, ::testing::ValuesIn(kCases), test::RowName());

// The painter's rule for a centre exactly on an edge: it lies left of the
// edge. The hypotenuse of the first triangle has the inside on its left, the
// second's on its right.
TEST(PixelRuns, CentreOnAnEdgeCountsAsLeftOfIt) {
    PreviewPicture left;
    left.side = 8;
    left.contours = {{{{0, 0}}, {{4, 0}}, {{0, 4}}}};
    EXPECT_EQ(FillRuns(left), (std::vector<PixelRun>{{0, 0, 4}, {1, 0, 3}, {2, 0, 2}, {3, 0, 1}}));

    PreviewPicture right;
    right.side = 8;
    right.contours = {{{{0, 0}}, {{4, 0}}, {{4, 4}}}};
    EXPECT_EQ(FillRuns(right), (std::vector<PixelRun>{{0, 1, 4}, {1, 2, 4}, {2, 3, 4}}));
}

}  // namespace
}  // namespace polygrav
