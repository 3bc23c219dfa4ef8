#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Color.h"
#include "model/SettingsKeys.h"
#include "model/StarSettings.h"
#include "settings/IniFile.h"

namespace polygrav {

// The key a --set line names: "Key" for a key of [SVG], or "Section.Key"
// for a key of any section; section and key in any letter case.
std::optional<SettingsKey> FindSettingsKey(std::string_view qualifiedName);

// A "KEY=VALUE" or "Section.Key=VALUE" line as a document of that one line
// in its section. Nothing for a line without "=" or with a key the table
// does not hold.
std::optional<IniDocument> SettingsLineDocument(std::string_view line);

// A set of keys, indexed by SettingsKey.
using SettingsKeySet = std::bitset<kSettingsKeyCount>;

// Every key.
inline SettingsKeySet AllSettingsKeys() {
    return SettingsKeySet().set();
}

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
    // The figure as a part: the present values, and the values with one more
    // key read (as read, with no limits of a control).
    virtual PartSettings partSettings() const = 0;
    virtual void setPartSettings(const PartSettings& part) = 0;
};

// A target that takes every value as handed, with no rule of a control and
// no redraw: the values of a file as the file's rules alone read them.
class PlainSettingsTarget : public SettingsTarget {
  public:
    TStarSettings values;
    std::string favoriteDir;

    void setFavoriteDir(const std::string& dir) override { favoriteDir = dir; }
    void setEdgeNumber(const std::string& text) override { values.EdgeNumber = text; }
    void setCircumRadius(const std::string& text) override { values.CircumRadius = text; }
    void setStarType(std::int32_t index) override { values.StarType = index; }
    void setFillColor(TColor c) override { values.FillColor = c; }
    void setFillTransparent(bool on) override { values.FillTransparent = on; }
    void setStrokeColor(TColor c) override { values.StrokeColor = c; }
    void setStrokeWidth(std::int32_t position) override { values.StrokeWidth = position; }
    void setView(bool on) override { values.View = on; }
    void setFillRule(bool on) override { values.FillRule = on; }
    PartSettings partSettings() const override { return values.Part; }
    void setPartSettings(const PartSettings& part) override { values.Part = part; }
};

// Reads the keys of section "SVG" in order and hands each value to the
// target right after reading it. A missing FavoriteDir gives defaultFavoriteDir.
// The keys of the part are read by the same rules (integers by the integer
// rule, decimals with a full stop or the locale's separator; a text that
// fails its rule keeps the value) and handed over as a whole after each key;
// an empty InnerRatio is none.
// A colour text that is neither a name nor an integer raises EConvertError at
// that key; the keys before it have been handed over, the others have not.
// When reading is given, it names the key being read before each key is
// read, so that after an error it names the key at which the load stopped.
void ReadSettings(const IniDocument& doc, const std::string& defaultFavoriteDir,
                  SettingsTarget& target, SettingsKey* reading = nullptr,
                  char localeSeparator = '.');

// Sets the keys of section "SVG" that keys holds, in order; the others keep
// what the document holds. A later key (one the first version does not know)
// is written only when its value is not the default or the document has it
// already, so that a file of the design's keys stays as it is; decimals are
// written with a full stop.
void WriteSettings(IniDocument& doc, const std::string& favoriteDir, const TStarSettings& s,
                   const SettingsKeySet& keys = AllSettingsKeys());

// A decimal of a part key as written: the shortest text that reads back
// exactly, with a full stop whatever the locale ("0.1", "-2", "1e-07").
std::string FormatPartDecimal(double value);

// Reads the keys of the further sections (Place Section of the key table)
// into settings, by the rules of their kinds; a text that fails its rule
// keeps the value.
void ReadSectionSettings(const IniDocument& doc, DocumentSettings& settings,
                         char localeSeparator = '.');

// Writes the keys of the further sections by the write rule of later keys.
void WriteSectionSettings(IniDocument& doc, const DocumentSettings& settings);

// The keys that differ between two sets of values (with their folders).
SettingsKeySet KeysThatDiffer(const TStarSettings& a, const std::string& favoriteDirA,
                              const TStarSettings& b, const std::string& favoriteDirB);

// The keys that closing the window writes into its settings file. A load
// that stopped at a key (an error) applied nothing from that key on, so those
// keys keep what the file holds unless they were changed since: atStop and
// favoriteDirAtStop are the values when the load stopped. Without a stop
// every key is written.
SettingsKeySet KeysToSave(std::optional<SettingsKey> loadStoppedAt, const TStarSettings& atStop,
                          const std::string& favoriteDirAtStop, const TStarSettings& now,
                          const std::string& favoriteDirNow);

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
