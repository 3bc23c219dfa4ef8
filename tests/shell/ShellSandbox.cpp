#include "ShellSandbox.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace polygrav::test {

namespace fs = std::filesystem;

namespace {

// Runs argv in folder with envp (null for either: this process's own) and
// returns its exit code and standard output, followed by its standard error
// when withErrors is set; otherwise standard error passes through.
std::pair<int, std::string> RunProcess(const std::vector<std::string>& args, const char* folder,
                                       gchar** envp, bool withErrors) {
    std::vector<gchar*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<gchar*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    g_autofree gchar* out = nullptr;
    g_autofree gchar* err = nullptr;
    gint status = 0;
    g_autoptr(GError) error = nullptr;
    if (!g_spawn_sync(folder, argv.data(), envp, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &out,
                      withErrors ? &err : nullptr, &status, &error)) {
        throw std::runtime_error("cannot run " + args.front() + ": " + error->message);
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return {code, std::string(out ? out : "") + (err ? err : "")};
}

// A path inside a single-quoted shell word (the sandbox's paths have no
// single quote).
std::string ShellWord(const fs::path& path) {
    return "'" + path.string() + "'";
}

}  // namespace

ShellSandbox::ShellSandbox() {
    std::string pattern = (fs::path(g_get_tmp_dir()) / "polygrav-shell-XXXXXX").string();
    if (g_mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    root_ = pattern;
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

ShellSandbox::~ShellSandbox() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void ShellSandbox::SetDesktopSetting(const std::string& value) const {
    WriteFile(ConfigHome() / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + value + "\"\n");
}

void ShellSandbox::RegisterSvgViewer(const std::string& exec, const std::string& extraLines) const {
    fs::create_directories(DataHome() / "applications");
    WriteFile(DataHome() / "applications" / "test-viewer.desktop",
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Test viewer\n"
              "Exec=" +
                  exec +
                  "\n"
                  "MimeType=image/svg+xml;\n" +
                  extraLines);
    WriteFile(ConfigHome() / "mimeapps.list",
              "[Default Applications]\n"
              "image/svg+xml=test-viewer.desktop\n");
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
    gchar** envp = g_get_environ();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_CURRENT_DESKTOP",
          "XDG_SESSION_TYPE", "XDG_DESKTOP_DIR", "LANGUAGE"}) {
        envp = g_environ_unsetenv(envp, name);
    }
    for (const auto& [name, value] : env_) {
        envp = g_environ_setenv(envp, name.c_str(), value.c_str(), TRUE);
    }
    std::vector<std::string> argv{POLYGRAV_SHELL_PROBE};
    argv.insert(argv.end(), args.begin(), args.end());
    ProbeRun run;
    try {
        std::tie(run.exitCode, run.output) = RunProcess(argv, root_.c_str(), envp, false);
    } catch (...) {
        g_strfreev(envp);
        throw;
    }
    g_strfreev(envp);

    const std::string prefix = "message: ";
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0) {
            run.messages.push_back(line.substr(prefix.size()));
        }
    }
    return run;
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ValidatorRun ValidateDesktopEntry(const fs::path& file) {
    const auto [code, output] =
        RunProcess({"desktop-file-validate", file.string()}, nullptr, nullptr, true);
    return {code, output};
}

}  // namespace polygrav::test
