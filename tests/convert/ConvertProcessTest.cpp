// polygrav-convert as a whole process: the same SVG bytes and messages as
// "polygrav DOCUMENT.pgv", batches with failures, standard output, usage
// errors and their exit status.

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "ProgramSandbox.h"
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
    box.addProgram(QStringLiteral(POLYGRAV_VIEWER_MODULE));
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
    QVERIFY(noModule.err.contains("cannot load the viewer module"));
}

void ConvertProcessTest::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option") << QStringList{"--bogus", "a.pgv"} << "--bogus: unknown option";
    QTest::newRow("set without =")
        << QStringList{"--set", "EdgeNumber", "a.pgv"} << "--set EdgeNumber: KEY=VALUE expected";
    QTest::newRow("unknown key") << QStringList{"--set", "Size=3", "a.pgv"}
                                 << "--set Size=3: unknown settings key 'Size'";
    QTest::newRow("rejected colour") << QStringList{"--set", "StrokeColor=x", "a.pgv"}
                                     << "--set StrokeColor=x: 'x' は整数ではありません.";
    QTest::newRow("-o with two documents")
        << QStringList{"-o", "x.svg", "a.pgv", "b.pgv"} << "-o x.svg: one document only, 2 given";
    QTest::newRow("nothing to do") << QStringList{} << "no document given";
}

// A usage error: exit status 2, the argument named, a short usage, and
// nothing written, not even for the good document before the bad option.
void ConvertProcessTest::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    ProgramSandbox box;
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    box.writeFile("a.pgv", "[SVG]\n");
    box.writeFile("b.pgv", "[SVG]\n");
    const QStringList before = Entries(box);
    const ProgramRun run = box.runProgram(convert, args);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(Messages(run.err, "polygrav-convert: "), QStringList{message});
    QVERIFY(run.err.contains("Usage: polygrav-convert"));
    QCOMPARE(Entries(box), before);
}

void ConvertProcessTest::help() {
    ProgramSandbox box;
    const QString convert = box.addProgram(QStringLiteral(POLYGRAV_CONVERT_BINARY));
    const ProgramRun run = box.runProgram(convert, {"--help"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("--set KEY=VALUE"));
    QVERIFY(run.out.contains("Exit status"));
}

QTEST_GUILESS_MAIN(ConvertProcessTest)
#include "ConvertProcessTest.moc"
