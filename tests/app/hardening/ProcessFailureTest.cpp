// The built program run as a process, without a display, on the roads where
// the machine fails it: a full disk, a settings file that is a folder, files
// and folders it may not read or write, and an awkward document name. Each
// run gets a private copy of the program, so that its settings file beside
// it is the test's own, and a private home without the machine's
// applications, so that no real SVG viewer is ever started.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "model/StarSettings.h"
#include "settings/IniFile.h"
#include "svg/SvgDocument.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace polygrav::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

// A document with the given lines in section "SVG"; View=0 keeps the viewer
// out of every run.
std::string Document(const std::string& lines) {
    return "[SVG]\r\n" + lines + "View=0\r\n";
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The error line the program prints for a message without a display.
std::string ErrorLine(const std::string& message) {
    return "polygrav: " + message + ".\n";
}

class ProcessFailureTest : public testing::Test {
  protected:
    void SetUp() override {
        // Every folder on the way must be open to the unprivileged user.
        ::chmod(root_.path().c_str(), 0755);
        fs::create_directories(Bin());
        fs::create_directories(Docs());
        fs::copy_file(POLYGRAV_BINARY, Program());
        fs::permissions(Program(), fs::perms(0755));
        // The program's modules (its window, the viewer launch) go where an
        // installation puts them, ../lib/polygrav.
        const fs::path modules = root_ / "lib/polygrav";
        fs::create_directories(modules);
        for (const auto& module : fs::directory_iterator(POLYGRAV_MODULE_DIR)) {
            fs::copy_file(module.path(), modules / module.path().filename());
        }
        fs::create_directories(root_ / "system");
        fs::create_directory_symlink("/usr/share/mime", root_ / "system/mime");
        fs::create_directories(root_ / "system-config");
        for (const bool nobody : {false, true}) {
            const std::string home = Home(nobody);
            fs::create_directories(home + "/runtime");
            ::chmod((home + "/runtime").c_str(), 0700);
            if (nobody && ::geteuid() == 0) {
                for (const auto& entry : fs::recursive_directory_iterator(home)) {
                    ::lchown(entry.path().c_str(), kNobodyId, kNobodyId);
                }
                ::chown(home.c_str(), kNobodyId, kNobodyId);
            }
        }
    }

    std::string Bin() const { return root_ / "bin"; }
    std::string Docs() const { return root_ / "docs"; }
    std::string Program() const { return Bin() + "/polygrav"; }
    std::string Ini() const { return Bin() + "/polygrav.ini"; }
    std::string Home(bool nobody) const { return root_ / (nobody ? "home-nobody" : "home"); }

    // The caller's environment without a display and with the private home.
    ChildOptions Options(std::vector<std::string> args, bool nobody = false) const {
        ChildOptions options;
        options.args = std::move(args);
        options.asNobody = nobody;
        for (auto it = options.env.begin(); it != options.env.end();) {
            const std::string& name = it->first;
            const bool dropped = name == "DISPLAY" || name == "WAYLAND_DISPLAY" ||
                                 name == "QT_QPA_PLATFORM" || name == "DBUS_SESSION_BUS_ADDRESS" ||
                                 name == "SESSION_MANAGER" || name.rfind("XDG_", 0) == 0 ||
                                 name == "HOME" || name.rfind("LC_", 0) == 0;
            it = dropped ? options.env.erase(it) : std::next(it);
        }
        const std::string home = Home(nobody);
        options.env["HOME"] = home;
        options.env["XDG_CONFIG_HOME"] = home + "/config";
        options.env["XDG_DATA_HOME"] = home + "/data";
        options.env["XDG_CACHE_HOME"] = home + "/cache";
        options.env["XDG_RUNTIME_DIR"] = home + "/runtime";
        options.env["XDG_DATA_DIRS"] = root_ / "system";
        options.env["XDG_CONFIG_DIRS"] = root_ / "system-config";
        options.env["LC_ALL"] = "C.UTF-8";
        return options;
    }

    // Starts the window without arguments on Qt's offscreen platform (without
    // a display the program would say so and end), asks it to end with
    // SIGTERM once it listens for that, and returns how it ended.
    ChildResult RunWindowUntilSigterm(ChildOptions options) const {
        options.env["QT_QPA_PLATFORM"] = "offscreen";
        ChildProcess window(Program(), options);
        EXPECT_TRUE(window.WaitUntilCatching(SIGTERM, seconds(120)))
            << "the window never listened for SIGTERM";
        ::kill(window.pid(), SIGTERM);
        return window.Finish(seconds(120));
    }

    TempFolder root_;
};

void ExpectExited(const ChildResult& r, int code) {
    EXPECT_FALSE(r.timedOut);
    EXPECT_TRUE(r.exited) << "ended by signal " << r.signal << "\n" << r.err;
    EXPECT_EQ(r.exitCode, code) << r.err;
}

TEST_F(ProcessFailureTest, FullDiskWhileWritingTheSvgKeepsTheOldFile) {
    const std::string doc = Docs() + "/star.pgv";
    const std::string svg = Docs() + "/star.svg";
    WriteFile(doc, Document("EdgeNumber=7\r\n"));
    const std::string old = BuildSvgDocument(TStarSettings{}, '.');
    WriteFile(svg, old);

    ChildOptions options = Options({doc});
    options.fileSizeLimit = 64;  // the new document is several hundred bytes
    const ChildResult r = RunChild(Program(), options);

    ExpectExited(r, 1);
    EXPECT_THAT(r.err, HasSubstr(ErrorLine("ストリームへの書き込みエラー")));
    EXPECT_EQ(ReadFile(svg), old);
    EXPECT_THAT(NamesIn(Docs()), ElementsAre("star.pgv", "star.svg"));
}

// SIGTERM closes the window, which saves the settings; on a full disk the
// old file stays whole and no temporary file is left.
TEST_F(ProcessFailureTest, SigtermSavesTheSettingsUnlessTheDiskIsFull) {
    struct Row {
        const char* name;
        std::optional<rlim_t> fileSizeLimit;
    };
    const std::string old = "[SVG]\r\nEdgeNumber=7\r\n; " + std::string(8192, 'x') + "\r\n";
    for (const Row& row : {Row{"room enough", std::nullopt}, Row{"full disk", 4096}}) {
        SCOPED_TRACE(row.name);
        WriteFile(Ini(), old);
        ChildOptions options = Options({});
        options.fileSizeLimit = row.fileSizeLimit;

        const ChildResult r = RunWindowUntilSigterm(options);

        ExpectExited(r, 0);
        if (row.fileSizeLimit) {
            EXPECT_EQ(ReadFile(Ini()), old);
        } else {
            const std::string ini = ReadFile(Ini());
            EXPECT_THAT(ini, HasSubstr("EdgeNumber=7\r\n"));
            EXPECT_THAT(ini, HasSubstr("FavoriteDir=" + Bin() + "\r\n"));
            EXPECT_THAT(ini, HasSubstr(old.substr(21)));  // the comment line
        }
        EXPECT_THAT(NamesIn(Bin()), ElementsAre("polygrav", "polygrav.ini"));
    }
}

TEST_F(ProcessFailureTest, SettingsFileThatIsAFolderIsLeftAlone) {
    fs::create_directory(Ini());
    WriteFile(Ini() + "/inside", "kept");
    const ChildResult r = RunWindowUntilSigterm(Options({}));
    ExpectExited(r, 0);
    EXPECT_TRUE(fs::is_directory(Ini()));
    EXPECT_THAT(NamesIn(Ini()), ElementsAre("inside"));
    EXPECT_EQ(ReadFile(Ini() + "/inside"), "kept");
    EXPECT_THAT(NamesIn(Bin()), ElementsAre("polygrav", "polygrav.ini"));
}

// A settings file larger than the limit is not read, and closing the window
// leaves it as it is instead of replacing it with the ten keys alone.
TEST_F(ProcessFailureTest, SettingsFileLargerThanTheLimitIsLeftAlone) {
    const std::string start = "[SVG]\r\nEdgeNumber=7\r\n";
    WriteFile(Ini(), start);
    fs::resize_file(Ini(), kMaxSettingsFileBytes + 1);  // sparse beyond the two lines
    const ChildResult r = RunWindowUntilSigterm(Options({}));
    ExpectExited(r, 0);
    EXPECT_EQ(fs::file_size(Ini()), kMaxSettingsFileBytes + 1);
    EXPECT_EQ(ReadFile(Ini()).substr(0, start.size()), start);
    EXPECT_THAT(NamesIn(Bin()), ElementsAre("polygrav", "polygrav.ini"));
}

// A settings file that can be written but not read is not replaced by one
// that holds only the ten keys: its other lines would be lost.
TEST_F(ProcessFailureTest, SettingsFileThatCannotBeReadIsNotReplaced) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const std::string old = "[SVG]\r\nEdgeNumber=7\r\n[Mine]\r\nkept=yes\r\n";
    WriteFile(Ini(), old);
    ::chown(Bin().c_str(), kNobodyId, kNobodyId);
    ::chown(Ini().c_str(), kNobodyId, kNobodyId);
    ::chmod(Ini().c_str(), 0200);

    const ChildResult r = RunWindowUntilSigterm(Options({}, true));

    ExpectExited(r, 0);
    EXPECT_EQ(ReadFile(Ini()), old);
    EXPECT_THAT(NamesIn(Bin()), ElementsAre("polygrav", "polygrav.ini"));
}

// A document that exists but cannot be read is reported, not converted as
// if it were empty: the default star in its place would be a failure
// reported as success. An earlier SVG file stays as it was.
TEST_F(ProcessFailureTest, DocumentThatCannotBeReadIsReported) {
    struct Row {
        const char* name;
        const char* document;
        bool folder;
    };
    for (const Row& row :
         {Row{"no read permission", "locked.pgv", false}, Row{"a folder", "folder.pgv", true}}) {
        SCOPED_TRACE(row.name);
        const std::string doc = Docs() + "/" + row.document;
        const std::string svg = fs::path(doc).replace_extension(".svg");
        if (row.folder) {
            fs::create_directory(doc);
        } else {
            WriteFile(doc, Document("EdgeNumber=7\r\n"));
            ::chmod(doc.c_str(), 0);
        }
        WriteFile(svg, "earlier");
        ::chmod(svg.c_str(), 0666);
        ::chmod(Docs().c_str(), 0777);

        const ChildResult r = RunChild(Program(), Options({doc}, true));

        ExpectExited(r, 1);
        EXPECT_THAT(r.err, HasSubstr(ErrorLine("ファイル " + doc + " を開けません")));
        EXPECT_EQ(ReadFile(svg), "earlier");
        fs::remove_all(doc);
        fs::remove(svg);
        EXPECT_THAT(NamesIn(Docs()), IsEmpty());
    }
}

// A damaged document with a NUL byte in a colour: the message names the
// whole value instead of ending at the NUL.
TEST_F(ProcessFailureTest, NulByteInAValueIsShownInTheMessage) {
    const std::string doc = Docs() + "/star.pgv";
    WriteFile(doc, Document("FillColor=" + std::string("\0CLBLUE", 7) + "\r\n"));
    const ChildResult r = RunChild(Program(), Options({doc}));
    ExpectExited(r, 1);
    EXPECT_THAT(r.err, HasSubstr(ErrorLine("'\xEF\xBF\xBD"
                                           "CLBLUE' は整数ではありません")));
    EXPECT_THAT(NamesIn(Docs()), ElementsAre("star.pgv"));
}

TEST_F(ProcessFailureTest, DocumentNameWithBlanksQuotesAndJapanese) {
    const std::string doc = Docs() + "/星 \"テスト\" 1.pgv";
    WriteFile(doc, Document("EdgeNumber=7\r\nCircumRadius=12.5\r\nStarType=1\r\n"));
    const ChildResult r = RunChild(Program(), Options({doc}));
    ExpectExited(r, 0);
    TStarSettings expected;
    expected.EdgeNumber = "7";
    expected.CircumRadius = "12.5";
    expected.StarType = kStarPolygon;
    expected.View = false;
    EXPECT_EQ(ReadFile(Docs() + "/星 \"テスト\" 1.svg"), BuildSvgDocument(expected, '.'));
    EXPECT_THAT(NamesIn(Docs()), ElementsAre("星 \"テスト\" 1.pgv", "星 \"テスト\" 1.svg"));
}

TEST_F(ProcessFailureTest, TargetFolderWithoutWritePermission) {
    struct Row {
        const char* name;
        bool earlierFile;
    };
    for (const Row& row : {Row{"no earlier file", false}, Row{"a writable earlier file", true}}) {
        SCOPED_TRACE(row.name);
        const std::string doc = Docs() + "/star.pgv";
        const std::string svg = Docs() + "/star.svg";
        ::chmod(Docs().c_str(), 0755);
        WriteFile(doc, Document("EdgeNumber=7\r\n"));
        if (row.earlierFile) {
            WriteFile(svg, "earlier");
            ::chmod(svg.c_str(), 0666);
        }
        ::chmod(Docs().c_str(), 0555);

        const ChildResult r = RunChild(Program(), Options({doc}, true));

        ExpectExited(r, 1);
        EXPECT_THAT(r.err, HasSubstr(ErrorLine("ファイル " + svg + " を作成できません")));
        if (row.earlierFile) {
            EXPECT_EQ(ReadFile(svg), "earlier");
            EXPECT_THAT(NamesIn(Docs()), ElementsAre("star.pgv", "star.svg"));
        } else {
            EXPECT_THAT(NamesIn(Docs()), ElementsAre("star.pgv"));
        }
        ::chmod(Docs().c_str(), 0755);
        fs::remove(svg);
    }
}

// What reading a document to convert gives for what may stand at its path.
TEST(LoadSettingsDocument, ReadsAFileAndTakesOnlyAMissingOneForEmpty) {
    TempFolder folder;
    WriteFile(folder / "doc.pgv", "[SVG]\nEdgeNumber=7\n");
    WriteFile(folder / "file", "");
    fs::create_directory(folder / "folder.pgv");
    ASSERT_EQ(::mkfifo((folder / "fifo.pgv").c_str(), 0600), 0);

    EXPECT_EQ(LoadSettingsDocument(folder / "doc.pgv").Read("SVG", "EdgeNumber"), "7");
    EXPECT_EQ(LoadSettingsDocument(folder / "missing.pgv").Serialize(), "");
    EXPECT_EQ(LoadSettingsDocument(folder / "file/under-a-file.pgv").Serialize(), "");
    for (const char* name : {"folder.pgv", "fifo.pgv"}) {
        SCOPED_TRACE(name);
        const std::string path = folder / name;
        try {
            LoadSettingsDocument(path);
            ADD_FAILURE() << "no error";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(std::string(e.what()), "ファイル " + path + " を開けません");
        }
    }
}

}  // namespace
}  // namespace polygrav::test
