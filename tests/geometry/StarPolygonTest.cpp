// The figures of a part before any cutting: tips, inner corners and the
// star polygons {n/k}.

#include "geometry/StarPolygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "model/Errors.h"

namespace polygrav {
namespace {

TEST(StarPolygon, SizeByGivesTheCircumradius) {
    struct Row {
        const char* name;
        int n;
        double value;
        SizeBy by;
        double R;
    };
    const Row rows[] = {
        {"radius itself", 5, 50, SizeBy::Circumradius, 50},
        {"hexagon across flats 13", 6, 13, SizeBy::AcrossFlats, 7.5056},
        {"octagon of side 20", 8, 20, SizeBy::Side, 26.1313},
        {"triangle of side 10", 3, 10, SizeBy::Side, 5.7735},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(CircumradiusOf(row.n, row.value, row.by), row.R, 5e-5);
    }
}

TEST(StarPolygon, TipsAreTheDesignsVerticesAndTurnClockwise) {
    for (const int n : {3, 5, 8, 100}) {
        SCOPED_TRACE(n);
        std::vector<TStarPoint> outer, inner;
        CalcStarPoints(n, 50, outer, inner);
        const auto tips = TipPoints(n, 50, 0);
        ASSERT_EQ(tips.size(), outer.size());
        for (std::size_t i = 0; i < tips.size(); ++i) {
            EXPECT_NEAR(tips[i].X, outer[i].X, 1e-9);
            EXPECT_NEAR(tips[i].Y, outer[i].Y, 1e-9);
        }
        // A quarter turn clockwise on the page takes the top tip to the right.
        const auto turned = TipPoints(n, 50, 90);
        EXPECT_NEAR(turned[0].X, 100, 1e-9);
        EXPECT_NEAR(turned[0].Y, 50, 1e-9);
    }
}

TEST(StarPolygon, EdgesOfTheStarPolygonCrossAtTheInnerRadius) {
    struct Row {
        int n;
        int k;
        double ratio;
    };
    for (const Row& row :
         {Row{5, 2, 0.38197}, Row{7, 2, 0.69202}, Row{7, 3, 0.35690}, Row{4, 2, 0}}) {
        SCOPED_TRACE(std::to_string(row.n) + "/" + std::to_string(row.k));
        EXPECT_NEAR(CrossingRadius(row.n, row.k, 1), row.ratio, 5e-6);
    }
    // The crossing of the chords 0–k and 1–(1−k), found independently.
    const int n = 9;
    const int k = 4;
    const auto tips = TipPoints(n, 30, 0);
    TStarPoint crossing;
    CrossPoint(tips[0], tips[k], tips[1], tips[(1 - k + n) % n], crossing);
    EXPECT_NEAR(std::hypot(crossing.X - 30, crossing.Y - 30), CrossingRadius(n, k, 30), 1e-9);
}

TEST(StarPolygon, StarOutlineAtStepTwoIsTheDesignsOutline) {
    for (const int n : {3, 4, 5, 12}) {
        SCOPED_TRACE(n);
        std::vector<TStarPoint> outer, inner;
        CalcStarPoints(n, 40, outer, inner);
        PartParameters p;
        p.n = n;
        const auto figures = TracedFigures(p, 40);
        ASSERT_EQ(figures.size(), 1u);
        ASSERT_EQ(figures[0].size(), 2u * n);
        for (std::size_t i = 0; i < outer.size(); ++i) {
            EXPECT_NEAR(figures[0][2 * i].X, outer[i].X, 1e-9);
            EXPECT_NEAR(figures[0][2 * i].Y, outer[i].Y, 1e-9);
            EXPECT_NEAR(figures[0][2 * i + 1].X, inner[i].X, 1e-9);
            EXPECT_NEAR(figures[0][2 * i + 1].Y, inner[i].Y, 1e-9);
        }
    }
}

TEST(StarPolygon, InnerRatioPlacesTheInnerCornersOnTheBisectors) {
    PartParameters p;
    p.n = 6;
    p.part.InnerRatio = 0.5;
    p.part.Rotation = 30;
    const auto ring = TracedFigures(p, 20)[0];
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const double r = std::hypot(ring[i].X - 20, ring[i].Y - 20);
        EXPECT_NEAR(r, i % 2 == 0 ? 20 : 10, 1e-9) << i;
    }
    // Tip 0 turned by 30° clockwise; inner corner 0 another 30° on,
    // counter-clockwise, which brings it straight up.
    EXPECT_NEAR(ring[1].X, 20, 1e-9);
    EXPECT_NEAR(ring[1].Y, 10, 1e-9);
}

TEST(StarPolygon, StarPolygonFallsIntoGcdFigures) {
    struct Row {
        int n;
        int k;
        std::vector<std::vector<int>> tips;
    };
    const Row rows[] = {
        {5, 2, {{0, 2, 4, 1, 3}}},          {6, 2, {{0, 2, 4}, {1, 3, 5}}},
        {8, 3, {{0, 3, 6, 1, 4, 7, 2, 5}}}, {9, 3, {{0, 3, 6}, {1, 4, 7}, {2, 5, 8}}},
        {4, 2, {{0, 2}, {1, 3}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.n) + "/" + std::to_string(row.k));
        PartParameters p;
        p.n = row.n;
        p.starType = kStarPolygon;
        p.part.StarStep = row.k;
        const auto tips = TipPoints(row.n, 10, 0);
        const auto figures = TracedFigures(p, 10);
        ASSERT_EQ(figures.size(), row.tips.size());
        for (std::size_t f = 0; f < figures.size(); ++f) {
            ASSERT_EQ(figures[f].size(), row.tips[f].size());
            for (std::size_t i = 0; i < figures[f].size(); ++i) {
                EXPECT_EQ(figures[f][i], tips[static_cast<std::size_t>(row.tips[f][i])]);
            }
        }
    }
}

TEST(StarPolygon, StepOutsideItsRangeIsRefused) {
    struct Row {
        int n;
        int k;
        bool accepted;
    };
    const Row rows[] = {
        {3, 2, true},    {4, 2, true},  {5, 2, true},   {7, 3, true},
        {100, 49, true}, {5, 3, false}, {7, 4, false},  {100, 50, false},
        {6, 1, false},   {6, 0, false}, {8, -3, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.n) + "/" + std::to_string(row.k));
        for (const int type : {kStarOutline, kStarPolygon}) {
            PartParameters p;
            p.n = row.n;
            p.starType = type;
            p.part.StarStep = row.k;
            if (row.accepted) {
                EXPECT_NO_THROW(TracedFigures(p, 10));
                continue;
            }
            try {
                TracedFigures(p, 10);
                ADD_FAILURE() << "accepted";
            } catch (const EPartError& e) {
                EXPECT_EQ(e.what(), StarStepOutOfRangeMessage(row.k, std::max(2, (row.n - 1) / 2)));
            }
        }
    }
    // The regular polygon has no step to check.
    PartParameters polygon;
    polygon.starType = kRegularPolygon;
    polygon.part.StarStep = 40;
    EXPECT_EQ(TracedFigures(polygon, 10).size(), 1u);
}

TEST(StarPolygon, InnerRatioOutsideZeroToOneIsRefused) {
    for (const double ratio : {0.0, 1.0, -0.2, 1.5, std::nan("")}) {
        PartParameters p;
        p.part.InnerRatio = ratio;
        EXPECT_THROW(TracedFigures(p, 10), EPartError) << ratio;
    }
}

}  // namespace
}  // namespace polygrav
