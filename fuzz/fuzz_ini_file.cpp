// Fuzzes the INI reader and the settings writer: any bytes parse, every read
// value stays within its limit, a serialised document reads the same, and
// settings written into any document read back to the same values.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "model/Errors.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

using namespace polygrav;

namespace {

const char* const kKeys[] = {"FavoriteDir", "EdgeNumber",      "CircumRadius", "StarType",
                             "FillColor",   "FillTransparent", "StrokeColor",  "StrokeWidth",
                             "View",        "FillRule"};

// Records what a settings file hands over.
struct Recorder : SettingsTarget {
    std::string favoriteDir;
    TStarSettings s;
    void setFavoriteDir(const std::string& v) override { favoriteDir = v; }
    void setEdgeNumber(const std::string& v) override { s.EdgeNumber = v; }
    void setCircumRadius(const std::string& v) override { s.CircumRadius = v; }
    void setStarType(std::int32_t v) override { s.StarType = v; }
    void setFillColor(TColor v) override { s.FillColor = v; }
    void setFillTransparent(bool v) override { s.FillTransparent = v; }
    void setStrokeColor(TColor v) override { s.StrokeColor = v; }
    void setStrokeWidth(std::int32_t v) override { s.StrokeWidth = v; }
    void setView(bool v) override { s.View = v; }
    void setFillRule(bool v) override { s.FillRule = v; }
    PartSettings partSettings() const override { return s.Part; }
    void setPartSettings(const PartSettings& v) override { s.Part = v; }
};

// Takes pieces of the input in turn: texts up to a NUL byte, integers from
// four bytes.
class Pieces {
  public:
    explicit Pieces(std::string_view data) : data_(data) {}
    std::string Text() {
        const std::size_t end = data_.find('\0');
        std::string piece(data_.substr(0, end));
        data_.remove_prefix(end == std::string_view::npos ? data_.size() : end + 1);
        return piece;
    }
    std::uint32_t Bits() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4 && !data_.empty(); ++i) {
            v = (v << 8) | static_cast<unsigned char>(data_.front());
            data_.remove_prefix(1);
        }
        return v;
    }

  private:
    std::string_view data_;
};

// Texts that the settings file keeps exactly: no line breaks, within the
// read limit.
bool Storable(const std::string& t) {
    return t.size() <= kMaxIniValueBytes && t.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    IniDocument doc = IniDocument::Parse(bytes);
    const IniDocument again = IniDocument::Parse(doc.Serialize());
    for (const char* key : kKeys) {
        const auto value = doc.Read(kSettingsSection, key);
        if (value) FUZZ_CHECK(value->size() <= kMaxIniValueBytes);
        FUZZ_CHECK(again.Read(kSettingsSection, key) == value);
    }

    // Settings made of the same bytes, written into the fuzzed document.
    Pieces pieces(bytes);
    const std::string favoriteDir = pieces.Text();
    TStarSettings s;
    s.EdgeNumber = pieces.Text();
    s.CircumRadius = pieces.Text();
    s.StarType = static_cast<std::int32_t>(pieces.Bits());
    s.FillColor = pieces.Bits();
    s.StrokeColor = pieces.Bits();
    s.StrokeWidth = static_cast<std::int32_t>(pieces.Bits());
    const std::uint32_t flags = pieces.Bits();
    s.FillTransparent = flags & 1;
    s.View = flags & 2;
    s.FillRule = flags & 4;

    WriteSettings(doc, favoriteDir, s);
    Recorder read;
    ReadSettings(IniDocument::Parse(doc.Serialize()), "unused", read);
    if (Storable(favoriteDir)) FUZZ_CHECK(read.favoriteDir == favoriteDir);
    if (Storable(s.EdgeNumber)) FUZZ_CHECK(read.s.EdgeNumber == s.EdgeNumber);
    if (Storable(s.CircumRadius)) FUZZ_CHECK(read.s.CircumRadius == s.CircumRadius);
    FUZZ_CHECK(read.s.StarType == s.StarType);
    FUZZ_CHECK(read.s.FillColor == s.FillColor);
    FUZZ_CHECK(read.s.FillTransparent == s.FillTransparent);
    FUZZ_CHECK(read.s.StrokeColor == s.StrokeColor);
    FUZZ_CHECK(read.s.StrokeWidth == s.StrokeWidth);
    FUZZ_CHECK(read.s.View == s.View);
    FUZZ_CHECK(read.s.FillRule == s.FillRule);
    return 0;
}
