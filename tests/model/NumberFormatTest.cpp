#include "model/NumberFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <string>

#include "tests/support/LocaleGuard.h"

namespace polygrav {
namespace {

TEST(FormatFixed4Test, Table) {
    struct Row {
        const char* name;
        double value;
        const char* expected;
    };
    const Row rows[] = {
        {"whole number", 60, "60.0000"},
        {"zero", 0, "0.0000"},
        {"negative zero", -0.0, "0.0000"},
        {"fraction", 0.5, "0.5000"},
        {"rounds down", 48.77434, "48.7743"},
        {"rounds up", 48.77436, "48.7744"},
        {"half rounds up", 0.00005, "0.0001"},
        {"half rounds away from zero", -0.00005, "-0.0001"},
        {"1.00005 is just above the half", 1.00005, "1.0001"},
        // 2.00005 is 2.0000499999999998834... as a double; its 18 digits
        // 2.00004999999999988 still round down.
        {"2.00005 is just below the half", 2.00005, "2.0000"},
        // 0.50605 is 0.50604999999999999982... as a double, below the half;
        // its 18 digits are 0.506050000000000000, which rounds up.
        {"18 digits round up where the exact value would not", 0.50605, "0.5061"},
        // 0.50105 is 0.50104999999999999538... as a double; 18 digits give
        // 0.501049999999999995 (down), 17 would give 0.50105000000000000 (up).
        {"18 digits, not 17", 0.50105, "0.5010"},
        {"carry into the units", 9.99995, "10.0000"},
        {"carry from below one", 0.99995, "1.0000"},
        {"negative carry", -0.99995, "-1.0000"},
        {"small negative is never -0", -0.00004, "0.0000"},
        {"tiny negative", -1e-300, "0.0000"},
        {"tiny positive", 1e-300, "0.0000"},
        {"negative", -1.23456, "-1.2346"},
        {"digits beyond 18 are dropped", 123456789.123456789, "123456789.1235"},
        {"large value prints every integer digit", 1e20, "100000000000000000000.0000"},
        // 1e23 is 99999999999999991611392 as a double; 18 significant digits.
        {"beyond 18 digits the expansion is padded", 1e23, "99999999999999991600000.0000"},
        {"infinity", INFINITY, "INF"},
        {"negative infinity", -INFINITY, "-INF"},
        {"not a number", NAN, "NAN"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FormatFixed4(row.value), row.expected);
    }
}

TEST(FormatFixed4Test, LargestDoubleHasAllItsDigits) {
    const std::string text = FormatFixed4(DBL_MAX);
    EXPECT_EQ(text.size(), 309u + 5u);
    EXPECT_EQ(text.substr(0, 18), "179769313486231571");
    EXPECT_EQ(text.substr(18), std::string(291, '0') + ".0000");
}

TEST(FormatFixed4Test, UsesTheGivenSeparator) {
    EXPECT_EQ(FormatFixed4(12.5, ','), "12,5000");
    EXPECT_EQ(FormatFixed4(-0.00004, ','), "0,0000");
}

TEST(FormatFixed4Test, AppendAddsToTheText) {
    std::string text = "M";
    AppendFixed4(text, 60);
    EXPECT_EQ(text, "M60.0000");
}

TEST(FormatFixed4Test, DoesNotDependOnTheProcessLocale) {
    const test::LocaleGuard locale(test::kCommaLocales);
    if (!locale.active()) GTEST_SKIP() << "no locale with a comma separator installed";
    const std::string withFullStop = FormatFixed4(1234567.25);
    const std::string withComma = FormatFixed4(0.5, ',');
    EXPECT_EQ(withFullStop, "1234567.2500");
    EXPECT_EQ(withComma, "0,5000");
}

}  // namespace
}  // namespace polygrav
