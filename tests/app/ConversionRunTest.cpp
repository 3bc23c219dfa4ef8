// The conversion run in the program's own process: no window and, unless a
// message must be shown on a display, no Qt application object at all.

#include "app/ConversionRun.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>

#include "svg/SvgDocument.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

// Runs with the environment of a machine without a display.
class ConversionRun : public ::testing::Test {
  protected:
    void SetUp() override {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
    }
};

TEST_F(ConversionRun, ConvertsWithoutAnApplicationObject) {
    test::TempFolder folder;
    test::WriteFile((folder / "a.pgv"), "[SVG]\nEdgeNumber=7\nView=0\n");
    EXPECT_EQ(RunConversion("/opt/polygrav/polygrav", (folder / "a.pgv")), 0);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    TStarSettings s;
    s.EdgeNumber = "7";
    s.View = false;
    EXPECT_EQ(test::ReadFile((folder / "a.svg")), BuildSvgDocument(s, '.'));
}

TEST_F(ConversionRun, ErrorGoesToStandardErrorWithoutADisplay) {
    test::TempFolder folder;
    test::WriteFile((folder / "a.pgv"), "[SVG]\nFillColor=red\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RunConversion("/opt/polygrav/polygrav", (folder / "a.pgv")), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "polygrav: 'red' は整数ではありません.\n");
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST_F(ConversionRun, DisplayNamedButNotNeeded) {
    // A display in the environment is reached only for a message.
    setenv("DISPLAY", ":97", 1);
    test::TempFolder folder;
    test::WriteFile((folder / "a.pgv"), "[SVG]\nView=0\n");
    EXPECT_EQ(RunConversion("/opt/polygrav/polygrav", (folder / "a.pgv")), 0);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST_F(ConversionRun, OtherArgumentsEndAtOnce) {
    test::TempFolder folder;
    test::WriteFile((folder / "a.txt"), "[SVG]\n");
    EXPECT_EQ(RunConversion("/opt/polygrav/polygrav", (folder / "a.txt")), 0);
    EXPECT_EQ(RunConversion("/opt/polygrav/polygrav", "-style"), 0);
    EXPECT_EQ(std::filesystem::exists((folder / "a.svg")), false);
}

}  // namespace
}  // namespace polygrav
