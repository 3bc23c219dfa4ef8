#include "svg/SvgFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "model/Errors.h"

namespace polygrav {
namespace {

using test::ReadAll;
using test::TempFolder;

TEST(SvgFileTest, WritesTheDocumentForTheSettings) {
    TempFolder folder;
    const std::string target = folder / "star.svg";
    WriteSvgFile(target, TStarSettings{}, '.');
    EXPECT_EQ(ReadAll(target), ReadAll(std::string(POLYGRAV_TEST_DATA) + "/default.svg"));
}

TEST(SvgFileTest, ConversionErrorLeavesTheOldFileAlone) {
    TempFolder folder;
    const std::string target = folder / "star.svg";
    test::WriteAll(target, "old");
    TStarSettings settings;
    settings.CircumRadius = "fifty";
    EXPECT_THROW(WriteSvgFile(target, settings, '.'), EConvertError);
    EXPECT_EQ(ReadAll(target), "old");
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
