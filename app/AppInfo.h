#pragma once

#include "model/Version.h"

namespace polygrav {

// The version line printed by --version.
inline constexpr const char* kVersionText = POLYGRAV_VERSION_TEXT;

// The window font and the installed family that draws it on Linux.
inline constexpr const char* kWindowFontFamily = "ＭＳ Ｐゴシック";
inline constexpr const char* kWindowFontSubstitute = "IPAPGothic";

}  // namespace polygrav
