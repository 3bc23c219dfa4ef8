// What the environment says about a display: the variables that name one and
// the Qt platform that overrides them.

#include "model/Environment.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace polygrav {
namespace {

TEST(Environment, DisplayOffered) {
    struct Row {
        const char* display;
        const char* wayland;
        const char* platform;
        bool offered;
    };
    const Row rows[] = {
        {"", "", "", false},         {":0", "", "", true},
        {"", "wayland-0", "", true}, {":0", "", "offscreen", false},
        {"", "", "minimal", false},  {"", "", "xcb", true},
    };
    for (const Row& row : rows) {
        setenv("DISPLAY", row.display, 1);
        setenv("WAYLAND_DISPLAY", row.wayland, 1);
        setenv("QT_QPA_PLATFORM", row.platform, 1);
        EXPECT_EQ(DisplayOffered(), row.offered)
            << row.display << "|" << row.wayland << "|" << row.platform;
    }
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
}

}  // namespace
}  // namespace polygrav
