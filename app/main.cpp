// The program block Polygrav: started with an argument it converts a
// document without a window; without one it opens the window. The Qt half
// lives in a module loaded only for the window or for a message on a
// display, so that a conversion never loads Qt otherwise.

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/WindowModuleAbi.h"
#include "conversion/ProgramConversion.h"
#include "conversion/ProgramPath.h"
#include "fileio/ProgramModule.h"
#include "model/Environment.h"
#include "model/LanguageChoice.h"
#include "model/NumberRules.h"

namespace {

using namespace polygrav;

void WriteToStandardError(const std::string& programPath, const std::string& text) {
    const std::string line = StandardErrorLine(programPath, text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

// The window module's entry point, or null after saying why on standard error.
void* WindowEntry(const std::string& programPath, const char* symbol) {
    std::string why;
    void* entry = ProgramModuleEntry(programPath, ProgramModule::Window, symbol, why);
    if (entry == nullptr)
        WriteToStandardError(programPath, MessageText(MessageId::CannotLoadWindow, {why}));
    return entry;
}

void ShowMessages(const std::string& programPath, const std::vector<ProgramMessage>& messages) {
    if (messages.empty()) return;
    if (DisplayOffered()) {
        if (void* entry = WindowEntry(programPath, POLYGRAV_WINDOW_SHOW_MESSAGES)) {
            std::vector<PolygravMessage> plain;
            for (const ProgramMessage& m : messages) plain.push_back({m.error, m.text.c_str()});
            reinterpret_cast<PolygravShowMessages>(entry)(programPath.c_str(), plain.data(),
                                                          plain.size());
            return;
        }
    }
    for (const ProgramMessage& m : messages) WriteToStandardError(programPath, m.text);
}

}  // namespace

int main(int argc, char** argv) {
    // The user's locale decides the decimal separator of the radius, as it
    // does in the window.
    std::setlocale(LC_ALL, "");
    // The user's preferred languages decide the language of the messages.
    SetMessageLanguage(LanguageOfEnvironment());

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
        std::vector<ProgramMessage> messages;
        const int status =
            ConvertAsTheProgram(programPath, *command.path, LocaleDecimalSeparator(), messages);
        ShowMessages(programPath, messages);
        return status;
    }
    // A window nobody can see would run until it is killed and then write
    // its settings file: refused before anything is loaded or written.
    if (WindowHasNoDisplay()) {
        WriteToStandardError(programPath, MessageText(MessageId::NoDisplayForWindow));
        return 1;
    }
    void* run = WindowEntry(programPath, POLYGRAV_WINDOW_RUN);
    return run ? reinterpret_cast<PolygravRunWindow>(run)(programPath.c_str()) : 1;
}
