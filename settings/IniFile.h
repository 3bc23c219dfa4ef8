#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace polygrav {

// The longest value a read returns, in bytes; longer values are cut at a
// UTF-8 character boundary at or before this length.
inline constexpr std::size_t kMaxIniValueBytes = 2047;

// The longest start of text that has at most maxBytes bytes and does not split
// a UTF-8 sequence; a byte that starts no valid sequence counts as one
// character.
std::string_view CutAtUtf8Boundary(std::string_view text, std::size_t maxBytes);

// Whether two names are equal when ASCII letters are compared without case;
// section, key and colour names compare this way.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// An INI file held in memory as its lines. Section and key names compare
// without case; where a section or a key appears twice the first one counts;
// lines that are neither a section, a key nor a comment are kept but ignored;
// a UTF-8 byte-order mark is ignored; CR LF, LF and lone CR line ends are
// read; blanks around names and values are trimmed and one pair of
// surrounding double quotes is removed from a value. Writing a key replaces
// it in place or appends it at the end of its section (creating the section
// at the end of the file), and keeps every other line. A byte-order mark that
// the file started with is written back once.
class IniDocument {
  public:
    IniDocument() = default;
    static IniDocument Parse(std::string_view bytes);

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
    std::vector<std::string> lines_;
    bool byteOrderMark_ = false;
};

// Reads the file at path; a missing or unreadable file, or one that is not a
// regular file, gives an empty document.
IniDocument LoadIniFile(const std::string& path);

// Reads a settings document that is to be converted. A missing file (or a
// path through a missing folder) gives an empty document, as LoadIniFile
// does; a file that exists but cannot be read, or is no regular file, raises
// EFOpenError "ファイル %s を開けません", so that an unreadable document is not
// taken for an empty one.
IniDocument LoadSettingsDocument(const std::string& path);

// Reads a settings document that must exist: a missing file is refused
// like an unreadable one, with EFOpenError "ファイル %s を開けません".
IniDocument LoadExistingSettingsDocument(const std::string& path);

// Writes the document atomically to path, first creating its missing parent
// folders (mode 0700, as for a per-user configuration folder); a failure
// raises EIniFileException "%s に書き込めません" and leaves any old file whole.
void SaveIniFile(const std::string& path, const IniDocument& doc);

}  // namespace polygrav
