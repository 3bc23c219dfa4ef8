#include "export/FigureExport.h"

#include <gtest/gtest.h>

#include <string>

#include "export/ExportErrors.h"
#include "svg/SvgDocument.h"
#include "tests/export/SampleFigures.h"
#include "tests/support/ExpectThrow.h"

namespace polygrav {
namespace {

using F = ExportFormat;

TEST(FigureExportTest, FormatNamesIgnoreCase) {
    EXPECT_EQ(ParseFormatName("svg"), F::Svg);
    EXPECT_EQ(ParseFormatName("DXF"), F::Dxf);
    EXPECT_EQ(ParseFormatName("Pdf"), F::Pdf);
    EXPECT_EQ(ParseFormatName("pNg"), F::Png);
    for (const char* bad : {"", "jpg", " svg", "svgz", "s"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ParseFormatName(bad), EExportError);
    }
    EXPECT_THROW_MSG(
        ParseFormatName("eps"), EExportError,
        "'eps' は出力形式ではありません (svg, dxf, pdf, png, gcode, plt, stl, 3mf, scad)");
}

TEST(FigureExportTest, FormatLists) {
    struct Row {
        const char* list;
        std::vector<F> expected;
    };
    const Row rows[] = {
        {"svg", {F::Svg}},
        {"svg,dxf", {F::Svg, F::Dxf}},
        {" png , PDF ", {F::Png, F::Pdf}},
        {"dxf,svg,dxf", {F::Dxf, F::Svg}},
        {"svg,dxf,pdf,png", {F::Svg, F::Dxf, F::Pdf, F::Png}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.list);
        EXPECT_EQ(ParseFormatList(row.list), row.expected);
    }
    for (const char* bad : {"", ",", "svg,", ",svg", "svg,,dxf", "svg,gif", "svg;dxf"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ParseFormatList(bad), EExportError);
    }
}

TEST(FigureExportTest, FormatOfAPathsExtension) {
    struct Row {
        const char* path;
        std::optional<F> expected;
    };
    const Row rows[] = {
        {"star.svg", F::Svg},
        {"/home/user/Stars/star.DXF", F::Dxf},
        {"out/star.svg.pdf", F::Pdf},
        {"star.Png", F::Png},
        {"star", std::nullopt},
        {".png", std::nullopt},
        {"folder.pdf/star", std::nullopt},
        {"star.", std::nullopt},
        {"star.jpeg", std::nullopt},
        {"star.pngx", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(FormatOfPath(row.path), row.expected);
    }
    EXPECT_THROW_MSG(RequireFormatOfPath("/tmp/star.eps"), EExportError,
                     "'/tmp/star.eps' の拡張子から出力形式が分かりません");
}

TEST(FigureExportTest, NamesAndExtensionsLeadBackToTheirFormat) {
    for (const F format : {F::Svg, F::Dxf, F::Pdf, F::Png}) {
        EXPECT_EQ(ParseFormatName(FormatName(format)), format);
        EXPECT_EQ(FormatOfPath("star" + std::string(FileExtension(format))), format);
    }
    EXPECT_EQ(FileExtension(F::Dxf), ".dxf");
}

TEST(FigureExportTest, DxfOptionNames) {
    EXPECT_EQ(ParseDxfVersion("r12"), DxfVersion::R12);
    EXPECT_EQ(ParseDxfVersion("R2000"), DxfVersion::R2000);
    EXPECT_EQ(ParseDxfArcs("bulge"), DxfArcs::Bulge);
    EXPECT_EQ(ParseDxfArcs("Segments"), DxfArcs::Segments);
    EXPECT_THROW(ParseDxfVersion("r14"), EExportError);
    EXPECT_THROW(ParseDxfArcs("spline"), EExportError);
}

TEST(FigureExportTest, EncodesEachFormatWithItsOptions) {
    const Figure f = test::RingFigure();
    EXPECT_EQ(EncodeFigure(f, F::Svg), SvgDocumentOf(f));

    const std::string r12 = EncodeFigure(f, F::Dxf);
    EXPECT_NE(r12.find("AC1009"), std::string::npos);
    ExportOptions dxfOptions;
    dxfOptions.dxf.version = DxfVersion::R2000;
    dxfOptions.dxf.arcs = DxfArcs::Segments;
    const std::string r2000 = EncodeFigure(f, F::Dxf, dxfOptions);
    EXPECT_NE(r2000.find("AC1015"), std::string::npos);
    // Two vertices a contour with bulges, many once cut into segments.
    EXPECT_NE(r2000.find("LWPOLYLINE"), std::string::npos);
    EXPECT_EQ(r2000.find(" 90\r\n2\r\n"), std::string::npos);
    dxfOptions.dxf.arcs = DxfArcs::Bulge;
    EXPECT_NE(EncodeFigure(f, F::Dxf, dxfOptions).find(" 90\r\n2\r\n"), std::string::npos);

    const std::string pdf = EncodeFigure(f, F::Pdf);
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    // No creation date, so the bytes repeat.
    EXPECT_EQ(pdf.find("CreationDate"), std::string::npos);
    EXPECT_EQ(EncodeFigure(f, F::Pdf), pdf);

    ExportOptions pngOptions;
    pngOptions.png.dpi = 254;  // 10 pixels a millimetre: the 60 mm document is 600 pixels
    pngOptions.png.transparent = true;
    const std::string image = EncodeFigure(f, F::Png, pngOptions);
    ASSERT_GT(image.size(), 26u);
    EXPECT_EQ(image.substr(0, 8), "\x89PNG\r\n\x1a\n");
    const auto byte = [&image](std::size_t i) { return static_cast<unsigned char>(image[i]); };
    EXPECT_EQ(byte(18) << 8 | byte(19), 600);  // IHDR width
    EXPECT_EQ(byte(25), 6);                    // RGBA
}

TEST(FigureExportTest, FigureWithoutFiniteSizeIsRefusedExceptBySvg) {
    TStarSettings s;
    s.CircumRadius = "1e308";  // the document's side overflows
    const Figure f = BuildFigure(s, '.');
    EXPECT_NE(EncodeFigure(f, F::Svg).find("INF"), std::string::npos);
    for (const F format : {F::Dxf, F::Pdf, F::Png}) {
        SCOPED_TRACE(std::string(FormatName(format)));
        EXPECT_THROW(EncodeFigure(f, format), EExportError);
    }
}

}  // namespace
}  // namespace polygrav
