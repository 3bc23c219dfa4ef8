// The program's Qt half, loaded by the program when it opens its window or
// shows a conversion's messages on a display.

#include <QApplication>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/FormDialogs.h"
#include "app/HeadlessPlatform.h"
#include "app/InterfaceLanguage.h"
#include "app/QtText.h"
#include "app/QuitSignals.h"
#include "app/Unit1.h"
#include "app/WindowModuleAbi.h"
#include "export/LinkedCairoEncoders.h"
#include "model/PathRules.h"
#include "shell/DesktopShell.h"

namespace {

// Qt is given none of the program's arguments: they are all the program's.
int qtArgc = 1;
char qtName[] = "polygrav";
char* qtArgv[] = {qtName, nullptr};

}  // namespace

extern "C" __attribute__((visibility("default"))) int polygrav_run_window(const char* path) {
    using namespace polygrav;
    const std::string programPath = path;
    // The save dialog writes PDF and PNG with the writers linked in here.
    UseCairoEncoders(LinkedCairoEncoders());
    PickPlatform(false);
    QApplication app(qtArgc, qtArgv);
    InstallInterfaceLanguage(app, InterfaceLanguage());
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

extern "C" __attribute__((visibility("default"))) void polygrav_show_messages(
    const char* path, const PolygravMessage* messages, size_t count) {
    using namespace polygrav;
    // A display named in the environment may be out of reach; Qt then falls
    // back to the offscreen platform and the messages go to standard error.
    PickPlatform(true);
    QApplication app(qtArgc, qtArgv);
    InstallInterfaceLanguage(app, InterfaceLanguage());
    const std::unique_ptr<FormDialogs> dialogs =
        IsHeadlessPlatform() ? MakeHeadlessFormDialogs() : EchoErrorsToStderr(MakeQtFormDialogs());
    const QString title = ToQString(ApplicationTitle(path));
    for (size_t i = 0; i < count; ++i) {
        if (messages[i].error) {
            dialogs->ShowError(title, ToQString(messages[i].text));
        } else {
            dialogs->ShowMessage(title, ToQString(messages[i].text));
        }
    }
}
