// Sheets of parts checked by geometry: the placed outlines never come
// closer than the gap and stay inside the margin, and the densest
// arrangement holds at least as many parts as the grid.

#include "geometry/SheetLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <polyclipping/clipper.hpp>

#include "geometry/ClipperPaths.h"
#include "geometry/ContourMeasures.h"
#include "geometry/PartGeometry.h"
#include "model/Errors.h"

namespace polygrav {
namespace {

struct Case {
    const char* name;
    PartParameters part;
    SheetRequest sheet;
};

PartParameters Star(int n, int k, double R, double corner = 0, double valley = 0) {
    PartParameters p;
    p.n = n;
    p.starStep = k;
    p.size = R;
    p.part.CornerRadius = corner;
    p.part.ValleyRadius = valley;
    p.part.CutOutline = true;
    return p;
}

PartParameters Polygon(int n, double R) {
    PartParameters p = Star(n, 2, R);
    p.starType = kRegularPolygon;
    return p;
}

SheetRequest Sheet(double w, double h, double margin, double gap, Arrangement a, bool turn) {
    SheetRequest r;
    r.width = w;
    r.height = h;
    r.margin = margin;
    r.gap = gap;
    r.arrangement = a;
    r.turn = turn;
    return r;
}

struct Built {
    PartContours contours;
    SheetPart part;
    SheetLayout layout;
};

Built Build(const PartParameters& p, const SheetRequest& r) {
    Built b;
    b.contours = BuildPartContours(p);
    const double R = b.contours.circumradius;
    b.part.grown = PartRegion(b.contours.contours, {R, R}, r.gap / 2);
    const Bounds box = BoundsOf(b.contours.contours);
    b.part = {b.part.grown, box.minX - R, box.minY - R, box.maxX - R, box.maxY - R};
    b.layout = LayOutSheet(r, b.part, CandidatePatterns(b.part.grown, r.arrangement, r.turn));
    return b;
}

// Each placed part's outline as Clipper paths on the sheet, arcs within
// 0.0001 mm.
std::vector<ClipperLib::Paths> PlacedOutlines(const Built& b) {
    const double R = b.contours.circumradius;
    std::vector<ClipperLib::Paths> outlines;
    for (const PlacedPart& placed : b.layout.parts) {
        ClipperLib::Paths paths;
        for (const Contour& c : b.contours.contours) {
            PointRing ring = Flattened(c, 1e-4);
            for (TStarPoint& q : ring) q = placed.Place({q.X - R, q.Y - R});
            paths.push_back(ToClipperPath(ring));
        }
        outlines.push_back(paths);
    }
    return outlines;
}

ClipperLib::IntRect BoxOf(const ClipperLib::Paths& paths) {
    ClipperLib::Clipper c;
    c.AddPaths(paths, ClipperLib::ptSubject, true);
    return c.GetBounds();
}

const Case kCases[] = {
    {"pentagon, densest with turns", Polygon(5, 10),
     Sheet(200, 150, 5, 2, Arrangement::Densest, true)},
    {"pentagram, densest", Star(5, 2, 12), Sheet(220, 180, 5, 2, Arrangement::Densest, false)},
    {"filleted {7/3}, densest with turns", Star(7, 3, 15, 1.5, 0.8),
     Sheet(250, 200, 8, 3, Arrangement::Densest, true)},
    {"hexagon, grid", Polygon(6, 10), Sheet(150, 120, 5, 1, Arrangement::Grid, false)},
    {"{12/5} star, brick", Star(12, 5, 20), Sheet(300, 200, 0, 0.5, Arrangement::Brick, false)},
};

TEST(SheetLayout, PartsKeepTheGapAndTheMargin) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const Built b = Build(c.part, c.sheet);
        ASSERT_GT(b.layout.parts.size(), 1u);
        const auto outlines = PlacedOutlines(b);
        const double margin = c.sheet.margin * kClipperUnitsPerMm - 1;
        // A little less than half the gap on each part: grown so, no two
        // parts may overlap.
        const double half = (c.sheet.gap / 2 - 0.0005) * kClipperUnitsPerMm;
        std::vector<ClipperLib::Paths> grown;
        for (const auto& paths : outlines) {
            const ClipperLib::IntRect box = BoxOf(paths);
            EXPECT_GE(static_cast<double>(box.left), margin);
            EXPECT_GE(static_cast<double>(box.top), margin);
            EXPECT_LE(static_cast<double>(box.right), c.sheet.width * kClipperUnitsPerMm - margin);
            EXPECT_LE(static_cast<double>(box.bottom),
                      c.sheet.height * kClipperUnitsPerMm - margin);
            ClipperLib::ClipperOffset offset;
            offset.AddPaths(paths, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
            ClipperLib::Paths g;
            offset.Execute(g, std::max(half, 0.0));
            grown.push_back(g);
        }
        int overlaps = 0;
        for (size_t i = 0; i < grown.size(); ++i) {
            const ClipperLib::IntRect a = BoxOf(grown[i]);
            for (size_t j = i + 1; j < grown.size(); ++j) {
                const ClipperLib::IntRect o = BoxOf(grown[j]);
                if (o.left > a.right || o.right < a.left || o.top > a.bottom || o.bottom < a.top)
                    continue;
                ClipperLib::Clipper clip;
                clip.AddPaths(grown[i], ClipperLib::ptSubject, true);
                clip.AddPaths(grown[j], ClipperLib::ptClip, true);
                ClipperLib::Paths common;
                clip.Execute(ClipperLib::ctIntersection, common, ClipperLib::pftNonZero,
                             ClipperLib::pftNonZero);
                double area = 0;
                for (const auto& path : common) area += std::fabs(ClipperLib::Area(path));
                if (area > 1.0) ++overlaps;  // square Clipper units: 1e-10 mm²
            }
        }
        EXPECT_EQ(overlaps, 0);
    }
}

TEST(SheetLayout, DensestHoldsAtLeastAsManyAsTheGridAndTheBrick) {
    const PartParameters parts[] = {Polygon(3, 10), Polygon(5, 9),          Polygon(7, 11),
                                    Star(5, 2, 10), Star(8, 3, 12, 1, 0.5), Star(6, 2, 10)};
    for (const PartParameters& p : parts) {
        for (const bool turn : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "n=" << p.n << " type=" << p.starType << " turn=" << turn);
            const auto count = [&](Arrangement a) {
                return Build(p, Sheet(180, 130, 5, 1, a, turn)).layout.fit;
            };
            const long long densest = count(Arrangement::Densest);
            EXPECT_GE(densest, count(Arrangement::Grid));
            EXPECT_GE(densest, count(Arrangement::Brick));
        }
    }
}

TEST(SheetLayout, ReadingOrderRunsRowsFromTheBottomLeft) {
    const Built b = Build(Polygon(6, 10), Sheet(100, 100, 5, 1, Arrangement::Grid, false));
    const auto& parts = b.layout.parts;
    ASSERT_GT(parts.size(), 4u);
    EXPECT_GT(parts.front().at.Y, parts.back().at.Y);  // the first row is at the page's bottom
    for (size_t i = 1; i < parts.size(); ++i) {
        const bool sameRow = std::fabs(parts[i].at.Y - parts[i - 1].at.Y) < 1e-6;
        if (sameRow) {
            EXPECT_GT(parts[i].at.X, parts[i - 1].at.X);
        } else {
            EXPECT_LT(parts[i].at.Y, parts[i - 1].at.Y);
        }
    }
}

TEST(SheetLayout, CountTakesTheFirstPartsAndRefusesMoreThanFit) {
    const SheetRequest all = Sheet(120, 90, 5, 2, Arrangement::Densest, false);
    const Built full = Build(Polygon(5, 10), all);
    SheetRequest some = all;
    some.count = 3;
    const Built three = Build(Polygon(5, 10), some);
    ASSERT_EQ(three.layout.parts.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(three.layout.parts[i].at, full.layout.parts[i].at);

    SheetRequest tooMany = all;
    tooMany.count = static_cast<int>(full.layout.fit) + 1;
    try {
        Build(Polygon(5, 10), tooMany);
        ADD_FAILURE() << "no error";
    } catch (const EPartError& e) {
        EXPECT_EQ(e.message(), SheetCountTooLargeMessage(full.layout.fit + 1, full.layout.fit));
    }
}

TEST(SheetLayout, RefusesSheetsThatCannotBeUsed) {
    struct Bad {
        const char* name;
        SheetRequest sheet;
        Message message;
    };
    const Bad bad[] = {
        {"a side over 10 m", Sheet(10001, 100, 5, 2, Arrangement::Densest, false),
         SheetSideOutOfRangeMessage("Width", 10001)},
        {"a negative margin", Sheet(100, 100, -1, 2, Arrangement::Densest, false),
         SheetMarginOutOfRangeMessage(-1, 50)},
        {"a margin over half the sheet", Sheet(100, 60, 30, 2, Arrangement::Densest, false),
         SheetMarginOutOfRangeMessage(30, 30)},
        {"a negative gap", Sheet(100, 100, 5, -0.5, Arrangement::Densest, false),
         SheetGapOutOfRangeMessage(-0.5, 100)},
        {"smaller than a part", Sheet(25, 100, 5, 2, Arrangement::Densest, false),
         SheetTooSmallMessage(25, 100, 20 * std::sin(0.4 * 3.14159265358979) + 10,
                              9.0451 * 2 + 10)},
        {"too many parts", Sheet(10000, 10000, 5, 0, Arrangement::Densest, false),
         SheetTooManyPartsMessage(0, kMaxSheetParts)},
    };
    for (const Bad& c : bad) {
        SCOPED_TRACE(c.name);
        try {
            Build(Polygon(5, 10), c.sheet);
            ADD_FAILURE() << "no error";
        } catch (const EPartError& e) {
            EXPECT_EQ(e.message().id, c.message.id);
            if (c.message.id != MessageId::SheetTooManyParts) {
                EXPECT_EQ(e.message().args, c.message.args);
            }
        }
    }
}

}  // namespace
}  // namespace polygrav
