// A sheet of parts as a figure and in the SVG and DXF documents: the
// document is the sheet, the parts lie inside the margin, and a sheet's
// document is no longer square.

#include "geometry/SheetFigure.h"

#include <gtest/gtest.h>

#include <string>

#include "export/DxfWriter.h"
#include "geometry/ContourMeasures.h"
#include "svg/SvgDocument.h"

namespace polygrav {
namespace {

TStarSettings SmallPentagram() {
    TStarSettings s;
    s.CircumRadius = "10";
    return s;
}

SheetRequest Sheet(double width, double height) {
    SheetRequest r;
    r.width = width;
    r.height = height;
    return r;
}

TEST(SheetFigure, PartsFillTheSheetInsideTheMargin) {
    const SheetFigure sheet = BuildSheetFigure(SmallPentagram(), '.', Sheet(200, 120), false);
    const Figure& f = sheet.figure;
    EXPECT_EQ(f.DocumentWidth(), 200);
    EXPECT_EQ(f.DocumentHeight(), 120);
    EXPECT_EQ(static_cast<long long>(f.contours.size()), sheet.readouts.parts);
    EXPECT_GT(sheet.readouts.parts, 20);
    const Bounds box = BoundsOf(f.contours);
    EXPECT_GE(box.minX, 5 - 1e-9);
    EXPECT_GE(box.minY, 5 - 1e-9);
    EXPECT_LE(box.maxX, 195 + 1e-9);
    EXPECT_LE(box.maxY, 115 + 1e-9);
    // The parts' area over the sheet's, and the pattern at least as dense.
    double area = 0;
    for (const Contour& c : f.contours) area += std::fabs(SignedArea(c));
    EXPECT_NEAR(sheet.readouts.utilisation, area / (200 * 120), 1e-9);
    EXPECT_GE(sheet.readouts.density, sheet.readouts.utilisation);
}

TEST(SheetFigure, SvgAndDxfAreTheSheetsSize) {
    const SheetFigure sheet = BuildSheetFigure(SmallPentagram(), '.', Sheet(200, 120), true);
    const std::string svg = SvgDocumentOf(sheet.figure);
    EXPECT_NE(
        svg.find("width=\"200.0000mm\" height=\"120.0000mm\" viewBox=\"0 0 200.0000 120.0000\""),
        std::string::npos)
        << svg.substr(0, 200);
    EXPECT_NE(svg.find("<path style=\"fill:none; stroke:#0000FF; stroke-width:0.1000\" "
                       "d=\"M0.0000 0.0000 L200.0000 0.0000 L200.0000 120.0000 L0.0000 120.0000 "
                       "Z\"/>"),
              std::string::npos);
    const std::string dxf = DxfDocumentOf(sheet.figure);
    EXPECT_NE(dxf.find("$EXTMAX\r\n 10\r\n200.0"), std::string::npos);
}

TEST(SheetFigure, WithoutTheEdgeTheSvgHasOnlyTheParts) {
    const SheetFigure sheet = BuildSheetFigure(SmallPentagram(), '.', Sheet(100, 100), false);
    const std::string svg = SvgDocumentOf(sheet.figure);
    EXPECT_EQ(svg.find("fill:none; stroke:#0000FF"), std::string::npos);
}

}  // namespace
}  // namespace polygrav
