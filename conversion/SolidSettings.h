#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/Figure.h"
#include "geometry/Solid.h"
#include "settings/IniFile.h"

namespace polygrav {

// The section of a settings document that holds the solid's keys.
inline constexpr const char* kSolidSection = "Solid";

// The keys of [Solid], in the order of SolidParameters.
inline constexpr const char* kSolidKeys[] = {"Thickness", "Cutter",       "Wall",     "Height",
                                             "Flange",    "HoleDiameter", "HoleInset"};

// The solid of a document: its parameters (the defaults for keys it does not
// name) and whether it names any.
struct SolidSettings {
    SolidParameters parameters;
    bool present = false;
};

// Whether a --set key names a key of [Solid] as "Solid.KEY" (any letter
// case).
bool IsSolidSettingsKey(std::string_view key);

// Reads the keys of [Solid] from the document, then from each of extraLines
// of the form "Solid.KEY=VALUE" (other lines are not the solid's). Decimals
// take a full stop or the separator; Cutter is 0 or 1. Raises EConvertError
// for a value that is no number, EPartError for a Cutter out of its range.
// The lengths' ranges are checked where the solid is made.
SolidSettings ReadSolidSettings(const IniDocument& document,
                                const std::vector<std::string>& extraLines, char decimalSeparator);

// The readouts that a solid adds to --info, each with its leading comma:
// "volume" (mm³, of the mesh as written) and "weight" (grams, at the
// density of PLA, 1.24 g/cm³).
std::string SolidInfoFields(const Figure& figure, const SolidParameters& p);

}  // namespace polygrav
