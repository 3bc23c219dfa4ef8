#include "shell/DesktopEntry.h"

#include <glib.h>

namespace polygrav {

std::string QuoteExecArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        switch (c) {
            case '"':
            case '`':
            case '$':
            case '\\':
                quoted += '\\';
                quoted += c;
                break;
            case '%':
                quoted += "%%";
                break;
            default:
                quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

std::string ShortCutEntryText(const std::string& name, const std::string& programPath,
                              const std::string& icon) {
    constexpr const char* kGroup = G_KEY_FILE_DESKTOP_GROUP;
    g_autoptr(GKeyFile) entry = g_key_file_new();
    // set_string escapes backslashes once more for the key file, which the
    // reader takes away before it reads the Exec quoting.
    g_key_file_set_string(entry, kGroup, G_KEY_FILE_DESKTOP_KEY_TYPE,
                          G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
    g_key_file_set_string(entry, kGroup, G_KEY_FILE_DESKTOP_KEY_NAME, name.c_str());
    g_key_file_set_string(entry, kGroup, G_KEY_FILE_DESKTOP_KEY_EXEC,
                          QuoteExecArgument(programPath).c_str());
    g_autofree gchar* folder = g_path_get_dirname(programPath.c_str());
    g_key_file_set_string(entry, kGroup, G_KEY_FILE_DESKTOP_KEY_PATH, folder);
    if (!icon.empty()) {
        g_key_file_set_string(entry, kGroup, G_KEY_FILE_DESKTOP_KEY_ICON, icon.c_str());
    }

    gsize length = 0;
    g_autofree gchar* text = g_key_file_to_data(entry, &length, nullptr);
    return std::string(text, length);
}

}  // namespace polygrav
