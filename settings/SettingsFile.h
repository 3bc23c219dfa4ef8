#pragma once

#include <cstdint>
#include <string>

#include "model/Color.h"
#include "model/StarSettings.h"
#include "settings/IniFile.h"

namespace polygrav {

inline constexpr const char* kSettingsSection = "SVG";

// Receives the values of a settings file, key by key, in the order of the
// file's keys. A setter is called only for a key whose value was read: a
// missing text or colour key, and an integer or flag key whose text fails the
// integer rule, call nothing, so the receiver keeps its present value.
class SettingsTarget {
  public:
    virtual ~SettingsTarget() = default;
    virtual void setFavoriteDir(const std::string& dir) = 0;
    virtual void setEdgeNumber(const std::string& text) = 0;
    virtual void setCircumRadius(const std::string& text) = 0;
    virtual void setStarType(std::int32_t index) = 0;
    virtual void setFillColor(TColor c) = 0;
    virtual void setFillTransparent(bool on) = 0;
    virtual void setStrokeColor(TColor c) = 0;
    virtual void setStrokeWidth(std::int32_t position) = 0;
    virtual void setView(bool on) = 0;
    virtual void setFillRule(bool on) = 0;
};

// Reads the ten keys of section "SVG" in order and hands each value to the
// target right after reading it. A missing FavoriteDir gives defaultFavoriteDir.
// A colour text that is neither a name nor an integer raises EConvertError at
// that key; the keys before it have been handed over, the others have not.
void ReadSettings(const IniDocument& doc, const std::string& defaultFavoriteDir,
                  SettingsTarget& target);

// Sets the ten keys of section "SVG" in order.
void WriteSettings(IniDocument& doc, const std::string& favoriteDir, const TStarSettings& s);

// The program's own settings file: "polygrav.ini" beside the program when
// that folder is writable, otherwise "<configHome>/polygrav/polygrav.ini",
// where configHome is $XDG_CONFIG_HOME or "<home>/.config". Creates nothing;
// SaveIniFile creates the missing folders.
std::string SettingsFilePath(const std::string& programPath);

// The choice of SettingsFilePath from its inputs: the program's folder and
// whether it is writable, $XDG_CONFIG_HOME and the home folder. A config home
// that is empty or relative is not used; without a usable home folder either,
// the file stays beside the program. An empty program folder (a bare name) is
// not used, so that the file does not depend on the working folder.
std::string SettingsFilePathFor(const std::string& programDir, bool programDirWritable,
                                const std::string& xdgConfigHome, const std::string& home);

}  // namespace polygrav
