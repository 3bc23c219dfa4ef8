#include "ShellSandbox.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/ChildProcess.h"

namespace polygrav::test {

namespace fs = std::filesystem;

namespace {

// The exit code, or 128 and the signal for a child ended by a signal.
int ExitCode(const ChildResult& result) {
    return result.exited ? result.exitCode : 128 + result.signal;
}

// A path inside a single-quoted shell word (the sandbox's paths have no
// single quote).
std::string ShellWord(const fs::path& path) {
    return "'" + path.string() + "'";
}

}  // namespace

ShellSandbox::ShellSandbox() : root_(folder_.path()) {
    fs::create_directories(Home());
    fs::create_directories(DataHome());
    fs::create_directories(ConfigHome());
    fs::create_directories(Records());
    fs::create_directories(root_ / "runtime");
    fs::permissions(root_ / "runtime", fs::perms::owner_all);
    // GIO reads the content types from <data dir>/mime; the machine's
    // database is enough, without the machine's applications.
    fs::create_directories(root_ / "system");
    fs::create_directory_symlink("/usr/share/mime", root_ / "system" / "mime");

    env_ = {
        {"HOME", Home().string()},
        {"XDG_DATA_HOME", DataHome().string()},
        {"XDG_CONFIG_HOME", ConfigHome().string()},
        {"XDG_DATA_DIRS", (root_ / "system").string()},
        {"XDG_CONFIG_DIRS", (root_ / "system-config").string()},
        {"XDG_CACHE_HOME", (root_ / "cache").string()},
        {"XDG_RUNTIME_DIR", (root_ / "runtime").string()},
        {"LC_ALL", "C.UTF-8"},
    };
}

void ShellSandbox::SetDesktopSetting(const std::string& value) const {
    WriteFile(ConfigHome() / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + value + "\"\n");
}

void ShellSandbox::RegisterSvgViewer(const std::string& exec, const std::string& extraLines) const {
    RegisterViewer({"image/svg+xml"}, exec, extraLines);
}

void ShellSandbox::RegisterViewer(const std::vector<std::string>& mimeTypes,
                                  const std::string& exec, const std::string& extraLines) const {
    std::string types;
    std::string defaults = "[Default Applications]\n";
    for (const std::string& type : mimeTypes) {
        types += type + ";";
        defaults += type + "=test-viewer.desktop\n";
    }
    fs::create_directories(DataHome() / "applications");
    WriteFile(DataHome() / "applications" / "test-viewer.desktop",
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Test viewer\n"
              "Exec=" +
                  exec +
                  "\n"
                  "MimeType=" +
                  types + "\n" + extraLines);
    WriteFile(ConfigHome() / "mimeapps.list", defaults);
}

void ShellSandbox::WriteRecordingProgram(const fs::path& path) const {
    fs::create_directories(path.parent_path());
    // Writes the record under a temporary name and renames it, so a record
    // is seen only when it is complete.
    WriteFile(path,
              "#!/bin/sh\n"
              "tmp=$(mktemp " +
                  ShellWord(Records() / ".start.XXXXXX") +
                  ") || exit 1\n"
                  "printf '%s\\n' \"$0\" \"$@\" \"$(pwd -P)\" > \"$tmp\"\n"
                  "mv \"$tmp\" " +
                  ShellWord(Records()) + "/\"start-${tmp##*.}\"\n");
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
}

std::vector<std::vector<std::string>> ShellSandbox::WaitForRecords(
    std::size_t count, std::chrono::seconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<fs::path> files;
    for (;;) {
        files.clear();
        for (const fs::directory_entry& entry : fs::directory_iterator(Records())) {
            if (entry.path().filename().string().rfind("start-", 0) == 0) {
                files.push_back(entry.path());
            }
        }
        if (files.size() >= count || std::chrono::steady_clock::now() > deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::vector<std::vector<std::string>> records;
    for (const fs::path& file : files) {
        std::istringstream lines(ReadFile(file));
        std::vector<std::string> record;
        for (std::string line; std::getline(lines, line);) {
            record.push_back(line);
        }
        records.push_back(record);
    }
    return records;
}

ProbeRun ShellSandbox::RunProbe(const std::vector<std::string>& args) const {
    ChildOptions options;
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_CURRENT_DESKTOP",
          "XDG_SESSION_TYPE", "XDG_DESKTOP_DIR", "LANGUAGE"}) {
        options.env.erase(name);
    }
    for (const auto& [name, value] : env_) options.env[name] = value;
    options.args = args;
    options.workingFolder = root_.string();
    const ChildResult result = RunChild(POLYGRAV_SHELL_PROBE, options);
    // The probe's errors pass through to the test's log.
    std::fputs(result.err.c_str(), stderr);
    ProbeRun run;
    run.exitCode = ExitCode(result);
    run.output = result.out;

    const std::string prefix = "message: ";
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0) {
            run.messages.push_back(line.substr(prefix.size()));
        }
    }
    return run;
}

ValidatorRun ValidateDesktopEntry(const fs::path& file) {
    ChildOptions options;
    options.args = {file.string()};
    const ChildResult result = RunChild("desktop-file-validate", options);
    return {ExitCode(result), result.out + result.err};
}

}  // namespace polygrav::test
