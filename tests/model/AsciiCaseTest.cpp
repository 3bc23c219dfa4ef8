// Names compared without case: only ASCII letters fold, so that a UTF-8
// name never equals another by accident.

#include "model/AsciiCase.h"

#include <gtest/gtest.h>

#include <string_view>

namespace polygrav {
namespace {

TEST(AsciiCase, EqualIgnoringAsciiCase) {
    struct Row {
        std::string_view a;
        std::string_view b;
        bool equal;
    };
    const Row rows[] = {
        {"EdgeNumber", "edgenumber", true},
        {"SVG", "svg", true},
        {"", "", true},
        {"svg", "svgz", false},
        {"[", "{", false},                // 0x5B and 0x7B differ by 32 but are not letters
        {"@", "`", false},                // nor are 0x40 and 0x60
        {"\xC3\x84", "\xC3\xA4", false},  // Ä and ä: bytes above 127 only equal themselves
        {"\xC3\x84", "\xC3\x84", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EqualIgnoringAsciiCase(row.a, row.b), row.equal) << row.a << " | " << row.b;
        EXPECT_EQ(EqualIgnoringAsciiCase(row.b, row.a), row.equal) << row.b << " | " << row.a;
    }
}

}  // namespace
}  // namespace polygrav
