// The program block Polygrav: started with an argument it converts a
// document without a window; without one it opens the window.

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <memory>
#include <string>

#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/ConversionRun.h"
#include "app/FormDialogs.h"
#include "app/QtText.h"
#include "app/QuitSignals.h"
#include "app/Unit1.h"
#include "conversion/ProgramPath.h"
#include "model/PathRules.h"
#include "shell/DesktopShell.h"

int main(int argc, char** argv) {
    using namespace polygrav;

    // The user's locale decides the decimal separator of the radius, as it
    // does once Qt's application object exists.
    std::setlocale(LC_ALL, "");

    // The arguments are the program's own, decided before Qt could take any
    // of them for its options.
    const CommandLine command = ParseCommandLine(ArgumentsOf(argc, argv));
    if (command.action == CommandLine::Action::Help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (command.action == CommandLine::Action::Version) {
        std::puts(kVersionText);
        return 0;
    }
    const std::string programPath = RunningProgramPath(argv[0]);
    if (command.path) {
        return RunConversion(programPath, *command.path);
    }

    PickPlatform(false);
    // Qt is given none of the arguments: without one the window opens.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const bool headless = IsHeadlessPlatform();
    const QString title = ToQString(ApplicationTitle(programPath));

    const std::unique_ptr<FormDialogs> dialogs =
        headless ? MakeHeadlessFormDialogs() : MakeQtFormDialogs();
    const std::unique_ptr<DesktopShell> desktop =
        MakeGioDesktopShell(programPath, [&dialogs, &title](const std::string& text) {
            dialogs->ShowMessage(title, ToQString(text));
        });

    TForm1 Form1(programPath, *dialogs, *desktop);
    Form1.RunFormCreate();

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
