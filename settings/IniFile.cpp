// A small INI reader and writer of our own. SimpleIni was the other candidate,
// but it does not let the first of two equal sections or keys count, does not
// cut a value at 2047 bytes on a UTF-8 boundary nor remove one pair of quotes,
// and rewrites the whole file in its own layout; the settings file needs all
// of that, and every line it does not touch kept as it stands.

#include "settings/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "model/Errors.h"
#include "model/PathRules.h"
#include "svg/AtomicFile.h"

namespace polygrav {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsQuotedPair(std::string_view s) {
    return s.size() >= 2 && s.front() == '"' && s.back() == '"';
}

// What a line of the file is. Comments, blank lines and lines of any other
// shape are Other: kept, never read.
enum class LineKind { Other, Section, Key };

struct LineView {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;  // trimmed, quotes still on
};

LineView ClassifyLine(std::string_view line) {
    const std::string_view text = TrimLeft(line);
    if (text.empty() || text.front() == ';' || text.front() == '#') return {};
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return {};
        return {LineKind::Section, Trim(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    const std::string_view name = Trim(text.substr(0, equals));
    if (name.empty()) return {};
    return {LineKind::Key, name, Trim(text.substr(equals + 1))};
}

// The length of the UTF-8 sequence at text[i] when it is well formed (no
// overlong forms, no surrogates, nothing above U+10FFFF), otherwise 1.
std::size_t Utf8CharLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 1;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 1;
    }
    if (i + length > text.size()) return 1;
    if (byte(i + 1) < low || byte(i + 1) > high) return 1;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 1;
    }
    return length;
}

// Splits at CR LF, LF and lone CR. A final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

// A line break inside a written name or value would start a new line of the
// file; it becomes a blank instead.
std::string WithoutLineBreaks(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

// Quotes a value that trimming or quote removal would otherwise change.
std::string ValueAsWritten(std::string_view value) {
    std::string text = WithoutLineBreaks(value);
    const bool changedByReading =
        !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) || IsQuotedPair(text));
    if (changedByReading) return '"' + text + '"';
    return text;
}

// Lines [header, end) of the first section of that name.
struct SectionRange {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<SectionRange> FindSection(const std::vector<std::string>& lines,
                                        std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineView view = ClassifyLine(lines[i]);
        if (view.kind != LineKind::Section || !EqualIgnoringAsciiCase(view.name, section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && ClassifyLine(lines[end]).kind != LineKind::Section) ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

// Creates the missing folders of dir, like "mkdir -p" with mode 0700. Errors
// are left to the write that follows, which reports them.
void CreateMissingFolders(const std::string& dir) {
    if (dir.empty()) return;
    struct stat info {};
    if (stat(dir.c_str(), &info) == 0) return;
    const std::string parent = ExtractFileDir(dir);
    if (parent.size() < dir.size()) CreateMissingFolders(parent);
    mkdir(dir.c_str(), 0700);
}

// How reading a whole file ended.
enum class FileRead { Done, Missing, Failed };

// Reads the regular file at path into bytes. Missing: nothing is at path, or
// a folder on the way is missing. Failed: something is there but cannot be
// read, or is no regular file.
FileRead ReadRegularFile(const std::string& path, std::string& bytes) {
    // O_NONBLOCK keeps a FIFO at path from blocking the open; only a regular
    // file is read.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    char buffer[16384];
    while (ok) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
        }
    }
    close(fd);
    return ok ? FileRead::Done : FileRead::Failed;
}

}  // namespace

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

std::string_view CutAtUtf8Boundary(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t length = Utf8CharLength(text, end);
        if (end + length > maxBytes) break;
        end += length;
    }
    return text.substr(0, end);
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        doc.byteOrderMark_ = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    doc.lines_ = SplitLines(bytes);
    return doc;
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
    const std::optional<SectionRange> range = FindSection(lines_, section);
    if (!range) return std::nullopt;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const LineView view = ClassifyLine(lines_[i]);
        if (view.kind != LineKind::Key || !EqualIgnoringAsciiCase(view.name, key)) continue;
        std::string_view value = view.value;
        if (IsQuotedPair(value)) value = value.substr(1, value.size() - 2);
        return std::string(CutAtUtf8Boundary(value, kMaxIniValueBytes));
    }
    return std::nullopt;
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = WithoutLineBreaks(key) + '=' + ValueAsWritten(value);
    const std::optional<SectionRange> range = FindSection(lines_, section);
    if (!range) {
        lines_.push_back('[' + WithoutLineBreaks(section) + ']');
        lines_.push_back(std::move(line));
        return;
    }
    std::size_t insertAt = range->header + 1;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const LineView view = ClassifyLine(lines_[i]);
        if (view.kind != LineKind::Key) continue;
        if (EqualIgnoringAsciiCase(view.name, key)) {
            lines_[i] = std::move(line);
            return;
        }
        insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string IniDocument::Serialize() const {
    std::string out;
    if (byteOrderMark_) out += kByteOrderMark;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

IniDocument LoadIniFile(const std::string& path) {
    std::string bytes;
    if (ReadRegularFile(path, bytes) != FileRead::Done) return {};
    return IniDocument::Parse(bytes);
}

IniDocument LoadSettingsDocument(const std::string& path) {
    std::string bytes;
    switch (ReadRegularFile(path, bytes)) {
        case FileRead::Done:
            return IniDocument::Parse(bytes);
        case FileRead::Missing:
            return {};
        case FileRead::Failed:
            break;
    }
    throw EFOpenError(CannotOpenFileMessage(path));
}

IniDocument LoadExistingSettingsDocument(const std::string& path) {
    std::string bytes;
    if (ReadRegularFile(path, bytes) != FileRead::Done) {
        throw EFOpenError(CannotOpenFileMessage(path));
    }
    return IniDocument::Parse(bytes);
}

void SaveIniFile(const std::string& path, const IniDocument& doc) {
    CreateMissingFolders(ExtractFileDir(path));
    try {
        WriteFileAtomically(path, doc.Serialize());
    } catch (const EFCreateError&) {
        throw EIniFileException(CannotWriteIniMessage(path));
    } catch (const EWriteError&) {
        throw EIniFileException(CannotWriteIniMessage(path));
    }
}

}  // namespace polygrav
