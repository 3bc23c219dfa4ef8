#pragma once

namespace polygrav {

// The version line printed by --version.
inline constexpr const char* kVersionText = "Polygrav 1.0 A1";

// The caption of the main window.
inline constexpr const char* kWindowCaption = "星(正多角形)を生成しまーす";

// The window font and the installed family that draws it on Linux.
inline constexpr const char* kWindowFontFamily = "ＭＳ Ｐゴシック";
inline constexpr const char* kWindowFontSubstitute = "IPAPGothic";

}  // namespace polygrav
