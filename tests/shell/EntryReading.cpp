#include "EntryReading.h"

#include <glib.h>

namespace polygrav::test {

std::vector<std::string> ExecArguments(const std::string& exec) {
    std::string expanded;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '%') {
            expanded += exec[i];
        } else if (i + 1 < exec.size() && exec[i + 1] == '%') {
            expanded += '%';
            ++i;
        } else {
            return {};
        }
    }
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(expanded.c_str(), nullptr, &argv, nullptr)) {
        return {};
    }
    std::vector<std::string> arguments(argv, argv + g_strv_length(argv));
    g_strfreev(argv);
    return arguments;
}

std::string EntryValue(const std::string& entryText, const char* key) {
    g_autoptr(GKeyFile) entry = g_key_file_new();
    if (!g_key_file_load_from_data(entry, entryText.data(), entryText.size(), G_KEY_FILE_NONE,
                                   nullptr)) {
        return {};
    }
    g_autofree gchar* value = g_key_file_get_string(entry, G_KEY_FILE_DESKTOP_GROUP, key, nullptr);
    return value ? value : "";
}

}  // namespace polygrav::test
