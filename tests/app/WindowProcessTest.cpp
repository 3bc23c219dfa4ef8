// The window of the built program on an X server of the test's own: asked
// to close through the window manager's close request, or told to end by
// SIGTERM, it saves its settings file; it asks the window manager for a
// minimum size that keeps its left column whole.

#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <memory>

#include "ProgramSandbox.h"
#include "XServer.h"

using polygrav::test::XServer;
using polygrav::test::qt::ProgramSandbox;

class WindowProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void closeRequestSavesEverySetting();
    void sigtermSavesEverySetting();
    void conversionErrorOnADisplayShowsTheBoxAndWritesStderr();
    void minimumSizeKeepsTheLeftColumnWhole();
    void cleanupTestCase();

  private:
    // Runs the X probe in mode "wait", "close" or "min-size" for the
    // program's window; its output, and whether it succeeded.
    bool probe(const QString& mode, QByteArray* output = nullptr);
    void startWindow(ProgramSandbox& box, QProcess& process);

    std::unique_ptr<XServer> server_;
};

void WindowProcessTest::initTestCase() {
    server_ = std::make_unique<XServer>();
    if (server_->display().isEmpty()) {
        QSKIP("Xvfb could not be started");
    }
}

void WindowProcessTest::cleanupTestCase() {
    server_.reset();
}

bool WindowProcessTest::probe(const QString& mode, QByteArray* output) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", server_->display());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(POLYGRAV_X_PROBE), {mode, "polygrav", "60000"});
    const bool done =
        p.waitForFinished(70000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (output != nullptr) {
        *output = p.readAllStandardOutput();
    }
    return done;
}

void WindowProcessTest::startWindow(ProgramSandbox& box, QProcess& process) {
    box.environment().insert("DISPLAY", server_->display());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    box.start(process, {});
    QVERIFY(process.waitForStarted(10000));
}

void WindowProcessTest::closeRequestSavesEverySetting() {
    ProgramSandbox box;
    box.writeFile("polygrav.ini",
                  "[SVG]\r\nEdgeNumber=7\r\nStrokeWidth=120\r\nFillColor=$000080FF\r\n");
    QProcess program;
    startWindow(box, program);
    QVERIFY(probe("close"));
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    // The keys read at the start are written back in place, the others added
    // in their order.
    const QByteArray expected =
        "[SVG]\r\nEdgeNumber=7\r\nStrokeWidth=120\r\nFillColor=$000080FF\r\n"
        "FavoriteDir=" +
        box.folder().toUtf8() +
        "\r\n"
        "CircumRadius=50\r\nStarType=0\r\nFillTransparent=0\r\n"
        "StrokeColor=clBlack\r\nView=1\r\nFillRule=0\r\n";
    QCOMPARE(box.readFile("polygrav.ini"), expected);
}

void WindowProcessTest::sigtermSavesEverySetting() {
    ProgramSandbox box;
    QProcess program;
    startWindow(box, program);
    QVERIFY(probe("wait"));
    program.terminate();
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QByteArray expected = "[SVG]\r\nFavoriteDir=" + box.folder().toUtf8() +
                                "\r\nEdgeNumber=5\r\nCircumRadius=50\r\nStarType=0\r\n"
                                "FillColor=clRed\r\nFillTransparent=0\r\nStrokeColor=clBlack\r\n"
                                "StrokeWidth=50\r\nView=1\r\nFillRule=0\r\n";
    QCOMPARE(box.readFile("polygrav.ini"), expected);
}

void WindowProcessTest::conversionErrorOnADisplayShowsTheBoxAndWritesStderr() {
    ProgramSandbox box;
    box.writeFile("star.pgv", "[SVG]\nFillColor=red\n");
    box.environment().insert("DISPLAY", server_->display());
    QProcess program;
    box.start(program, {box.path("star.pgv")});
    QVERIFY(program.waitForStarted(10000));
    // The error box waits for the user: the only window of the program.
    QVERIFY(probe("close"));
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QVERIFY(program.readAllStandardError().contains("polygrav: 'red' は整数ではありません.\n"));
    QVERIFY(!QFileInfo::exists(box.path("star.svg")));
    QVERIFY(!QFileInfo::exists(box.path("polygrav.ini")));
}

// A window manager keeps the window at least this size: the height of the
// whole left column (the design's client height, the lower panel included)
// and its width with room beside it for the preview.
void WindowProcessTest::minimumSizeKeepsTheLeftColumnWhole() {
    ProgramSandbox box;
    QProcess program;
    startWindow(box, program);
    QByteArray output;
    QVERIFY(probe("min-size", &output));
    const QList<QByteArray> words = output.split('\n').value(1).split(' ');
    QCOMPARE(words.value(0), QByteArray("min"));
    QVERIFY2(words.value(1).toInt() > 217, output.constData());
    QCOMPARE(words.value(2).toInt(), 566);
    QVERIFY(probe("close"));
    QVERIFY(program.waitForFinished(60000));
}

QTEST_GUILESS_MAIN(WindowProcessTest)
#include "WindowProcessTest.moc"
