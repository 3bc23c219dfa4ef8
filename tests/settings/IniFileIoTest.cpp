#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "settings/IniFile.h"
#include "tests/support/ExpectThrow.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(LoadIniFile, ReadsTheFileAsItStands) {
    TempFolder folder;
    WriteFile(folder / "a.ini", "\xEF\xBB\xBF[SVG]\nA=1\n");
    const IniDocument doc = LoadIniFile(folder / "a.ini");
    EXPECT_EQ(doc.Read("SVG", "A"), "1");
    EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[SVG]\r\nA=1\r\n");
}

TEST(LoadIniFile, GivesAnEmptyDocumentForWhatIsNoReadableFile) {
    TempFolder folder;
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    for (const std::string& path :
         {folder / "missing.ini", folder.path(), folder / "fifo", std::string()}) {
        EXPECT_EQ(LoadIniFile(path).Serialize(), "") << path;
    }
}

TEST(SaveIniFile, WritesTheSerializedDocument) {
    TempFolder folder;
    const std::string path = folder / "polygrav.ini";
    WriteFile(path, "; mine\n[SVG]\nA=1\n[Other]\nX=y\n");

    IniDocument doc = LoadIniFile(path);
    doc.Write("SVG", "A", "2");
    doc.Write("SVG", "B", "3");
    SaveIniFile(path, doc);

    EXPECT_EQ(ReadFile(path), "; mine\r\n[SVG]\r\nA=2\r\nB=3\r\n[Other]\r\nX=y\r\n");
}

TEST(SaveIniFile, CreatesMissingFoldersPrivateToTheUser) {
    TempFolder folder;
    const std::string configHome = folder / "config";
    const std::string path = configHome + "/polygrav/polygrav.ini";
    IniDocument doc;
    doc.Write("SVG", "A", "1");

    SaveIniFile(path, doc);

    EXPECT_EQ(ReadFile(path), "[SVG]\r\nA=1\r\n");
    for (const std::string& dir : {configHome, configHome + "/polygrav"}) {
        struct stat info {};
        ASSERT_EQ(stat(dir.c_str(), &info), 0) << dir;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << dir;
    }
}

TEST(SaveIniFile, ReportsAPathThatCannotBeWritten) {
    TempFolder folder;
    WriteFile(folder / "plain", "not a folder");
    const std::string underFile = (folder / "plain") + "/polygrav.ini";
    IniDocument doc;
    doc.Write("SVG", "A", "1");

    EXPECT_THROW_MSG(SaveIniFile(underFile, doc), EIniFileException,
                     underFile + " に書き込めません");
    EXPECT_EQ(ReadFile(folder / "plain"), "not a folder");
}

TEST(SaveIniFile, LeavesAFolderInThePathsPlaceAlone) {
    TempFolder folder;
    const std::string path = folder / "polygrav.ini";
    std::filesystem::create_directory(path);
    WriteFile(path + "/inside", "kept");

    EXPECT_THROW(SaveIniFile(path, IniDocument::Parse("[SVG]\nA=1\n")), EIniFileException);

    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(ReadFile(path + "/inside"), "kept");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"polygrav.ini"}) << "no temporary file is left";
}

// A sparse file of the given size: cheap to make, and read as NUL bytes.
void MakeSparseFile(const std::string& path, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    ::close(fd);
}

// A settings file larger than the limit is refused as an unreadable one,
// before it is read; one of exactly the limit is read.
TEST(LoadSettingsDocument, RefusesAFileLargerThanTheLimit) {
    TempFolder folder;
    const std::string atLimit = folder / "at-limit.pgv";
    const std::string tooLarge = folder / "too-large.pgv";
    MakeSparseFile(atLimit, kMaxSettingsFileBytes);
    MakeSparseFile(tooLarge, kMaxSettingsFileBytes + 1);

    EXPECT_EQ(LoadSettingsDocument(atLimit).Serialize().size(), kMaxSettingsFileBytes + 2);
    EXPECT_EQ(LoadIniFile(atLimit).Serialize().size(), kMaxSettingsFileBytes + 2);
    EXPECT_THROW_MSG(LoadSettingsDocument(tooLarge), EFOpenError,
                     "ファイル " + tooLarge + " を開けません");
    EXPECT_EQ(LoadIniFile(tooLarge).Serialize(), "");
}

}  // namespace
}  // namespace polygrav
