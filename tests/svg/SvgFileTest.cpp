#include "svg/SvgFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Errors.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

using test::ReadFile;
using test::TempFolder;

TEST(SvgFileTest, WritesTheDocumentForTheSettings) {
    TempFolder folder;
    const std::string target = folder / "star.svg";
    WriteSvgFile(target, TStarSettings{}, '.');
    EXPECT_EQ(ReadFile(target), ReadFile(std::string(POLYGRAV_TEST_DATA) + "/default.svg"));
}

TEST(SvgFileTest, ConversionErrorLeavesTheOldFileAlone) {
    TempFolder folder;
    const std::string target = folder / "star.svg";
    test::WriteFile(target, "old");
    TStarSettings settings;
    settings.CircumRadius = "fifty";
    EXPECT_THROW(WriteSvgFile(target, settings, '.'), EConvertError);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"star.svg"});
}

TEST(SvgFileTest, ConversionErrorCreatesNoFile) {
    TempFolder folder;
    TStarSettings settings;
    settings.EdgeNumber = "";
    EXPECT_THROW(WriteSvgFile(folder / "star.svg", settings, '.'), EConvertError);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

}  // namespace
}  // namespace polygrav
