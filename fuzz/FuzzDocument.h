#pragma once

#include <string_view>

#include "model/Errors.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsModel.h"

namespace polygrav::fuzz {

// The settings a document's bytes give the window's controls. A colour
// error or a redraw's error stops the load; what was applied stays in force.
inline SettingsModel LoadFuzzDocument(std::string_view bytes, char separator) {
    SettingsModel model("/home/user", separator);
    try {
        ReadSettings(IniDocument::Parse(bytes), "/home/user", model, nullptr, separator);
    } catch (const EPolygravError&) {
    }
    return model;
}

}  // namespace polygrav::fuzz
