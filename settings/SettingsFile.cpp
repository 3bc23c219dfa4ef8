#include "settings/SettingsFile.h"

#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "model/Blanks.h"
#include "model/InputRules.h"
#include "model/NumberRules.h"
#include "model/PathRules.h"
#include "settings/ColorText.h"

namespace polygrav {

namespace {

constexpr const char* kSettingsFileName = "polygrav.ini";

// Reads the keys of one section by the rules of their kinds. A text key
// gives its text; an integer or flag key a text that passes the integer rule
// (a missing key reads as the empty text, which fails it); a colour key
// raises EConvertError for a text that is neither a colour name nor an
// integer; a decimal the part's decimal rule; an optional decimal none for
// an empty text. Nothing means: the receiver keeps its value.
class KeyReader {
  public:
    KeyReader(const IniDocument& doc, SettingsKey& at, char localeSeparator)
        : doc_(doc), at_(at), separator_(localeSeparator) {}

    std::optional<std::string> Text(SettingsKey key) const {
        at_ = key;
        return doc_.Read(KeyInfo(key).section, SettingsKeyName(key));
    }
    std::optional<std::string> Folder(SettingsKey key) const { return Text(key); }
    std::optional<std::int32_t> Integer(SettingsKey key) const {
        return TryStrToInt(Text(key).value_or(""));
    }
    std::optional<bool> Flag(SettingsKey key) const {
        const std::optional<std::int32_t> value = Integer(key);
        if (!value) return std::nullopt;
        return *value != 0;
    }
    std::optional<TColor> Color(SettingsKey key) const {
        const std::optional<std::string> text = Text(key);
        if (!text) return std::nullopt;
        return TextToColor(*text);
    }
    std::optional<double> Decimal(SettingsKey key) const {
        const std::optional<std::string> text = Text(key);
        if (!text) return std::nullopt;
        return ReadPartDecimal(*text, separator_);
    }
    std::optional<std::optional<double>> OptionalDecimal(SettingsKey key) const {
        const std::optional<std::string> text = Text(key);
        if (!text) return std::nullopt;
        if (text->empty()) return std::optional<double>();
        if (auto v = ReadPartDecimal(*text, separator_)) return std::optional<double>(*v);
        return std::nullopt;
    }

  private:
    const IniDocument& doc_;
    SettingsKey& at_;
    char separator_;
};

// A value of each kind as written: decimals with a full stop.
std::string FormatText(const std::string& text) {
    return text;
}
std::string FormatFolder(const std::string& folder) {
    return folder;
}
std::string FormatInteger(std::int32_t value) {
    return std::to_string(value);
}
std::string FormatFlag(bool on) {
    return on ? "1" : "0";
}
std::string FormatColor(TColor c) {
    return ColorToText(c);
}
std::string FormatDecimal(double value) {
    return FormatPartDecimal(value);
}
std::string FormatOptionalDecimal(const std::optional<double>& value) {
    return value ? FormatPartDecimal(*value) : "";
}

// The value of a key of [SVG] in a snapshot; the folder is held beside it.
#define POLYGRAV_VALUE_Design(name, kind) POLYGRAV_DESIGN_##kind(name)
#define POLYGRAV_VALUE_Part(name, kind) s.Part.name
#define POLYGRAV_DESIGN_Folder(name) favoriteDir
#define POLYGRAV_DESIGN_Text(name) s.name
#define POLYGRAV_DESIGN_Integer(name) s.name
#define POLYGRAV_DESIGN_Flag(name) s.name
#define POLYGRAV_DESIGN_Color(name) s.name
#define POLYGRAV_DESIGN_Decimal(name) s.name
#define POLYGRAV_DESIGN_OptionalDecimal(name) s.name
// The default of a key of [SVG]; the folder has none (it is always written).
#define POLYGRAV_DEFAULT_Design(name, kind) POLYGRAV_VALUE_Design(name, kind)
#define POLYGRAV_DEFAULT_Part(name, kind) PartSettings{}.name

// Whether a later key stays out of the file: at its default and not there.
bool LeaveOut(const IniDocument& doc, SettingsKey key, bool isDefault) {
    return KeyInfo(key).since == KeySince::Later && isDefault &&
           !doc.Read(KeyInfo(key).section, SettingsKeyName(key));
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

std::optional<SettingsKey> FindSettingsKey(std::string_view qualifiedName) {
    std::string_view section = kSettingsSection;
    std::string_view name = qualifiedName;
    if (const std::size_t dot = qualifiedName.find('.'); dot != std::string_view::npos) {
        section = qualifiedName.substr(0, dot);
        name = qualifiedName.substr(dot + 1);
    }
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        if (EqualIgnoringAsciiCase(section, info.section) &&
            EqualIgnoringAsciiCase(name, info.name)) {
            return info.key;
        }
    }
    return std::nullopt;
}

std::optional<IniDocument> SettingsLineDocument(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view qualified = TrimBlanks(line.substr(0, equals));
    const std::optional<SettingsKey> key = FindSettingsKey(qualified);
    if (!key) return std::nullopt;
    // The key as the line spells it, without its section: the reader
    // ignores the letter case of both.
    std::string one(line);
    if (const std::size_t dot = qualified.find('.'); dot != std::string_view::npos) {
        one = std::string(TrimBlanks(qualified.substr(dot + 1))) + std::string(line.substr(equals));
    }
    return IniDocument::Parse(std::string("[") + KeyInfo(*key).section + "]\n" + one);
}

void ReadSettings(const IniDocument& doc, const std::string& defaultFavoriteDir,
                  SettingsTarget& target, SettingsKey* reading, char localeSeparator) {
    SettingsKey ignored{};
    const KeyReader read(doc, reading ? *reading : ignored, localeSeparator);
    // The part's values are taken from the target at its first key; each
    // value read replaces the part's, which the target then takes as a whole.
    std::optional<PartSettings> part;
    const auto takePart = [&target, &part](auto assign) {
        if (!part) part = target.partSettings();
        assign(*part);
        target.setPartSettings(*part);
    };
    // A missing folder is the default folder; the other keys of [SVG] are
    // handed over only when read; the further sections are not the target's.
#define POLYGRAV_READ_Design(name, kind) POLYGRAV_READ_DESIGN_##kind(name)
#define POLYGRAV_READ_DESIGN_Folder(name) \
    target.set##name(read.Folder(SettingsKey::name).value_or(defaultFavoriteDir));
#define POLYGRAV_READ_DESIGN_VALUE(name, kind) \
    if (auto v = read.kind(SettingsKey::name)) target.set##name(*v);
#define POLYGRAV_READ_DESIGN_Text(name) POLYGRAV_READ_DESIGN_VALUE(name, Text)
#define POLYGRAV_READ_DESIGN_Integer(name) POLYGRAV_READ_DESIGN_VALUE(name, Integer)
#define POLYGRAV_READ_DESIGN_Flag(name) POLYGRAV_READ_DESIGN_VALUE(name, Flag)
#define POLYGRAV_READ_DESIGN_Color(name) POLYGRAV_READ_DESIGN_VALUE(name, Color)
#define POLYGRAV_READ_DESIGN_Decimal(name) POLYGRAV_READ_DESIGN_VALUE(name, Decimal)
#define POLYGRAV_READ_Part(name, kind) \
    if (auto v = read.kind(SettingsKey::name)) takePart([&v](PartSettings& p) { p.name = *v; });
#define POLYGRAV_READ_Section(name, kind)
#define POLYGRAV_BLOCK_BEGIN(...)
#define POLYGRAV_BLOCK_END(...)
#define POLYGRAV_KEY(section, place, Struct, name, kind, ...) POLYGRAV_READ_##place(name, kind)
#include "model/SettingsKeys.def"
#undef POLYGRAV_KEY
}

void ReadSectionSettings(const IniDocument& doc, DocumentSettings& settings, char localeSeparator) {
    SettingsKey at{};
    const KeyReader read(doc, at, localeSeparator);
#define POLYGRAV_SECTION_READ_Design(section, name, kind)
#define POLYGRAV_SECTION_READ_Part(section, name, kind)
#define POLYGRAV_SECTION_READ_Section(section, name, kind) \
    if (auto v = read.kind(SettingsKey::name)) settings.section.name = *v;
#define POLYGRAV_KEY(section, place, Struct, name, kind, ...) \
    POLYGRAV_SECTION_READ_##place(section, name, kind)
#include "model/SettingsKeys.def"
#undef POLYGRAV_KEY
    (void)read;
    (void)settings;
}

std::string FormatPartDecimal(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void WriteSettings(IniDocument& doc, const std::string& favoriteDir, const TStarSettings& s,
                   const SettingsKeySet& keys) {
    const auto write = [&doc, &keys](SettingsKey key, bool isDefault, const std::string& value) {
        if (!keys.test(static_cast<std::size_t>(key)) || LeaveOut(doc, key, isDefault)) return;
        doc.Write(kSettingsSection, SettingsKeyName(key), value);
    };
#define POLYGRAV_WRITE_SVG(place, name, kind)                                         \
    write(SettingsKey::name,                                                          \
          POLYGRAV_VALUE_##place(name, kind) == POLYGRAV_DEFAULT_##place(name, kind), \
          Format##kind(POLYGRAV_VALUE_##place(name, kind)));
#define POLYGRAV_WRITE_Design(name, kind) POLYGRAV_WRITE_SVG(Design, name, kind)
#define POLYGRAV_WRITE_Part(name, kind) POLYGRAV_WRITE_SVG(Part, name, kind)
#define POLYGRAV_WRITE_Section(name, kind)
#define POLYGRAV_KEY(section, place, Struct, name, kind, ...) POLYGRAV_WRITE_##place(name, kind)
#include "model/SettingsKeys.def"
#undef POLYGRAV_KEY
}

void WriteSectionSettings(IniDocument& doc, const DocumentSettings& settings) {
#define POLYGRAV_SECTION_WRITE_Design(section, Struct, name, kind)
#define POLYGRAV_SECTION_WRITE_Part(section, Struct, name, kind)
#define POLYGRAV_SECTION_WRITE_Section(section, Struct, name, kind)                  \
    if (!LeaveOut(doc, SettingsKey::name, settings.section.name == Struct{}.name)) { \
        doc.Write(#section, #name, Format##kind(settings.section.name));             \
    }
#define POLYGRAV_KEY(section, place, Struct, name, kind, ...) \
    POLYGRAV_SECTION_WRITE_##place(section, Struct, name, kind)
#include "model/SettingsKeys.def"
#undef POLYGRAV_KEY
    (void)doc;
    (void)settings;
}

SettingsKeySet KeysThatDiffer(const TStarSettings& a, const std::string& favoriteDirA,
                              const TStarSettings& b, const std::string& favoriteDirB) {
    SettingsKeySet differ;
    // The values of the keys of [SVG] in a and in b; the further sections
    // are not held by a snapshot.
    const auto differs = [&a, &favoriteDirA, &b, &favoriteDirB](auto value) {
        return value(a, favoriteDirA) != value(b, favoriteDirB);
    };
#define POLYGRAV_DIFFER_SVG(place, name, kind)                                      \
    differ.set(static_cast<std::size_t>(SettingsKey::name),                         \
               differs([](const TStarSettings& s, const std::string& favoriteDir) { \
                   (void)s;                                                         \
                   (void)favoriteDir;                                               \
                   return POLYGRAV_VALUE_##place(name, kind);                       \
               }));
#define POLYGRAV_DIFFER_Design(name, kind) POLYGRAV_DIFFER_SVG(Design, name, kind)
#define POLYGRAV_DIFFER_Part(name, kind) POLYGRAV_DIFFER_SVG(Part, name, kind)
#define POLYGRAV_DIFFER_Section(name, kind)
#define POLYGRAV_KEY(section, place, Struct, name, kind, ...) POLYGRAV_DIFFER_##place(name, kind)
#include "model/SettingsKeys.def"
#undef POLYGRAV_KEY
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
