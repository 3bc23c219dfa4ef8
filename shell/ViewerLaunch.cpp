#include "shell/ViewerLaunch.h"

#include "model/Messages.h"
#include "model/PathRules.h"
#include "shell/ShellMessage.h"

namespace polygrav {

namespace {

constexpr const char* kLogDomain = "polygrav";

}  // namespace

std::string QuoteStr(const std::string& text) {
    return "\"" + text + "\"";
}

GObjectPtr<GAppInfo> FindViewer(const std::string& path) {
    g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
    g_autoptr(GError) error = nullptr;
    GObjectPtr<GAppInfo> viewer(g_file_query_default_handler(file, nullptr, &error));
    if (!viewer) {
        g_log(kLogDomain, G_LOG_LEVEL_DEBUG, "No viewer for %s: %s", QuoteStr(path).c_str(),
              error ? error->message : "");
    }
    return viewer;
}

bool RunViewer(GAppInfo* viewer, const std::string& path, const ShowMessageFn& showMessage) {
    const char* program = g_app_info_get_executable(viewer);
    g_log(kLogDomain, G_LOG_LEVEL_DEBUG, "Starting %s %s", QuoteStr(program ? program : "").c_str(),
          QuoteStr(path).c_str());

    // GIO puts the file into the viewer's own command line (%f, %u...) and
    // spawns it directly, so blanks and quotes in the path need no quoting.
    g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
    GList files{};
    files.data = file;
    g_autoptr(GError) error = nullptr;
    if (g_app_info_launch(viewer, &files, nullptr, &error)) {
        return true;
    }
    // The code of GIO's error; a failed spawn gives a GSpawnError code, for
    // instance 2 when the viewer's working folder does not exist.
    const int code = error ? error->code : 0;
    ShowShellMessage(showMessage, MessageText(MessageId::CannotRun, {std::to_string(code)}));
    return false;
}

std::string NoViewerMessage(const std::string& path) {
    const std::string extension = ExtractFileExt(path);
    g_autofree gchar* upper = g_ascii_strup(extension.empty() ? "" : extension.c_str() + 1, -1);
    const std::string type = upper;
    if (type.empty() || type == "SVG") return MessageText(MessageId::NoViewer);
    return MessageText(MessageId::NoViewerForType, {type});
}

void OpenInViewer(const std::string& path, const ShowMessageFn& showMessage) {
    const GObjectPtr<GAppInfo> viewer = FindViewer(path);
    if (!viewer) {
        ShowShellMessage(showMessage, NoViewerMessage(path));
        return;
    }
    RunViewer(viewer.get(), path, showMessage);
}

}  // namespace polygrav
