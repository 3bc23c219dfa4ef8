#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "model/Color.h"
#include "model/SettingsKeys.h"
#include "model/StarSettings.h"

namespace polygrav {

// The field that holds a key's value in a document's settings, one pointer
// type per kind of key; std::monostate for the folder, which no struct holds.
// Made from the key table, so that code which handles every key of a section
// (the window's pages of keys, tests) reaches a key's value through the key
// rather than through a list of its own.
using KeyField = std::variant<std::monostate, std::string*, std::int32_t*, bool*, TColor*, double*,
                              std::optional<double>*>;

// A key's value, in the same order of kinds.
using KeyValue = std::variant<std::monostate, std::string, std::int32_t, bool, TColor, double,
                              std::optional<double>>;

KeyField FieldOf(DocumentSettings& settings, SettingsKey key);
KeyValue ValueOf(const DocumentSettings& settings, SettingsKey key);

// Copies the value of key from one document's settings to another's.
void CopyKeyValue(const DocumentSettings& from, DocumentSettings& to, SettingsKey key);

}  // namespace polygrav
