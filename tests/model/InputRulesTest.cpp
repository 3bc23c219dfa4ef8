#include "model/InputRules.h"

#include <gtest/gtest.h>

#include <string>

namespace polygrav {
namespace {

const InputRuleResult kHeldBack{false, std::nullopt};
const InputRuleResult kRedrawOnly{true, std::nullopt};
const InputRuleResult kBecomes5{true, "5"};
const InputRuleResult kBecomes100{true, "100"};

struct Row {
    const char* name;
    std::string text;
    InputRuleResult expected;
};

TEST(PointCountRuleTest, Table) {
    const Row rows[] = {
        {"empty while typing", "", kHeldBack},
        {"first digit 0", "0", kHeldBack},
        {"first digit 4", "4", kHeldBack},
        {"single 3 is held back", "3", kHeldBack},
        {"single 5 is rewritten to itself", "5", kBecomes5},
        {"single 9", "9", kRedrawOnly},
        {"in range", "15", kRedrawOnly},
        {"upper limit", "100", kRedrawOnly},
        {"above the limit", "150", kBecomes100},
        {"101", "101", kBecomes100},
        {"hexadecimal in range", "$10", kRedrawOnly},
        {"not a number", "abc", kBecomes5},
        {"negative", "-20", kBecomes5},
        {"leading zero", "05", kBecomes5},
        {"two digits below 5", "04", kBecomes5},
        {"decimal", "12.5", kBecomes5},
        {"beyond 32 bits", "99999999999", kBecomes5},
        {"largest int", "2147483647", kBecomes100},
        {"full-width digits", "\xEF\xBC\x91\xEF\xBC\x90", kBecomes5},
        {"single full-width digit is not held back", "\xEF\xBC\x93", kBecomes5},
        {"trailing blank", "10 ", kBecomes5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PointCountRule(row.text), row.expected);
    }
}

TEST(RadiusRuleTest, Table) {
    const Row rows[] = {
        {"empty while typing", "", kHeldBack},
        {"first digit 4", "4", kHeldBack},
        {"in range", "50", kRedrawOnly},
        {"fraction in range", "5.01", kRedrawOnly},
        {"99.5", "99.5", kRedrawOnly},
        {"upper limit", "100", kRedrawOnly},
        {"just above the limit", "100.01", kBecomes100},
        {"far above", "1e3", kBecomes100},
        {"just below the limit", "4.99", kBecomes5},
        {"lower limit", "5", kBecomes5},
        {"not a number", "abc", kBecomes5},
        {"negative", "-20", kBecomes5},
        {"separator alone", ".", kBecomes5},
        {"comma is not the separator", "12,5", kBecomes5},
        {"too large for a double", "1e400", kBecomes5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RadiusRule(row.text, '.'), row.expected);
    }
}

TEST(RadiusRuleTest, UsesTheGivenSeparator) {
    EXPECT_EQ(RadiusRule("12,5", ','), kRedrawOnly);
    EXPECT_EQ(RadiusRule("100,5", ','), kBecomes100);
}

TEST(ControlLimitsTest, StarTypeAndStrokeWidth) {
    EXPECT_EQ(ClampStarType(-5), -1);
    EXPECT_EQ(ClampStarType(-1), -1);
    EXPECT_EQ(ClampStarType(0), 0);
    EXPECT_EQ(ClampStarType(2), 2);
    EXPECT_EQ(ClampStarType(3), 2);
    EXPECT_EQ(ClampStrokeWidth(-1), 0);
    EXPECT_EQ(ClampStrokeWidth(0), 0);
    EXPECT_EQ(ClampStrokeWidth(400), 400);
    EXPECT_EQ(ClampStrokeWidth(401), 400);
}

// A part's decimal box reads a full stop or the locale's separator, and holds
// back a text that becomes a number with one more digit.
TEST(PartDecimalInputTest, Table) {
    struct DecimalRow {
        const char* name;
        std::string text;
        char localeSeparator;
        std::optional<double> value;
        bool incomplete;
    };
    const DecimalRow rows[] = {
        {"full stop", "1.5", ',', 1.5, false},
        {"locale's comma", "1,5", ',', 1.5, false},
        {"comma without that locale", "1,5", '.', std::nullopt, false},
        {"negative", "-2", '.', -2.0, false},
        {"exponent", "1e-3", '.', 0.001, false},
        {"empty is being typed", "", '.', std::nullopt, true},
        {"a sign alone", "-", '.', std::nullopt, true},
        {"blanks alone", "  ", '.', std::nullopt, true},
        {"letters", "abc", '.', std::nullopt, false},
        {"two separators", "1.2.3", '.', std::nullopt, false},
        {"a digit after a letter", "1x", '.', std::nullopt, false},
        {"too large for a double", "1e400", '.', std::nullopt, false},
    };
    for (const DecimalRow& row : rows) {
        const PartDecimalInput input = ReadPartDecimalInput(row.text, row.localeSeparator);
        EXPECT_EQ(input.value, row.value) << row.name;
        EXPECT_EQ(input.incomplete, row.incomplete) << row.name;
        EXPECT_EQ(input.rejected(), !row.value && !row.incomplete) << row.name;
    }
}

}  // namespace
}  // namespace polygrav
