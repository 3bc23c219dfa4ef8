#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace polygrav {

// The largest settings file or document that is read, in bytes. Settings
// documents hold a few hundred bytes; a larger file is refused before it is
// read, as a file that cannot be read.
inline constexpr std::size_t kMaxSettingsFileBytes = 16 * 1024 * 1024;

// The longest value a read returns, in bytes; longer values are cut at a
// UTF-8 character boundary at or before this length.
inline constexpr std::size_t kMaxIniValueBytes = 2047;

// The longest start of text that has at most maxBytes bytes and does not split
// a UTF-8 sequence; a byte that starts no valid sequence counts as one
// character.
std::string_view CutAtUtf8Boundary(std::string_view text, std::size_t maxBytes);

// An INI file held in memory as its lines. Section and key names compare
// without case; where a section or a key appears twice the first one counts;
// lines that are neither a section, a key nor a comment are kept but ignored;
// a UTF-8 byte-order mark is ignored; CR LF, LF and lone CR line ends are
// read; blanks around names and values are trimmed and one pair of
// surrounding double quotes is removed from a value. Writing a key replaces
// it in place or appends it at the end of its section (creating the section
// at the end of the file), and keeps every other line. A byte-order mark that
// the file started with is written back once.
//
// The document keeps the file's bytes once and indexes its sections and
// keys when it is parsed, so that parsing takes time in proportion to the
// file's length and a read does not depend on it; lines that are neither
// are never copied. Copies share the bytes.
class IniDocument {
  public:
    IniDocument();
    static IniDocument Parse(std::string_view bytes);
    // Parse for bytes the document may keep without copying them.
    static IniDocument ParseOwned(std::string bytes);

    // The value of the key, or nothing when the section or the key is missing.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    // Sets the key to value. Line breaks in value become blanks, so that the
    // value stays on its own line. A value that reading would otherwise change
    // (blanks at either end, or a double quote at both ends) is written in one
    // more pair of double quotes, so that Read gives it back as it was given.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    // The file's text, every line ended by CR LF.
    std::string Serialize() const;

  private:
    // A line the document keeps track of: a section header or a key that
    // may be read or written, the last key of a section, or a line that
    // Write put in. The lines between two entries stay as bytes in text_.
    struct Entry {
        std::string_view line;  // its text now
        // Where the line stood in text_, from its start to just past its
        // line end; a line Write inserted stands at one point.
        std::size_t rawBegin = 0;
        std::size_t rawEnd = 0;
        std::uint32_t next = 0;  // the following entry
        bool written = false;    // the text is one of written_
    };
    struct NameHash {
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::unordered_map<std::string_view, std::uint32_t, NameHash, NameEqual>;
    struct Section {
        std::uint32_t lastKey = 0;  // the entry after which a new key goes
        NameIndex keys;             // the first key of each name
    };
    class Indexer;

    std::string_view Text() const;
    // Puts a written line after entry, standing at position at of text_.
    std::uint32_t InsertAfter(std::uint32_t entry, std::string line, std::size_t at);
    void Reindex();
    template <typename Visit>
    void ForEachLine(Visit&& visit) const;

    std::shared_ptr<const std::string> bytes_;
    bool byteOrderMark_ = false;
    // Lines that Write put in; copies share them, as they never change.
    std::vector<std::shared_ptr<const std::string>> written_;
    // Entry 0 starts the chain of entries, entry 1 ends it.
    std::vector<Entry> entries_;
    std::uint32_t lastEntry_ = 0;  // the entry before the end
    // The first section of each name.
    std::unordered_map<std::string_view, Section, NameHash, NameEqual> sections_;
};

// Reads the file at path; a missing or unreadable file, one that is not a
// regular file, or one larger than kMaxSettingsFileBytes gives an empty
// document.
IniDocument LoadIniFile(const std::string& path);

// Reads a settings document that is to be converted. A missing file (or a
// path through a missing folder) gives an empty document, as LoadIniFile
// does; a file that exists but cannot be read, is no regular file or is
// larger than kMaxSettingsFileBytes raises EFOpenError CannotOpenFile, so that an unreadable
// document is not taken for an empty one. The size is checked before the file is read, and reading
// stops at the limit for a file that grows meanwhile.
IniDocument LoadSettingsDocument(const std::string& path);

// Reads a settings document that must exist: a missing file is refused
// like an unreadable one, with EFOpenError CannotOpenFile.
IniDocument LoadExistingSettingsDocument(const std::string& path);

// Writes the document atomically to path, first creating its missing parent
// folders (mode 0700, as for a per-user configuration folder); a failure
// raises EIniFileException CannotWriteIni and leaves any old file whole.
void SaveIniFile(const std::string& path, const IniDocument& doc);

}  // namespace polygrav
