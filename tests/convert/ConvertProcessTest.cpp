// polygrav-convert as a whole process: the same SVG bytes and messages as
// "polygrav DOCUMENT.pgv", batches with failures, standard output, usage
// errors and their exit status.

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "ProgramSandbox.h"
#include "conversion/ConvertOptions.h"
#include "export/ExportErrors.h"
#include "model/Errors.h"
#include "model/Messages.h"
#include "model/StarSettings.h"
#include "svg/SvgDocument.h"

using namespace polygrav;
using polygrav::test::ProgramRun;
using polygrav::test::ProgramSandbox;

namespace {

// The message texts a program wrote on standard error, without the
// "<program>: " and, for the converter, the "<document>: " before them.
QStringList Messages(const QByteArray& err, const QString& prefix) {
    QStringList messages;
    for (const QString& line : QString::fromUtf8(err).split('\n')) {
        if (line.startsWith(prefix)) messages << line.mid(prefix.size());
    }
    return messages;
}

QStringList Entries(const ProgramSandbox& box) {
    return QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

QByteArray Svg(const char* points) {
    TStarSettings s;
    s.EdgeNumber = points;
    return QByteArray::fromStdString(BuildSvgDocument(s, '.'));
}

}  // namespace

class ConvertProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void sameAsTheProgram_data();
    void sameAsTheProgram();
    void batchWithFailures();
    void settingsLinesAndStandardOutput();
    void viewerOnlyWhenAsked();
    void formatsBesideTheDocument();
    void formatFromTheOutputsExtension();
    void usageErrors_data();
    void usageErrors();
    void help();
};

void ConvertProcessTest::sameAsTheProgram_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::newRow("design values") << QByteArray("[SVG]\nView=0\n");
    QTest::newRow("every key") << QByteArray(
        "[SVG]\r\nFavoriteDir=/x\r\nEdgeNumber=7\r\nCircumRadius=12.5\r\nStarType=1\r\n"
        "FillColor=clBlue\r\nFillTransparent=1\r\nStrokeColor=$00C08040\r\n"
        "StrokeWidth=400\r\nView=0\r\nFillRule=1\r\n");
    QTest::newRow("hundred points")
        << QByteArray("[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=1\nView=0\n");
    QTest::newRow("limits and rewrites")
        << QByteArray("[SVG]\nEdgeNumber=abc\nCircumRadius=150\nStrokeWidth=-3\nView=0\n");
    QTest::newRow("stopped at the radius's redraw")
        << QByteArray("[SVG]\nEdgeNumber=\nCircumRadius=30\nFillColor=bad\n");
    QTest::newRow("bad colour") << QByteArray("[SVG]\nEdgeNumber=7\nFillColor=red\n");
    QTest::newRow("empty radius") << QByteArray("[SVG]\nCircumRadius=\nView=0\n");
    QTest::newRow("held-back point count") << QByteArray("[SVG]\nEdgeNumber=2\nView=0\n");
    QTest::newRow("no star type") << QByteArray("[SVG]\nStarType=-1\nView=0\n");
}

// Each document converted by both programs: the same file bytes (or none),
// the same message texts, the same exit status.
void ConvertProcessTest::sameAsTheProgram() {
    QFETCH(QByteArray, document);
    ProgramSandbox box;
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    box.writeFile("a.pgv", document);
    box.writeFile("b.pgv", document);
    const ProgramRun byProgram = box.run({box.path("a.pgv")});
    const ProgramRun byConverter = box.runProgram(convert, {box.path("b.pgv")});
    QVERIFY2(!byConverter.crashed, byConverter.err.constData());
    QCOMPARE(byConverter.exitCode, byProgram.exitCode);
    QCOMPARE(box.readFile("b.svg"), box.readFile("a.svg"));
    QCOMPARE(QFileInfo::exists(box.path("b.svg")), QFileInfo::exists(box.path("a.svg")));
    QCOMPARE(Messages(byConverter.err, "polygrav-convert: " + box.path("b.pgv") + ": "),
             Messages(byProgram.err, "polygrav: "));
    QVERIFY(byConverter.out.isEmpty());
}

void ConvertProcessTest::batchWithFailures() {
    ProgramSandbox box;
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    box.writeFile("one.pgv", "[SVG]\nEdgeNumber=6\n");
    box.writeFile("bad.pgv", "[SVG]\nFillColor=\n");
    box.writeFile("bad.svg", "earlier");
    box.writeFile("two.pgv", "[SVG]\nEdgeNumber=8\n");
    QVERIFY(QDir(box.folder()).mkdir("folder.svg"));
    box.writeFile("folder.pgv", "[SVG]\n");
    const ProgramRun run =
        box.runProgram(convert, {"one.pgv", "bad.pgv", "missing.pgv", "folder.pgv", "two.pgv"});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(Messages(run.err, "polygrav-convert: "),
             (QStringList{"bad.pgv: '' は整数ではありません.",
                          "missing.pgv: ファイル missing.pgv を開けません.",
                          "folder.pgv: ファイル folder.svg を作成できません."}));
    QCOMPARE(box.readFile("one.svg"), Svg("6"));
    QCOMPARE(box.readFile("two.svg"), Svg("8"));
    QCOMPARE(box.readFile("bad.svg"), QByteArray("earlier"));
    QVERIFY(!QFileInfo::exists(box.path("missing.svg")));
    // No temporary file is left beside the outputs.
    for (const QString& name : Entries(box)) QVERIFY2(!name.startsWith('.'), qPrintable(name));
}

void ConvertProcessTest::settingsLinesAndStandardOutput() {
    ProgramSandbox box;
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    const ProgramRun toStdout =
        box.runProgram(convert, {"--set", "EdgeNumber=9", "--set", "edgenumber=7", "-o", "-"});
    QCOMPARE(toStdout.exitCode, 0);
    QCOMPARE(toStdout.out, Svg("7"));  // the later line wins, as in the controls

    box.writeFile("doc.pgv", "[SVG]\nEdgeNumber=6\n");
    const ProgramRun toPath = box.runProgram(
        convert, {"-o", box.path("elsewhere.svg"), "--set", "EdgeNumber=11", "doc.pgv"});
    QCOMPARE(toPath.exitCode, 0);
    QCOMPARE(box.readFile("elsewhere.svg"), Svg("11"));
    QVERIFY(!QFileInfo::exists(box.path("doc.svg")));
}

void ConvertProcessTest::viewerOnlyWhenAsked() {
    // View=1 in the document; the sandbox's desktop has no SVG viewer.
    ProgramSandbox box;
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    box.writeFile("v.pgv", "[SVG]\nView=1\n");
    const ProgramRun quiet = box.runProgram(convert, {"v.pgv"});
    QCOMPARE(quiet.exitCode, 0);
    QCOMPARE(quiet.err, QByteArray());
    const ProgramRun asked = box.runProgram(convert, {"--view", "v.pgv"});
    QCOMPARE(asked.exitCode, 0);
    QCOMPARE(Messages(asked.err, "polygrav-convert: "),
             QStringList{"SVGのビューワーが見つかりませんでした。"});

    // Without its module beside it the converter says why it cannot open.
    QVERIFY(QFile::remove(box.path("polygrav-viewer.so")));
    const ProgramRun noModule = box.runProgram(convert, {"--view", "v.pgv"});
    QCOMPARE(noModule.exitCode, 0);
    const std::string why = MessageText(MessageId::CannotLoadViewerModule, {""});
    QVERIFY(noModule.err.contains(QByteArray::fromStdString(why)));
}

// Every format from one figure, each file beside its document; PDF and PNG
// come from the cairo module, which the converter loads only for them.
void ConvertProcessTest::formatsBesideTheDocument() {
    ProgramSandbox box;
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    box.writeFile("a.pgv", "[SVG]\nEdgeNumber=6\nCircumRadius=40\n");
    const ProgramRun run = box.runProgram(
        convert, {"--format", "svg,dxf,pdf,png", "--dpi", "300", "--dxf", "r2000", "a.pgv"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    TStarSettings six;
    six.EdgeNumber = "6";
    six.CircumRadius = "40";
    QCOMPARE(box.readFile("a.svg"), QByteArray::fromStdString(BuildSvgDocument(six, '.')));
    QVERIFY(box.readFile("a.dxf").contains("AC1015"));
    QVERIFY(box.readFile("a.pdf").startsWith("%PDF-"));
    const QByteArray png = box.readFile("a.png");
    QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
    QVERIFY(png.contains("pHYs"));

    // Without its module the converter says why, and the other formats are
    // still written.
    QVERIFY(QFile::remove(box.path("polygrav-cairo.so")));
    box.writeFile("b.pgv", "[SVG]\n");
    const ProgramRun noModule = box.runProgram(convert, {"--format", "pdf,dxf", "b.pgv"});
    QCOMPARE(noModule.exitCode, 1);
    QVERIFY(noModule.err.contains("polygrav-convert: b.pgv: PDF"));
    QVERIFY(box.readFile("b.dxf").contains("AC1009"));
    QVERIFY(!QFileInfo::exists(box.path("b.pdf")));
}

void ConvertProcessTest::formatFromTheOutputsExtension() {
    ProgramSandbox box;
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    box.writeFile("a.pgv", "[SVG]\n");
    QCOMPARE(box.runProgram(convert, {"-o", "star.DXF", "a.pgv"}).exitCode, 0);
    QVERIFY(box.readFile("star.DXF").contains("POLYLINE"));
    QCOMPARE(box.runProgram(convert, {"-o", "star.out", "a.pgv"}).exitCode, 0);
    QVERIFY(box.readFile("star.out").startsWith("<?xml"));  // no format named: SVG
    const ProgramRun toStdout = box.runProgram(convert, {"--format", "png", "-o", "-", "a.pgv"});
    QCOMPARE(toStdout.exitCode, 0);
    QVERIFY(toStdout.out.startsWith("\x89PNG"));
}

void ConvertProcessTest::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QString>("message");
    const auto text = [](MessageId id, std::vector<std::string> args, Language language) {
        return QString::fromStdString(MessageText(id, args, language));
    };
    const auto period = [](const Message& m, Language language) {
        return QString::fromStdString(WithClosingPeriod(m.In(language)));
    };
    for (const Language language : {Language::Japanese, Language::English}) {
        const QByteArray lang = language == Language::English ? "en_US.UTF-8" : "C.UTF-8";
        const char* in = language == Language::English ? " (English)" : "";
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::newRow(qPrintable(QString::fromLatin1(name) + QLatin1String(in)));
        };
        row("unknown option") << QStringList{"--bogus", "a.pgv"} << lang
                              << text(MessageId::UnknownOption, {"--bogus"}, language);
        row("set without =") << QStringList{"--set", "EdgeNumber", "a.pgv"} << lang
                             << text(MessageId::SetLineExpected, {"EdgeNumber"}, language);
        row("unknown key") << QStringList{"--set", "Size=3", "a.pgv"} << lang
                           << text(MessageId::SetUnknownKey, {"Size=3", "'Size'"}, language);
        row("rejected colour") << QStringList{"--set", "StrokeColor=x", "a.pgv"} << lang
                               << "--set StrokeColor=x: " +
                                      period(NotAnIntegerMessage("x"), language);
        row("-o with two documents")
            << QStringList{"-o", "x.svg", "a.pgv", "b.pgv"} << lang
            << text(MessageId::OutputOneDocument, {"x.svg", "2"}, language);
        row("nothing to do") << QStringList{} << lang << text(MessageId::NoDocument, {}, language);
        row("unknown format") << QStringList{"--format", "svg,gif", "a.pgv"} << lang
                              << "--format svg,gif: " +
                                     period(UnknownFormatMessage("gif"), language);
        row("resolution out of range")
            << QStringList{"--dpi", "0", "a.pgv"} << lang
            << "--dpi 0: " + period(ResolutionOutOfRangeMessage(0), language);
        row("-o with two formats") << QStringList{"--format", "svg,dxf", "-o", "x", "a.pgv"} << lang
                                   << text(MessageId::OutputOneFormat, {"x", "2"}, language);
    }
}

// A usage error: exit status 2, the argument named in the user's language, a
// short usage in it, and nothing written, not even for the good document
// before the bad option.
void ConvertProcessTest::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, lang);
    QFETCH(QString, message);
    ProgramSandbox box;
    box.environment().insert("LANG", QString::fromLatin1(lang));
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    box.writeFile("a.pgv", "[SVG]\n");
    box.writeFile("b.pgv", "[SVG]\n");
    const QStringList before = Entries(box);
    const ProgramRun run = box.runProgram(convert, args);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(Messages(run.err, "polygrav-convert: "), QStringList{message});
    const Language language = lang.startsWith("en") ? Language::English : Language::Japanese;
    QVERIFY(run.err.endsWith(QByteArray::fromStdString(
        std::string(MessageTemplate(MessageId::ConvertShortUsage, language)))));
    QCOMPARE(Entries(box), before);
}

// The help in the user's language: English when English comes first among
// the preferred languages, Japanese for C and for Japanese.
void ConvertProcessTest::help() {
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
        ProgramSandbox box;
        box.environment().insert("LANG", QString::fromLatin1(row.lang));
        if (*row.language) box.environment().insert("LANGUAGE", QString::fromLatin1(row.language));
        const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
        const ProgramRun run = box.runProgram(convert, {"--help"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray::fromStdString(MessageText(
                              MessageId::ConvertUsage,
                              {HelpKeyList(), HelpKeyList(kMachineSection)}, row.expected)));
    }
}

QTEST_GUILESS_MAIN(ConvertProcessTest)
#include "ConvertProcessTest.moc"
