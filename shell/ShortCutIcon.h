#pragma once

#include <string>

namespace polygrav {

// The name of the program's icon in the icon theme, as the installation
// names its icon files (hicolor/scalable/apps/polygrav.svg, ...).
inline constexpr const char* kIconName = "polygrav";

// The Icon value of a shortcut to the program at programPath. An installed
// program (its icon in the hicolor theme of <prefix>/share, the program in
// <prefix>/bin) gives the theme's icon name when the desktop looks for icons
// in that data folder, else the icon file's absolute path. A program that
// is not installed gives the absolute path of polygrav.svg beside it. The
// empty text when neither file is there.
std::string ShortCutIcon(const std::string& programPath);

}  // namespace polygrav
