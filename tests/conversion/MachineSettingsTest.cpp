// The keys of [Machine] on their way from a document and from --set to the
// G-code and HPGL files, and the values that are refused on the way.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "conversion/BatchConversion.h"
#include "conversion/ConvertOptions.h"
#include "export/GcodeWriter.h"
#include "export/HpglWriter.h"
#include "geometry/Figure.h"
#include "model/Errors.h"
#include "model/Messages.h"
#include "svg/SvgDocument.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

struct Recorder {
    std::vector<std::string> reports;

    BatchHooks Hooks() {
        return {[this](const std::string& text) { reports.push_back(text); },
                [](const std::string&) {}, [](const std::string&) { return true; }};
    }
};

ConvertOptions Options(const std::string& document, std::vector<ExportFormat> formats,
                       std::vector<std::string> settings = {}) {
    ConvertOptions options;
    options.documents = {document};
    options.formats = std::move(formats);
    options.settings = std::move(settings);
    return options;
}

// The messages are compared in English.
class MachineSettings : public ::testing::Test {
  protected:
    void SetUp() override { SetMessageLanguage(Language::English); }
    void TearDown() override { SetMessageLanguage(Language::Japanese); }
};

TEST_F(MachineSettings, DocumentKeysThenSetLinesReachTheWriters) {
    test::TempFolder folder;
    test::WriteFile(folder / "m.pgv",
                    "[SVG]\nEdgeNumber=6\n[Machine]\nFeed=600\nPower=250\nLaserMode=0\n"
                    "Overcut=1.5\nMirror=1\n");
    // --set comes after the document: its Feed wins, its Speed is added.
    const ConvertOptions options =
        Options(folder / "m.pgv", {ExportFormat::Gcode, ExportFormat::Plt},
                {"machine.feed=750", "Machine.Origin=1", "Machine.Speed=20"});
    Recorder r;
    ASSERT_EQ(ConvertBatch(options, "/prog", '.', r.Hooks()), 0) << r.reports.front();

    TStarSettings design;
    design.EdgeNumber = "6";
    const Figure figure = BuildFigure(design, '.');
    GcodeOptions gcode;
    gcode.feed = 750;
    gcode.power = 250;
    gcode.laserMode = false;
    gcode.origin = MachineOrigin::Centre;
    HpglOptions hpgl;
    hpgl.overcut = 1.5;
    hpgl.mirror = true;
    hpgl.speed = 20;
    EXPECT_EQ(test::ReadFile(folder / "m.gcode"), GcodeProgramOf(figure, gcode));
    EXPECT_EQ(test::ReadFile(folder / "m.plt"), HpglFileOf(figure, hpgl));
}

TEST_F(MachineSettings, MachineKeysLeaveTheOtherFormatsAlone) {
    test::TempFolder folder;
    test::WriteFile(folder / "m.pgv", "[SVG]\nEdgeNumber=7\n[Machine]\nFeed=600\nMirror=1\n");
    Recorder r;
    ASSERT_EQ(ConvertBatch(Options(folder / "m.pgv", {ExportFormat::Svg}, {"Machine.Power=5"}),
                           "/prog", '.', r.Hooks()),
              0);
    TStarSettings design;
    design.EdgeNumber = "7";
    EXPECT_EQ(test::ReadFile(folder / "m.svg"), BuildSvgDocument(design, '.'));
}

TEST_F(MachineSettings, ValuesOfADocumentThatCannotBeUsedWriteNothing) {
    struct Row {
        const char* machine;  // the document's [Machine] section
        const char* file;     // the file that stays as it was
        const char* english;  // the report, after the document's path
    };
    const Row rows[] = {
        {"Feed=fast", "bad.gcode",
         "The value 'fast' of Machine.Feed is not a number that Machine.Feed takes."},
        {"Passes=2.5", "bad.gcode",
         "The value '2.5' of Machine.Passes is not a number that Machine.Passes takes."},
        {"Mirror=2", "bad.gcode",
         "The value '2' of Machine.Mirror is not a number that Machine.Mirror takes."},
        {"Speed=1e999", "bad.gcode",
         "The value '1e999' of Machine.Speed is not a number that Machine.Speed takes."},
        {"MaxPower=255\nPower=1000", "bad.gcode",
         "The value 1000 of Machine.Power is not within 0 to 255."},
        {"Feed=0", "bad.gcode", "The value 0 of Machine.Feed is not a number greater than 0."},
        {"Passes=101", "bad.gcode", "The value 101 of Machine.Passes is not within 1 to 100."},
        {"PassDepth=-1", "bad.gcode",
         "The value -1 of Machine.PassDepth is not a number of 0 or more."},
        {"Origin=2", "bad.gcode", "The value 2 of Machine.Origin is not within 0 to 1."},
        {"Overcut=-1", "bad.plt", "The value -1 of Machine.Overcut is not a number of 0 or more."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.machine);
        test::TempFolder folder;
        const std::string document = folder / "bad.pgv";
        test::WriteFile(document, std::string("[SVG]\nEdgeNumber=6\n[Machine]\n") + row.machine);
        test::WriteFile(folder / row.file, "earlier");
        Recorder r;
        EXPECT_EQ(ConvertBatch(Options(document, {ExportFormat::Gcode, ExportFormat::Plt}), "/prog",
                               '.', r.Hooks()),
                  1);
        ASSERT_FALSE(r.reports.empty());
        EXPECT_EQ(r.reports.front(), document + ": " + row.english);
        EXPECT_EQ(test::ReadFile(folder / row.file), "earlier");
    }
}

TEST_F(MachineSettings, SetLinesTakeTheirNumbersOrAreRefused) {
    const ParsedConvertOptions good =
        ParseConvertOptions({"--set", "Machine.Passes=3", "--set", "MACHINE.speed=", "--set",
                             "Machine.Feed=1e3", "a.pgv"});
    ASSERT_TRUE(good.options) << good.error->text;
    EXPECT_EQ(good.options->settings.size(), 3u);

    struct Row {
        const char* line;
        std::string english;
    };
    const Row rows[] = {
        {"Machine.Feed=abc",
         "--set Machine.Feed=abc: The value 'abc' of Machine.Feed is not a number that "
         "Machine.Feed takes."},
        {"Machine.Power=",
         "--set Machine.Power=: The value '' of Machine.Power is not a number "
         "that Machine.Power takes."},
        {"Machine.LaserMode=on",
         "--set Machine.LaserMode=on: The value 'on' of Machine.LaserMode "
         "is not a number that Machine.LaserMode takes."},
        {"Machine.Laser=1", "--set Machine.Laser=1: unknown settings key 'Machine.Laser'"},
        {"Sheet.Power=1", "--set Sheet.Power=1: unknown settings key 'Sheet.Power'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const ParsedConvertOptions parsed = ParseConvertOptions({"--set", row.line, "a.pgv"});
        ASSERT_TRUE(parsed.error);
        EXPECT_EQ(parsed.error->text, row.english);
    }
}

}  // namespace
}  // namespace polygrav
