#include "tests/support/ProgramSandbox.h"

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

namespace polygrav::test {

namespace fs = std::filesystem;

ProgramSandbox::ProgramSandbox(const std::string& moduleFolder)
    : env_(ChildOptions::CurrentEnvironment()) {
    for (const auto& entry : fs::directory_iterator(moduleFolder)) {
        if (entry.path().extension() == ".so") {
            fs::copy_file(entry.path(), path(entry.path().filename().string()));
        }
    }
    for (const char* sub : {"home", "config", "data", "system", "cache", "runtime"}) {
        fs::create_directory(path(sub));
    }
    ::chmod(path("runtime").c_str(), 0700);
    env_["HOME"] = path("home");
    env_["XDG_CONFIG_HOME"] = path("config");
    env_["XDG_DATA_HOME"] = path("data");
    env_["XDG_DATA_DIRS"] = path("system");
    env_["XDG_CACHE_HOME"] = path("cache");
    env_["XDG_RUNTIME_DIR"] = path("runtime");
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS",
          "XDG_CURRENT_DESKTOP", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        env_.erase(name);
    }
    // A test that wants another language sets LANG (or LANGUAGE) itself.
    env_["LANG"] = "C.UTF-8";
}

std::string ProgramSandbox::AddProgram(const std::string& builtPath) {
    const std::string copy = path(fs::path(builtPath).filename().string());
    fs::copy_file(builtPath, copy);
    return copy;
}

void ProgramSandbox::WriteFile(const std::string& name, const std::string& bytes) const {
    test::WriteFile(path(name), bytes);
}

std::string ProgramSandbox::ReadFile(const std::string& name) const {
    return test::ReadFile(path(name));
}

bool ProgramSandbox::Exists(const std::string& name) const {
    std::error_code ignored;
    return fs::exists(path(name), ignored);
}

ChildResult ProgramSandbox::Run(const std::string& program, const std::vector<std::string>& args,
                                const std::string& input) const {
    ChildOptions options;
    options.args = args;
    options.env = env_;
    options.workingFolder = folder();
    options.stdinBytes = input;
    return RunChild(program, options);
}

}  // namespace polygrav::test
