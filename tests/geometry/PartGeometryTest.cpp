// The part as a whole: parameters in, contours in the frame out.

#include "geometry/PartGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/CutOutline.h"
#include "geometry/Figure.h"
#include "geometry/StarPolygon.h"
#include "model/Errors.h"
#include "tests/geometry/ContourProbe.h"

namespace polygrav {
namespace {

TEST(PartGeometry, DefaultsTraceTheDesignsFigures) {
    struct Row {
        int n;
        int type;
    };
    for (const Row row : {Row{5, kStarOutline}, Row{6, kStarPolygon}, Row{7, kStarPolygon},
                          Row{100, kStarOutline}, Row{9, kRegularPolygon}}) {
        SCOPED_TRACE(std::to_string(row.n) + " type " + std::to_string(row.type));
        TStarSettings s;
        s.EdgeNumber = std::to_string(row.n);
        s.CircumRadius = "37.5";
        s.StarType = row.type;
        const Figure figure = BuildFigure(s, '.');
        PartParameters p;
        p.n = row.n;
        p.size = 37.5;
        p.starType = row.type;
        const PartContours part = BuildPartContours(p);
        EXPECT_FALSE(part.boundary);
        EXPECT_EQ(part.circumradius, 37.5);
        ASSERT_EQ(part.contours.size(), figure.contours.size());
        for (std::size_t f = 0; f < figure.contours.size(); ++f) {
            ASSERT_EQ(part.contours[f].size(), figure.contours[f].size());
            for (std::size_t i = 0; i < figure.contours[f].size(); ++i) {
                EXPECT_NEAR(part.contours[f][i].at.X, figure.contours[f][i].at.X, 1e-9);
                EXPECT_NEAR(part.contours[f][i].at.Y, figure.contours[f][i].at.Y, 1e-9);
                EXPECT_EQ(part.contours[f][i].bulge, 0);
            }
        }
    }
}

TEST(PartGeometry, AnyNewParameterLeavesTheDesignsFigure) {
    EXPECT_TRUE(PartParameters{}.IsDesignFigure());
    PartParameters join;
    join.part.OffsetJoin =
        static_cast<int>(OffsetJoin::Mitre);  // without an offset it changes nothing
    join.evenOdd = true;
    join.n = 100;
    EXPECT_TRUE(join.IsDesignFigure());
    const auto changed = [](auto change) {
        PartParameters p;
        change(p);
        return p.IsDesignFigure();
    };
    EXPECT_FALSE(
        changed([](PartParameters& p) { p.part.SizeBy = static_cast<int>(SizeBy::Side); }));
    EXPECT_FALSE(changed([](PartParameters& p) { p.part.StarStep = 3; }));
    EXPECT_FALSE(changed([](PartParameters& p) { p.part.InnerRatio = 0.4; }));
    EXPECT_FALSE(changed([](PartParameters& p) { p.part.Rotation = 1; }));
    EXPECT_FALSE(changed([](PartParameters& p) { p.part.CornerRadius = 1; }));
    EXPECT_FALSE(changed([](PartParameters& p) { p.part.ValleyRadius = 1; }));
    EXPECT_FALSE(changed([](PartParameters& p) { p.part.Offset = -0.1; }));
    EXPECT_FALSE(changed([](PartParameters& p) { p.part.CutOutline = true; }));
}

TEST(PartGeometry, RotationTurnsTheTipClockwiseOnThePage) {
    PartParameters p;
    p.part.Rotation = 90;
    const TStarPoint tip = BuildPartContours(p).contours[0][0].at;
    EXPECT_NEAR(tip.X, 100, 1e-9);
    EXPECT_NEAR(tip.Y, 50, 1e-9);
    // The cut outline of a turned star starts at its topmost corner.
    p.part.CutOutline = true;
    p.part.Rotation = 180 + 36;  // a tip straight up again
    const PartContours cut = BuildPartContours(p);
    EXPECT_NEAR(cut.contours[0][0].at.X, 50, 1e-9);
    EXPECT_NEAR(cut.contours[0][0].at.Y, 0, 1e-9);
}

TEST(PartGeometry, CutOutlineRunsCounterClockwiseFromTheTopTip) {
    PartParameters p;
    p.starType = kStarPolygon;
    p.part.CutOutline = true;
    const PartContours part = BuildPartContours(p);
    EXPECT_TRUE(part.boundary);
    ASSERT_EQ(part.contours.size(), 1u);
    const Contour& c = part.contours[0];
    EXPECT_EQ(c[0].at, (TStarPoint{50, 0}));
    // The next corner is the inner one to the left, as in the traced star.
    EXPECT_LT(c[1].at.X, 50);
    EXPECT_LT(SignedArea(c), 0);
}

TEST(PartGeometry, StarPolygonsCutLikeTheirUnion) {
    // The region's boundary is taken from the star outline without asking
    // Clipper; it must be what the union of the figures gives.
    struct Row {
        int n;
        int k;
    };
    for (const Row row : {Row{5, 2}, Row{7, 3}, Row{6, 2}, Row{12, 5}, Row{100, 49}, Row{3, 2}}) {
        SCOPED_TRACE(std::to_string(row.n) + "/" + std::to_string(row.k));
        PartParameters p;
        p.n = row.n;
        p.part.StarStep = row.k;
        p.starType = kStarPolygon;
        p.part.Rotation = 10;
        const auto united = CutOutline(TracedFigures(p, 50), false);
        p.part.CutOutline = true;
        const auto part = BuildPartContours(p);
        ASSERT_EQ(united.size(), 1u);
        ASSERT_EQ(part.contours.size(), 1u);
        ASSERT_EQ(part.contours[0].size(), united[0].size());
        for (const ContourVertex& v : part.contours[0]) {
            double nearest = 1;
            for (const TStarPoint& q : united[0])
                nearest = std::fmin(nearest, probe::Distance(v.at, q));
            EXPECT_LT(nearest, 1e-9);
        }
    }
}

TEST(PartGeometry, EveryPointStaysInTheFrameGrownByTheOffset) {
    for (const double offset : {0.0, 0.5, -0.5}) {
        for (const double rotation : {0.0, 17.0, -200.0}) {
            PartParameters p;
            p.n = 7;
            p.part.StarStep = 3;
            p.starType = kStarPolygon;
            p.size = 30;
            p.part.Rotation = rotation;
            p.part.CornerRadius = 0.5;
            p.part.Offset = offset;
            const PartContours part = BuildPartContours(p);
            const double grown = std::fmax(offset, 0.0) + 1e-9;
            EXPECT_GE(part.bounds.minX, -grown);
            EXPECT_GE(part.bounds.minY, -grown);
            EXPECT_LE(part.bounds.maxX, 60 + grown);
            EXPECT_LE(part.bounds.maxY, 60 + grown);
        }
    }
}

TEST(PartGeometry, ParametersThatGiveNoPartAreRefused) {
    struct Row {
        const char* name;
        PartParameters p;
        Message message;
    };
    std::vector<Row> rows;
    auto add = [&rows](const char* name, auto change, Message message) {
        PartParameters p;
        change(p);
        rows.push_back({name, p, std::move(message)});
    };
    add(
        "two points", [](PartParameters& p) { p.n = 2; }, PointCountOutOfRangeMessage(2));
    add(
        "101 points", [](PartParameters& p) { p.n = 101; }, PointCountOutOfRangeMessage(101));
    add(
        "zero size", [](PartParameters& p) { p.size = 0; }, SizeOutOfRangeMessage(0));
    add(
        "size not a number", [](PartParameters& p) { p.size = std::nan(""); },
        SizeOutOfRangeMessage(std::nan("")));
    add(
        "ten metres", [](PartParameters& p) { p.size = 6000; }, SizeOutOfRangeMessage(6000));
    add(
        "negative corner radius", [](PartParameters& p) { p.part.CornerRadius = -1; },
        NegativeRadiusMessage(-1));
    add(
        "infinite valley radius", [](PartParameters& p) { p.part.ValleyRadius = INFINITY; },
        NegativeRadiusMessage(INFINITY));
    add(
        "offset of two metres", [](PartParameters& p) { p.part.Offset = 2000; },
        OffsetOutOfRangeMessage(2000));
    add(
        "rotation not a number", [](PartParameters& p) { p.part.Rotation = std::nan(""); },
        NoOutlineMessage());
    add(
        "no star type", [](PartParameters& p) { p.starType = kNoStarType; }, NoOutlineMessage());
    add(
        "four-point star polygon cut",
        [](PartParameters& p) {
            p.n = 4;
            p.starType = kStarPolygon;
            p.part.CutOutline = true;
        },
        NoOutlineMessage());
    add(
        "step too large", [](PartParameters& p) { p.part.StarStep = 3; },
        StarStepOutOfRangeMessage(3, 2));
    add(
        "ratio of one", [](PartParameters& p) { p.part.InnerRatio = 1; },
        InnerRatioOutOfRangeMessage(1));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            BuildPartContours(row.p);
            ADD_FAILURE() << "built";
        } catch (const EPartError& e) {
            EXPECT_EQ(e.message(), row.message);
        }
    }
}

}  // namespace
}  // namespace polygrav
