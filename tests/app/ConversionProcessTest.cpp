// The built program as a whole process: command-line conversion of settings
// documents, its exit status and messages, --help and --version.

#include <sys/resource.h>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <csignal>

#include "ProgramSandbox.h"
#include "model/Errors.h"
#include "model/Messages.h"
#include "model/StarSettings.h"
#include "svg/SvgDocument.h"

using namespace polygrav;
using polygrav::test::qt::ProgramRun;
using polygrav::test::qt::ProgramSandbox;

Q_DECLARE_METATYPE(polygrav::TStarSettings)

namespace {

TStarSettings Design() {
    return {};
}

TStarSettings With(const std::function<void(TStarSettings&)>& change) {
    TStarSettings s;
    change(s);
    return s;
}

QByteArray Svg(const TStarSettings& s) {
    return QByteArray::fromStdString(BuildSvgDocument(s, '.'));
}

// Everything the program itself said on standard error ("polygrav: ...").
QStringList OwnMessages(const QByteArray& err) {
    QStringList messages;
    for (const QString& line : QString::fromUtf8(err).split('\n')) {
        if (line.startsWith("polygrav: ")) {
            messages << line.mid(10);
        }
    }
    return messages;
}

const QString kNoViewer = QStringLiteral("SVGのビューワーが見つかりませんでした。");

}  // namespace

class ConversionProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void convertsDocuments_data();
    void convertsDocuments();
    void failedConversions_data();
    void failedConversions();
    void otherExtensionWritesNothing();
    void firstArgumentIsTheProgramsOwn_data();
    void firstArgumentIsTheProgramsOwn();
    void doubleDashBeforeTheDocument();
    void unreachableDisplayStillConverts();
    void noDisplayAndNoDocumentOpensNoWindow();
    void replacesAnExistingSvg();
    void targetThatIsAFolder();
    void failedWriteKeepsTheOldFile();
    void ownSettingsFileIsNeitherReadNorWritten();
    void helpAndVersion_data();
    void helpAndVersion();
    void messagesInTheUsersLanguage();
};

void ConversionProcessTest::convertsDocuments_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("document");  // "-" for no document at all
    QTest::addColumn<QString>("svgName");
    QTest::addColumn<TStarSettings>("settings");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("every key present")
        << "star.pgv"
        << QByteArray(
               "[SVG]\r\nFavoriteDir=/x\r\nEdgeNumber=7\r\nCircumRadius=12.5\r\nStarType=1\r\n"
               "FillColor=clBlue\r\nFillTransparent=1\r\nStrokeColor=$00C08040\r\n"
               "StrokeWidth=400\r\nView=0\r\nFillRule=1\r\n")
        << "star.svg" << With([](TStarSettings& s) {
               s.EdgeNumber = "7";
               s.CircumRadius = "12.5";
               s.StarType = 1;
               s.FillColor = 0x00FF0000;
               s.FillTransparent = true;
               s.StrokeColor = 0x00C08040;
               s.StrokeWidth = 400;
               s.View = false;
               s.FillRule = true;
           })
        << QStringList{};
    QTest::newRow("missing keys keep the design values")
        << "star.pgv" << QByteArray("[SVG]\nStarType=2\nView=0\n") << "star.svg"
        << With([](TStarSettings& s) {
               s.StarType = 2;
               s.View = false;
           })
        << QStringList{};
    QTest::newRow("malformed values keep the design values")
        << "star.pgv"
        << QByteArray("[SVG]\nStarType=one\nStrokeWidth=2.5\nFillTransparent=yes\nView=0x0\n")
        << "star.svg" << With([](TStarSettings& s) { s.View = false; }) << QStringList{};
    QTest::newRow("point count above the range")
        << "star.pgv" << QByteArray("[SVG]\nEdgeNumber=200\nView=0\n") << "star.svg"
        << With([](TStarSettings& s) {
               s.EdgeNumber = "100";
               s.View = false;
           })
        << QStringList{};
    QTest::newRow("no star type") << "star.pgv" << QByteArray("[SVG]\nStarType=-1\nView=0\n")
                                  << "star.svg" << With([](TStarSettings& s) {
                                         s.StarType = -1;
                                         s.View = false;
                                     })
                                  << QStringList{};
    QTest::newRow("upper-case extension")
        << "STAR.PGV" << QByteArray("[SVG]\nView=0\n") << "STAR.svg"
        << With([](TStarSettings& s) { s.View = false; }) << QStringList{};
    // View is on: the viewer is looked for, and the sandbox has none.
    QTest::newRow("empty document opens the viewer")
        << "star.pgv" << QByteArray() << "star.svg" << Design() << QStringList{kNoViewer};
    QTest::newRow("missing document")
        << "absent.pgv" << QByteArray("-") << "absent.svg" << Design() << QStringList{kNoViewer};
}

void ConversionProcessTest::convertsDocuments() {
    QFETCH(QString, name);
    QFETCH(QByteArray, document);
    QFETCH(QString, svgName);
    QFETCH(TStarSettings, settings);
    QFETCH(QStringList, messages);
    ProgramSandbox box;
    if (document != "-") {
        box.writeFile(name, document);
    }
    const ProgramRun run = box.run({box.path(name)});
    QVERIFY2(!run.crashed, run.err.constData());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(box.readFile(svgName), Svg(settings));
    QCOMPARE(OwnMessages(run.err), messages);
}

void ConversionProcessTest::failedConversions_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("message");
    QTest::newRow("colour that is no colour")
        << QByteArray("[SVG]\nEdgeNumber=7\nFillColor=red\n") << "'red' は整数ではありません.";
    QTest::newRow("empty colour") << QByteArray("[SVG]\nStrokeColor=\n")
                                  << "'' は整数ではありません.";
    QTest::newRow("empty radius") << QByteArray("[SVG]\nCircumRadius=\n")
                                  << "'' は浮動小数点数ではありません.";
    QTest::newRow("point count of one digit")
        << QByteArray("[SVG]\nEdgeNumber=2\n") << "'2' は3以上の整数ではありません.";
}

void ConversionProcessTest::failedConversions() {
    QFETCH(QByteArray, document);
    QFETCH(QString, message);
    ProgramSandbox box;
    box.writeFile("star.pgv", document);
    const ProgramRun run = box.run({box.path("star.pgv")});
    QVERIFY2(!run.crashed, run.err.constData());
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!QFileInfo::exists(box.path("star.svg")));
    QCOMPARE(OwnMessages(run.err), QStringList{message});
}

// The same failures and the viewer's message in English under an English
// locale, with the same exit status; the design's Japanese otherwise.
void ConversionProcessTest::messagesInTheUsersLanguage() {
    struct Row {
        const char* lang;
        const char* language;
        Language expected;
    };
    for (const Row& row :
         {Row{"en_US.UTF-8", "", Language::English}, Row{"ja_JP.UTF-8", "en", Language::English},
          Row{"ja_JP.UTF-8", "", Language::Japanese}}) {
        ProgramSandbox box;
        box.environment().insert("LANG", QString::fromLatin1(row.lang));
        if (*row.language) box.environment().insert("LANGUAGE", QString::fromLatin1(row.language));
        box.writeFile("bad.pgv", "[SVG]\nEdgeNumber=7\nFillColor=red\n");
        const ProgramRun failed = box.run({box.path("bad.pgv")});
        QCOMPARE(failed.exitCode, 1);
        QCOMPARE(OwnMessages(failed.err), QStringList{QString::fromStdString(WithClosingPeriod(
                                              NotAnIntegerMessage("red").In(row.expected)))});

        box.writeFile("good.pgv", "[SVG]\nView=1\n");
        const ProgramRun viewed = box.run({box.path("good.pgv")});
        QCOMPARE(viewed.exitCode, 0);
        QCOMPARE(OwnMessages(viewed.err), QStringList{QString::fromStdString(
                                              MessageText(MessageId::NoViewer, {}, row.expected))});
    }
}

void ConversionProcessTest::otherExtensionWritesNothing() {
    ProgramSandbox box;
    box.writeFile("star.txt", "[SVG]\nView=0\n");
    const QStringList before =
        QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const ProgramRun run = box.run({box.path("star.txt")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(OwnMessages(run.err), QStringList{});
    QCOMPARE(QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(box.path("config")).isEmpty());
}

void ConversionProcessTest::firstArgumentIsTheProgramsOwn_data() {
    QTest::addColumn<QStringList>("args");
    // Qt's own options: none of them may take the document or open a window.
    for (const char* option : {"-style", "-stylesheet", "-session", "-qwindowtitle", "-platform",
                               "-display", "-geometry", "-name", "-reverse"}) {
        QTest::newRow(option) << QStringList{QString::fromLatin1(option), "d.pgv"};
    }
    QTest::newRow("bare -platform") << QStringList{"-platform"};
}

// The first argument decides: an option of Qt's is no document, so the
// program ends at once, writes nothing and never opens a window (which, on
// the offscreen platform, would never end).
void ConversionProcessTest::firstArgumentIsTheProgramsOwn() {
    QFETCH(QStringList, args);
    ProgramSandbox box;
    box.writeFile("d.pgv", "[SVG]\nView=0\n");
    const QStringList before =
        QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QProcess process;
    box.start(process, args);
    QVERIFY2(process.waitForFinished(20000), "the program did not end");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(box.path("config")).isEmpty());
}

void ConversionProcessTest::doubleDashBeforeTheDocument() {
    ProgramSandbox box;
    box.writeFile("-d.pgv", "[SVG]\nView=0\nEdgeNumber=8\n");
    const ProgramRun run = box.run({"--", "-d.pgv"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(box.readFile("-d.svg"), Svg(With([](TStarSettings& s) {
                 s.EdgeNumber = "8";
                 s.View = false;
             })));
}

void ConversionProcessTest::unreachableDisplayStillConverts() {
    ProgramSandbox box;
    box.writeFile("star.pgv", "[SVG]\nView=0\n");
    box.environment().remove(QStringLiteral("QT_QPA_PLATFORM"));
    box.environment().insert(QStringLiteral("DISPLAY"), QStringLiteral(":97"));
    const ProgramRun run = box.run({box.path("star.pgv")});
    QVERIFY2(!run.crashed, run.err.constData());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(box.readFile("star.svg"), Svg(With([](TStarSettings& s) { s.View = false; })));
}

// Without a display and without a document the window could show nowhere:
// the program says so, ends with status 1 and leaves no settings file.
void ConversionProcessTest::noDisplayAndNoDocumentOpensNoWindow() {
    ProgramSandbox box;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        box.environment().remove(QString::fromLatin1(name));
    const QStringList before =
        QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QProcess process;
    box.start(process, {});
    QVERIFY2(process.waitForFinished(20000), "the program did not end");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(OwnMessages(process.readAllStandardError()),
             QStringList{"画面が見つかりません (DISPLAY も WAYLAND_DISPLAY もありません)。"
                         "ウィンドウを開けません"});
    QCOMPARE(QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(box.path("config")).isEmpty());
}

void ConversionProcessTest::replacesAnExistingSvg() {
    ProgramSandbox box;
    box.writeFile("star.pgv", "[SVG]\nView=0\nStarType=2\n");
    box.writeFile("star.svg", QByteArray(5000, 'x'));
    const ProgramRun run = box.run({box.path("star.pgv")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(box.readFile("star.svg"), Svg(With([](TStarSettings& s) {
                 s.StarType = 2;
                 s.View = false;
             })));
}

void ConversionProcessTest::targetThatIsAFolder() {
    ProgramSandbox box;
    box.writeFile("star.pgv", "[SVG]\nView=0\n");
    QVERIFY(QDir(box.folder()).mkdir("star.svg"));
    const ProgramRun run = box.run({box.path("star.pgv")});
    QVERIFY2(!run.crashed, run.err.constData());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(OwnMessages(run.err),
             QStringList{"ファイル " + box.path("star.svg") + " を作成できません."});
    QVERIFY(QFileInfo(box.path("star.svg")).isDir());
}

void ConversionProcessTest::failedWriteKeepsTheOldFile() {
    // A file-size limit makes the write fail even for root, part-way.
    ProgramSandbox box;
    box.writeFile("star.pgv", "[SVG]\nView=0\n");
    box.writeFile("star.svg", "old");
    const QStringList before = QDir(box.folder()).entryList(QDir::Files | QDir::Hidden);
    const ProgramRun run = box.run({box.path("star.pgv")}, [] {
        const rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);
    });
    QVERIFY2(!run.crashed, run.err.constData());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(OwnMessages(run.err), QStringList{"ストリームへの書き込みエラー."});
    QCOMPARE(box.readFile("star.svg"), QByteArray("old"));
    QCOMPARE(QDir(box.folder()).entryList(QDir::Files | QDir::Hidden),
             before);  // no temporary file left
}

void ConversionProcessTest::ownSettingsFileIsNeitherReadNorWritten() {
    ProgramSandbox box;
    const QByteArray ini = "[SVG]\r\nEdgeNumber=9\r\nStarType=2\r\n";
    box.writeFile("polygrav.ini", ini);
    box.writeFile("star.pgv", "[SVG]\nView=0\n");
    const ProgramRun run = box.run({box.path("star.pgv")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(box.readFile("star.svg"), Svg(With([](TStarSettings& s) { s.View = false; })));
    QCOMPARE(box.readFile("polygrav.ini"), ini);
    QVERIFY(QDir(box.path("config")).isEmpty());
}

void ConversionProcessTest::helpAndVersion_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("version") << "--version"
                             << "Polygrav 1.0 A1";
    QTest::newRow("help") << "--help"
                          << "Polygrav 1.0 A1";
}

void ConversionProcessTest::helpAndVersion() {
    QFETCH(QString, option);
    QFETCH(QString, firstLine);
    ProgramSandbox box;
    const QStringList before =
        QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const ProgramRun run = box.run({option});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.out).split('\n').first(), firstLine);
    if (option == "--help") {
        QVERIFY(run.out.contains("FILE.pgv"));
    }
    QCOMPARE(QDir(box.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

QTEST_GUILESS_MAIN(ConversionProcessTest)
#include "ConversionProcessTest.moc"
