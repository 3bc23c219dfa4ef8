#include "export/PngWriter.h"

#include <gtest/gtest.h>

#include "export/ExportErrors.h"
#include "tests/export/SampleFigures.h"
#include "tests/support/ExpectThrow.h"

namespace polygrav {
namespace {

TEST(PngWriterTest, PixelSideRoundsToTheNearestPixel) {
    struct Row {
        double side;
        int dpi;
        int expected;
    };
    const Row rows[] = {
        {100, 300, 1181},  // 1181.10
        {120, 96, 454},    // 453.54
        {30, 96, 113},     // 113.39
        {30, 1, 1},        // 1.18
        {220, 1150, 9961}, {25.4, 2400, 2400},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.side) + " mm at " + std::to_string(row.dpi));
        EXPECT_EQ(PngPixelSide(row.side, row.dpi), row.expected);
    }
}

TEST(PngWriterTest, ResolutionAndSizeOutOfRangeAreRefused) {
    struct Row {
        double side;
        int dpi;
        const char* message;
    };
    const Row rows[] = {
        {120, 0, "解像度 0 dpi は 1 から 2400 dpi の範囲外です"},
        {120, -96, "解像度 -96 dpi は 1 から 2400 dpi の範囲外です"},
        {120, 2401, "解像度 2401 dpi は 1 から 2400 dpi の範囲外です"},
        {220, 2400, "20787 × 20787 ピクセルの画像は大きすぎます (一辺 10000 ピクセルまで)"},
        {0.1, 96, "図形の寸法が不正なため書き出せません"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        EXPECT_THROW_MSG(PngPixelSide(row.side, row.dpi), EExportError, row.message);
    }
    Figure tooBig = test::RingFigure();
    tooBig.documentSide = 220;
    EXPECT_THROW(PngImageOf(tooBig, {2400, false}), EExportError);
}

TEST(PngWriterTest, AnImageOverTheBudgetNamesTheLargestResolutionThatFits) {
    Figure figure = test::RingFigure();
    figure.documentSide = 100;  // 9449 pixels a side at 2400 dpi
    try {
        PngImageOf(figure, {2400, true});
        ADD_FAILURE() << "no error";
    } catch (const EExportError& e) {
        EXPECT_EQ(e.message(), ImageOverBudgetMessage(2400, 9449, 1606));
    }
    // The largest named fits and is drawn.
    EXPECT_NO_THROW(RequireImageWithinBudget(100, 1606, PngPixelSide(100, 1606)));
    EXPECT_THROW(RequireImageWithinBudget(100, 1607, PngPixelSide(100, 1607)), EExportError);
}

}  // namespace
}  // namespace polygrav
