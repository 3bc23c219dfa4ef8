#include "svg/SvgDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "model/Errors.h"
#include "tests/support/ExpectThrow.h"

namespace polygrav {
namespace {

std::string ReadFixture(const std::string& name) {
    std::ifstream in(std::string(POLYGRAV_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Line 2, without its CR LF.
std::string SvgLine(const std::string& doc) {
    const std::size_t start = doc.find("\r\n") + 2;
    return doc.substr(start, doc.find("\r\n", start) - start);
}

// Line 3, which may itself hold CR LF between figures, without its own CR LF.
std::string PathLine(const std::string& doc) {
    const std::size_t start = doc.find("<path");
    return doc.substr(start, doc.rfind("\r\n</svg>\r\n") - start);
}

const char* const kDefaultStyle = "fill:#FF0000; stroke:#000000; stroke-width:0.5000";

std::string Path(const std::string& style, const std::string& data) {
    return "<path style=\"" + style + "\" d=\"" + data + "\"/>";
}

TEST(ColorToSVGTest, Table) {
    struct Row {
        const char* name;
        TColor color;
        const char* expected;
    };
    const Row rows[] = {
        {"red", clRed, "#FF0000"},
        {"black", clBlack, "#000000"},
        {"white", clWhite, "#FFFFFF"},
        {"navy is blue in the third byte", clNavy, "#000080"},
        {"red first, upper case", 0x00ABCDEF, "#EFCDAB"},
        {"system colour index lands in red", 0x8000000F, "#0F0000"},
        {"highest byte ignored", 0xFF00FF00, "#00FF00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ColorToSVG(row.color), row.expected);
    }
}

TEST(SvgDocumentTest, DefaultsGiveTheGoldenDocument) {
    const std::string expected = ReadFixture("default.svg");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(BuildSvgDocument(TStarSettings{}, '.'), expected);
}

TEST(SvgDocumentTest, SideFollowsTheRadius) {
    struct Row {
        const char* radius;
        const char* expected;
    };
    const Row rows[] = {
        {"5",
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30.0000mm\" height=\"30.0000mm\" "
         "viewBox=\"0 0 30.0000 30.0000\">"},
        {"100",
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"220.0000mm\" "
         "height=\"220.0000mm\" viewBox=\"0 0 220.0000 220.0000\">"},
        {"12.5",
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"45.0000mm\" "
         "height=\"45.0000mm\" viewBox=\"0 0 45.0000 45.0000\">"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("radius ") + row.radius);
        TStarSettings settings;
        settings.CircumRadius = row.radius;
        EXPECT_EQ(SvgLine(BuildSvgDocument(settings, '.')), row.expected);
    }
}

TEST(SvgDocumentTest, PathLineTable) {
    struct Row {
        const char* name;
        std::function<void(TStarSettings&)> change;
        std::string expected;
    };
    const Row rows[] = {
        {"star polygon", [](TStarSettings& s) { s.StarType = kStarPolygon; },
         Path(kDefaultStyle,
              "M60.0000 10.0000 L30.6107 100.4508 L107.5528 44.5492 L12.4472 44.5492 "
              "L89.3893 100.4508 z")},
        {"regular polygon", [](TStarSettings& s) { s.StarType = kRegularPolygon; },
         Path(kDefaultStyle,
              "M60.0000 10.0000 L12.4472 44.5492 L30.6107 100.4508 L89.3893 100.4508 "
              "L107.5528 44.5492 z")},
        {"six points, two figures",
         [](TStarSettings& s) {
             s.EdgeNumber = "6";
             s.StarType = kStarPolygon;
         },
         Path(kDefaultStyle,
              "M60.0000 10.0000 L16.6987 85.0000 L103.3013 85.0000 z\r\n"
              "M16.6987 35.0000 L60.0000 110.0000 L103.3013 35.0000 z")},
        {"fractional radius",
         [](TStarSettings& s) {
             s.CircumRadius = "12.5";
             s.StarType = kRegularPolygon;
         },
         Path(kDefaultStyle,
              "M22.5000 10.0000 L10.6118 18.6373 L15.1527 32.6127 L29.8473 32.6127 "
              "L34.3882 18.6373 z")},
        {"no star type", [](TStarSettings& s) { s.StarType = kNoStarType; },
         Path(kDefaultStyle, "")},
        {"unknown star type", [](TStarSettings& s) { s.StarType = 3; }, Path(kDefaultStyle, "")},
        {"transparent with fill rule",
         [](TStarSettings& s) {
             s.StarType = kNoStarType;
             s.FillTransparent = true;
             s.FillRule = true;
         },
         Path("fill:none; fill-rule:evenodd; stroke:#000000; stroke-width:0.5000", "")},
        {"fill rule with a colour",
         [](TStarSettings& s) {
             s.StarType = kNoStarType;
             s.FillRule = true;
             s.FillColor = clYellow;
             s.StrokeColor = clNavy;
         },
         Path("fill:#FFFF00; fill-rule:evenodd; stroke:#000080; stroke-width:0.5000", "")},
        {"outline width 0",
         [](TStarSettings& s) {
             s.StarType = kNoStarType;
             s.StrokeWidth = 0;
         },
         Path("fill:#FF0000; stroke:#000000; stroke-width:0.0000", "")},
        {"outline width 400",
         [](TStarSettings& s) {
             s.StarType = kNoStarType;
             s.StrokeWidth = 400;
         },
         Path("fill:#FF0000; stroke:#000000; stroke-width:4.0000", "")},
        {"outline width 1",
         [](TStarSettings& s) {
             s.StarType = kNoStarType;
             s.StrokeWidth = 1;
         },
         Path("fill:#FF0000; stroke:#000000; stroke-width:0.0100", "")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TStarSettings settings;
        row.change(settings);
        const std::string doc = BuildSvgDocument(settings, '.');
        EXPECT_EQ(PathLine(doc), row.expected);
        EXPECT_EQ(doc.substr(doc.size() - 8), "</svg>\r\n");
    }
}

TEST(SvgDocumentTest, HundredPointStarPolygonHasTwoFiguresOfFifty) {
    TStarSettings settings;
    settings.EdgeNumber = "100";
    settings.StarType = kStarPolygon;
    const std::string path = PathLine(BuildSvgDocument(settings, '.'));
    const std::size_t split = path.find("z\r\nM");
    ASSERT_NE(split, std::string::npos);
    const std::string first = path.substr(0, split);
    const std::string second = path.substr(split + 3);
    EXPECT_EQ(std::count(first.begin(), first.end(), 'L'), 49);
    EXPECT_EQ(std::count(second.begin(), second.end(), 'L'), 49);
    EXPECT_EQ(second.find("z\r\n"), std::string::npos);
}

TEST(SvgDocumentTest, DecimalSeparatorOnlyAffectsReadingTheRadius) {
    TStarSettings withFullStop;
    withFullStop.CircumRadius = "12.5";
    TStarSettings withComma;
    withComma.CircumRadius = "12,5";
    const std::string doc = BuildSvgDocument(withComma, ',');
    EXPECT_EQ(doc, BuildSvgDocument(withFullStop, '.'));
    EXPECT_EQ(doc.find(','), std::string::npos);
}

TEST(SvgDocumentTest, ConversionErrorsComeFirstAndNameTheText) {
    struct Row {
        const char* name;
        const char* points;
        const char* radius;
        const char* message;
    };
    const Row rows[] = {
        {"point count not a number", "abc", "50", "'abc' は整数ではありません"},
        {"point count checked before the radius", "5 ", "x", "'5 ' は整数ではありません"},
        {"too few points", "2", "50", "'2' は3以上の整数ではありません"},
        {"radius not a number", "5", "1,5", "'1,5' は浮動小数点数ではありません"},
        {"empty radius", "5", "", "'' は浮動小数点数ではありません"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TStarSettings settings;
        settings.EdgeNumber = row.points;
        settings.CircumRadius = row.radius;
        EXPECT_THROW_MSG(BuildSvgDocument(settings, '.'), EConvertError, row.message);
    }
}

TEST(SvgDocumentTest, BulgedEdgesBecomeArcCommands) {
    // A frame of 20 mm with a half circle (bulge 1, counter-clockwise on the
    // page: SVG sweep 0) from the first corner and a quarter-bulge closing
    // edge (clockwise: sweep 1), both written before the "z".
    Figure figure;
    figure.margin = 10;
    figure.documentSide = 40;
    figure.contours = {{{{0, 10}, 1}, {{20, 10}, 0}, {{20, 20}, -0.25}}};
    const std::string path = PathLine(SvgDocumentOf(figure));
    EXPECT_NE(path.find("d=\"M10.0000 20.0000 A10.0000 10.0000 0 0 0 30.0000 20.0000 "
                        "L30.0000 30.0000 A23.7582 23.7582 0 0 1 10.0000 20.0000 z\""),
              std::string::npos)
        << path;
}

}  // namespace
}  // namespace polygrav
