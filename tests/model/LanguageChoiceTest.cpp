// The choice of the interface's language from the user's preferred
// languages and from the environment.

#include "model/LanguageChoice.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace polygrav {
namespace {

struct Row {
    const char* name;
    std::map<std::string, std::string> env;
    std::vector<std::string> preferred;
    Language language;
};

class LanguageChoiceTest : public ::testing::TestWithParam<Row> {};

TEST_P(LanguageChoiceTest, FollowsThePreferredLanguages) {
    const Row& row = GetParam();
    const auto lookup = [&row](const char* name) -> const char* {
        const auto it = row.env.find(name);
        return it == row.env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(PreferredLanguages(lookup), row.preferred);
    EXPECT_EQ(LanguageOfEnvironment(lookup), row.language);
}

using L = Language;
INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageChoiceTest,
    ::testing::Values(
        Row{"Nothing", {}, {"C"}, L::Japanese}, Row{"C", {{"LANG", "C"}}, {"C"}, L::Japanese},
        Row{"CUtf8", {{"LANG", "C.UTF-8"}}, {"C.UTF-8"}, L::Japanese},
        Row{"Posix", {{"LANG", "POSIX"}}, {"POSIX"}, L::Japanese},
        Row{"EmptyLang", {{"LANG", ""}}, {"C"}, L::Japanese},
        Row{"Japanese", {{"LANG", "ja_JP.UTF-8"}}, {"ja_JP.UTF-8"}, L::Japanese},
        Row{"English", {{"LANG", "en_US.UTF-8"}}, {"en_US.UTF-8"}, L::English},
        Row{"BritishWithModifier", {{"LANG", "en_GB@euro"}}, {"en_GB@euro"}, L::English},
        // No translation for German: the source language.
        Row{"GermanOnly", {{"LANG", "de_DE.UTF-8"}}, {"de_DE.UTF-8"}, L::Japanese},
        Row{"LcAllWins",
            {{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}, {"LC_ALL", "ja_JP.UTF-8"}},
            {"ja_JP.UTF-8"},
            L::Japanese},
        Row{"LcMessagesBeforeLang",
            {{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}},
            {"en_US.UTF-8"},
            L::English},
        Row{"LcAllCOverLang", {{"LANG", "en_US.UTF-8"}, {"LC_ALL", "C"}}, {"C"}, L::Japanese},
        // LANGUAGE, when set, is the list, even over a C locale.
        Row{"LanguageList",
            {{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "en_GB:ja"}},
            {"en_GB", "ja"},
            L::English},
        Row{"LanguageOverC", {{"LANG", "C"}, {"LANGUAGE", "en"}}, {"en"}, L::English},
        Row{"JapaneseBeforeEnglish",
            {{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "fr:ja:en"}},
            {"fr", "ja", "en"},
            L::Japanese},
        Row{"OthersPassedOver",
            {{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "de::en"}},
            {"de", "en"},
            L::English},
        Row{"EmptyLanguage",
            {{"LANG", "en_US.UTF-8"}, {"LANGUAGE", ""}},
            {"en_US.UTF-8"},
            L::English},
        // "eng" is not English's code; a language part is compared whole.
        Row{"NotAPrefix", {{"LANG", "eng"}}, {"eng"}, L::Japanese}),
    test::RowName());

}  // namespace
}  // namespace polygrav
