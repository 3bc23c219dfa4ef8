#pragma once

#include <string>

#include "settings/SettingsModel.h"

namespace polygrav {

// The readouts of the figure of the settings as one JSON object, lengths in
// millimetres, the area in square millimetres: circumradius, acrossFlats and
// side (of the polygon through the tips), innerRadius (null for the regular
// polygon), width and height (of the contours as written, the stroke not),
// perimeter, area (of the region the SVG fills) and contours. Raises the
// figure's errors.
std::string PartInfoJson(const TStarSettings& settings, char decimalSeparator);

// The same object for a document; when its [Sheet] asks for a sheet, it
// adds parts (on the sheet), density (of the pattern), utilisation (the
// parts' area ÷ the sheet's) and arrangement ("densest", "grid", "brick").
// Raises the part's and the sheet's errors.
std::string PartInfoJson(const DocumentSettings& settings, char decimalSeparator);

}  // namespace polygrav
