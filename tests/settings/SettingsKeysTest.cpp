// The key table against the places made from it: every key of [SVG] goes
// through the reader, the differ and the writer as itself, the write rule
// follows the key's version, --set finds keys by section and name, and the
// README's table of the part's keys is the table's.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

namespace polygrav {
namespace {

std::vector<SettingsKeyInfo> SvgKeys() {
    std::vector<SettingsKeyInfo> keys;
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        if (std::string_view(info.section) == kSettingsSection) keys.push_back(info);
    }
    return keys;
}

// The text each key's default is written as: a document that holds every
// key already, so that the later keys are written too.
std::string DefaultText(SettingsKey key) {
    std::string text = "[SVG]\n";
    for (const SettingsKeyInfo& info : SvgKeys()) text += std::string(info.name) + "=x\n";
    IniDocument doc = IniDocument::Parse(text);
    WriteSettings(doc, "", TStarSettings{});
    return doc.Read(kSettingsSection, SettingsKeyName(key)).value_or("(missing)");
}

// A text of the key's kind that reads as a value other than its default.
std::string OtherValue(const SettingsKeyInfo& info) {
    switch (info.kind) {
        case KeyKind::Folder:
            return "/tmp/stars";
        case KeyKind::Text:
            return "7";
        case KeyKind::Integer:
            return DefaultText(info.key) == "1" ? "2" : "1";
        case KeyKind::Flag:
            return DefaultText(info.key) == "1" ? "0" : "1";
        case KeyKind::Color:
            return "clBlue";
        case KeyKind::Decimal:
        case KeyKind::OptionalDecimal:
            return "0.25";
    }
    return "";
}

TEST(SettingsKeys, EveryKeyIsReadComparedAndWrittenAsItself) {
    for (const SettingsKeyInfo& info : SvgKeys()) {
        SCOPED_TRACE(info.name);
        const std::string value = OtherValue(info);
        PlainSettingsTarget read;
        read.favoriteDir = "/start";
        ReadSettings(IniDocument::Parse(std::string("[SVG]\n") + info.name + "=" + value), "/start",
                     read);

        SettingsKeySet only;
        only.set(static_cast<std::size_t>(info.key));
        EXPECT_EQ(KeysThatDiffer(TStarSettings{}, "/start", read.values, read.favoriteDir), only);

        IniDocument written;
        WriteSettings(written, read.favoriteDir, read.values, only);
        EXPECT_EQ(written.Read(kSettingsSection, info.name), value);
    }
}

TEST(SettingsKeys, FirstVersionKeysAreAlwaysWrittenLaterKeysOnlyWhenTheySaySomething) {
    IniDocument fresh;
    WriteSettings(fresh, "/d", TStarSettings{});
    for (const SettingsKeyInfo& info : SvgKeys()) {
        SCOPED_TRACE(info.name);
        EXPECT_EQ(fresh.Read(kSettingsSection, info.name).has_value(),
                  info.since == KeySince::First);
    }
    // The first version's keys alone, in the table's order: the file the
    // first version writes.
    EXPECT_EQ(fresh.Serialize(),
              "[SVG]\r\nFavoriteDir=/d\r\nEdgeNumber=5\r\nCircumRadius=50\r\nStarType=0\r\n"
              "FillColor=clRed\r\nFillTransparent=0\r\nStrokeColor=clBlack\r\nStrokeWidth=50\r\n"
              "View=1\r\nFillRule=0\r\n");
}

TEST(SettingsKeys, SetLinesNameKeysBySectionAndNameInAnyCase) {
    struct Row {
        const char* name;
        std::optional<SettingsKey> key;
    };
    const Row rows[] = {
        {"EdgeNumber", SettingsKey::EdgeNumber},
        {"edgenumber", SettingsKey::EdgeNumber},
        {"SVG.StarStep", SettingsKey::StarStep},
        {"svg.OFFSETJOIN", SettingsKey::OffsetJoin},
        {"Sheet.EdgeNumber", std::nullopt},           // not a key of that section
        {"Preview.CalibrationFactor", std::nullopt},  // the window's, not a document's
        {"NoSuchKey", std::nullopt},
        {"SVG.", std::nullopt},
        {".EdgeNumber", std::nullopt},
        {"", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FindSettingsKey(row.name), row.key) << row.name;
    }
    // The line is read in the key's section, as if a document held it.
    const std::optional<IniDocument> line = SettingsLineDocument("svg.StarStep = 3");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Read("SVG", "StarStep"), "3");
    EXPECT_FALSE(SettingsLineDocument("Nope=1"));
    EXPECT_FALSE(SettingsLineDocument("StarStep"));
}

// The README's table under "The figure as a part": the rows "| `Key` |
// default | meaning |" up to the first line that is not a row.
TEST(SettingsKeys, ReadmeTableOfThePartListsTheTablesKeysAndDefaults) {
    std::ifstream readme(std::string(POLYGRAV_TEST_DATA) + "/../../README.md");
    ASSERT_TRUE(readme);
    std::string line;
    while (std::getline(readme, line) && line != "## The figure as a part") {
    }
    std::vector<std::pair<std::string, std::string>> rows;
    bool inTable = false;
    while (std::getline(readme, line)) {
        if (line.rfind("| `", 0) == 0) {
            inTable = true;
            const std::size_t nameEnd = line.find('`', 3);
            const std::size_t defaultBegin = line.find('|', nameEnd) + 1;
            const std::size_t defaultEnd = line.find('|', defaultBegin);
            std::string value = line.substr(defaultBegin, defaultEnd - defaultBegin);
            value = value.substr(1, value.size() - 2);  // the cell's blanks
            rows.emplace_back(line.substr(3, nameEnd - 3), value);
        } else if (inTable && line.rfind("|", 0) != 0) {
            break;
        }
    }
    std::vector<std::pair<std::string, std::string>> table;
    for (const SettingsKeyInfo& info : KeysOfSection(kSettingsSection, KeyPlace::Part)) {
        const std::string text = DefaultText(info.key);
        table.emplace_back(info.name, text.empty() ? "empty" : text);
    }
    EXPECT_EQ(rows, table);
}

}  // namespace
}  // namespace polygrav
