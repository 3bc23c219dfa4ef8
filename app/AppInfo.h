#pragma once

namespace polygrav {

// The version line printed by --version.
inline constexpr const char* kVersionText = "Polygrav 1.0 A1";

// The window font and the installed family that draws it on Linux.
inline constexpr const char* kWindowFontFamily = "ＭＳ Ｐゴシック";
inline constexpr const char* kWindowFontSubstitute = "IPAPGothic";

}  // namespace polygrav
