#include <gtest/gtest.h>

#include <string>

#include "EntryReading.h"
#include "shell/DesktopEntry.h"
#include "shell/ViewerLaunch.h"
#include "tests/support/RowName.h"

namespace polygrav::test {
namespace {

struct TextCase {
    const char* name;
    const char* input;
    const char* expected;
};

class QuoteStrTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(QuoteStrTest, PutsTheTextBetweenDoubleQuotesUnchanged) {
    EXPECT_EQ(QuoteStr(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QuoteStrTest,
    ::testing::Values(TextCase{"Empty", "", "\"\""},
                      TextCase{"Blanks", "/usr/bin/my viewer", "\"/usr/bin/my viewer\""},
                      TextCase{"InnerQuoteStays", "星 \"テスト\".svg", "\"星 \"テスト\".svg\""}),
    RowName());

class QuoteExecArgumentTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(QuoteExecArgumentTest, EscapesWhatTheExecQuotingReserves) {
    EXPECT_EQ(QuoteExecArgument(GetParam().input), GetParam().expected);
}

TEST_P(QuoteExecArgumentTest, ReadsBackAsTheSameSingleArgument) {
    EXPECT_EQ(ExecArguments(QuoteExecArgument(GetParam().input)),
              std::vector<std::string>{GetParam().input});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, QuoteExecArgumentTest,
    ::testing::Values(TextCase{"Plain", "/usr/bin/polygrav", R"("/usr/bin/polygrav")"},
                      TextCase{"BlanksAndJapanese", "/opt/星 ツール/polygrav",
                               R"("/opt/星 ツール/polygrav")"},
                      TextCase{"DoubleQuote", R"(/opt/"x"/polygrav)", R"("/opt/\"x\"/polygrav")"},
                      TextCase{"Backslash", R"(/opt/a\b/polygrav)", R"("/opt/a\\b/polygrav")"},
                      TextCase{"DollarAndBacktick", "/opt/$HOME `id`/polygrav",
                               R"("/opt/\$HOME \`id\`/polygrav")"},
                      TextCase{"Percent", "/opt/100%f/polygrav", R"("/opt/100%%f/polygrav")"},
                      TextCase{"OtherShellCharactersStay", "/opt/a'b;c&d|e<f>g~h*i?j#k(l)/polygrav",
                               R"("/opt/a'b;c&d|e<f>g~h*i?j#k(l)/polygrav")"}),
    RowName());

// The key file escapes the Exec value's backslashes once more.
TEST(ShortCutEntryTextTest, LayersTheKeyFileEscapesOverTheExecQuoting) {
    const std::string text = ShortCutEntryText("Polygrav 1.0A1", R"(/opt/a\b "c"/poly%grav)");

    EXPECT_EQ(text,
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Polygrav 1.0A1\n"
              R"(Exec="/opt/a\\\\b \\"c\\"/poly%%grav")"
              "\n"
              R"(Path=/opt/a\\b "c")"
              "\n");
    EXPECT_EQ(ExecArguments(EntryValue(text, "Exec")),
              std::vector<std::string>{R"(/opt/a\b "c"/poly%grav)"});
    EXPECT_EQ(EntryValue(text, "Path"), R"(/opt/a\b "c")");
}

}  // namespace
}  // namespace polygrav::test
