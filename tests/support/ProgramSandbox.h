#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace polygrav::test {

// Private copies of built programs and of the modules they load, in a fresh
// folder, run in a sandboxed environment: their own home and XDG folders,
// and system data folders with no applications, so that no viewer of the
// machine's ever starts. The language is the design's (LANG=C.UTF-8, no
// LANGUAGE, LC_ALL or LC_MESSAGES) whatever the developer's locale. No Qt,
// so that the converter's tests build without it.
class ProgramSandbox {
  public:
    // Copies every "*.so" of moduleFolder into the folder.
    explicit ProgramSandbox(const std::string& moduleFolder);

    const std::string& folder() const { return dir_.path(); }
    std::string path(const std::string& name) const { return dir_ / name; }
    std::map<std::string, std::string>& environment() { return env_; }

    // Copies the built program into the folder under its own name; returns
    // the copy's path.
    std::string AddProgram(const std::string& builtPath);

    void WriteFile(const std::string& name, const std::string& bytes) const;
    // The file's bytes; empty when it cannot be read.
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Every name in the folder, hidden ones included, sorted.
    std::vector<std::string> Names() const { return dir_.Names(); }

    // Runs program in the folder with the sandbox's environment to its end.
    ChildResult Run(const std::string& program, const std::vector<std::string>& args,
                    const std::string& input = {}) const;

  private:
    TempFolder dir_;
    std::map<std::string, std::string> env_;
};

}  // namespace polygrav::test
