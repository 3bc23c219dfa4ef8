// Runs the desktop code in a process of its own, in the environment that the
// test gives it, and prints every message the code shows as a line
// "message: <text>".
//
//   shell_probe open <path>...                   opens each file in its viewer
//   shell_probe shortcut <program> <place>...    writes a shortcut per place; a
//       place "--desktop-setting=<value>" rewrites the user-dirs settings
//       with XDG_DESKTOP_DIR="<value>" instead, as a user might meanwhile
//   shell_probe launch-entry <desktop file>      starts a desktop entry as GIO does

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <cstdio>
#include <string>

#include "shell/DesktopShell.h"

namespace {

void PrintMessage(const std::string& text) {
    std::printf("message: %s\n", text.c_str());
}

void WriteDesktopSetting(const std::string& value) {
    g_autofree gchar* file = g_build_filename(g_get_user_config_dir(), "user-dirs.dirs", nullptr);
    const std::string text = "XDG_DESKTOP_DIR=\"" + value + "\"\n";
    g_file_set_contents(file, text.c_str(), -1, nullptr);
}

int LaunchEntry(const char* file) {
    g_autoptr(GDesktopAppInfo) entry = g_desktop_app_info_new_from_filename(file);
    if (entry == nullptr) {
        std::printf("unreadable\n");
        return 0;
    }
    g_autoptr(GError) error = nullptr;
    if (!g_app_info_launch(G_APP_INFO(entry), nullptr, nullptr, &error)) {
        std::printf("not started: %s\n", error->message);
        return 0;
    }
    std::printf("started\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: shell_probe open|shortcut|launch-entry ...\n");
        return 2;
    }
    const std::string command = argv[1];
    if (command == "open") {
        const auto shell = polygrav::MakeGioDesktopShell("/nonexistent/polygrav", PrintMessage);
        for (int i = 2; i < argc; ++i) {
            shell->OpenWrittenFile(argv[i]);
        }
        return 0;
    }
    if (command == "shortcut") {
        const auto shell = polygrav::MakeGioDesktopShell(argv[2], PrintMessage);
        const std::string setting = "--desktop-setting=";
        for (int i = 3; i < argc; ++i) {
            const std::string place = argv[i];
            if (place.rfind(setting, 0) == 0) {
                WriteDesktopSetting(place.substr(setting.size()));
            } else {
                shell->CreateShortCut(polygrav::kShortCutName, place);
            }
        }
        return 0;
    }
    if (command == "launch-entry") {
        return LaunchEntry(argv[2]);
    }
    std::fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}
