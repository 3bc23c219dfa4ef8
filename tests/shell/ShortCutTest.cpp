// Writes shortcuts through the real XDG folder lookup in a sandbox home.

#include <gtest/gtest.h>

#include <algorithm>
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

// Every shortcut file anywhere in the sandbox, sorted.
std::vector<fs::path> ShortCutsIn(const ShellSandbox& sandbox) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(sandbox.Root())) {
        if (entry.path().filename() == kEntryFile) {
            found.push_back(entry.path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The names in a folder.
std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

class ShortCutTest : public ::testing::Test {
  protected:
    ShellSandbox sandbox_;
};

TEST_F(ShortCutTest, WritesBothPlacesAndTheSecondPressReplacesThem) {
    sandbox_.SetDesktopSetting("$HOME/デスクトップ");
    const fs::path desktop = sandbox_.Home() / "デスクトップ";
    const fs::path programs = sandbox_.DataHome() / "applications";

    const ProbeRun first =
        sandbox_.RunProbe({"shortcut", "/opt/old place/polygrav", "DESKTOP", "PROGRAMS"});
    const ProbeRun second =
        sandbox_.RunProbe({"shortcut", "/opt/polygrav/polygrav", "DESKTOP", "PROGRAMS"});

    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(first.messages.empty()) << first.output;
    EXPECT_TRUE(second.messages.empty()) << second.output;
    ASSERT_EQ(ShortCutsIn(sandbox_),
              (std::vector<fs::path>{programs / kEntryFile, desktop / kEntryFile}));
    for (const fs::path& file : ShortCutsIn(sandbox_)) {
        SCOPED_TRACE(file.string());
        EXPECT_EQ(ReadFile(file),
                  "[Desktop Entry]\n"
                  "Type=Application\n"
                  "Name=Polygrav 1.0A1\n"
                  "Exec=\"/opt/polygrav/polygrav\"\n"
                  "Path=/opt/polygrav\n");
        const fs::perms perms = fs::status(file).permissions();
        EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none);
        // Nothing left beside it from the write.
        EXPECT_EQ(NamesIn(file.parent_path()), std::vector<std::string>{kEntryFile});
        const ValidatorRun validation = ValidateDesktopEntry(file);
        EXPECT_EQ(validation.exitCode, 0) << validation.output;
        EXPECT_EQ(validation.output, "");
    }
}

struct DesktopCase {
    const char* name;
    const char* setting;  // XDG_DESKTOP_DIR, or null for no user-dirs file
    const char* folder;   // expected, relative to the sandbox's root
};

class DesktopPlaceTest : public ShortCutTest, public ::testing::WithParamInterface<DesktopCase> {};

TEST_P(DesktopPlaceTest, FollowsTheUserDirsSetting) {
    if (GetParam().setting != nullptr) {
        std::string setting = GetParam().setting;
        if (setting.rfind("ROOT", 0) == 0) {
            setting.replace(0, 4, sandbox_.Root().string());
        }
        sandbox_.SetDesktopSetting(setting);
    }

    const ProbeRun run = sandbox_.RunProbe({"shortcut", "/usr/bin/polygrav", "DESKTOP"});

    EXPECT_TRUE(run.messages.empty()) << run.output;
    EXPECT_EQ(ShortCutsIn(sandbox_),
              std::vector<fs::path>{sandbox_.Root() / GetParam().folder / kEntryFile});
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DesktopPlaceTest,
    ::testing::Values(DesktopCase{"InHome", "$HOME/Schreibtisch", "home/Schreibtisch"},
                      DesktopCase{"Absolute", "ROOT/shared desk/デスク", "shared desk/デスク"},
                      DesktopCase{"NoSettingMeansHomeDesktop", nullptr, "home/Desktop"}),
    RowName());

TEST_F(ShortCutTest, DesktopFollowsASettingChangedWhileTheProgramRuns) {
    sandbox_.SetDesktopSetting("$HOME/Desktop");

    const ProbeRun run = sandbox_.RunProbe({"shortcut", "/usr/bin/polygrav", "DESKTOP",
                                            "--desktop-setting=$HOME/Arbeitsfläche", "DESKTOP"});

    EXPECT_TRUE(run.messages.empty()) << run.output;
    EXPECT_EQ(ShortCutsIn(sandbox_),
              (std::vector<fs::path>{sandbox_.Home() / "Arbeitsfläche" / kEntryFile,
                                     sandbox_.Home() / "Desktop" / kEntryFile}));
}

TEST_F(ShortCutTest, ProgramsTakesARelativeDataHomeAsUnset) {
    sandbox_.SetEnv("XDG_DATA_HOME", "relative/data");

    const ProbeRun run = sandbox_.RunProbe({"shortcut", "/usr/bin/polygrav", "PROGRAMS"});

    EXPECT_TRUE(run.messages.empty()) << run.output;
    EXPECT_EQ(ShortCutsIn(sandbox_),
              std::vector<fs::path>{sandbox_.Home() / ".local/share/applications" / kEntryFile});
}

struct ProgramCase {
    const char* name;
    const char* folder;  // the program's folder inside the sandbox
    bool gioStartsIt;    // GIO 2.74 looks for the program before it turns
                         // "%%" into "%", so it rejects an entry whose path
                         // holds a "%"; other launchers read it as written.
};

class ShortCutTargetTest : public ShortCutTest,
                           public ::testing::WithParamInterface<ProgramCase> {};

TEST_P(ShortCutTargetTest, StartsTheExactProgramFromItsFolder) {
    const fs::path folder = sandbox_.Root() / GetParam().folder;
    const fs::path program = folder / "polygrav";
    sandbox_.WriteRecordingProgram(program);

    const ProbeRun run = sandbox_.RunProbe({"shortcut", program.string(), "PROGRAMS"});

    EXPECT_TRUE(run.messages.empty()) << run.output;
    const fs::path entry = sandbox_.DataHome() / "applications" / kEntryFile;
    const std::string text = ReadFile(entry);
    EXPECT_EQ(ExecArguments(EntryValue(text, "Exec")), std::vector<std::string>{program.string()});
    EXPECT_EQ(EntryValue(text, "Path"), folder.string());
    const ValidatorRun validation = ValidateDesktopEntry(entry);
    EXPECT_EQ(validation.exitCode, 0) << validation.output;

    if (!GetParam().gioStartsIt) {
        return;
    }
    const ProbeRun launch = sandbox_.RunProbe({"launch-entry", entry.string()});
    EXPECT_EQ(launch.output, "started\n");
    const auto records = sandbox_.WaitForRecords(1);
    ASSERT_EQ(records.size(), 1u);
    // $0 and the working folder: no arguments.
    EXPECT_EQ(records[0],
              (std::vector<std::string>{program.string(), fs::canonical(folder).string()}));
}

INSTANTIATE_TEST_SUITE_P(ProgramFolders, ShortCutTargetTest,
                         ::testing::Values(ProgramCase{"Blanks", "my programs/poly grav", true},
                                           ProgramCase{"DoubleQuotes", "the \"best\" tools", true},
                                           ProgramCase{"Backslash", "back\\slash", true},
                                           ProgramCase{"Japanese", "ツール/星", true},
                                           ProgramCase{"ShellCharacters", "$HOME `id` 'x';&", true},
                                           ProgramCase{"Percent", "100% %f", false}),
                         RowName());

// Each row leaves a place without a usable folder: the message tells so and
// no shortcut is written anywhere.
struct UnusablePlaceCase {
    const char* name;
    const char* where;
    std::string (*prepare)(ShellSandbox&);  // returns the expected message
};

class UnusablePlaceTest : public ShortCutTest,
                          public ::testing::WithParamInterface<UnusablePlaceCase> {};

TEST_P(UnusablePlaceTest, ShowsTheMessageAndWritesNothing) {
    const std::string expected = GetParam().prepare(sandbox_);

    const ProbeRun run = sandbox_.RunProbe({"shortcut", "/usr/bin/polygrav", GetParam().where});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.messages, std::vector<std::string>{expected}) << run.output;
    EXPECT_TRUE(ShortCutsIn(sandbox_).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Places, UnusablePlaceTest,
    ::testing::Values(
        // user-dirs switches a folder off by setting it to the home folder.
        UnusablePlaceCase{"DesktopSwitchedOff", "DESKTOP",
                          [](ShellSandbox& sandbox) {
                              sandbox.SetDesktopSetting("$HOME/");
                              return std::string("デスクトップのフォルダーが見つかりません。");
                          }},
        UnusablePlaceCase{"DesktopUnderAFile", "DESKTOP",
                          [](ShellSandbox& sandbox) {
                              WriteFile(sandbox.Home() / "notes", "a file\n");
                              sandbox.SetDesktopSetting("$HOME/notes/Desktop");
                              return "フォルダーを作成できません: " +
                                     (sandbox.Home() / "notes" / "Desktop").string() +
                                     " (Not a directory)";
                          }},
        UnusablePlaceCase{"ProgramsUnderAFile", "PROGRAMS",
                          [](ShellSandbox& sandbox) {
                              const fs::path data = sandbox.Root() / "data file";
                              WriteFile(data, "a file\n");
                              sandbox.SetEnv("XDG_DATA_HOME", data.string());
                              return "フォルダーを作成できません: " +
                                     (data / "applications").string() + " (Not a directory)";
                          }}),
    RowName());

TEST_F(ShortCutTest, FailedWriteIsReportedAndLeavesNoTemporaryFile) {
    sandbox_.SetDesktopSetting("$HOME/Desktop");
    // A folder in the shortcut's place cannot be replaced by a file.
    const fs::path blocked = sandbox_.Home() / "Desktop" / kEntryFile;
    fs::create_directories(blocked / "inside");

    const ProbeRun run = sandbox_.RunProbe({"shortcut", "/usr/bin/polygrav", "DESKTOP"});

    ASSERT_EQ(run.messages.size(), 1u) << run.output;
    const std::string prefix = "ショートカットを作成できません: " + blocked.string() + " (";
    EXPECT_EQ(run.messages[0].substr(0, prefix.size()), prefix);
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(NamesIn(sandbox_.Home() / "Desktop"), std::vector<std::string>{kEntryFile});
}

TEST_F(ShortCutTest, OtherKeywordsWriteNothing) {
    sandbox_.SetDesktopSetting("$HOME/Desktop");

    const ProbeRun run = sandbox_.RunProbe(
        {"shortcut", "/usr/bin/polygrav", "desktop", "Programs", "", "STARTMENU", "DESKTOP "});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.messages.empty()) << run.output;
    EXPECT_TRUE(ShortCutsIn(sandbox_).empty());
}

}  // namespace
}  // namespace polygrav::test
