// The G-code and HPGL writers and the cutting order they share. The outside
// readers (check_gcode.py, check_hpgl.py) compare every sample with its SVG;
// these tests hold what those cannot see: the order of nested contours, the
// options' errors, and exact texts of small files.
#include <gtest/gtest.h>

#include <string>

#include "export/ExportErrors.h"
#include "export/FigureExport.h"
#include "export/GcodeWriter.h"
#include "export/HpglWriter.h"
#include "export/Toolpath.h"
#include "model/Messages.h"
#include "tests/export/SampleFigures.h"

namespace polygrav {
namespace {

Contour Square(double x, double y, double side) {
    return {{{x, y}, 0}, {{x + side, y}, 0}, {{x + side, y + side}, 0}, {{x, y + side}, 0}};
}

Figure FigureOf(std::vector<Contour> contours, double frame = 100) {
    Figure f;
    f.margin = 10;
    f.frameSide = frame;
    f.documentSide = frame + 20;
    f.contours = std::move(contours);
    return f;
}

TEST(MachineFilesTest, InnerContoursAreCutBeforeTheContoursAroundThem) {
    // Two parts: a frame with a hole holding an island with its own hole,
    // and a plain square; given outermost first.
    const std::vector<Contour> contours = {
        Square(0, 0, 60),    // 0: part A
        Square(10, 10, 40),  // 1: A's hole
        Square(20, 20, 20),  // 2: an island in the hole
        Square(25, 25, 10),  // 3: the island's hole
        Square(70, 70, 20),  // 4: part B
    };
    // From the page's top-left corner, part A's deepest contour is nearest.
    EXPECT_EQ(CuttingOrder(contours, {0, 0}), (std::vector<std::size_t>{3, 2, 1, 0, 4}));
    // From the far corner, B comes first; A's contours still deepest first.
    EXPECT_EQ(CuttingOrder(contours, {95, 95}), (std::vector<std::size_t>{4, 3, 2, 1, 0}));
}

TEST(MachineFilesTest, PartsFollowTheNearestNeighbour) {
    const std::vector<Contour> contours = {Square(80, 0, 5), Square(0, 0, 5), Square(40, 0, 5),
                                           Square(0, 50, 5)};
    EXPECT_EQ(CuttingOrder(contours, {0, 100}), (std::vector<std::size_t>{3, 1, 2, 0}));
}

TEST(MachineFilesTest, OverlappingContoursAreNoHoles) {
    // The two triangles of a compound star cross; neither holds the other.
    const std::vector<Contour> contours = {
        {{{50, 0}, 0}, {{93, 75}, 0}, {{7, 75}, 0}},
        {{{50, 100}, 0}, {{7, 25}, 0}, {{93, 25}, 0}},
    };
    EXPECT_EQ(CuttingOrder(contours, {0, 100}), (std::vector<std::size_t>{1, 0}));
}

TEST(MachineFilesTest, LaserProgramOfARing) {
    // The hole first, each contour from its first corner back to it, the
    // beam off for every travel; Y up from the document's bottom-left.
    const std::string expected =
        "G21 G90\nM5\n"
        "G0 X30 Y40\nM4 S1000\nG2 X30 Y20 I0 J-10 F1000\nG2 X30 Y40 I0 J10\nM5\n"
        "G0 X30 Y50\nM4 S1000\nG3 X30 Y10 I0 J-20 F1000\nG3 X30 Y50 I0 J20\nM5\n"
        "M2\n";
    EXPECT_EQ(GcodeProgramOf(test::RingFigure()), expected);
}

TEST(MachineFilesTest, RouterProgramStepsDownEachPass) {
    GcodeOptions o;
    o.passes = 2;
    o.passDepth = 1.5;
    o.safeZ = 3;
    o.feed = 600;
    o.origin = MachineOrigin::Centre;
    const std::string expected =
        "G21 G90\nG0 Z3\nM3 S1000\n"
        "G0 X-10 Y10\n"
        "G1 Z-1.5 F600\nG1 X10 Y10 F600\nG1 X10 Y-10\nG1 X-10 Y-10\nG1 X-10 Y10\n"
        "G1 Z-3 F600\nG1 X10 Y10 F600\nG1 X10 Y-10\nG1 X-10 Y-10\nG1 X-10 Y10\n"
        "G0 Z3\nM5\nM2\n";
    EXPECT_EQ(GcodeProgramOf(FigureOf({Square(40, 40, 20)}), o), expected);
}

TEST(MachineFilesTest, SegmentsStayWithinTheArc) {
    GcodeOptions o;
    o.arcs = GcodeArcs::Segments;
    const std::string program = GcodeProgramOf(test::RingFigure(), o);
    EXPECT_EQ(program.find("\nG2 "), std::string::npos);
    EXPECT_EQ(program.find("\nG3 "), std::string::npos);
    // A half circle of radius 10 within 0.01 mm needs at least 23 chords.
    EXPECT_GT(std::count(program.begin(), program.end(), '\n'), 4 * 23);
}

TEST(MachineFilesTest, BadOptionsNameTheKeyAndWriteNothing) {
    struct Row {
        const char* label;
        void (*change)(ExportOptions&);
        ExportFormat format;
        const char* english;
    };
    const Row rows[] = {
        {"power above max", [](ExportOptions& o) { o.gcode.power = 1001; }, ExportFormat::Gcode,
         "The value 1001 of Machine.Power is not within 0 to 1000"},
        {"negative power", [](ExportOptions& o) { o.gcode.power = -1; }, ExportFormat::Gcode,
         "The value -1 of Machine.Power is not within 0 to 1000"},
        {"feed 0", [](ExportOptions& o) { o.gcode.feed = 0; }, ExportFormat::Gcode,
         "The value 0 of Machine.Feed is not a number greater than 0"},
        {"passes 0", [](ExportOptions& o) { o.gcode.passes = 0; }, ExportFormat::Gcode,
         "The value 0 of Machine.Passes is not within 1 to 100"},
        {"passes 101", [](ExportOptions& o) { o.gcode.passes = 101; }, ExportFormat::Gcode,
         "The value 101 of Machine.Passes is not within 1 to 100"},
        {"negative depth", [](ExportOptions& o) { o.gcode.passDepth = -0.1; }, ExportFormat::Gcode,
         "The value -0.1 of Machine.PassDepth is not a number of 0 or more"},
        {"overcut past the hole", [](ExportOptions& o) { o.hpgl.overcut = 63; }, ExportFormat::Plt,
         "The value 63 mm of Machine.Overcut is longer than the shortest contour, 62.8119178061 "
         "mm"},
        {"speed 0", [](ExportOptions& o) { o.hpgl.speed = 0; }, ExportFormat::Plt,
         "The value 0 of Machine.Speed is not a number greater than 0"},
        {"origin 2", [](ExportOptions& o) { o.gcode.origin = static_cast<MachineOrigin>(2); },
         ExportFormat::Gcode, "The value 2 of Machine.Origin is not within 0 to 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ExportOptions options;
        row.change(options);
        try {
            EncodeFigure(test::RingFigure(), row.format, options);
            ADD_FAILURE() << "no error";
        } catch (const EExportError& e) {
            EXPECT_EQ(e.message().In(Language::English), row.english);
        }
    }
}

TEST(MachineFilesTest, HpglRoundsOnceSoContoursStayClosed) {
    // Corners just off half units: the contour ends on its first corner
    // rounded once, so rounding cannot open it.
    const Figure f =
        FigureOf({{{{0.0124, 0.0124}, 0}, {{20.0126, 0.0124}, 0}, {{10, 20.0126}, 0}}});
    EXPECT_EQ(HpglFileOf(f), "IN;\nSP1;\nPU400,4400;\nPD1201,4400,800,3599,400,4400;\nPU;\nSP0;\n");
}

TEST(MachineFilesTest, HpglOvercutMirrorAndSpeed) {
    HpglOptions o;
    o.overcut = 5;
    o.mirror = true;
    o.speed = 12.5;
    // The square's first corner is the page's top left, mirrored to the
    // top right; the cut goes on 5 mm along its first edge.
    EXPECT_EQ(HpglFileOf(FigureOf({Square(0, 0, 20)}), o),
              "IN;\nSP1;\nVS12.5;\nPU4400,4400;\nPD3600,4400,3600,3600,4400,3600,4400,4400,4200,"
              "4400;\nPU;\nSP0;\n");
}

TEST(MachineFilesTest, FormatNamesAndExtensions) {
    EXPECT_EQ(
        ParseFormatList("svg,GCODE,plt"),
        (std::vector<ExportFormat>{ExportFormat::Svg, ExportFormat::Gcode, ExportFormat::Plt}));
    EXPECT_THROW(ParseFormatName("nc"), EExportError);
    struct Row {
        const char* path;
        ExportFormat format;
    };
    for (const Row& row : {Row{"a.gcode", ExportFormat::Gcode}, Row{"b/A.NC", ExportFormat::Gcode},
                           Row{"c.plt", ExportFormat::Plt}, Row{"d.HPGL", ExportFormat::Plt}}) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(FormatOfPath(row.path), row.format);
    }
    EXPECT_EQ(ParseGcodeArcs("Segments"), GcodeArcs::Segments);
    EXPECT_THROW(ParseGcodeArcs("bulge"), EExportError);
}

}  // namespace
}  // namespace polygrav
