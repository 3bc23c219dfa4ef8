#include "shell/ShortCutIcon.h"

#include <glib.h>

#include <filesystem>
#include <system_error>

namespace polygrav {

namespace {

namespace fs = std::filesystem;

// The icon files of the installation, relative to its data folder, the
// scalable one first.
constexpr const char* kInstalledIcons[] = {
    "icons/hicolor/scalable/apps/polygrav.svg",
    "icons/hicolor/48x48/apps/polygrav.png",
};

// The data folder that the installation puts beside <prefix>/bin.
fs::path InstalledDataFolder(const fs::path& programFolder) {
    const fs::path dataDir = POLYGRAV_INSTALL_DATADIR;
    return dataDir.is_absolute() ? dataDir : programFolder.parent_path() / dataDir;
}

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

// Whether the desktop finds themed icons under the data folder: the user's
// data folder or one of the system's, as the XDG folders name them.
bool DesktopSearches(const fs::path& dataFolder) {
    if (SameFolder(dataFolder, g_get_user_data_dir())) {
        return true;
    }
    for (const gchar* const* dir = g_get_system_data_dirs(); *dir != nullptr; ++dir) {
        if (SameFolder(dataFolder, *dir)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ShortCutIcon(const std::string& programPath) {
    const fs::path folder = fs::path(programPath).parent_path();
    const fs::path data = InstalledDataFolder(folder);
    for (const char* icon : kInstalledIcons) {
        const fs::path file = data / icon;
        if (IsFile(file)) {
            return DesktopSearches(data) ? kIconName : file.lexically_normal().string();
        }
    }
    const fs::path beside = folder / "polygrav.svg";
    return IsFile(beside) ? beside.string() : std::string();
}

}  // namespace polygrav
