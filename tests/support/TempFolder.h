#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace polygrav::test {

// A fresh folder under the temporary folder for one test, removed with
// everything in it afterwards (also folders the test made read-only).
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // The path of name inside the folder.
    std::string operator/(std::string_view name) const;

    // The names in the folder, or in its subfolder sub, sorted.
    std::vector<std::string> Names(const std::string& sub = "") const;

  private:
    std::string path_;
};

// The whole content of the file at path; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

// Replaces the file at path with bytes; throws std::runtime_error when that
// fails.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// The permission bits of the file at path (links followed), or 0xFFFFFFFF
// when there is none.
unsigned PermissionBits(const std::filesystem::path& path);

}  // namespace polygrav::test
