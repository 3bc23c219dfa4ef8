#pragma once

#include <functional>
#include <memory>
#include <string>

#include "model/Version.h"

namespace polygrav {

// Shows one of the desktop layer's own messages to the user (a plain message
// box, or standard error without a display).
using ShowMessageFn = std::function<void(const std::string& text)>;

// The shortcut's name, "Polygrav 1.0A1": the version and its stage joined.
inline constexpr const char* kShortCutName = "Polygrav " POLYGRAV_VERSION POLYGRAV_RELEASE_STAGE;
inline constexpr const char* kPlaceDesktop = "DESKTOP";
inline constexpr const char* kPlacePrograms = "PROGRAMS";

// What the program needs of the desktop: opening a written file in its
// viewer and creating shortcuts to the program. Tests supply their own.
class DesktopShell {
  public:
    virtual ~DesktopShell() = default;

    // Opens the file just written in the program the desktop associates with
    // its type. A missing association or a failed start shows a message (see
    // OpenInViewer); nothing is raised and the file stays written.
    virtual void OpenWrittenFile(const std::string& path) = 0;

    // Writes the shortcut "<name>.desktop" into the place that the keyword
    // where names ("DESKTOP" or "PROGRAMS", compared exactly); any other
    // keyword writes nothing. A place that cannot be resolved or created is
    // skipped with a message; an existing shortcut is replaced.
    virtual void CreateShortCut(const std::string& name, const std::string& where) = 0;
};

// The desktop on GIO and the XDG folders, for the program at programPath.
std::unique_ptr<DesktopShell> MakeGioDesktopShell(const std::string& programPath,
                                                  ShowMessageFn showMessage);

}  // namespace polygrav
