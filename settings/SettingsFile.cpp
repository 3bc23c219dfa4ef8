#include "settings/SettingsFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string_view>

#include "model/NumberRules.h"
#include "model/PathRules.h"
#include "settings/ColorText.h"

namespace polygrav {

namespace {

constexpr const char* kSettingsFileName = "polygrav.ini";

// A missing key reads as the empty text, which fails the integer rule, so
// both leave the receiver as it is.
std::optional<std::int32_t> ReadInteger(const IniDocument& doc, std::string_view key) {
    return TryStrToInt(doc.Read(kSettingsSection, key).value_or(""));
}

// Reads a colour key; a missing key gives nothing, a text that is neither a
// colour name nor an integer raises EConvertError.
std::optional<TColor> ReadColor(const IniDocument& doc, std::string_view key) {
    const std::optional<std::string> text = doc.Read(kSettingsSection, key);
    if (!text) return std::nullopt;
    return TextToColor(*text);
}

void WriteInteger(IniDocument& doc, std::string_view key, std::int32_t value) {
    doc.Write(kSettingsSection, key, std::to_string(value));
}

void WriteFlag(IniDocument& doc, std::string_view key, bool on) {
    doc.Write(kSettingsSection, key, on ? "1" : "0");
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + '/' + name;
}

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = EnvironmentValue("HOME");
    if (home.empty()) {
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) home = entry->pw_dir;
    }
    return home;
}

}  // namespace

void ReadSettings(const IniDocument& doc, const std::string& defaultFavoriteDir,
                  SettingsTarget& target) {
    target.setFavoriteDir(doc.Read(kSettingsSection, "FavoriteDir").value_or(defaultFavoriteDir));
    if (auto text = doc.Read(kSettingsSection, "EdgeNumber")) target.setEdgeNumber(*text);
    if (auto text = doc.Read(kSettingsSection, "CircumRadius")) target.setCircumRadius(*text);
    if (auto index = ReadInteger(doc, "StarType")) target.setStarType(*index);
    if (auto color = ReadColor(doc, "FillColor")) target.setFillColor(*color);
    if (auto flag = ReadInteger(doc, "FillTransparent")) target.setFillTransparent(*flag != 0);
    if (auto color = ReadColor(doc, "StrokeColor")) target.setStrokeColor(*color);
    if (auto position = ReadInteger(doc, "StrokeWidth")) target.setStrokeWidth(*position);
    if (auto flag = ReadInteger(doc, "View")) target.setView(*flag != 0);
    if (auto flag = ReadInteger(doc, "FillRule")) target.setFillRule(*flag != 0);
}

void WriteSettings(IniDocument& doc, const std::string& favoriteDir, const TStarSettings& s) {
    doc.Write(kSettingsSection, "FavoriteDir", favoriteDir);
    doc.Write(kSettingsSection, "EdgeNumber", s.EdgeNumber);
    doc.Write(kSettingsSection, "CircumRadius", s.CircumRadius);
    WriteInteger(doc, "StarType", s.StarType);
    doc.Write(kSettingsSection, "FillColor", ColorToText(s.FillColor));
    WriteFlag(doc, "FillTransparent", s.FillTransparent);
    doc.Write(kSettingsSection, "StrokeColor", ColorToText(s.StrokeColor));
    WriteInteger(doc, "StrokeWidth", s.StrokeWidth);
    WriteFlag(doc, "View", s.View);
    WriteFlag(doc, "FillRule", s.FillRule);
}

std::string SettingsFilePathFor(const std::string& programDir, bool programDirWritable,
                                const std::string& xdgConfigHome, const std::string& home) {
    if (!programDir.empty() && programDirWritable) return JoinPath(programDir, kSettingsFileName);
    std::string configHome;
    if (IsAbsolute(xdgConfigHome)) {
        configHome = xdgConfigHome;
    } else if (IsAbsolute(home)) {
        configHome = JoinPath(home, ".config");
    } else {
        return JoinPath(programDir, kSettingsFileName);
    }
    return JoinPath(JoinPath(configHome, "polygrav"), kSettingsFileName);
}

std::string SettingsFilePath(const std::string& programPath) {
    const std::string programDir = ExtractFileDir(programPath);
    const bool writable = !programDir.empty() && access(programDir.c_str(), W_OK) == 0;
    return SettingsFilePathFor(programDir, writable, EnvironmentValue("XDG_CONFIG_HOME"),
                               HomeFolder());
}

}  // namespace polygrav
