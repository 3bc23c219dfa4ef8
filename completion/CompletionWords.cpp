// Writes the words that the bash completion of polygrav-convert offers, from
// the program's own tables, so that the completion never lists a settings
// key or a format that the converter would refuse, nor misses one it takes.
//
//   polygrav-completion-words keys                 the settings keys, one a line
//   polygrav-completion-words formats              the --format names, one a line
//   polygrav-completion-words TEMPLATE OUTPUT      TEMPLATE with @KEYS@ and
//                                                  @FORMATS@ replaced by the words
//
// Run at build time only; it is not installed.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "export/FigureExport.h"
#include "model/SettingsKeys.h"

namespace {

using namespace polygrav;

// The keys as --set takes them, from the key table: the [SVG] keys by their
// bare names, the other sections' keys as Section.Key.
std::vector<std::string> SettingsKeys() {
    std::vector<std::string> keys;
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        const std::string section = info.section;
        keys.push_back(section == kSettingsSection ? info.name : section + "." + info.name);
    }
    return keys;
}

// Every format, named once in a switch without a default: a format added to
// ExportFormat and not here is a -Wswitch warning, an error in the builds
// with warnings as errors.
constexpr ExportFormat kFormats[] = {ExportFormat::Svg, ExportFormat::Dxf,     ExportFormat::Pdf,
                                     ExportFormat::Png, ExportFormat::Gcode,   ExportFormat::Plt,
                                     ExportFormat::Stl, ExportFormat::ThreeMf, ExportFormat::Scad};

[[maybe_unused]] constexpr bool IsListed(ExportFormat format) {
    switch (format) {
        case ExportFormat::Svg:
        case ExportFormat::Dxf:
        case ExportFormat::Pdf:
        case ExportFormat::Png:
        case ExportFormat::Gcode:
        case ExportFormat::Plt:
        case ExportFormat::Stl:
        case ExportFormat::ThreeMf:
        case ExportFormat::Scad:
            return true;
    }
    return false;
}

std::vector<std::string> FormatNames() {
    std::vector<std::string> names;
    for (const ExportFormat format : kFormats) names.emplace_back(FormatName(format));
    return names;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) text += ' ';
        text += word;
    }
    return text;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "keys" || args[0] == "formats")) {
        for (const std::string& word : args[0] == "keys" ? SettingsKeys() : FormatNames()) {
            std::cout << word << '\n';
        }
        return 0;
    }
    if (args.size() != 2) {
        std::cerr << "usage: polygrav-completion-words keys|formats|TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(args[0], std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    if (!in) {
        std::cerr << "cannot read " << args[0] << '\n';
        return 1;
    }
    std::string text = buffer.str();
    ReplaceAll(text, "@KEYS@", Joined(SettingsKeys()));
    ReplaceAll(text, "@FORMATS@", Joined(FormatNames()));
    std::ofstream out(args[1], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "cannot write " << args[1] << '\n';
        return 1;
    }
    return 0;
}
