// The preview's integer pixel arithmetic, which the window only paints.

#include "geometry/PreviewPixels.h"

#include <gtest/gtest.h>

#include "model/Errors.h"
#include "tests/support/ExpectThrow.h"
#include "tests/support/RowName.h"

namespace polygrav {
namespace {

struct SideCase {
    const char* name;
    double documentSide;
    int ppi;
    int side;
};

class PreviewSideTest : public ::testing::TestWithParam<SideCase> {};

TEST_P(PreviewSideTest, TruncatesTheDocumentAtThePixelsPerInch) {
    EXPECT_EQ(PreviewSide(GetParam().documentSide, GetParam().ppi), GetParam().side);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewSideTest,
                         ::testing::Values(SideCase{"R50_96ppi", 120, 96, 453},
                                           SideCase{"R100_96ppi", 220, 96, 831},
                                           SideCase{"R5_96ppi", 30, 96, 113},
                                           SideCase{"R50_192ppi", 120, 192, 907},
                                           SideCase{"R12_5_96ppi", 45, 96, 170}),
                         test::RowName());

TEST(PreviewPixels, MarginIsFormedAsAnIntegerFirst) {
    EXPECT_EQ(PreviewMargin(96), 37);
    EXPECT_EQ(PreviewMargin(120), 47);
    EXPECT_EQ(PreviewMargin(144), 56);
    EXPECT_EQ(PreviewMargin(192), 75);
}

TEST(PreviewPixels, PenWidthTruncates) {
    EXPECT_EQ(PreviewPenWidth(50, 96), 1);
    EXPECT_EQ(PreviewPenWidth(26, 96), 0);
    EXPECT_EQ(PreviewPenWidth(400, 96), 15);
    EXPECT_EQ(PreviewPenWidth(0, 96), 0);
}

TEST(PreviewPixels, MmToPixelMultipliesFirst) {
    EXPECT_EQ(MmToPixel({50, 0}, 96), (PixelPoint{188, 0}));
    // 96 × 2.4472 / 25.4 = 9.249…, not 96 × (2.4472 / 25.4).
    EXPECT_EQ(MmToPixel({2.4472135954999579, 34.549150281252629}, 96), (PixelPoint{9, 130}));
}

TEST(PreviewPixels, DefaultStarAt96Ppi) {
    const PreviewPicture picture = BuildPreviewPicture(TStarSettings{}, 96, '.');
    EXPECT_EQ(picture.side, 453);
    EXPECT_EQ(picture.penWidth, 1);
    ASSERT_EQ(picture.contours.size(), 1u);
    ASSERT_EQ(picture.contours[0].size(), 10u);
    // Outer[0]: Trunc(96 × 50 / 25.4) + 37, 0 + 37.
    EXPECT_EQ(picture.contours[0][0].at, (PixelPoint{225, 37}));
    EXPECT_TRUE(picture.filled);
}

// The window paints the design's figure with the painter, and a part by the
// core's runs.
TEST(PreviewPixels, OnlyTheDesignsFigureIsMarkedAsIt) {
    EXPECT_TRUE(BuildPreviewPicture(TStarSettings{}, 96, '.').designFigure);
    TStarSettings part;
    part.Part.CutOutline = true;
    EXPECT_FALSE(BuildPreviewPicture(part, 96, '.').designFigure);
}

TEST(PreviewPixels, MarginIsAddedAfterConversion) {
    // The inner point 0 at (38.7743, 34.5492) mm: Trunc(146.55) + 37 = 183,
    // while converting the shifted point 48.7743 would give Trunc(184.34) = 184.
    const PreviewPicture picture = BuildPreviewPicture(TStarSettings{}, 96, '.');
    EXPECT_EQ(picture.contours[0][1].at.x, 146 + 37);
}

TEST(PreviewPixels, BitmapOutOfRangeIsTheRadiusError) {
    TStarSettings s;
    s.CircumRadius = "1e6";
    EXPECT_THROW_MSG(BuildPreviewPicture(s, 96, '.'), EConvertError, NotAFloatMessage("1e6"));
    s.CircumRadius = "-10";  // a side of zero pixels
    EXPECT_THROW(BuildPreviewPicture(s, 96, '.'), EConvertError);
}

TEST(PreviewPixels, PointCountIsReadBeforeTheRadius) {
    TStarSettings s;
    s.EdgeNumber = "x";
    s.CircumRadius = "y";
    EXPECT_THROW_MSG(BuildPreviewPicture(s, 96, '.'), EConvertError, NotAnIntegerMessage("x"));
}

}  // namespace
}  // namespace polygrav
