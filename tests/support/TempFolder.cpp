#include "tests/support/TempFolder.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace polygrav::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "polygrav-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    // Folders a test made read-only must be writable again to be emptied.
    std::error_code ignored;
    ::chmod(path_.c_str(), 0755);
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            ::chmod(it->path().c_str(), 0755);
        }
    }
    fs::remove_all(path_, ignored);
}

std::string TempFolder::operator/(std::string_view name) const {
    std::string path = path_;
    path += '/';
    path += name;
    return path;
}

std::vector<std::string> TempFolder::Names(const std::string& sub) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(sub.empty() ? path_ : *this / sub)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

unsigned PermissionBits(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0xFFFFFFFFu;
    return st.st_mode & 07777u;
}

}  // namespace polygrav::test
