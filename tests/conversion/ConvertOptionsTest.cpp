// The command line of polygrav-convert.

#include "conversion/ConvertOptions.h"

#include "model/Errors.h"
#include "model/Messages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace polygrav {
namespace {

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::function<std::string(Language)> error;  // the error's whole text
};

// The text of a catalogue entry in a language.
std::function<std::string(Language)> Text(MessageId id, std::vector<std::string> args = {}) {
    return [id, args](Language language) { return MessageText(id, args, language); };
}

class ConvertUsageErrors : public ::testing::TestWithParam<UsageCase> {
  protected:
    void TearDown() override { SetMessageLanguage(Language::Japanese); }
};

// Each usage error names the argument, in either language.
TEST_P(ConvertUsageErrors, NameTheArgument) {
    for (const Language language : {Language::Japanese, Language::English}) {
        SetMessageLanguage(language);
        const ParsedConvertOptions parsed = ParseConvertOptions(GetParam().args);
        ASSERT_TRUE(parsed.error);
        EXPECT_FALSE(parsed.options);
        EXPECT_EQ(parsed.error->text, GetParam().error(language));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertUsageErrors,
    ::testing::Values(
        UsageCase{"UnknownOption",
                  {"--frobnicate", "a.pgv"},
                  Text(MessageId::UnknownOption, {"--frobnicate"})},
        UsageCase{"SetWithoutEquals",
                  {"--set", "EdgeNumber", "a.pgv"},
                  Text(MessageId::SetLineExpected, {"EdgeNumber"})},
        UsageCase{"SetUnknownKey",
                  {"--set", "Edges=7", "a.pgv"},
                  Text(MessageId::SetUnknownKey, {"Edges=7", "'Edges'"})},
        UsageCase{"SetLineBreak",
                  {"--set", "EdgeNumber=7\nFillColor=red", "a.pgv"},
                  Text(MessageId::SetLineBreak, {"EdgeNumber=7\nFillColor=red"})},
        UsageCase{"SetRejectedColour",
                  {"--set", "FillColor=bad", "a.pgv"},
                  [](Language language) {
                      return "--set FillColor=bad: " +
                             WithClosingPeriod(NotAnIntegerMessage("bad").In(language));
                  }},
        UsageCase{
            "SetWithoutValue", {"a.pgv", "--set"}, Text(MessageId::OptionValueExpected, {"--set"})},
        UsageCase{"OutputWithTwoDocuments",
                  {"-o", "x.svg", "a.pgv", "b.pgv"},
                  Text(MessageId::OutputOneDocument, {"x.svg", "2"})},
        UsageCase{"OutputTwice",
                  {"-o", "x.svg", "-o", "y.svg", "a.pgv"},
                  Text(MessageId::OutputGivenTwice, {"-o", "y.svg"})},
        UsageCase{"NothingToConvert", {}, Text(MessageId::NoDocument)},
        UsageCase{"OnlySettings", {"--set", "EdgeNumber=7"}, Text(MessageId::NoDocument)}),
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

namespace polygrav {
namespace {

// A value whose range depends on other keys is no usage error: it is checked
// with each document. A value no document could hold stays one.
TEST(ConvertOptions, SetValuesAreCheckedWithTheDocumentNotTheDesignValues) {
    EXPECT_FALSE(ParseConvertOptions({"--info", "--set", "StarStep=5"}).error);
    EXPECT_FALSE(
        ParseConvertOptions({"--set", "EdgeNumber=12", "--set", "StarStep=5", "-o", "-"}).error);
    EXPECT_TRUE(ParseConvertOptions({"--info", "--set", "FillColor=nocolor"}).error);
    EXPECT_TRUE(
        ParseConvertOptions({"--info", "--set", "Nowhere.Width=600"}).error);  // no such key
}

}  // namespace
}  // namespace polygrav
