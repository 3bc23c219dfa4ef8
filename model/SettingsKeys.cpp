#include "model/SettingsKeys.h"

#include <algorithm>

namespace polygrav {

std::string QualifiedKeyName(SettingsKey key) {
    return std::string(KeyInfo(key).section) + "." + KeyInfo(key).name;
}

std::vector<SettingsKeyInfo> KeysOfSection(std::string_view section, KeyPlace place) {
    std::vector<SettingsKeyInfo> keys;
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        if (info.section == section && info.place == place) keys.push_back(info);
    }
    return keys;
}

std::vector<KeyChoice> ChoicesOf(SettingsKey key) {
    std::vector<KeyChoice> choices;
    for (const KeyChoice& choice : kKeyChoices) {
        if (choice.key == key) choices.push_back(choice);
    }
    return choices;
}

MessageId EmptyTextOf(SettingsKey key) {
    switch (key) {
#define POLYGRAV_BLOCK_BEGIN(...)
#define POLYGRAV_BLOCK_END(...)
#define POLYGRAV_KEY(...)
#define POLYGRAV_CHOICE(...)
#define POLYGRAV_EMPTY_TEXT(name, text) \
    case SettingsKey::name:             \
        return MessageId::text;
#include "model/SettingsKeys.def"
#undef POLYGRAV_BLOCK_BEGIN
#undef POLYGRAV_BLOCK_END
#undef POLYGRAV_KEY
#undef POLYGRAV_CHOICE
#undef POLYGRAV_EMPTY_TEXT
        default:
            return MessageId::NoText;
    }
}

std::vector<std::string_view> SettingsSections() {
    std::vector<std::string_view> sections;
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        if (std::find(sections.begin(), sections.end(), info.section) == sections.end()) {
            sections.push_back(info.section);
        }
    }
    return sections;
}

}  // namespace polygrav
