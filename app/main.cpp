// The program block Polygrav: chooses between the window and the
// command-line conversion, creates the window and runs it.

#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>

#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/FormDialogs.h"
#include "app/QtText.h"
#include "app/QuitSignals.h"
#include "app/Unit1.h"
#include "model/PathRules.h"
#include "shell/DesktopShell.h"

int main(int argc, char** argv) {
    using namespace polygrav;

    // --help and --version need no display and no window.
    const CommandLine early = ParseCommandLine(ArgumentsOf(argc, argv));
    if (early.action == CommandLine::Action::Help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (early.action == CommandLine::Action::Version) {
        std::puts(kVersionText);
        return 0;
    }

    PickPlatform(early.path.has_value());
    QApplication app(argc, argv);
    // Qt has taken its own options out of argv; the first one left is ours.
    const CommandLine command = ParseCommandLine(ArgumentsOf(argc, argv));
    const bool converting = command.path.has_value();
    const bool headless = IsHeadlessPlatform();

    const std::string programPath = ToStdString(QCoreApplication::applicationFilePath());
    const QString title = ToQString(ApplicationTitle(programPath));

    std::unique_ptr<FormDialogs> dialogs =
        headless ? MakeHeadlessFormDialogs() : MakeQtFormDialogs();
    if (converting && !headless) {
        dialogs = EchoErrorsToStderr(std::move(dialogs));
    }
    const std::unique_ptr<DesktopShell> desktop =
        MakeGioDesktopShell(programPath, [&dialogs, &title](const std::string& text) {
            dialogs->ShowMessage(title, ToQString(text));
        });

    TForm1 Form1(programPath, *dialogs, *desktop);
    Form1.RunFormCreate(command.path);
    if (Form1.EndRequested()) {
        return Form1.ConversionExitCode();
    }

    // A request to end from outside closes the window the normal way, which
    // saves the settings.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &Form1, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });

    Form1.show();
    return QApplication::exec();
}
