#include "model/NumberRules.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <limits>
#include <optional>
#include <string>

#include "model/Errors.h"
#include "tests/support/ExpectThrow.h"
#include "tests/support/LocaleGuard.h"

namespace polygrav {
namespace {

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

TEST(IntegerRuleTest, Table) {
    struct Row {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Row rows[] = {
        {"16", 16},
        {"$10", 16},
        {" 16", 16},
        {"   +16", 16},
        {"-16", -16},
        {"0", 0},
        {"00012", 12},
        {"x1F", 31},
        {"X1f", 31},
        {"0x1f", 31},
        {"0X1F", 31},
        {"$0000000000FF", 255},  // leading zeros do not count towards 32 bits
        {"$7FFFFFFF", kIntMax},
        {"$80000000", kIntMin},
        {"$FFFFFFFF", -1},
        // A "-" negates the 32-bit value with wrap-around.
        {"-$10", -16},
        {"-$FFFFFFFF", 1},
        {"-$80000000", kIntMin},
        {"2147483647", kIntMax},
        {"-2147483648", kIntMin},
        {"16 ", std::nullopt},
        {"16.0", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"-0x", std::nullopt},
        {"$100000000", std::nullopt},
        {"$FFFFFFFFFFFFFFFFFFFF", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"+-5", std::nullopt},
        {"- 5", std::nullopt},
        {"\t5", std::nullopt},  // only code 32 is a blank
        {"5\n", std::nullopt},
        {"0x-5", std::nullopt},
        {"$G", std::nullopt},
        {"12a", std::nullopt},
        {"1e3", std::nullopt},
        {"\xEF\xBC\x91\xEF\xBC\x90", std::nullopt},  // full-width "10"
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        EXPECT_EQ(TryStrToInt(row.text), row.expected);
    }
}

TEST(IntegerRuleTest, FailureRaisesConvertErrorNamingTheText) {
    EXPECT_EQ(StrToInt(" $10"), 16);
    EXPECT_THROW_MSG(StrToInt("16 "), EConvertError, "'16 ' は整数ではありません");
}

TEST(DecimalRuleTest, Table) {
    struct Row {
        const char* text;
        std::optional<double> expected;
    };
    const Row rows[] = {
        {"50", 50.0},
        {"12.5", 12.5},
        {".", 0.0},
        {"1.", 1.0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"1e", 1.0},
        {"1e+", 1.0},  // an exponent sign without digits reads like "1e"
        {"1e-", 1.0},
        {"1.5e2", 150.0},
        {"2E-3", 0.002},
        {".e5", 0.0},
        {"  -12.5  ", -12.5},
        {"+7", 7.0},
        {"0.1000000000000000055511151231257827", 0.1},
        {"000000000000000000000001", 1.0},
        {"123456789012345678901234567890e-20", 1234567890.1234567890},
        {"1.7976931348623157e308", DBL_MAX},
        {"0.00000000000000000000001e331", 1e308},
        {"1e-400", 0.0},  // too small becomes 0
        {"-1e-400", 0.0},
        {"1e-99999999999999999999", 0.0},
        {"0e99999999999999999999", 0.0},
        {"1.8e308", std::nullopt},  // too large for a double
        {"1e400", std::nullopt},
        {"-1e400", std::nullopt},
        {"1e99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"e5", std::nullopt},
        {"-e5", std::nullopt},
        {"1,5", std::nullopt},  // not the separator given
        {"1 000", std::nullopt},
        {"1..5", std::nullopt},
        {"1e1e1", std::nullopt},
        {"1e 5", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"\t1", std::nullopt},
        {"5 x", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        EXPECT_EQ(TryStrToFloat(row.text, '.'), row.expected);
    }
}

TEST(DecimalRuleTest, UsesTheGivenSeparator) {
    EXPECT_EQ(TryStrToFloat("12,5", ','), 12.5);
    EXPECT_EQ(TryStrToFloat(",5", ','), 0.5);
    EXPECT_EQ(TryStrToFloat("1,5e1", ','), 15.0);
    EXPECT_EQ(TryStrToFloat("12.5", ','), std::nullopt);
}

TEST(DecimalRuleTest, FailureRaisesConvertErrorNamingTheText) {
    EXPECT_EQ(StrToFloat("1.", '.'), 1.0);
    EXPECT_THROW_MSG(StrToFloat("e5", '.'), EConvertError, "'e5' は浮動小数点数ではありません");
    EXPECT_THROW_MSG(ReadRadius("", '.'), EConvertError, "'' は浮動小数点数ではありません");
}

TEST(PointCountTest, RefusesCountsBelowThreeAfterTheIntegerRule) {
    EXPECT_EQ(ReadPointCount("3"), 3);
    EXPECT_EQ(ReadPointCount(" $64"), 100);
    EXPECT_EQ(ReadPointCount("2147483647"), kIntMax);
    EXPECT_THROW_MSG(ReadPointCount("2"), EConvertError, "'2' は3以上の整数ではありません");
    EXPECT_THROW_MSG(ReadPointCount("-2147483648"), EConvertError,
                     "'-2147483648' は3以上の整数ではありません");
    EXPECT_THROW_MSG(ReadPointCount("5.0"), EConvertError, "'5.0' は整数ではありません");
}

TEST(DecimalRuleTest, DoesNotDependOnTheProcessLocale) {
    const test::LocaleGuard locale(test::kCommaLocales);
    if (!locale.active()) GTEST_SKIP() << "no locale with a comma separator installed";
    EXPECT_EQ(LocaleDecimalSeparator(), ',');
    EXPECT_EQ(TryStrToFloat("12,5", ','), 12.5);
    // A full stop given explicitly still works although the locale uses a comma.
    EXPECT_EQ(TryStrToFloat("12.5", '.'), 12.5);
    EXPECT_EQ(TryStrToFloat("1,5e-1", ','), 0.15);
}

TEST(DecimalRuleTest, CLocaleSeparatorIsAFullStop) {
    const test::LocaleGuard locale("C");
    EXPECT_EQ(LocaleDecimalSeparator(), '.');
}

}  // namespace
}  // namespace polygrav
