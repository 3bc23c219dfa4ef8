#include "export/DxfWriter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "export/DxfGroups.h"
#include "export/ExportErrors.h"
#include "tests/export/DxfReading.h"
#include "tests/export/SampleFigures.h"
#include "tests/support/ExpectThrow.h"

namespace polygrav {
namespace {

using test::CountPair;
using test::DxfPair;
using test::DxfPairs;
using test::DxfSection;

// The values of the pairs with the code, in order.
std::vector<std::string> ValuesOf(const std::vector<DxfPair>& pairs, int code) {
    std::vector<std::string> values;
    for (const auto& [c, v] : pairs) {
        if (c == code) values.push_back(v);
    }
    return values;
}

TEST(DxfRealTest, FixedSixDecimalsWithoutNegativeZero) {
    struct Row {
        double value;
        int decimals;
        const char* expected;
    };
    const Row rows[] = {
        {0, 6, "0.000000"},
        {-0.0, 6, "0.000000"},
        {-4e-7, 6, "0.000000"},
        {-6e-7, 6, "-0.000001"},
        {12.5, 6, "12.500000"},
        {-3.25, 6, "-3.250000"},
        {110.4508497187, 6, "110.450850"},
        {-1.0 / 3, 10, "-0.3333333333"},
        {1e20, 6, "100000000000000000000.000000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(DxfReal(row.value, row.decimals), row.expected);
    }
}

TEST(DxfWriterTest, R12StarIsOneClosedPolylineInMillimetresYUp) {
    const Figure f = BuildFigure(TStarSettings{}, '.');
    const auto pairs = DxfPairs(DxfDocumentOf(f));
    ASSERT_GE(pairs.size(), 2u);
    EXPECT_EQ(pairs.front(), (DxfPair{0, "SECTION"}));
    EXPECT_EQ(pairs.back(), (DxfPair{0, "EOF"}));

    const auto header = DxfSection(pairs, "HEADER");
    const auto version = std::find(header.begin(), header.end(), DxfPair{9, "$ACADVER"});
    ASSERT_NE(version, header.end());
    EXPECT_EQ(*(version + 1), (DxfPair{1, "AC1009"}));
    const auto extmax = std::find(header.begin(), header.end(), DxfPair{9, "$EXTMAX"});
    ASSERT_NE(extmax, header.end());
    EXPECT_EQ(*(extmax + 1), (DxfPair{10, "120.000000"}));
    EXPECT_EQ(*(extmax + 2), (DxfPair{20, "120.000000"}));

    const auto entities = DxfSection(pairs, "ENTITIES");
    EXPECT_EQ(CountPair(entities, {0, "POLYLINE"}), 1u);
    EXPECT_EQ(CountPair(entities, {0, "VERTEX"}), 10u);
    EXPECT_EQ(CountPair(entities, {0, "SEQEND"}), 1u);
    EXPECT_EQ(CountPair(entities, {70, "1"}), 1u);   // closed
    EXPECT_EQ(CountPair(entities, {66, "1"}), 1u);   // vertices follow
    EXPECT_EQ(CountPair(entities, {62, "7"}), 11u);  // black, polyline and vertices
    // The first corner, SVG point (60, 10) of a 120 mm document, the second
    // (48.7743, 44.5492); the polyline's own point comes first.
    const auto xs = ValuesOf(entities, 10);
    const auto ys = ValuesOf(entities, 20);
    ASSERT_EQ(xs.size(), 11u);
    EXPECT_EQ(xs[1], "60.000000");
    EXPECT_EQ(ys[1], "110.000000");
    EXPECT_NEAR(std::stod(xs[2]), 48.7743, 1e-4);
    EXPECT_NEAR(std::stod(ys[2]), 120 - 44.5492, 1e-4);
    EXPECT_TRUE(ValuesOf(entities, 42).empty());
}

TEST(DxfWriterTest, EveryContourOfAStarPolygonIsItsOwnPolyline) {
    TStarSettings s;
    s.EdgeNumber = "6";
    s.StarType = kStarPolygon;
    for (const DxfVersion version : {DxfVersion::R12, DxfVersion::R2000}) {
        const auto entities =
            DxfSection(DxfPairs(DxfDocumentOf(BuildFigure(s, '.'), {version})), "ENTITIES");
        EXPECT_EQ(CountPair(entities, {0, version == DxfVersion::R12 ? "POLYLINE" : "LWPOLYLINE"}),
                  2u);
        EXPECT_EQ(CountPair(entities, {70, "1"}), 2u);
    }
}

TEST(DxfWriterTest, R2000HandlesAreUniqueOwnedAndBelowTheSeed) {
    const Figure f = test::RingFigure();
    const auto pairs = DxfPairs(DxfDocumentOf(f, {DxfVersion::R2000, DxfArcs::Bulge}));
    // The header names the seed with code 5 too; the objects follow it.
    const auto afterHeader = std::find(pairs.begin(), pairs.end(), DxfPair{0, "ENDSEC"});
    std::set<unsigned long> handles;
    for (auto it = afterHeader; it != pairs.end(); ++it) {
        const auto& [code, value] = *it;
        if (code == 5 || code == 105) {
            EXPECT_TRUE(handles.insert(std::stoul(value, nullptr, 16)).second)
                << "handle " << value << " twice";
        }
    }
    const auto header = DxfSection(pairs, "HEADER");
    const auto seed = std::find(header.begin(), header.end(), DxfPair{9, "$HANDSEED"});
    ASSERT_NE(seed, header.end());
    EXPECT_GT(std::stoul((seed + 1)->second, nullptr, 16), *handles.rbegin());
    // Owners and pointers name handles that exist (0 is the drawing itself).
    for (const auto& [code, value] : pairs) {
        if (code == 330 || code == 340 || code == 350) {
            const unsigned long h = std::stoul(value, nullptr, 16);
            EXPECT_TRUE(h == 0 || handles.count(h) == 1) << code << " -> " << value;
        }
    }
    const auto entities = DxfSection(pairs, "ENTITIES");
    EXPECT_EQ(CountPair(entities, {0, "LWPOLYLINE"}), 2u);
    EXPECT_EQ(CountPair(entities, {90, "2"}), 2u);
    EXPECT_EQ(CountPair(entities, {420, std::to_string(0x000080)}), 2u);  // navy
    // Half circles: bulge 1 on the outside, -1 around the hole.
    EXPECT_EQ(ValuesOf(entities, 42), (std::vector<std::string>{"1.0000000000", "1.0000000000",
                                                                "-1.0000000000", "-1.0000000000"}));
}

TEST(DxfWriterTest, SegmentsReplaceBulgesAndKeepTheCorners) {
    const Figure f = test::RoundedFigure();
    const auto entities =
        DxfSection(DxfPairs(DxfDocumentOf(f, {DxfVersion::R12, DxfArcs::Segments})), "ENTITIES");
    EXPECT_TRUE(ValuesOf(entities, 42).empty());
    EXPECT_GT(CountPair(entities, {0, "VERTEX"}), f.contours[0].size() * 5);
    // The corners stay vertices: the first one, (10, 4) in the frame, is at
    // (20, 60 - 14) in the drawing.
    EXPECT_EQ(ValuesOf(entities, 10)[1], "20.000000");
    EXPECT_EQ(ValuesOf(entities, 20)[1], "46.000000");
}

TEST(DxfWriterTest, FigureWithoutContoursIsAnEmptyDrawing) {
    TStarSettings s;
    s.StarType = kNoStarType;
    for (const DxfVersion version : {DxfVersion::R12, DxfVersion::R2000}) {
        const auto pairs = DxfPairs(DxfDocumentOf(BuildFigure(s, '.'), {version}));
        EXPECT_TRUE(DxfSection(pairs, "ENTITIES").empty());
        EXPECT_EQ(pairs.back(), (DxfPair{0, "EOF"}));
    }
}

TEST(DxfWriterTest, FigureWithoutFiniteSizeIsRefused) {
    const double inf = std::numeric_limits<double>::infinity();
    TStarSettings huge;
    huge.CircumRadius = "1e308";  // the side overflows
    Figure nanCorner = test::RingFigure();
    nanCorner.contours[1][0].at.X = std::nan("");
    Figure infiniteBulge = test::RingFigure();
    infiniteBulge.contours[0][0].bulge = inf;
    Figure noSide = test::RingFigure();
    noSide.documentSide = 0;
    for (const Figure& f : {BuildFigure(huge, '.'), nanCorner, infiniteBulge, noSide}) {
        EXPECT_THROW_MSG(DxfDocumentOf(f), EExportError, "図形の寸法が不正なため書き出せません");
    }
}

TEST(DxfWriterTest, DoesNotDependOnTheProcessLocale) {
    const Figure f = test::RoundedFigure();
    const std::string inC = DxfDocumentOf(f, {DxfVersion::R2000, DxfArcs::Bulge});
    bool active = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            active = true;
            break;
        }
    }
    if (!active) GTEST_SKIP() << "no locale with a comma separator installed";
    const std::string withComma = DxfDocumentOf(f, {DxfVersion::R2000, DxfArcs::Bulge});
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(withComma, inC);
}

}  // namespace
}  // namespace polygrav
