#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace polygrav::test {

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "polygrav-test-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        // Folders a test made read-only must be writable again to be emptied.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            if (entry.is_directory(ignored)) ::chmod(entry.path().c_str(), 0755);
        }
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // The names in the folder, sorted.
    std::vector<std::string> Names(const std::string& sub = "") const {
        std::vector<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(sub.empty() ? path_ : path_ + "/" + sub)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::string path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline unsigned PermissionBits(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0xFFFFFFFFu;
    return st.st_mode & 07777u;
}

}  // namespace polygrav::test
