#include "fileio/StrayTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <ctime>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fileio/FileSystemCalls.h"

namespace polygrav::fileio_detail {

namespace {

constexpr std::size_t kSuffixLength = 8;
constexpr std::time_t kStrayAgeSeconds = 60;

// The target's name of a temporary file's name, or "" when name is none.
std::string_view TargetOf(std::string_view name) {
    if (name.size() < 1 + 1 + 1 + kSuffixLength || name.front() != '.') return {};
    const std::size_t dot = name.size() - kSuffixLength - 1;
    if (name[dot] != '.') return {};
    for (const char c : name.substr(dot + 1)) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return {};
    }
    return name.substr(1, dot - 1);
}

}  // namespace

void RemoveStrayTemporaries(int folderFd, const struct stat& folderInfo) {
    static std::mutex mutex;
    static std::set<std::pair<dev_t, ino_t>> swept;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!swept.insert({folderInfo.st_dev, folderInfo.st_ino}).second) return;
    }
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) return;
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return;
    }
    std::vector<std::string> strays;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const std::string_view target = TargetOf(name);
        if (target.empty()) continue;
        struct stat info {};
        struct stat targetInfo {};
        if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
            now - info.st_mtime <= kStrayAgeSeconds ||
            ::fstatat(folderFd, std::string(target).c_str(), &targetInfo, AT_SYMLINK_NOFOLLOW) !=
                0 ||
            !S_ISREG(targetInfo.st_mode)) {
            continue;
        }
        strays.emplace_back(name);
    }
    ::closedir(dir);
    for (const std::string& stray : strays) {
        CurrentFileSystemCalls().unlinkat(folderFd, stray.c_str(), 0);
    }
}

}  // namespace polygrav::fileio_detail
