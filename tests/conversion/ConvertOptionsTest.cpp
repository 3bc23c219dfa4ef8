// The command line of polygrav-convert.

#include "conversion/ConvertOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace polygrav {
namespace {

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* error;  // the start of the error's text
};

class ConvertUsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(ConvertUsageErrors, NameTheArgument) {
    const ParsedConvertOptions parsed = ParseConvertOptions(GetParam().args);
    ASSERT_TRUE(parsed.error);
    EXPECT_FALSE(parsed.options);
    EXPECT_EQ(parsed.error->text.rfind(GetParam().error, 0), 0u) << parsed.error->text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertUsageErrors,
    ::testing::Values(
        UsageCase{"UnknownOption", {"--frobnicate", "a.pgv"}, "--frobnicate: unknown option"},
        UsageCase{
            "SetWithoutEquals", {"--set", "EdgeNumber", "a.pgv"}, "--set EdgeNumber: KEY=VALUE"},
        UsageCase{"SetUnknownKey",
                  {"--set", "Edges=7", "a.pgv"},
                  "--set Edges=7: unknown settings key 'Edges'"},
        UsageCase{"SetLineBreak",
                  {"--set", "EdgeNumber=7\nFillColor=red", "a.pgv"},
                  "--set EdgeNumber=7\nFillColor=red: a settings line holds no line break"},
        UsageCase{"SetRejectedColour",
                  {"--set", "FillColor=bad", "a.pgv"},
                  "--set FillColor=bad: 'bad' は整数ではありません."},
        UsageCase{"SetWithoutValue", {"a.pgv", "--set"}, "--set: a value is expected"},
        UsageCase{"OutputWithTwoDocuments",
                  {"-o", "x.svg", "a.pgv", "b.pgv"},
                  "-o x.svg: one document only, 2 given"},
        UsageCase{"OutputTwice", {"-o", "x.svg", "-o", "y.svg", "a.pgv"}, "-o y.svg: only one"},
        UsageCase{"NothingToConvert", {}, "no document given"},
        UsageCase{"OnlySettings", {"--set", "EdgeNumber=7"}, "no document given"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ConvertOptions, DocumentsAndOptionsInAnyOrder) {
    const ParsedConvertOptions parsed = ParseConvertOptions(
        {"a.pgv", "--set", "edgenumber=7", "--view", "--set=StrokeWidth=300", "b.pgv"});
    ASSERT_TRUE(parsed.options) << parsed.error->text;
    EXPECT_EQ(parsed.options->documents, (std::vector<std::string>{"a.pgv", "b.pgv"}));
    EXPECT_EQ(parsed.options->settings,
              (std::vector<std::string>{"edgenumber=7", "StrokeWidth=300"}));
    EXPECT_TRUE(parsed.options->view);
    EXPECT_FALSE(parsed.options->output);
}

TEST(ConvertOptions, OutputAndDoubleDash) {
    const ParsedConvertOptions toStdout = ParseConvertOptions({"-o", "-", "--", "-odd.pgv"});
    ASSERT_TRUE(toStdout.options);
    EXPECT_EQ(toStdout.options->output, "-");
    EXPECT_EQ(toStdout.options->documents, (std::vector<std::string>{"-odd.pgv"}));

    const ParsedConvertOptions designValues =
        ParseConvertOptions({"--set", "EdgeNumber=7", "--output=star.svg"});
    ASSERT_TRUE(designValues.options);
    EXPECT_TRUE(designValues.options->documents.empty());
    EXPECT_EQ(designValues.options->output, "star.svg");
}

TEST(ConvertOptions, HelpAndVersionWin) {
    EXPECT_EQ(ParseConvertOptions({"a.pgv", "--help"}).options->action,
              ConvertOptions::Action::Help);
    EXPECT_EQ(ParseConvertOptions({"--version", "--bogus"}).options->action,
              ConvertOptions::Action::Version);
}

}  // namespace
}  // namespace polygrav
