#include "settings/SettingsFile.h"

#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "model/InputRules.h"
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

const char* SettingsKeyName(SettingsKey key) {
    static constexpr const char* kNames[kSettingsKeyCount] = {
        "FavoriteDir",     "EdgeNumber",  "CircumRadius", "StarType",   "FillColor",
        "FillTransparent", "StrokeColor", "StrokeWidth",  "View",       "FillRule",
        "StarStep",        "InnerRatio",  "Rotation",     "SizeBy",     "CornerRadius",
        "ValleyRadius",    "Offset",      "OffsetJoin",   "CutOutline",
    };
    return kNames[static_cast<std::size_t>(key)];
}

void ReadSettings(const IniDocument& doc, const std::string& defaultFavoriteDir,
                  SettingsTarget& target, SettingsKey* reading, char localeSeparator) {
    SettingsKey ignored{};
    SettingsKey& at = reading ? *reading : ignored;
    const auto text = [&doc, &at](SettingsKey key) {
        at = key;
        return doc.Read(kSettingsSection, SettingsKeyName(key));
    };
    const auto integer = [&doc, &at](SettingsKey key) {
        at = key;
        return ReadInteger(doc, SettingsKeyName(key));
    };
    const auto color = [&doc, &at](SettingsKey key) {
        at = key;
        return ReadColor(doc, SettingsKeyName(key));
    };
    using K = SettingsKey;
    target.setFavoriteDir(text(K::FavoriteDir).value_or(defaultFavoriteDir));
    if (auto v = text(K::EdgeNumber)) target.setEdgeNumber(*v);
    if (auto v = text(K::CircumRadius)) target.setCircumRadius(*v);
    if (auto index = integer(K::StarType)) target.setStarType(*index);
    if (auto c = color(K::FillColor)) target.setFillColor(*c);
    if (auto flag = integer(K::FillTransparent)) target.setFillTransparent(*flag != 0);
    if (auto c = color(K::StrokeColor)) target.setStrokeColor(*c);
    if (auto position = integer(K::StrokeWidth)) target.setStrokeWidth(*position);
    if (auto flag = integer(K::View)) target.setView(*flag != 0);
    if (auto flag = integer(K::FillRule)) target.setFillRule(*flag != 0);

    // The part's keys: each value read replaces the part's, which the
    // target then takes as a whole.
    PartSettings part = target.partSettings();
    const auto decimal = [&](SettingsKey key) -> std::optional<double> {
        const std::optional<std::string> value = text(key);
        if (!value) return std::nullopt;
        return ReadPartDecimal(*value, localeSeparator);
    };
    const auto take = [&target, &part](auto& field, auto value) {
        field = value;
        target.setPartSettings(part);
    };
    if (auto v = integer(K::StarStep)) take(part.StarStep, *v);
    if (auto value = text(K::InnerRatio)) {
        // An empty ratio is none: the inner points where the edges cross.
        if (value->empty()) {
            take(part.InnerRatio, std::optional<double>());
        } else if (auto v = decimal(K::InnerRatio)) {
            take(part.InnerRatio, std::optional<double>(*v));
        }
    }
    if (auto v = decimal(K::Rotation)) take(part.Rotation, *v);
    if (auto v = integer(K::SizeBy)) take(part.SizeBy, *v);
    if (auto v = decimal(K::CornerRadius)) take(part.CornerRadius, *v);
    if (auto v = decimal(K::ValleyRadius)) take(part.ValleyRadius, *v);
    if (auto v = decimal(K::Offset)) take(part.Offset, *v);
    if (auto v = integer(K::OffsetJoin)) take(part.OffsetJoin, *v);
    if (auto flag = integer(K::CutOutline)) take(part.CutOutline, *flag != 0);
}

std::string FormatPartDecimal(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void WriteSettings(IniDocument& doc, const std::string& favoriteDir, const TStarSettings& s,
                   const SettingsKeySet& keys) {
    using K = SettingsKey;
    const auto write = [&doc, &keys](SettingsKey key, const std::string& value) {
        if (keys.test(static_cast<std::size_t>(key))) {
            doc.Write(kSettingsSection, SettingsKeyName(key), value);
        }
    };
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    write(K::FavoriteDir, favoriteDir);
    write(K::EdgeNumber, s.EdgeNumber);
    write(K::CircumRadius, s.CircumRadius);
    write(K::StarType, std::to_string(s.StarType));
    write(K::FillColor, ColorToText(s.FillColor));
    write(K::FillTransparent, flag(s.FillTransparent));
    write(K::StrokeColor, ColorToText(s.StrokeColor));
    write(K::StrokeWidth, std::to_string(s.StrokeWidth));
    write(K::View, flag(s.View));
    write(K::FillRule, flag(s.FillRule));

    // A part key goes into the file only when it says something: a value
    // other than the default, or a key that the file holds already.
    const PartSettings design;
    const auto part = [&](SettingsKey key, bool isDefault, const std::string& value) {
        if (isDefault && !doc.Read(kSettingsSection, SettingsKeyName(key))) return;
        write(key, value);
    };
    const PartSettings& p = s.Part;
    part(K::StarStep, p.StarStep == design.StarStep, std::to_string(p.StarStep));
    part(K::InnerRatio, !p.InnerRatio, p.InnerRatio ? FormatPartDecimal(*p.InnerRatio) : "");
    part(K::Rotation, p.Rotation == design.Rotation, FormatPartDecimal(p.Rotation));
    part(K::SizeBy, p.SizeBy == design.SizeBy, std::to_string(p.SizeBy));
    part(K::CornerRadius, p.CornerRadius == design.CornerRadius, FormatPartDecimal(p.CornerRadius));
    part(K::ValleyRadius, p.ValleyRadius == design.ValleyRadius, FormatPartDecimal(p.ValleyRadius));
    part(K::Offset, p.Offset == design.Offset, FormatPartDecimal(p.Offset));
    part(K::OffsetJoin, p.OffsetJoin == design.OffsetJoin, std::to_string(p.OffsetJoin));
    part(K::CutOutline, p.CutOutline == design.CutOutline, flag(p.CutOutline));
}

SettingsKeySet KeysThatDiffer(const TStarSettings& a, const std::string& favoriteDirA,
                              const TStarSettings& b, const std::string& favoriteDirB) {
    using K = SettingsKey;
    SettingsKeySet differ;
    const auto mark = [&differ](SettingsKey key, bool different) {
        differ.set(static_cast<std::size_t>(key), different);
    };
    mark(K::FavoriteDir, favoriteDirA != favoriteDirB);
    mark(K::EdgeNumber, a.EdgeNumber != b.EdgeNumber);
    mark(K::CircumRadius, a.CircumRadius != b.CircumRadius);
    mark(K::StarType, a.StarType != b.StarType);
    mark(K::FillColor, a.FillColor != b.FillColor);
    mark(K::FillTransparent, a.FillTransparent != b.FillTransparent);
    mark(K::StrokeColor, a.StrokeColor != b.StrokeColor);
    mark(K::StrokeWidth, a.StrokeWidth != b.StrokeWidth);
    mark(K::View, a.View != b.View);
    mark(K::FillRule, a.FillRule != b.FillRule);
    const PartSettings& p = a.Part;
    const PartSettings& q = b.Part;
    mark(K::StarStep, p.StarStep != q.StarStep);
    mark(K::InnerRatio, p.InnerRatio != q.InnerRatio);
    mark(K::Rotation, p.Rotation != q.Rotation);
    mark(K::SizeBy, p.SizeBy != q.SizeBy);
    mark(K::CornerRadius, p.CornerRadius != q.CornerRadius);
    mark(K::ValleyRadius, p.ValleyRadius != q.ValleyRadius);
    mark(K::Offset, p.Offset != q.Offset);
    mark(K::OffsetJoin, p.OffsetJoin != q.OffsetJoin);
    mark(K::CutOutline, p.CutOutline != q.CutOutline);
    return differ;
}

SettingsKeySet KeysToSave(std::optional<SettingsKey> loadStoppedAt, const TStarSettings& atStop,
                          const std::string& favoriteDirAtStop, const TStarSettings& now,
                          const std::string& favoriteDirNow) {
    SettingsKeySet keys = AllSettingsKeys();
    if (!loadStoppedAt) return keys;
    const SettingsKeySet changed = KeysThatDiffer(atStop, favoriteDirAtStop, now, favoriteDirNow);
    for (auto k = static_cast<std::size_t>(*loadStoppedAt); k < kSettingsKeyCount; ++k) {
        keys.set(k, changed.test(k));
    }
    return keys;
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
