#include "app/CommandLine.h"

#include <cstdlib>

#include "app/AppInfo.h"
#include "model/Environment.h"
#include "model/Messages.h"

namespace polygrav {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    // An empty argument (an empty pair of quotes in the shell) counts as no
    // argument at all, so `polygrav ""` opens the window.
    std::vector<std::string> given;
    for (const std::string& arg : args) {
        if (!arg.empty()) {
            given.push_back(arg);
        }
    }
    CommandLine result;
    if (given.empty()) {
        return result;
    }
    const std::string& first = given.front();
    if (first == "--help" || first == "-h") {
        result.action = CommandLine::Action::Help;
    } else if (first == "--version") {
        result.action = CommandLine::Action::Version;
    } else if (first == "--") {
        if (given.size() > 1) {
            result.path = given[1];
        }
    } else {
        result.path = first;
    }
    return result;
}

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return args;
}

std::string UsageText() {
    return MessageText(MessageId::ProgramUsage, {kVersionText});
}

bool WindowHasNoDisplay() {
    return !IsSetInEnvironment("QT_QPA_PLATFORM") && !IsSetInEnvironment("DISPLAY") &&
           !IsSetInEnvironment("WAYLAND_DISPLAY");
}

void PickPlatform(bool converting) {
    if (IsSetInEnvironment("QT_QPA_PLATFORM")) {
        return;
    }
    if (!DisplayNamedInEnvironment()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else if (converting) {
        // A display named in the environment may be out of reach (a closed
        // session, a script over ssh); Qt tries the platforms in turn, so the
        // conversion still runs.
        setenv("QT_QPA_PLATFORM",
               IsSetInEnvironment("WAYLAND_DISPLAY") ? "wayland;xcb;offscreen" : "xcb;offscreen",
               1);
    }
}

}  // namespace polygrav
