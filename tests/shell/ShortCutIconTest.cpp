// The icon of a written shortcut: the theme's name for an installed program
// whose data folder the desktop searches, else an icon file's absolute path,
// else none.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "EntryReading.h"
#include "ShellSandbox.h"
#include "tests/support/RowName.h"

namespace polygrav::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntryFile = "Polygrav 1.0A1.desktop";
constexpr const char* kThemeSvg = "prefix/share/icons/hicolor/scalable/apps/polygrav.svg";
constexpr const char* kThemePng = "prefix/share/icons/hicolor/48x48/apps/polygrav.png";

// The one shortcut written anywhere in the sandbox.
fs::path TheShortCut(const ShellSandbox& sandbox) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(sandbox.Root())) {
        if (entry.path().filename() == kEntryFile) {
            found.push_back(entry.path());
        }
    }
    EXPECT_EQ(found.size(), 1u);
    return found.empty() ? fs::path() : found.front();
}

// Each "ROOT" in a text stands for the sandbox's root.
std::string InSandbox(const ShellSandbox& sandbox, std::string text) {
    for (std::size_t at = text.find("ROOT"); at != std::string::npos; at = text.find("ROOT", at)) {
        text.replace(at, 4, sandbox.Root().string());
        at += sandbox.Root().string().size();
    }
    return text;
}

struct IconCase {
    const char* name;
    const char* program;             // relative to the sandbox's root
    std::vector<const char*> files;  // icon files, relative to the root
    const char* dataDirs;            // XDG_DATA_DIRS, or null for the sandbox's
    const char* dataHome;            // XDG_DATA_HOME, or null for the sandbox's
    const char* expected;            // the Icon value; empty: no Icon key
};

class ShortCutIconTest : public ::testing::TestWithParam<IconCase> {
  protected:
    ShellSandbox sandbox_;
};

TEST_P(ShortCutIconTest, NamesTheIconTheDesktopFinds) {
    const IconCase& c = GetParam();
    for (const char* file : c.files) {
        const fs::path path = sandbox_.Root() / file;
        fs::create_directories(path.parent_path());
        WriteFile(path, "icon\n");
    }
    const fs::path program = sandbox_.Root() / c.program;
    fs::create_directories(program.parent_path());
    if (c.dataDirs != nullptr) {
        sandbox_.SetEnv("XDG_DATA_DIRS", InSandbox(sandbox_, c.dataDirs));
    }
    if (c.dataHome != nullptr) {
        sandbox_.SetEnv("XDG_DATA_HOME", InSandbox(sandbox_, c.dataHome));
    }
    sandbox_.SetDesktopSetting("$HOME/Desktop");

    const ProbeRun run = sandbox_.RunProbe({"shortcut", program.string(), "DESKTOP"});

    EXPECT_TRUE(run.messages.empty()) << run.output;
    const fs::path entry = TheShortCut(sandbox_);
    const std::string text = ReadFile(entry);
    EXPECT_EQ(EntryValue(text, "Icon"), InSandbox(sandbox_, c.expected));
    if (std::string(c.expected).empty()) {
        EXPECT_EQ(text.find("Icon="), std::string::npos) << text;
    }
    // The entry's other keys come first, in their order; the icon comes last.
    EXPECT_EQ(text.substr(0, text.find("Icon=")),
              "[Desktop Entry]\nType=Application\nName=Polygrav 1.0A1\nExec=\"" + program.string() +
                  "\"\nPath=" + program.parent_path().string() + "\n");
    const ValidatorRun validation = ValidateDesktopEntry(entry);
    EXPECT_EQ(validation.exitCode, 0) << validation.output;
    EXPECT_EQ(validation.output, "");
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ShortCutIconTest,
    ::testing::Values(IconCase{"InstalledWhereTheDesktopLooks",
                               "prefix/bin/polygrav",
                               {kThemeSvg, kThemePng},
                               "ROOT/system:ROOT/prefix/share",
                               nullptr,
                               "polygrav"},
                      IconCase{"InstalledWithThePngOnly",
                               "prefix/bin/polygrav",
                               {kThemePng},
                               "ROOT/prefix/share/",
                               nullptr,
                               "polygrav"},
                      IconCase{"InstalledInTheUsersDataFolder",
                               "prefix/bin/polygrav",
                               {kThemeSvg},
                               nullptr,
                               "ROOT/prefix/share",
                               "polygrav"},
                      IconCase{"InstalledWhereTheDesktopDoesNotLook",
                               "prefix/bin/polygrav",
                               {kThemeSvg, kThemePng},
                               nullptr,
                               nullptr,
                               "ROOT/prefix/share/icons/hicolor/scalable/apps/polygrav.svg"},
                      IconCase{"InstalledElsewhereWithThePngOnly",
                               "prefix/bin/polygrav",
                               {kThemePng},
                               nullptr,
                               nullptr,
                               "ROOT/prefix/share/icons/hicolor/48x48/apps/polygrav.png"},
                      IconCase{"BuiltWithTheIconBesideIt",
                               "my build/app/polygrav",
                               {"my build/app/polygrav.svg"},
                               nullptr,
                               nullptr,
                               "ROOT/my build/app/polygrav.svg"},
                      IconCase{"NoIconFile", "bare/polygrav", {}, nullptr, nullptr, ""}),
    RowName());

// The build puts the icon beside the program it builds, so a shortcut made
// by the program run from the build folder shows it.
TEST(BuiltProgramIconTest, LiesBesideTheBuiltProgram) {
    const fs::path program = POLYGRAV_BUILT_PROGRAM;
    const fs::path icon = program.parent_path() / "polygrav.svg";
    ASSERT_TRUE(fs::is_regular_file(icon)) << icon;
    EXPECT_EQ(ReadFile(icon),
              ReadFile(fs::path(POLYGRAV_TEST_DATA) / "../../app/icons/polygrav.svg"));

    ShellSandbox sandbox;
    const ProbeRun run = sandbox.RunProbe({"shortcut", program.string(), "PROGRAMS"});
    EXPECT_TRUE(run.messages.empty()) << run.output;
    EXPECT_EQ(EntryValue(ReadFile(sandbox.DataHome() / "applications" / kEntryFile), "Icon"),
              icon.string());
}

}  // namespace
}  // namespace polygrav::test
