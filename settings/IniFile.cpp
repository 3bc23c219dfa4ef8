// A small INI reader and writer of our own. SimpleIni was the other candidate,
// but it does not let the first of two equal sections or keys count, does not
// cut a value at 2047 bytes on a UTF-8 boundary nor remove one pair of quotes,
// and rewrites the whole file in its own layout; the settings file needs all
// of that, and every line it does not touch kept as it stands.

#include "settings/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <utility>

#include "fileio/AtomicFile.h"
#include "model/AsciiCase.h"
#include "model/Blanks.h"
#include "model/Errors.h"
#include "model/PathRules.h"
#include "model/Utf8.h"

namespace polygrav {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
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
        return {LineKind::Section, TrimBlanks(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    const std::string_view name = TrimBlanks(text.substr(0, equals));
    if (name.empty()) return {};
    return {LineKind::Key, name, TrimBlanks(text.substr(equals + 1))};
}

// The length of the UTF-8 sequence at text[i] when it is well formed,
// otherwise 1: a byte that begins none stands alone.
std::size_t Utf8CharLength(std::string_view text, std::size_t i) {
    return std::max<std::size_t>(1, WellFormedUtf8Length(text.substr(i)));
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

// Whether line reads as a section header named name, or as a key named
// name.
bool IsSectionNamed(std::string_view line, std::string_view name) {
    const LineView view = ClassifyLine(line);
    return view.kind == LineKind::Section && EqualIgnoringAsciiCase(view.name, name);
}

bool IsKeyNamed(std::string_view line, std::string_view name) {
    const LineView view = ClassifyLine(line);
    return view.kind == LineKind::Key && EqualIgnoringAsciiCase(view.name, name);
}

// Calls visit(line, begin, end) for each line of text, where [begin, end)
// is the line with its line end. Splits at CR LF, LF and lone CR; a final
// line end adds no empty line.
template <typename Visit>
void ForEachRawLine(std::string_view text, std::size_t begin, std::size_t end, Visit&& visit) {
    std::size_t start = begin;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        const std::size_t lineEnd = i;
        if (c == '\r' && i + 1 < end && text[i + 1] == '\n') ++i;
        visit(text.substr(start, lineEnd - start), start, i + 1);
        start = i + 1;
    }
    if (start < end) visit(text.substr(start, end - start), start, end);
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
// read, is no regular file, or is larger than kMaxSettingsFileBytes.
FileRead ReadRegularFile(const std::string& path, std::string& bytes) {
    // O_NONBLOCK keeps a FIFO at path from blocking the open; only a regular
    // file is read.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::uintmax_t>(info.st_size) <= kMaxSettingsFileBytes;
    // One byte beyond the limit tells a file that grew past it.
    constexpr std::size_t kMostRead = kMaxSettingsFileBytes + 1;
    std::size_t filled = 0;
    if (ok)
        bytes.resize(std::min<std::size_t>(static_cast<std::size_t>(info.st_size) + 1, kMostRead));
    while (ok) {
        if (filled == bytes.size()) {
            if (filled == kMostRead) {
                ok = false;
                break;
            }
            bytes.resize(std::min(kMostRead, std::max<std::size_t>(2 * filled, 16384)));
        }
        const ssize_t n = read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n > 0) {
            filled += static_cast<std::size_t>(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
        }
    }
    close(fd);
    bytes.resize(ok ? filled : 0);
    return ok ? FileRead::Done : FileRead::Failed;
}

}  // namespace

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

namespace {
constexpr std::uint32_t kStart = 0;
constexpr std::uint32_t kEnd = 1;
}  // namespace

std::size_t IniDocument::NameHash::operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ull;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(AsciiLower(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

bool IniDocument::NameEqual::operator()(std::string_view a, std::string_view b) const {
    return EqualIgnoringAsciiCase(a, b);
}

IniDocument::IniDocument() : bytes_(std::make_shared<const std::string>()) {
    Reindex();
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    return ParseOwned(std::string(bytes));
}

IniDocument IniDocument::ParseOwned(std::string bytes) {
    IniDocument doc;
    doc.byteOrderMark_ = std::string_view(bytes).substr(0, kByteOrderMark.size()) == kByteOrderMark;
    doc.bytes_ = std::make_shared<const std::string>(std::move(bytes));
    doc.entries_.clear();
    doc.Reindex();
    return doc;
}

std::string_view IniDocument::Text() const {
    return std::string_view(*bytes_).substr(byteOrderMark_ ? kByteOrderMark.size() : 0);
}

// Calls visit(line, entry, begin, end) for every line in order: the bytes
// between entries line by line (entry is kStart for them) and the entries'
// lines.
template <typename Visit>
void IniDocument::ForEachLine(Visit&& visit) const {
    const std::string_view text = Text();
    if (entries_.empty()) {
        ForEachRawLine(text, 0, text.size(),
                       [&](std::string_view line, std::size_t b, std::size_t e) {
                           visit(line, kStart, b, e);
                       });
        return;
    }
    std::size_t cursor = 0;
    for (std::uint32_t id = entries_[kStart].next;; id = entries_[id].next) {
        const Entry& entry = entries_[id];
        ForEachRawLine(text, cursor, entry.rawBegin,
                       [&](std::string_view line, std::size_t b, std::size_t e) {
                           visit(line, kStart, b, e);
                       });
        cursor = std::max(cursor, entry.rawEnd);
        if (id == kEnd) break;
        visit(entry.line, id, entry.rawBegin, entry.rawEnd);
    }
}

// Builds the entries and the index from the lines in order, as reading
// them from the top finds them.
class IniDocument::Indexer {
  public:
    explicit Indexer(const IniDocument& doc) : doc_(doc), textSize_(doc.Text().size()) {
        entries_.push_back({});
        entries_.push_back({{}, textSize_, textSize_, 0, false});
    }

    void Add(std::string_view line, std::uint32_t from, std::size_t begin, std::size_t end) {
        const bool written = from != kStart && doc_.entries_[from].written;
        const LineView view = ClassifyLine(line);
        if (view.kind == LineKind::Section) {
            PlacePendingKey();
            section_ = nullptr;
            if (sections_.count(view.name) != 0) {
                // A later section of the same name counts for nothing.
                if (written) Append(line, begin, end, true);
                return;
            }
            const std::uint32_t header = Append(line, begin, end, written);
            section_ = &sections_[view.name];
            section_->lastKey = header;
            return;
        }
        if (view.kind == LineKind::Key && section_ != nullptr) {
            if (section_->keys.count(view.name) == 0) {
                const std::uint32_t key = Append(line, begin, end, written);
                section_->keys.emplace(view.name, key);
                section_->lastKey = key;
            } else if (written) {
                section_->lastKey = Append(line, begin, end, true);
            } else {
                // Becomes an entry only if it stays the section's last key.
                pendingKey_ = Pending{line, begin, end};
            }
            return;
        }
        if (written) Append(line, begin, end, true);
    }

    void Finish(IniDocument& doc) {
        PlacePendingKey();
        entries_[last_].next = kEnd;
        doc.entries_ = std::move(entries_);
        doc.sections_ = std::move(sections_);
        doc.lastEntry_ = last_;
    }

  private:
    struct Pending {
        std::string_view line;
        std::size_t begin;
        std::size_t end;
    };

    std::uint32_t Append(std::string_view line, std::size_t begin, std::size_t end, bool written) {
        PlacePendingKey();
        const auto id = static_cast<std::uint32_t>(entries_.size());
        entries_.push_back({line, begin, end, kEnd, written});
        entries_[last_].next = id;
        last_ = id;
        return id;
    }

    // Makes the key line that ended up last in its section an entry, before
    // any later line becomes one.
    void PlacePendingKey() {
        if (!pendingKey_) return;
        const Pending key = *pendingKey_;
        pendingKey_.reset();
        section_->lastKey = Append(key.line, key.begin, key.end, false);
    }

    const IniDocument& doc_;
    std::size_t textSize_;
    std::vector<Entry> entries_;
    std::uint32_t last_ = kStart;
    std::unordered_map<std::string_view, Section, NameHash, NameEqual> sections_;
    Section* section_ = nullptr;
    std::optional<Pending> pendingKey_;
};

void IniDocument::Reindex() {
    Indexer indexer(*this);
    ForEachLine([&](std::string_view line, std::uint32_t from, std::size_t begin, std::size_t end) {
        indexer.Add(line, from, begin, end);
    });
    indexer.Finish(*this);
}

std::uint32_t IniDocument::InsertAfter(std::uint32_t entry, std::string line, std::size_t at) {
    written_.push_back(std::make_shared<const std::string>(std::move(line)));
    const auto id = static_cast<std::uint32_t>(entries_.size());
    entries_.push_back({*written_.back(), at, at, entries_[entry].next, true});
    entries_[entry].next = id;
    if (entry == lastEntry_) lastEntry_ = id;
    return id;
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(section);
    if (found == sections_.end()) return std::nullopt;
    const auto entry = found->second.keys.find(key);
    if (entry == found->second.keys.end()) return std::nullopt;
    std::string_view value = ClassifyLine(entries_[entry->second].line).value;
    if (IsQuotedPair(value)) value = value.substr(1, value.size() - 2);
    return std::string(CutAtUtf8Boundary(value, kMaxIniValueBytes));
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = WithoutLineBreaks(key) + '=' + ValueAsWritten(value);
    // A written line that reads as something other than what was meant (a
    // name holding "]" or "=", blanks around a name, a value that closes a
    // header) changes which lines belong where: the index is then built
    // anew from all lines.
    const auto found = sections_.find(section);
    if (found == sections_.end()) {
        // After the last line of the file.
        const std::uint32_t header =
            InsertAfter(lastEntry_, '[' + WithoutLineBreaks(section) + ']', Text().size());
        const std::uint32_t added = InsertAfter(header, std::move(line), Text().size());
        if (!IsSectionNamed(entries_[header].line, section) ||
            !IsKeyNamed(entries_[added].line, key)) {
            Reindex();
            return;
        }
        Section& created = sections_[ClassifyLine(entries_[header].line).name];
        created.keys.emplace(ClassifyLine(entries_[added].line).name, added);
        created.lastKey = added;
        return;
    }
    Section& target = found->second;
    if (const auto existing = target.keys.find(key); existing != target.keys.end()) {
        Entry& entry = entries_[existing->second];
        written_.push_back(std::make_shared<const std::string>(std::move(line)));
        entry.line = *written_.back();
        entry.written = true;
        if (!IsKeyNamed(entry.line, key)) Reindex();
        return;
    }
    const std::uint32_t added =
        InsertAfter(target.lastKey, std::move(line), entries_[target.lastKey].rawEnd);
    const LineView view = ClassifyLine(entries_[added].line);
    if (view.kind != LineKind::Key) {
        Reindex();
        return;
    }
    target.keys.emplace(view.name, added);
    target.lastKey = added;
}

std::string IniDocument::Serialize() const {
    std::string out;
    out.reserve(Text().size() + (byteOrderMark_ ? kByteOrderMark.size() : 0) + 2);
    if (byteOrderMark_) out += kByteOrderMark;
    ForEachLine([&](std::string_view line, std::uint32_t, std::size_t, std::size_t) {
        out += line;
        out += "\r\n";
    });
    return out;
}

IniDocument LoadIniFile(const std::string& path) {
    std::string bytes;
    if (ReadRegularFile(path, bytes) != FileRead::Done) return {};
    return IniDocument::ParseOwned(std::move(bytes));
}

IniDocument LoadSettingsDocument(const std::string& path) {
    std::string bytes;
    switch (ReadRegularFile(path, bytes)) {
        case FileRead::Done:
            return IniDocument::ParseOwned(std::move(bytes));
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
    return IniDocument::ParseOwned(std::move(bytes));
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
