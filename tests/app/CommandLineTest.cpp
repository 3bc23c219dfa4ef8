#include <QTest>
#include <cstdlib>

#include "app/CommandLine.h"

using polygrav::CommandLine;
using polygrav::ParseCommandLine;

Q_DECLARE_METATYPE(CommandLine::Action)

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void parse_data();
    void parse();
    void offscreenOnlyWithoutAnyDisplay_data();
    void offscreenOnlyWithoutAnyDisplay();
};

void CommandLineTest::parse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<CommandLine::Action>("action");
    QTest::addColumn<QString>("path");  // "-" for none
    QTest::newRow("no argument") << QStringList{} << CommandLine::Action::Run << "-";
    QTest::newRow("document") << QStringList{"a b.pgv"} << CommandLine::Action::Run << "a b.pgv";
    QTest::newRow("further arguments ignored")
        << QStringList{"x.pgv", "y.pgv"} << CommandLine::Action::Run << "x.pgv";
    QTest::newRow("help") << QStringList{"--help"} << CommandLine::Action::Help << "-";
    QTest::newRow("short help") << QStringList{"-h"} << CommandLine::Action::Help << "-";
    QTest::newRow("version") << QStringList{"--version"} << CommandLine::Action::Version << "-";
    QTest::newRow("help after a path is a further argument")
        << QStringList{"x.pgv", "--help"} << CommandLine::Action::Run << "x.pgv";
    QTest::newRow("double dash protects a path")
        << QStringList{"--", "--help"} << CommandLine::Action::Run << "--help";
    QTest::newRow("empty argument counts as none")
        << QStringList{""} << CommandLine::Action::Run << "-";
    QTest::newRow("empty argument before a document")
        << QStringList{"", "x.pgv"} << CommandLine::Action::Run << "x.pgv";
    QTest::newRow("empty argument after the double dash")
        << QStringList{"--", "", "x.pgv"} << CommandLine::Action::Run << "x.pgv";
}

void CommandLineTest::parse() {
    QFETCH(QStringList, args);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, path);
    std::vector<std::string> argv;
    for (const QString& a : args) {
        argv.push_back(a.toStdString());
    }
    const CommandLine parsed = ParseCommandLine(argv);
    QCOMPARE(parsed.action, action);
    QCOMPARE(parsed.path.has_value(), path != "-");
    if (parsed.path) {
        QCOMPARE(QString::fromStdString(*parsed.path), path);
    }
}

void CommandLineTest::offscreenOnlyWithoutAnyDisplay_data() {
    QTest::addColumn<bool>("converting");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("platform");  // QT_QPA_PLATFORM before
    QTest::addColumn<QString>("expected");  // after
    QTest::newRow("window, nothing set") << false << ""
                                         << ""
                                         << ""
                                         << "offscreen";
    QTest::newRow("window, X display") << false << ":5"
                                       << ""
                                       << ""
                                       << "";
    QTest::newRow("window, Wayland display") << false << ""
                                             << "wayland-0"
                                             << ""
                                             << "";
    QTest::newRow("window, platform chosen") << false << ""
                                             << ""
                                             << "minimal"
                                             << "minimal";
    QTest::newRow("conversion, nothing set") << true << ""
                                             << ""
                                             << ""
                                             << "offscreen";
    QTest::newRow("conversion, X display falls back") << true << ":5"
                                                      << ""
                                                      << ""
                                                      << "xcb;offscreen";
    QTest::newRow("conversion, Wayland display falls back") << true << ":5"
                                                            << "wayland-0"
                                                            << ""
                                                            << "wayland;xcb;offscreen";
    QTest::newRow("conversion, platform chosen") << true << ":5"
                                                 << ""
                                                 << "minimal"
                                                 << "minimal";
}

void CommandLineTest::offscreenOnlyWithoutAnyDisplay() {
    QFETCH(bool, converting);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, platform);
    QFETCH(QString, expected);
    const QByteArray saved = qgetenv("QT_QPA_PLATFORM");
    qputenv("DISPLAY", display.toUtf8());
    qputenv("WAYLAND_DISPLAY", wayland.toUtf8());
    qputenv("QT_QPA_PLATFORM", platform.toUtf8());
    polygrav::PickPlatform(converting);
    const QString after = qEnvironmentVariable("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", saved);
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    QCOMPARE(after, expected);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
