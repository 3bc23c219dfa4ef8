#include "model/SettingsKeys.h"

#include <algorithm>

namespace polygrav {

std::vector<SettingsKeyInfo> KeysOfSection(std::string_view section, KeyPlace place) {
    std::vector<SettingsKeyInfo> keys;
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        if (info.section == section && info.place == place) keys.push_back(info);
    }
    return keys;
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
