#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace polygrav::test {

// What one run of the probe program did.
struct ProbeRun {
    int exitCode = -1;
    std::vector<std::string> messages;  // the shell's messages, in order
    std::string output;                 // everything it printed
};

// A temporary home with its own XDG folders, in which the probe program runs
// the real GIO desktop code. Each run is a new process, so nothing GIO caches
// (user folders, installed applications) carries over from one case to the
// next. The system data folder holds only the MIME database, so the
// machine's own applications never answer a lookup.
class ShellSandbox {
  public:
    ShellSandbox();
    ShellSandbox(const ShellSandbox&) = delete;
    ShellSandbox& operator=(const ShellSandbox&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path Home() const { return root_ / "home"; }
    std::filesystem::path DataHome() const { return root_ / "data"; }
    std::filesystem::path ConfigHome() const { return root_ / "config"; }

    // Overrides one variable of the probe's environment.
    void SetEnv(const std::string& name, const std::string& value) { env_[name] = value; }

    // Writes the user-dirs settings with XDG_DESKTOP_DIR="value".
    void SetDesktopSetting(const std::string& value) const;

    // Registers a desktop entry with this Exec value (already quoted) as the
    // default application for image/svg+xml; extraLines go into its group.
    void RegisterSvgViewer(const std::string& exec, const std::string& extraLines = "") const;

    // The same for each of the MIME types.
    void RegisterViewer(const std::vector<std::string>& mimeTypes, const std::string& exec,
                        const std::string& extraLines = "") const;

    // Writes a script at path that records each start in the folder
    // Records(): its arguments ($0 first) and its working folder, one per
    // line.
    void WriteRecordingProgram(const std::filesystem::path& path) const;
    std::filesystem::path Records() const { return root_ / "records"; }

    // Waits until count starts are recorded, or the timeout passes, and
    // returns the records found: for each, $0, the arguments and the
    // working folder.
    std::vector<std::vector<std::string>> WaitForRecords(
        std::size_t count, std::chrono::seconds timeout = std::chrono::seconds(20)) const;

    // Runs the probe program with args in this sandbox's environment, with
    // the sandbox's root as its working folder.
    ProbeRun RunProbe(const std::vector<std::string>& args) const;

  private:
    TempFolder folder_;
    std::filesystem::path root_;
    std::map<std::string, std::string> env_;
};

// What desktop-file-validate said about a file.
struct ValidatorRun {
    int exitCode = -1;
    std::string output;  // its errors, warnings and hints
};

// Runs desktop-file-validate on the file.
ValidatorRun ValidateDesktopEntry(const std::filesystem::path& file);

}  // namespace polygrav::test
