#include "shell/ShortCut.h"

#include <glib.h>

#include <cerrno>

#include "model/Messages.h"
#include "shell/DesktopEntry.h"
#include "shell/ShellMessage.h"
#include "shell/ShortCutIcon.h"

namespace polygrav {

namespace {

// The path without trailing "/" (the root stays "/").
std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string AbsoluteOrEmpty(const char* path) {
    if (path == nullptr || !g_path_is_absolute(path)) {
        return {};
    }
    return WithoutTrailingSlash(path);
}

// The message for a place whose folder cannot be resolved.
std::string UnresolvedMessage(const std::string& where) {
    if (where == kPlaceDesktop) {
        return MessageText(MessageId::DesktopFolderNotFound);
    }
    return MessageText(MessageId::ProgramsFolderNotFound);
}

}  // namespace

std::string DesktopFolder() {
    // Reads the user-dirs settings again, so a change made while the
    // program runs counts.
    g_reload_user_special_dirs_cache();
    const std::string desktop = AbsoluteOrEmpty(g_get_user_special_dir(G_USER_DIRECTORY_DESKTOP));
    if (desktop.empty() || desktop == AbsoluteOrEmpty(g_get_home_dir())) {
        return {};
    }
    return desktop;
}

std::string ProgramsFolder() {
    std::string data = AbsoluteOrEmpty(g_get_user_data_dir());
    if (data.empty()) {
        // A relative XDG_DATA_HOME is invalid and counts as unset, as the
        // XDG folder rules say; GLib 2.74 hands it on as it is.
        const std::string home = AbsoluteOrEmpty(g_get_home_dir());
        if (home.empty()) {
            return {};
        }
        data = (home == "/" ? "" : home) + "/.local/share";
    }
    return (data == "/" ? "" : data) + "/applications";
}

void WriteShortCut(const std::string& name, const std::string& where,
                   const std::string& programPath, const ShowMessageFn& showMessage) {
    std::string folder;
    if (where == kPlaceDesktop) {
        folder = DesktopFolder();
    } else if (where == kPlacePrograms) {
        folder = ProgramsFolder();
    } else {
        return;
    }
    if (folder.empty()) {
        ShowShellMessage(showMessage, UnresolvedMessage(where));
        return;
    }
    // New folders are private to the user, as the XDG folders are.
    if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) {
        const int error = errno;
        ShowShellMessage(showMessage,
                         MessageText(MessageId::CannotCreateFolder, {folder, g_strerror(error)}));
        return;
    }

    const std::string file = folder + "/" + name + ".desktop";
    const std::string text = ShortCutEntryText(name, programPath, ShortCutIcon(programPath));
    // Written to a temporary file and renamed over the old one, executable
    // from the start, since file managers start only executable entries.
    g_autoptr(GError) error = nullptr;
    if (!g_file_set_contents_full(file.c_str(), text.data(), static_cast<gssize>(text.size()),
                                  G_FILE_SET_CONTENTS_CONSISTENT, 0755, &error)) {
        ShowShellMessage(showMessage,
                         MessageText(MessageId::CannotCreateShortCut, {file, error->message}));
    }
}

}  // namespace polygrav
