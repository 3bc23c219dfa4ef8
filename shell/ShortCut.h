#pragma once

#include <string>

#include "shell/DesktopShell.h"

namespace polygrav {

// The user's desktop folder, or the empty text when it cannot be resolved:
// GLib has none, it is not an absolute path, or it is the home folder itself,
// which is how the user-dirs settings switch a folder off.
std::string DesktopFolder();

// The user's applications menu folder, $XDG_DATA_HOME/applications, where a
// relative XDG_DATA_HOME counts as unset (~/.local/share); the empty text
// when not even the home folder is an absolute path.
std::string ProgramsFolder();

// Writes the desktop entry "<name>.desktop" for the program at programPath
// into the place that where names ("DESKTOP" or "PROGRAMS", compared
// exactly), replacing an existing one. Any other keyword writes nothing. A
// folder that cannot be resolved or created, and a failed write, are shown
// through showMessage and leave any earlier shortcut whole.
void WriteShortCut(const std::string& name, const std::string& where,
                   const std::string& programPath, const ShowMessageFn& showMessage);

}  // namespace polygrav
