// The program's own conversion, as its program block runs it: the messages
// it collects for the display or standard error, and its exit status.

#include "conversion/ProgramConversion.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "svg/SvgDocument.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

TEST(ProgramConversion, WritesAndSaysNothingWhenAllIsWell) {
    test::TempFolder folder;
    test::WriteFile(folder / "a.pgv", "[SVG]\nEdgeNumber=7\nView=0\n");
    std::vector<ProgramMessage> messages;
    EXPECT_EQ(ConvertAsTheProgram("/opt/polygrav/polygrav", folder / "a.pgv", '.', messages), 0);
    EXPECT_TRUE(messages.empty());
    TStarSettings s;
    s.EdgeNumber = "7";
    s.View = false;
    EXPECT_EQ(test::ReadFile(folder / "a.svg"), BuildSvgDocument(s, '.'));
}

TEST(ProgramConversion, FirstErrorIsOneErrorMessage) {
    test::TempFolder folder;
    test::WriteFile(folder / "a.pgv", "[SVG]\nFillColor=red\n");
    std::vector<ProgramMessage> messages;
    EXPECT_EQ(ConvertAsTheProgram("/opt/polygrav/polygrav", folder / "a.pgv", '.', messages), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].error);
    EXPECT_EQ(messages[0].text, "'red' は整数ではありません.");
    EXPECT_EQ(StandardErrorLine("/opt/polygrav/polygrav", messages[0].text),
              "polygrav: 'red' は整数ではありません.");
}

TEST(ProgramConversion, OtherArgumentsEndAtOnce) {
    test::TempFolder folder;
    test::WriteFile(folder / "a.txt", "[SVG]\n");
    std::vector<ProgramMessage> messages;
    EXPECT_EQ(ConvertAsTheProgram("/opt/polygrav/polygrav", folder / "a.txt", '.', messages), 0);
    EXPECT_EQ(ConvertAsTheProgram("/opt/polygrav/polygrav", "-style", '.', messages), 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "a.svg"));
}

TEST(ProgramConversion, ViewerWithoutItsModuleIsAMessage) {
    // No viewer module beside a program in /opt/polygrav: the file stays
    // written and the reason is one of the program's own messages.
    test::TempFolder folder;
    test::WriteFile(folder / "a.pgv", "[SVG]\nView=1\n");
    std::vector<ProgramMessage> messages;
    EXPECT_EQ(ConvertAsTheProgram("/opt/polygrav/polygrav", folder / "a.pgv", '.', messages), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(messages[0].error);
    EXPECT_TRUE(std::filesystem::exists(folder / "a.svg"));
}

}  // namespace
}  // namespace polygrav
