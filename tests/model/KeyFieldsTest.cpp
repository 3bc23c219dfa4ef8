// The key table's rows reach the fields that hold their values, and the
// rows that follow a key (the items of a choice, an empty box's text) fit
// the key they follow.

#include <gtest/gtest.h>

#include <set>
#include <type_traits>
#include <variant>

#include "model/KeyFields.h"
#include "model/SettingsKeys.h"

namespace polygrav {
namespace {

// The index of the pointer type that each kind's field has in KeyField.
std::size_t FieldIndexOfKind(KeyKind kind) {
    switch (kind) {
        case KeyKind::Folder:
            return 0;
        case KeyKind::Text:
            return 1;
        case KeyKind::Integer:
            return 2;
        case KeyKind::Flag:
            return 3;
        case KeyKind::Color:
            return 4;
        case KeyKind::Decimal:
            return 5;
        case KeyKind::OptionalDecimal:
            return 6;
    }
    return 99;
}

// A value of the field's type that no key has as its default.
void SetAwayFromDefault(KeyField field) {
    std::visit(
        [](auto value) {
            using T = std::remove_pointer_t<decltype(value)>;
            if constexpr (std::is_same_v<decltype(value), std::monostate>) {
            } else if constexpr (std::is_same_v<T, std::string>) {
                *value = "changed";
            } else if constexpr (std::is_same_v<T, bool>) {
                *value = !*value;
            } else if constexpr (std::is_same_v<T, std::optional<double>>) {
                *value = 0.123;
            } else {
                *value = static_cast<T>(12345);
            }
        },
        field);
}

TEST(KeyFieldsTest, EveryKeyReachesAFieldOfItsKindAndOnlyItsOwn) {
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        SCOPED_TRACE(info.name);
        DocumentSettings d;
        const KeyField field = FieldOf(d, info.key);
        EXPECT_EQ(field.index(), FieldIndexOfKind(info.kind));
        if (info.kind == KeyKind::Folder) continue;
        SetAwayFromDefault(field);
        EXPECT_NE(ValueOf(d, info.key), ValueOf(DocumentSettings{}, info.key));
        // No other key changed with it.
        for (const SettingsKeyInfo& other : kSettingsKeys) {
            if (other.key != info.key) {
                EXPECT_EQ(ValueOf(d, other.key), ValueOf(DocumentSettings{}, other.key))
                    << other.name;
            }
        }
        // Copying carries the one key over.
        DocumentSettings copy;
        CopyKeyValue(d, copy, info.key);
        EXPECT_TRUE(copy == d);
    }
}

TEST(KeyTableRowsTest, ChoicesGiveEveryValueOfTheirKeyInOrder) {
    std::set<SettingsKey> withItems;
    for (const KeyChoice& choice : kKeyChoices) withItems.insert(choice.key);
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        SCOPED_TRACE(info.name);
        // The design's choices are the form's own radio group.
        const bool shownFromTheTable =
            info.unit == KeyUnit::Choice && info.label != MessageId::NoText;
        EXPECT_EQ(withItems.count(info.key) == 1, shownFromTheTable);
        if (!shownFromTheTable) continue;
        const std::vector<KeyChoice> choices = ChoicesOf(info.key);
        ASSERT_EQ(choices.size(), static_cast<std::size_t>(info.maximum - info.minimum + 1));
        for (std::size_t i = 0; i < choices.size(); ++i) {
            EXPECT_EQ(choices[i].value, info.minimum + static_cast<double>(i));
            EXPECT_NE(choices[i].text, MessageId::NoText);
        }
    }
}

TEST(KeyTableRowsTest, EmptyTextsStandOnlyBesideOptionalKeys) {
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        if (EmptyTextOf(info.key) != MessageId::NoText) {
            EXPECT_EQ(info.kind, KeyKind::OptionalDecimal) << info.name;
        }
    }
    EXPECT_EQ(EmptyTextOf(SettingsKey::InnerRatio), MessageId::InnerRatioFromStep);
}

}  // namespace
}  // namespace polygrav
