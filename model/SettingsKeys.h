#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "model/Messages.h"
#include "model/StarSettings.h"

namespace polygrav {

// Every settings key, in the order of the table (model/SettingsKeys.def),
// which is the order in which they are read and written.
enum class SettingsKey {
#define POLYGRAV_BLOCK_BEGIN(...)
#define POLYGRAV_BLOCK_END(...)
#define POLYGRAV_KEY(section, place, Struct, name, ...) name,
#include "model/SettingsKeys.def"
#undef POLYGRAV_BLOCK_BEGIN
#undef POLYGRAV_BLOCK_END
#undef POLYGRAV_KEY
};

// How a key's value is written and read.
enum class KeyKind { Folder, Text, Integer, Flag, Color, Decimal, OptionalDecimal };

// Where a key's value lives: the design's fields of TStarSettings, its Part,
// or the struct of a further section in DocumentSettings.
enum class KeyPlace { Design, Part, Section };

// What a key's number measures.
enum class KeyUnit { None, Millimetre, HundredthMillimetre, Degree, Ratio, Choice };

// Whether a key is one the first version knows (always written) or a later
// one (written only when not at its default or already in the file).
enum class KeySince { First, Later };

// What the table says about a key.
struct SettingsKeyInfo {
    SettingsKey key;
    const char* section;  // the INI section ("SVG")
    const char* name;     // the key in the file ("EdgeNumber")
    KeyPlace place;
    KeyKind kind;
    double minimum;  // kNoLimit (either sign) where no limit of its own holds
    double maximum;
    KeyUnit unit;
    MessageId label;  // NoText where the window's form labels the control
    MessageId help;
    KeySince since;
};

inline constexpr SettingsKeyInfo kSettingsKeys[] = {
#define POLYGRAV_BLOCK_BEGIN(...)
#define POLYGRAV_BLOCK_END(...)
#define POLYGRAV_KEY(section, place, Struct, name, kind, value, minimum, maximum, unit, label, \
                     help, since)                                                              \
    {SettingsKey::name, #section,       #name,                                                 \
     KeyPlace::place,   KeyKind::kind,  (minimum) == kNoLimit ? -kNoLimit : (minimum),         \
     maximum,           KeyUnit::unit,  MessageId::label,                                      \
     MessageId::help,   KeySince::since},
#include "model/SettingsKeys.def"
#undef POLYGRAV_BLOCK_BEGIN
#undef POLYGRAV_BLOCK_END
#undef POLYGRAV_KEY
};

inline constexpr std::size_t kSettingsKeyCount = std::size(kSettingsKeys);

// The table's rows are in the order of the enum, so a key indexes its row.
constexpr const SettingsKeyInfo& KeyInfo(SettingsKey key) {
    return kSettingsKeys[static_cast<std::size_t>(key)];
}

// The section of the design's and the part's keys.
inline constexpr const char* kSettingsSection = "SVG";

// The key's name in the file ("EdgeNumber").
constexpr const char* SettingsKeyName(SettingsKey key) {
    return KeyInfo(key).name;
}

// The keys of one section that a given place holds, in the table's order;
// the window builds the controls of its later pages from these.
std::vector<SettingsKeyInfo> KeysOfSection(std::string_view section, KeyPlace place);

// The sections of the table, each once, in the order of their first key.
std::vector<std::string_view> SettingsSections();

}  // namespace polygrav
