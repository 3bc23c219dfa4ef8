#pragma once

#include <gio/gio.h>

#include <string>

#include "shell/DesktopShell.h"
#include "shell/GObjectPtr.h"

namespace polygrav {

// The text between two double quotes, nothing inside escaped. It describes a
// viewer start in the debug log; it never builds a command, since the viewer
// is started without a shell.
std::string QuoteStr(const std::string& text);

// The application that the desktop opens the file at path with: the default
// handler for the file's content type. Null when there is none; every failure
// of the lookup (no association, a missing file) counts as none.
GObjectPtr<GAppInfo> FindViewer(const std::string& path);

// Starts viewer on the file at path, handed over as one file, without a shell
// and without waiting for it. When GIO cannot start it, shows the message
// CannotRun with the code of GIO's error and returns false.
bool RunViewer(GAppInfo* viewer, const std::string& path, const ShowMessageFn& showMessage);

// The message for a file that no viewer opens: NoViewer for an SVG (or a
// name without extension), else NoViewerForType with the extension in
// capitals ("DXF").
std::string NoViewerMessage(const std::string& path);

// Opens the file just written at path in its viewer, or shows
// NoViewerMessage(path) when it has none. Raises nothing; the file stays as
// it is.
void OpenInViewer(const std::string& path, const ShowMessageFn& showMessage);

}  // namespace polygrav
