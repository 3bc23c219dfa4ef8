#pragma once

#include <string_view>

#include "geometry/Figure.h"
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

// Runs check(figure, settings, separator) on the figure of the document's
// bytes, read with a full stop and with a comma as the decimal separator.
// A figure that cannot be built is refused with the program's error, which
// is no fault: an empty or held-back point count or radius, a part value out
// of its range, a fillet that does not fit, an offset that leaves nothing.
template <class Check>
void CheckEachFigure(std::string_view bytes, Check check) {
    for (const char separator : {'.', ','}) {
        const SettingsModel model = LoadFuzzDocument(bytes, separator);
        try {
            check(BuildFigure(model.values, separator), model.values, separator);
        } catch (const EPolygravError&) {
        }
    }
}

}  // namespace polygrav::fuzz
