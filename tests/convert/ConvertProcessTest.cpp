// polygrav-convert as a whole process: the same SVG bytes and messages as
// "polygrav DOCUMENT.pgv", batches with failures, standard output, usage
// errors and their exit status.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "conversion/ConvertOptions.h"
#include "export/ExportErrors.h"
#include "model/Errors.h"
#include "model/Messages.h"
#include "model/StarSettings.h"
#include "svg/SvgDocument.h"
#include "tests/support/ProgramSandbox.h"

namespace polygrav {
namespace {

using test::ChildResult;
using test::ProgramSandbox;

// The message texts a program wrote on standard error, without the
// "<program>: " and, for the converter, the "<document>: " before them.
std::vector<std::string> Messages(const std::string& err, const std::string& prefix) {
    std::vector<std::string> messages;
    std::size_t start = 0;
    while (start < err.size()) {
        std::size_t end = err.find('\n', start);
        if (end == std::string::npos) end = err.size();
        const std::string line = err.substr(start, end - start);
        if (line.starts_with(prefix)) messages.push_back(line.substr(prefix.size()));
        start = end + 1;
    }
    return messages;
}

std::string Svg(const char* points) {
    TStarSettings s;
    s.EdgeNumber = points;
    return BuildSvgDocument(s, '.');
}

// A sandbox with the converter and the modules it loads.
class ConvertProcess : public ::testing::Test {
  protected:
    ChildResult Convert(const std::vector<std::string>& args, const std::string& input = {}) {
        return box.Run(convert, args, input);
    }

    ProgramSandbox box{POLYGRAV_MODULE_DIR};
    std::string convert = box.AddProgram(POLYGRAV_CONVERT_BINARY);
};

// Each document converted by both programs: the same file bytes (or none),
// the same message texts, the same exit status.
TEST_F(ConvertProcess, SameAsTheProgram) {
#ifndef POLYGRAV_BINARY
    GTEST_SKIP() << "built without the program polygrav";
#else
    const std::string program = box.AddProgram(POLYGRAV_BINARY);
    const struct {
        const char* name;
        const char* document;
    } rows[] = {
        {"design values", "[SVG]\nView=0\n"},
        {"every key",
         "[SVG]\r\nFavoriteDir=/x\r\nEdgeNumber=7\r\nCircumRadius=12.5\r\nStarType=1\r\n"
         "FillColor=clBlue\r\nFillTransparent=1\r\nStrokeColor=$00C08040\r\n"
         "StrokeWidth=400\r\nView=0\r\nFillRule=1\r\n"},
        {"hundred points", "[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=1\nView=0\n"},
        {"limits and rewrites",
         "[SVG]\nEdgeNumber=abc\nCircumRadius=150\nStrokeWidth=-3\nView=0\n"},
        {"stopped at the radius's redraw", "[SVG]\nEdgeNumber=\nCircumRadius=30\nFillColor=bad\n"},
        {"bad colour", "[SVG]\nEdgeNumber=7\nFillColor=red\n"},
        {"empty radius", "[SVG]\nCircumRadius=\nView=0\n"},
        {"held-back point count", "[SVG]\nEdgeNumber=2\nView=0\n"},
        {"no star type", "[SVG]\nStarType=-1\nView=0\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        box.WriteFile("a.pgv", row.document);
        box.WriteFile("b.pgv", row.document);
        std::filesystem::remove(box.path("a.svg"));
        std::filesystem::remove(box.path("b.svg"));
        const ChildResult byProgram = box.Run(program, {box.path("a.pgv")});
        const ChildResult byConverter = Convert({box.path("b.pgv")});
        ASSERT_TRUE(byConverter.exited) << byConverter.err;
        EXPECT_EQ(byConverter.exitCode, byProgram.exitCode);
        EXPECT_EQ(box.ReadFile("b.svg"), box.ReadFile("a.svg"));
        EXPECT_EQ(box.Exists("b.svg"), box.Exists("a.svg"));
        EXPECT_EQ(Messages(byConverter.err, "polygrav-convert: " + box.path("b.pgv") + ": "),
                  Messages(byProgram.err, "polygrav: "));
        EXPECT_EQ(byConverter.out, "");
    }
#endif
}

TEST_F(ConvertProcess, BatchWithFailures) {
    box.WriteFile("one.pgv", "[SVG]\nEdgeNumber=6\n");
    box.WriteFile("bad.pgv", "[SVG]\nFillColor=\n");
    box.WriteFile("bad.svg", "earlier");
    box.WriteFile("two.pgv", "[SVG]\nEdgeNumber=8\n");
    std::filesystem::create_directory(box.path("folder.svg"));
    box.WriteFile("folder.pgv", "[SVG]\n");
    const ChildResult run = Convert({"one.pgv", "bad.pgv", "missing.pgv", "folder.pgv", "two.pgv"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        Messages(run.err, "polygrav-convert: "),
        (std::vector<std::string>{
            "bad.pgv: '' は整数ではありません.", "missing.pgv: ファイル missing.pgv を開けません.",
            "folder.pgv: ファイル folder.svg を作成できません: Is a directory."}));
    EXPECT_EQ(box.ReadFile("one.svg"), Svg("6"));
    EXPECT_EQ(box.ReadFile("two.svg"), Svg("8"));
    EXPECT_EQ(box.ReadFile("bad.svg"), "earlier");
    EXPECT_FALSE(box.Exists("missing.svg"));
    // No temporary file is left beside the outputs.
    for (const std::string& name : box.Names()) EXPECT_FALSE(name.starts_with('.')) << name;
}

TEST_F(ConvertProcess, SettingsLinesAndStandardOutput) {
    const ChildResult toStdout =
        Convert({"--set", "EdgeNumber=9", "--set", "edgenumber=7", "-o", "-"});
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out, Svg("7"));  // the later line wins, as in the controls

    box.WriteFile("doc.pgv", "[SVG]\nEdgeNumber=6\n");
    const ChildResult toPath =
        Convert({"-o", box.path("elsewhere.svg"), "--set", "EdgeNumber=11", "doc.pgv"});
    EXPECT_EQ(toPath.exitCode, 0);
    EXPECT_EQ(box.ReadFile("elsewhere.svg"), Svg("11"));
    EXPECT_FALSE(box.Exists("doc.svg"));
}

TEST_F(ConvertProcess, ViewerOnlyWhenAsked) {
    // View=1 in the document; the sandbox's desktop has no SVG viewer.
    box.WriteFile("v.pgv", "[SVG]\nView=1\n");
    const ChildResult quiet = Convert({"v.pgv"});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, "");
    const ChildResult asked = Convert({"--view", "v.pgv"});
    EXPECT_EQ(asked.exitCode, 0);
    EXPECT_EQ(Messages(asked.err, "polygrav-convert: "),
              std::vector<std::string>{"SVGのビューワーが見つかりませんでした。"});

    // Without its module beside it the converter says why it cannot open.
    ASSERT_TRUE(std::filesystem::remove(box.path("polygrav-viewer.so")));
    const ChildResult noModule = Convert({"--view", "v.pgv"});
    EXPECT_EQ(noModule.exitCode, 0);
    const std::string why = MessageText(MessageId::CannotLoadViewerModule, {""});
    EXPECT_NE(noModule.err.find(why), std::string::npos) << noModule.err;
}

// Every format from one figure, each file beside its document; PDF and PNG
// come from the cairo module, which the converter loads only for them.
TEST_F(ConvertProcess, FormatsBesideTheDocument) {
    box.WriteFile("a.pgv", "[SVG]\nEdgeNumber=6\nCircumRadius=40\n");
    const ChildResult run =
        Convert({"--format", "svg,dxf,pdf,png", "--dpi", "300", "--dxf", "r2000", "a.pgv"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    TStarSettings six;
    six.EdgeNumber = "6";
    six.CircumRadius = "40";
    EXPECT_EQ(box.ReadFile("a.svg"), BuildSvgDocument(six, '.'));
    EXPECT_NE(box.ReadFile("a.dxf").find("AC1015"), std::string::npos);
    EXPECT_TRUE(box.ReadFile("a.pdf").starts_with("%PDF-"));
    const std::string png = box.ReadFile("a.png");
    EXPECT_TRUE(png.starts_with("\x89PNG\r\n\x1a\n"));
    EXPECT_NE(png.find("pHYs"), std::string::npos);

    // Without its module the converter says why, and the other formats are
    // still written.
    ASSERT_TRUE(std::filesystem::remove(box.path("polygrav-cairo.so")));
    box.WriteFile("b.pgv", "[SVG]\n");
    const ChildResult noModule = Convert({"--format", "pdf,dxf", "b.pgv"});
    EXPECT_EQ(noModule.exitCode, 1);
    EXPECT_NE(noModule.err.find("polygrav-convert: b.pgv: PDF"), std::string::npos);
    EXPECT_NE(box.ReadFile("b.dxf").find("AC1009"), std::string::npos);
    EXPECT_FALSE(box.Exists("b.pdf"));
}

TEST_F(ConvertProcess, FormatFromTheOutputsExtension) {
    box.WriteFile("a.pgv", "[SVG]\n");
    EXPECT_EQ(Convert({"-o", "star.DXF", "a.pgv"}).exitCode, 0);
    EXPECT_NE(box.ReadFile("star.DXF").find("POLYLINE"), std::string::npos);
    EXPECT_EQ(Convert({"-o", "star.out", "a.pgv"}).exitCode, 0);
    EXPECT_TRUE(box.ReadFile("star.out").starts_with("<?xml"));  // no format named: SVG
    const ChildResult toStdout = Convert({"--format", "png", "-o", "-", "a.pgv"});
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_TRUE(toStdout.out.starts_with("\x89PNG"));
}

// A usage error: exit status 2, the argument named in the user's language, a
// short usage in it, and nothing written, not even for the good document
// before the bad option.
TEST_F(ConvertProcess, UsageErrors) {
    const auto text = [](MessageId id, std::vector<std::string> args, Language language) {
        return MessageText(id, args, language);
    };
    const auto period = [](const Message& m, Language language) {
        return WithClosingPeriod(m.In(language));
    };
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string message;
    };
    box.WriteFile("a.pgv", "[SVG]\n");
    box.WriteFile("b.pgv", "[SVG]\n");
    const std::vector<std::string> before = box.Names();
    for (const Language language : {Language::Japanese, Language::English}) {
        box.environment()["LANG"] = language == Language::English ? "en_US.UTF-8" : "C.UTF-8";
        const Row rows[] = {
            {"unknown option",
             {"--bogus", "a.pgv"},
             text(MessageId::UnknownOption, {"--bogus"}, language)},
            {"set without =",
             {"--set", "EdgeNumber", "a.pgv"},
             text(MessageId::SetLineExpected, {"EdgeNumber"}, language)},
            {"unknown key",
             {"--set", "Size=3", "a.pgv"},
             text(MessageId::SetUnknownKey, {"Size=3", "'Size'"}, language)},
            {"rejected colour",
             {"--set", "StrokeColor=x", "a.pgv"},
             "--set StrokeColor=x: " + period(NotAnIntegerMessage("x"), language)},
            {"-o with two documents",
             {"-o", "x.svg", "a.pgv", "b.pgv"},
             text(MessageId::OutputOneDocument, {"x.svg", "2"}, language)},
            {"nothing to do", {}, text(MessageId::NoDocument, {}, language)},
            {"unknown format",
             {"--format", "svg,gif", "a.pgv"},
             "--format svg,gif: " + period(UnknownFormatMessage("gif"), language)},
            {"resolution out of range",
             {"--dpi", "0", "a.pgv"},
             "--dpi 0: " + period(ResolutionOutOfRangeMessage(0), language)},
            {"-o with two formats",
             {"--format", "svg,dxf", "-o", "x", "a.pgv"},
             text(MessageId::OutputOneFormat, {"x", "2"}, language)},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.name) +
                         (language == Language::English ? " (English)" : ""));
            const ChildResult run = Convert(row.args);
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(Messages(run.err, "polygrav-convert: "),
                      std::vector<std::string>{row.message});
            EXPECT_TRUE(run.err.ends_with(MessageTemplate(MessageId::ConvertShortUsage, language)))
                << run.err;
            EXPECT_EQ(box.Names(), before);
        }
    }
}

// The help in the user's language: English when English comes first among
// the preferred languages, Japanese for C and for Japanese.
TEST_F(ConvertProcess, Help) {
    struct Row {
        const char* lang;
        const char* language;
        Language expected;
    };
    for (const Row& row :
         {Row{"C", "", Language::Japanese}, Row{"ja_JP.UTF-8", "", Language::Japanese},
          Row{"en_US.UTF-8", "", Language::English},
          Row{"ja_JP.UTF-8", "en_GB:ja", Language::English},
          Row{"en_US.UTF-8", "fr:ja:en", Language::Japanese}}) {
        SCOPED_TRACE(std::string(row.lang) + " " + row.language);
        box.environment()["LANG"] = row.lang;
        if (*row.language) {
            box.environment()["LANGUAGE"] = row.language;
        } else {
            box.environment().erase("LANGUAGE");
        }
        const ChildResult run = Convert({"--help"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out,
                  MessageText(MessageId::ConvertUsage,
                              {HelpKeyList(), HelpKeyList(kMachineSection)}, row.expected));
    }
}

}  // namespace
}  // namespace polygrav
