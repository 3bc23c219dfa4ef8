// The keys of the sections beyond [SVG] (such as [Machine]) against the
// places made from the key table: each goes through the reader and the
// writer as itself, a text its kind cannot read is refused naming the key,
// and the README's table of the machine's keys is the table's.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "model/Errors.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

namespace polygrav {
namespace {

std::vector<SettingsKeyInfo> SectionKeys() {
    std::vector<SettingsKeyInfo> keys;
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        if (info.place == KeyPlace::Section) keys.push_back(info);
    }
    return keys;
}

// The text each key's default is written as, in a document that holds
// every key already, so that the later keys are written too.
std::string DefaultText(const SettingsKeyInfo& key) {
    IniDocument doc;
    for (const SettingsKeyInfo& info : SectionKeys()) doc.Write(info.section, info.name, "x");
    WriteSectionSettings(doc, DocumentSettings{});
    return doc.Read(key.section, key.name).value_or("(missing)");
}

// A text of the key's kind that reads as a value other than its default.
std::string OtherValue(const SettingsKeyInfo& info) {
    switch (info.kind) {
        case KeyKind::Integer:
        case KeyKind::Flag:
            return DefaultText(info) == "1" ? "0" : "1";
        case KeyKind::Decimal:
        case KeyKind::OptionalDecimal:
            return "0.25";
        default:
            return "7";
    }
}

std::string Section(const SettingsKeyInfo& info, const std::string& value) {
    return "[" + std::string(info.section) + "]\n" + info.name + "=" + value + "\n";
}

TEST(SectionSettings, EveryKeyIsReadAndWrittenAsItselfAndOnlyWhenItSaysSomething) {
    ASSERT_FALSE(SectionKeys().empty());
    for (const SettingsKeyInfo& info : SectionKeys()) {
        SCOPED_TRACE(info.name);
        const std::string value = OtherValue(info);
        DocumentSettings read;
        const IniDocument doc = IniDocument::Parse(Section(info, value));
        CheckSectionTexts(doc);
        ReadSectionSettings(doc, read);
        EXPECT_NE(read, DocumentSettings{});

        IniDocument written;
        WriteSectionSettings(written, read);
        EXPECT_EQ(written.Serialize(),
                  "[" + std::string(info.section) + "]\r\n" + info.name + "=" + value + "\r\n");
    }
    IniDocument fresh;
    WriteSectionSettings(fresh, DocumentSettings{});
    EXPECT_EQ(fresh.Serialize(), "");
}

TEST(SectionSettings, TextsTheirKindCannotReadNameTheKey) {
    struct Row {
        const char* line;  // in [Machine]
        bool readable;
    };
    const Row rows[] = {
        {"Feed=600", true},     {"Feed= 1e3", true},   {"Feed=", false},      {"Feed=fast", false},
        {"Feed=1e999", false},  {"Passes=0x10", true}, {"Passes=2.5", false}, {"Mirror=0", true},
        {"Mirror=1", true},     {"Mirror=2", false},   {"Mirror=-1", false},  {"Speed=", true},
        {"Speed=none", false},  {"Origin=1", true},    {"Origin=2", true},  // a range, not a text
        {"NotAKey=fast", true},
    };
    SetMessageLanguage(Language::English);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const IniDocument doc = IniDocument::Parse(std::string("[Machine]\n") + row.line);
        if (row.readable) {
            EXPECT_NO_THROW(CheckSectionTexts(doc));
            continue;
        }
        try {
            CheckSectionTexts(doc);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            const std::string line = row.line;
            const std::string key = "Machine." + line.substr(0, line.find('='));
            EXPECT_EQ(e.message().In(Language::English),
                      "The value '" + line.substr(line.find('=') + 1) + "' of " + key +
                          " is not a number that " + key + " takes");
        }
    }
    SetMessageLanguage(Language::Japanese);
}

// The README's table after "The machine files take the keys": the rows
// "| `Key` | default | meaning |" up to the first line that is not a row.
TEST(SectionSettings, ReadmeTableOfTheMachineListsTheTablesKeysAndDefaults) {
    std::ifstream readme(std::string(POLYGRAV_TEST_DATA) + "/../../README.md");
    ASSERT_TRUE(readme);
    std::string line;
    while (std::getline(readme, line) && line.rfind("The machine files take the keys", 0) != 0) {
    }
    std::vector<std::pair<std::string, std::string>> rows;
    bool inTable = false;
    while (std::getline(readme, line)) {
        if (line.rfind("| `", 0) == 0) {
            inTable = true;
            const std::size_t nameEnd = line.find('`', 3);
            const std::size_t defaultBegin = line.find('|', nameEnd) + 2;
            const std::size_t defaultEnd = line.find(" |", defaultBegin);
            rows.emplace_back(line.substr(3, nameEnd - 3),
                              line.substr(defaultBegin, defaultEnd - defaultBegin));
        } else if (inTable && line.rfind("|", 0) != 0) {
            break;
        }
    }
    std::vector<std::pair<std::string, std::string>> table;
    for (const SettingsKeyInfo& info : KeysOfSection(kMachineSection, KeyPlace::Section)) {
        const std::string text = DefaultText(info);
        table.emplace_back(info.name, text.empty() ? "empty" : text);
    }
    EXPECT_EQ(rows, table);
}

}  // namespace
}  // namespace polygrav
