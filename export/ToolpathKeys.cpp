#include "export/ToolpathKeys.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "export/ExportErrors.h"
#include "export/ToolpathErrors.h"
#include "model/Blanks.h"

namespace polygrav {

namespace {

enum class Kind { Decimal, Whole, Switch };

struct KeyEntry {
    std::string_view name;
    Kind kind;
    void (*set)(ExportOptions&, double);
};

const std::array<KeyEntry, 11> kKeys = {{
    {"Power", Kind::Decimal, [](ExportOptions& o, double v) { o.gcode.power = v; }},
    {"MaxPower", Kind::Decimal, [](ExportOptions& o, double v) { o.gcode.maxPower = v; }},
    {"Feed", Kind::Decimal, [](ExportOptions& o, double v) { o.gcode.feed = v; }},
    {"Passes", Kind::Whole,
     [](ExportOptions& o, double v) { o.gcode.passes = static_cast<int>(v); }},
    {"PassDepth", Kind::Decimal, [](ExportOptions& o, double v) { o.gcode.passDepth = v; }},
    {"SafeZ", Kind::Decimal, [](ExportOptions& o, double v) { o.gcode.safeZ = v; }},
    {"LaserMode", Kind::Switch, [](ExportOptions& o, double v) { o.gcode.laserMode = v != 0; }},
    {"Origin", Kind::Switch,
     [](ExportOptions& o, double v) {
         o.gcode.origin = v != 0 ? MachineOrigin::Centre : MachineOrigin::BottomLeft;
     }},
    {"Overcut", Kind::Decimal, [](ExportOptions& o, double v) { o.hpgl.overcut = v; }},
    {"Mirror", Kind::Switch, [](ExportOptions& o, double v) { o.hpgl.mirror = v != 0; }},
    {"Speed", Kind::Decimal, [](ExportOptions& o, double v) { o.hpgl.speed = v; }},
}};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

const KeyEntry* Find(std::string_view key) {
    for (const KeyEntry& entry : kKeys) {
        if (SameIgnoringCase(entry.name, key)) return &entry;
    }
    return nullptr;
}

}  // namespace

bool IsMachineKey(std::string_view key) {
    return Find(key) != nullptr;
}

void ApplyMachineKey(ExportOptions& options, std::string_view key, std::string_view value) {
    const KeyEntry* entry = Find(key);
    const std::string label = "Machine." + std::string(entry ? entry->name : key);
    if (!entry) throw EExportError(MachineValueNotANumberMessage(label, value));
    const std::string_view text = TrimBlanks(value);
    if (text.empty() && entry->name == "Speed") {
        options.hpgl.speed.reset();
        return;
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool whole = number == std::floor(number) && std::fabs(number) < 1e9;
    const bool fits = entry->kind == Kind::Decimal ? std::isfinite(number)
                      : entry->kind == Kind::Whole ? whole
                                                   : number == 0 || number == 1;
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !fits)
        throw EExportError(MachineValueNotANumberMessage(label, value));
    entry->set(options, number);
}

}  // namespace polygrav
