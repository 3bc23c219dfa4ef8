#pragma once

#include <optional>
#include <string>
#include <vector>

namespace polygrav {

// What the command line asks for. The first argument is a path; further
// ones are ignored. An empty argument counts as none. "--help" (or "-h") and "--version" in its
// place print a text and convert nothing; "--" before a path lets it start with "-".
struct CommandLine {
    enum class Action { Run, Help, Version };

    Action action = Action::Run;
    std::optional<std::string> path;
};

// args are the arguments after the program itself.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The arguments after the program, as bytes.
std::vector<std::string> ArgumentsOf(int argc, char** argv);

// The text that --help prints.
std::string UsageText();

// True when the window would have nowhere to show: neither DISPLAY nor
// WAYLAND_DISPLAY is set and QT_QPA_PLATFORM names no platform (a test that
// sets it to offscreen still gets its window).
bool WindowHasNoDisplay();

// Selects Qt's offscreen platform when the environment offers no display
// (neither DISPLAY nor WAYLAND_DISPLAY) and QT_QPA_PLATFORM chooses none, so
// that the conversion runs on a machine without a display; a conversion also
// falls back to it when the display cannot be reached. Call it before the
// application object is created.
void PickPlatform(bool converting);

}  // namespace polygrav
