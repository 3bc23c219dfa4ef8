// The figure that every output draws, built once from the settings.

#include "geometry/Figure.h"

#include <gtest/gtest.h>

#include "model/Errors.h"
#include "tests/support/ExpectThrow.h"
#include "tests/support/RowName.h"

namespace polygrav {
namespace {

TEST(Figure, DefaultStarIsOneContourInTheFrame) {
    const Figure f = BuildFigure(TStarSettings{}, '.');
    EXPECT_EQ(f.margin, 10);
    EXPECT_EQ(f.frameSide, 100);
    EXPECT_EQ(f.documentSide, 120);
    ASSERT_EQ(f.contours.size(), 1u);
    ASSERT_EQ(f.contours[0].size(), 10u);
    // Outer[0] is the top of the frame, Inner[0] follows it.
    EXPECT_EQ(f.contours[0][0].at, (TStarPoint{50, 0}));
    EXPECT_NEAR(f.contours[0][1].at.X, 38.7743, 5e-5);
    EXPECT_NEAR(f.contours[0][1].at.Y, 34.5492, 5e-5);
    for (const ContourVertex& v : f.contours[0]) EXPECT_EQ(v.bulge, 0);
}

TEST(Figure, CarriesTheStyleOfTheSettings) {
    TStarSettings s;
    s.FillTransparent = true;
    s.FillColor = 0x00123456;
    s.StrokeColor = 0x00654321;
    s.StrokeWidth = 275;
    s.FillRule = true;
    const Figure f = BuildFigure(s, '.');
    EXPECT_FALSE(f.filled);
    EXPECT_EQ(f.fillColor, 0x00123456u);
    EXPECT_EQ(f.strokeColor, 0x00654321u);
    EXPECT_EQ(f.strokeWidth, 275);
    EXPECT_DOUBLE_EQ(f.strokeWidthMm(), 2.75);
    EXPECT_TRUE(f.evenOddRule);
}

struct ContourCase {
    const char* name;
    const char* n;
    int type;
    std::vector<std::size_t> sizes;
};

class FigureContoursTest : public ::testing::TestWithParam<ContourCase> {};

TEST_P(FigureContoursTest, FollowTheStarType) {
    TStarSettings s;
    s.EdgeNumber = GetParam().n;
    s.StarType = GetParam().type;
    std::vector<std::size_t> sizes;
    for (const Contour& c : BuildFigure(s, '.').contours) sizes.push_back(c.size());
    EXPECT_EQ(sizes, GetParam().sizes);
}

INSTANTIATE_TEST_SUITE_P(Cases, FigureContoursTest,
                         ::testing::Values(ContourCase{"StarOutline5", "5", kStarOutline, {10}},
                                           ContourCase{"StarPolygon5", "5", kStarPolygon, {5}},
                                           ContourCase{"StarPolygon6", "6", kStarPolygon, {3, 3}},
                                           ContourCase{
                                               "StarPolygon100", "100", kStarPolygon, {50, 50}},
                                           ContourCase{"StarPolygon99", "99", kStarPolygon, {99}},
                                           ContourCase{"Polygon7", "7", kRegularPolygon, {7}},
                                           ContourCase{"NoType", "5", kNoStarType, {}}),
                         test::RowName());

TEST(Figure, RadiusWithTheLocaleSeparator) {
    TStarSettings s;
    s.CircumRadius = "12,5";
    EXPECT_EQ(BuildFigure(s, ',').documentSide, 45);
    EXPECT_THROW(BuildFigure(s, '.'), EConvertError);
}

TEST(Figure, PartKeysAtTheirDefaultsKeepTheDesignFigure) {
    TStarSettings part;
    part.Part.StarStep = 2;  // written out, still the default
    EXPECT_EQ(BuildFigure(part, '.').contours, BuildFigure(TStarSettings{}, '.').contours);
}

TEST(Figure, GrownOutlineKeepsItsMargin) {
    // A regular hexagon of R = 50 grown by 2 mm with round joins reaches
    // 52 mm from the centre: the document is (52 + 10) × 2 wide and every
    // point stays 10 mm inside it.
    TStarSettings s;
    s.EdgeNumber = "6";
    s.StarType = kRegularPolygon;
    s.Part.Offset = 2;
    const Figure f = BuildFigure(s, '.');
    EXPECT_NEAR(f.documentSide, 124, 1e-3);
    for (const Contour& c : f.contours) {
        for (const ContourVertex& v : c) {
            EXPECT_GE(v.at.X, -1e-9);
            EXPECT_LE(v.at.X, f.frameSide + 1e-9);
            EXPECT_GE(v.at.Y, -1e-9);
            EXPECT_LE(v.at.Y, f.frameSide + 1e-9);
        }
    }
}

TEST(Figure, RotationKeepsTheDocumentSize) {
    TStarSettings s;
    s.Part.Rotation = 17;
    EXPECT_EQ(BuildFigure(s, '.').documentSide, 120);
    s.Part.Rotation = 90;  // the first tip on the right
    const Figure f = BuildFigure(s, '.');
    EXPECT_NEAR(f.contours[0][0].at.X, 100, 1e-9);
    EXPECT_NEAR(f.contours[0][0].at.Y, 50, 1e-9);
}

TEST(Figure, SizeByGivesTheRadius) {
    TStarSettings s;
    s.EdgeNumber = "6";
    s.StarType = kRegularPolygon;
    s.CircumRadius = "13";
    s.Part.SizeBy = kSizeByAcrossFlats;
    EXPECT_NEAR(BuildFigure(s, '.').documentSide, (7.5056 + 10) * 2, 1e-3);
}

TEST(Figure, ChoicesOutOfRangeNameTheirRange) {
    TStarSettings s;
    s.Part.SizeBy = 3;
    EXPECT_THROW_MSG(BuildFigure(s, '.'), EPartError, SettingOutOfRangeMessage("SizeBy", 3, 0, 2));
    s.Part.SizeBy = 0;
    s.Part.OffsetJoin = -1;
    EXPECT_THROW(BuildFigure(s, '.'), EPartError);
}

}  // namespace
}  // namespace polygrav
