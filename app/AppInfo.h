#pragma once

#include "model/Version.h"

namespace polygrav {

// The version line printed by --version.
inline constexpr const char* kVersionText = POLYGRAV_VERSION_TEXT;

// The window's version label: "Polygrav " and "Ver. 1.0 A1 " on lines of
// their own, between two empty lines above and two line ends below.
inline constexpr const char* kVersionLabelText =
    "\n\nPolygrav \nVer. " POLYGRAV_VERSION " " POLYGRAV_RELEASE_STAGE " \n\n";

// The window font and the installed family that draws it on Linux.
inline constexpr const char* kWindowFontFamily = "ＭＳ Ｐゴシック";
inline constexpr const char* kWindowFontSubstitute = "IPAPGothic";

}  // namespace polygrav
