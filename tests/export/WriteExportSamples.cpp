// Writes every sample of the outside checks into one folder (made when
// missing): for each case
// its SVG, DXF in both versions and both arc modes, PDF and PNG, through the
// public EncodeFigure. cases.txt lists the cases, one a line:
//   <name> <document side in mm> <contour count>
// A few PNG-only samples follow: 100 mm at 300 dpi, and a transparent one.
// Each case also gets its G-code with arcs and with segments and its HPGL;
// machine.txt lists further machine files with options of their own:
//   <file> <case> <key>=<value>...
// (keys passes, depth, safez, origin, laser, overcut, mirror, speed).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "export/FigureExport.h"
#include "export/LinkedCairoEncoders.h"
#include "model/StarSettings.h"
#include "tests/export/SampleFigures.h"

using namespace polygrav;

namespace {

struct Sample {
    std::string name;
    Figure figure;
};

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

Figure FromSettings(int type, int n, const char* radius) {
    TStarSettings s;
    s.StarType = type;
    s.EdgeNumber = std::to_string(n);
    s.CircumRadius = radius;
    return BuildFigure(s, '.');
}

std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    for (const int type : {kStarOutline, kStarPolygon, kRegularPolygon}) {
        for (const int n : {5, 6, 7, 100}) {
            for (const char* radius : {"5", "12.5", "100"}) {
                std::string r = radius;
                for (char& c : r) c = c == '.' ? 'p' : c;
                samples.push_back({"t" + std::to_string(type) + "-n" + std::to_string(n) + "-r" + r,
                                   FromSettings(type, n, radius)});
            }
        }
    }
    // Styles, on the five-pointed star polygon whose middle the two fill
    // rules tell apart.
    const auto styled = [&samples](const char* name, auto change) {
        TStarSettings s;
        s.StarType = kStarPolygon;
        change(s);
        samples.push_back({name, BuildFigure(s, '.')});
    };
    styled("style-evenodd", [](TStarSettings& s) { s.FillRule = true; });
    styled("style-nofill", [](TStarSettings& s) { s.FillTransparent = true; });
    styled("style-nofill-evenodd", [](TStarSettings& s) {
        s.FillTransparent = true;
        s.FillRule = true;
    });
    styled("style-width0", [](TStarSettings& s) { s.StrokeWidth = 0; });
    styled("style-width400", [](TStarSettings& s) {
        s.StrokeWidth = 400;
        s.StarType = kStarOutline;
        s.EdgeNumber = "100";
    });
    styled("style-colors", [](TStarSettings& s) {
        s.FillColor = 0x0000FF00;
        s.StrokeColor = 0x00FF0000;
    });
    styled("style-system-colors", [](TStarSettings& s) {
        s.FillColor = 0x8000000F;
        s.StrokeColor = 0x80000005;
    });
    // Parts, whose fillets and round offsets are arcs.
    styled("part-filleted-grown", [](TStarSettings& s) {
        s.StarType = kStarOutline;
        s.Part.CornerRadius = 2;
        s.Part.ValleyRadius = 1;
        s.Part.Offset = 0.5;
    });
    styled("part-7-3-rotated-shrunk", [](TStarSettings& s) {
        s.EdgeNumber = "7";
        s.Part.StarStep = 3;
        s.Part.Rotation = 20;
        s.Part.Offset = -0.4;
    });
    styled("part-6-2-cut-evenodd", [](TStarSettings& s) {
        s.EdgeNumber = "6";
        s.Part.CutOutline = true;
        s.FillRule = true;
    });
    styled("part-hexagon-flats-mitred", [](TStarSettings& s) {
        s.EdgeNumber = "6";
        s.StarType = kRegularPolygon;
        s.Part.SizeBy = kSizeByAcrossFlats;
        s.Part.Offset = 0.1;
        s.Part.OffsetJoin = kMitreJoin;
    });
    styled("part-7-3-cut-evenodd-filleted", [](TStarSettings& s) {
        s.EdgeNumber = "7";
        s.Part.StarStep = 3;
        s.Part.CutOutline = true;
        s.FillRule = true;
        s.Part.CornerRadius = 0.5;
    });
    samples.push_back({"arcs-rounded", test::RoundedFigure()});
    samples.push_back({"arcs-ring", test::RingFigure()});
    samples.push_back({"no-contour", FromSettings(kNoStarType, 5, "50")});
    return samples;
}

// Machine files whose options differ from the defaults, each on a figure
// that shows what the option changes: a hole, arcs, tips.
void WriteMachineSamples(const std::string& folder) {
    std::ofstream list(folder + "/machine.txt", std::ios::trunc);
    const auto write = [&](const std::string& file, const std::string& sample, const Figure& figure,
                           ExportFormat format, const ExportOptions& options,
                           const std::string& keys) {
        WriteFile(folder + "/" + file, EncodeFigure(figure, format, options));
        list << file << ' ' << sample << ' ' << keys << '\n';
    };
    ExportOptions router;
    router.gcode.passes = 3;
    router.gcode.passDepth = 0.5;
    router.gcode.safeZ = 2;
    router.gcode.power = 12000;
    router.gcode.maxPower = 24000;
    write("machine-ring-router.gcode", "arcs-ring", test::RingFigure(), ExportFormat::Gcode, router,
          "passes=3 depth=0.5 safez=2 power=12000");
    ExportOptions centred;
    centred.gcode.origin = MachineOrigin::Centre;
    centred.gcode.laserMode = false;
    centred.gcode.passes = 2;
    centred.gcode.power = 300;
    write("machine-rounded-centre.gcode", "arcs-rounded", test::RoundedFigure(),
          ExportFormat::Gcode, centred, "origin=1 laser=0 passes=2 power=300");
    ExportOptions cutter;
    cutter.hpgl.overcut = 1;
    cutter.hpgl.mirror = true;
    cutter.hpgl.speed = 20;
    write("machine-rounded-overcut-mirror.plt", "arcs-rounded", test::RoundedFigure(),
          ExportFormat::Plt, cutter, "overcut=1 mirror=1 speed=20");
    write("machine-ring-overcut.plt", "arcs-ring", test::RingFigure(), ExportFormat::Plt, cutter,
          "overcut=1 mirror=1 speed=20");
    ExportOptions overcut;
    overcut.hpgl.overcut = 2.5;
    write("machine-star-overcut.plt", "t0-n5-r12p5", FromSettings(kStarOutline, 5, "12.5"),
          ExportFormat::Plt, overcut, "overcut=2.5");
}

}  // namespace

int main(int argc, char** argv) {
    polygrav::UseCairoEncoders(polygrav::LinkedCairoEncoders());
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder);
    std::ofstream list(folder + "/cases.txt", std::ios::trunc);
    for (const Sample& s : Samples()) {
        const std::string base = folder + "/" + s.name;
        WriteFile(base + ".svg", EncodeFigure(s.figure, ExportFormat::Svg));
        for (const auto& [version, vname] :
             {std::pair{DxfVersion::R12, "r12"}, std::pair{DxfVersion::R2000, "r2000"}}) {
            for (const auto& [arcs, aname] :
                 {std::pair{DxfArcs::Bulge, "bulge"}, std::pair{DxfArcs::Segments, "segments"}}) {
                ExportOptions options;
                options.dxf.version = version;
                options.dxf.arcs = arcs;
                WriteFile(base + "-" + vname + "-" + aname + ".dxf",
                          EncodeFigure(s.figure, ExportFormat::Dxf, options));
            }
        }
        WriteFile(base + ".pdf", EncodeFigure(s.figure, ExportFormat::Pdf));
        WriteFile(base + ".png", EncodeFigure(s.figure, ExportFormat::Png));
        ExportOptions segments;
        segments.gcode.arcs = GcodeArcs::Segments;
        WriteFile(base + ".gcode", EncodeFigure(s.figure, ExportFormat::Gcode));
        WriteFile(base + "-segments.gcode", EncodeFigure(s.figure, ExportFormat::Gcode, segments));
        WriteFile(base + ".plt", EncodeFigure(s.figure, ExportFormat::Plt));
        list << s.name << ' ' << s.figure.documentSide << ' ' << s.figure.contours.size() << '\n';
    }

    // R = 40 makes a document of 100 mm.
    const Figure square = FromSettings(kStarOutline, 5, "40");
    ExportOptions at300;
    at300.png.dpi = 300;
    WriteFile(folder + "/png-100mm-300dpi.png", EncodeFigure(square, ExportFormat::Png, at300));
    ExportOptions transparent;
    transparent.png.transparent = true;
    WriteFile(folder + "/png-transparent.png",
              EncodeFigure(square, ExportFormat::Png, transparent));
    WriteMachineSamples(folder);
    return list.flush() ? 0 : 1;
}
