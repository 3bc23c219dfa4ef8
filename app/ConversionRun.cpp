#include "app/ConversionRun.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "app/CommandLine.h"
#include "app/FormDialogs.h"
#include "app/QtText.h"
#include "conversion/DocumentConversion.h"
#include "model/NumberRules.h"
#include "model/PathRules.h"
#include "shell/DesktopShell.h"

namespace polygrav {

namespace {

// Shows the conversion's messages: on a display in message boxes (errors on
// standard error too), which needs the application object, made at the first
// message; without a display on standard error alone.
class ConversionMessages {
  public:
    explicit ConversionMessages(const std::string& programPath)
        : title_(ToQString(ApplicationTitle(programPath))) {}

    void ShowError(const std::string& text) { Dialogs().ShowError(title_, ToQString(text)); }
    void ShowMessage(const std::string& text) { Dialogs().ShowMessage(title_, ToQString(text)); }

  private:
    FormDialogs& Dialogs() {
        if (dialogs_) return *dialogs_;
        if (!DisplayOffered()) {
            dialogs_ = MakeHeadlessFormDialogs();
            return *dialogs_;
        }
        PickPlatform(true);
        // Qt is given no argument of the user's: they are all the program's.
        static int argc = 1;
        static char name[] = "polygrav";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        dialogs_ = IsHeadlessPlatform() ? MakeHeadlessFormDialogs()
                                        : EchoErrorsToStderr(MakeQtFormDialogs());
        return *dialogs_;
    }

    static bool DisplayOffered() {
        const auto set = [](const char* name) {
            const char* value = std::getenv(name);
            return value != nullptr && *value != '\0';
        };
        if (set("QT_QPA_PLATFORM")) {
            const std::string platform = std::getenv("QT_QPA_PLATFORM");
            return platform != "offscreen" && platform != "minimal";
        }
        return set("DISPLAY") || set("WAYLAND_DISPLAY");
    }

    QString title_;
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<FormDialogs> dialogs_;
};

}  // namespace

int RunConversion(const std::string& programPath, const std::string& argument) {
    // Any argument but a ".pgv" document ends the program at once.
    if (!IsSettingsDocumentPath(argument)) return 0;

    ConversionMessages messages(programPath);
    const std::unique_ptr<DesktopShell> desktop = MakeGioDesktopShell(
        programPath, [&messages](const std::string& text) { messages.ShowMessage(text); });
    const ConversionOutcome outcome =
        ConvertDocument(argument, ExtractFileDir(programPath), LocaleDecimalSeparator(),
                        [&desktop](const std::string& svg) { desktop->OpenWrittenFile(svg); });
    if (outcome.error) messages.ShowError(*outcome.error);
    return outcome.written ? 0 : 1;
}

}  // namespace polygrav
