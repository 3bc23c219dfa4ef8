#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "settings/IniFile.h"
#include "tests/settings/TempFolder.h"

namespace polygrav {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

TEST(LoadIniFile, ReadsTheFileAsItStands) {
    TempFolder folder;
    WriteFileBytes(folder.file("a.ini"), "\xEF\xBB\xBF[SVG]\nA=1\n");
    const IniDocument doc = LoadIniFile(folder.file("a.ini"));
    EXPECT_EQ(doc.Read("SVG", "A"), "1");
    EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[SVG]\r\nA=1\r\n");
}

TEST(LoadIniFile, GivesAnEmptyDocumentForWhatIsNoReadableFile) {
    TempFolder folder;
    ASSERT_EQ(mkfifo(folder.file("fifo").c_str(), 0600), 0);
    for (const std::string& path :
         {folder.file("missing.ini"), folder.path(), folder.file("fifo"), std::string()}) {
        EXPECT_EQ(LoadIniFile(path).Serialize(), "") << path;
    }
}

TEST(SaveIniFile, WritesTheSerializedDocument) {
    TempFolder folder;
    const std::string path = folder.file("polygrav.ini");
    WriteFileBytes(path, "; mine\n[SVG]\nA=1\n[Other]\nX=y\n");

    IniDocument doc = LoadIniFile(path);
    doc.Write("SVG", "A", "2");
    doc.Write("SVG", "B", "3");
    SaveIniFile(path, doc);

    EXPECT_EQ(ReadFileBytes(path), "; mine\r\n[SVG]\r\nA=2\r\nB=3\r\n[Other]\r\nX=y\r\n");
}

TEST(SaveIniFile, CreatesMissingFoldersPrivateToTheUser) {
    TempFolder folder;
    const std::string configHome = folder.file("config");
    const std::string path = configHome + "/polygrav/polygrav.ini";
    IniDocument doc;
    doc.Write("SVG", "A", "1");

    SaveIniFile(path, doc);

    EXPECT_EQ(ReadFileBytes(path), "[SVG]\r\nA=1\r\n");
    for (const std::string& dir : {configHome, configHome + "/polygrav"}) {
        struct stat info {};
        ASSERT_EQ(stat(dir.c_str(), &info), 0) << dir;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << dir;
    }
}

TEST(SaveIniFile, ReportsAPathThatCannotBeWritten) {
    TempFolder folder;
    WriteFileBytes(folder.file("plain"), "not a folder");
    const std::string underFile = folder.file("plain") + "/polygrav.ini";
    IniDocument doc;
    doc.Write("SVG", "A", "1");

    try {
        SaveIniFile(underFile, doc);
        FAIL() << "no error";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), underFile + " に書き込めません");
    }
    EXPECT_EQ(ReadFileBytes(folder.file("plain")), "not a folder");
}

TEST(SaveIniFile, LeavesAFolderInThePathsPlaceAlone) {
    TempFolder folder;
    const std::string path = folder.file("polygrav.ini");
    std::filesystem::create_directory(path);
    WriteFileBytes(path + "/inside", "kept");

    EXPECT_THROW(SaveIniFile(path, IniDocument::Parse("[SVG]\nA=1\n")), EIniFileException);

    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(ReadFileBytes(path + "/inside"), "kept");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"polygrav.ini"}) << "no temporary file is left";
}

}  // namespace
}  // namespace polygrav
