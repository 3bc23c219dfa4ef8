#include "conversion/ConvertOptions.h"

#include <string_view>

#include "export/PngOptions.h"
#include "model/Errors.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsModel.h"

namespace polygrav {

namespace {

bool IsKnownKey(std::string_view key) {
    for (std::size_t k = 0; k < kSettingsKeyCount; ++k) {
        if (EqualIgnoringAsciiCase(key, SettingsKeyName(static_cast<SettingsKey>(k)))) {
            return true;
        }
    }
    return false;
}

// Trims blanks as a settings file does around a key name.
std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::optional<UsageError> CheckSettingsLine(const std::string& line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return UsageError{"--set " + line + ": KEY=VALUE expected"};
    }
    if (line.find_first_of("\r\n") != std::string::npos) {
        return UsageError{"--set " + line + ": a settings line holds no line break"};
    }
    const std::string_view key = TrimBlanks(std::string_view(line).substr(0, equals));
    if (!IsKnownKey(key)) {
        return UsageError{"--set " + line + ": unknown settings key '" + std::string(key) + "'"};
    }
    // A value that no document could hold either (a colour that is neither a
    // name nor a number) would fail every document alike: refused here.
    try {
        SettingsModel model;
        ReadSettings(IniDocument::Parse(std::string("[") + kSettingsSection + "]\n" + line), {},
                     model);
    } catch (const EPolygravError& e) {
        return UsageError{"--set " + line + ": " + WithClosingPeriod(e.what())};
    }
    return std::nullopt;
}

// Splits "--name=value" into its name and value.
bool SplitLongOption(const std::string& arg, std::string& name, std::string& value) {
    const std::size_t equals = arg.find('=');
    if (arg.rfind("--", 0) != 0 || equals == std::string::npos) return false;
    name = arg.substr(0, equals);
    value = arg.substr(equals + 1);
    return true;
}

}  // namespace

ParsedConvertOptions ParseConvertOptions(const std::vector<std::string>& args) {
    ConvertOptions options;
    const auto fail = [](std::string text) {
        return ParsedConvertOptions{std::nullopt, UsageError{std::move(text)}};
    };
    bool optionsEnded = false;
    bool formatsGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg == "-" || arg.front() != '-') {
            options.documents.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.action = ConvertOptions::Action::Help;
            return {options, std::nullopt};
        }
        if (arg == "--version") {
            options.action = ConvertOptions::Action::Version;
            return {options, std::nullopt};
        }
        if (arg == "--view") {
            options.view = true;
            continue;
        }
        std::string name = arg;
        std::string value;
        const bool inlineValue = SplitLongOption(arg, name, value);
        if (name == "--format" || name == "--dpi" || name == "--dxf" || name == "--dxf-arcs") {
            if (!inlineValue) {
                if (i + 1 >= args.size()) return fail(arg + ": a value is expected");
                value = args[++i];
            }
            try {
                if (name == "--format") {
                    options.formats = ParseFormatList(value);
                    formatsGiven = true;
                } else if (name == "--dpi") {
                    const bool digits = !value.empty() && value.size() <= 6 &&
                                        value.find_first_not_of("0123456789") == std::string::npos;
                    if (!digits) {
                        return fail(name + " " + value + ": a whole number of dots per inch");
                    }
                    const int dpi = std::stoi(value);
                    PngPixelSide(1, dpi);  // the range of resolutions
                    options.exportOptions.dpi = dpi;
                } else if (name == "--dxf") {
                    options.exportOptions.dxfVersion = ParseDxfVersion(value);
                } else {
                    options.exportOptions.dxfArcs = ParseDxfArcs(value);
                }
            } catch (const EPolygravError& e) {
                return fail(name + " " + value + ": " + WithClosingPeriod(e.what()));
            }
            continue;
        }
        if (arg == "--info") {
            options.info = true;
            continue;
        }
        if (arg == "--transparent") {
            options.exportOptions.pngTransparent = true;
            continue;
        }
        if (name == "--set" || name == "-o" || name == "--output") {
            if (!inlineValue) {
                if (i + 1 >= args.size()) return fail(arg + ": a value is expected");
                value = args[++i];
            }
            if (name == "--set") {
                if (auto error = CheckSettingsLine(value)) return {std::nullopt, error};
                options.settings.push_back(value);
            } else {
                if (options.output) return fail(arg + " " + value + ": only one output path");
                if (value.empty()) return fail(arg + ": the output path is empty");
                options.output = value;
            }
            continue;
        }
        return fail(arg + ": unknown option");
    }
    if (options.output && options.documents.size() > 1) {
        return fail("-o " + *options.output + ": one document only, " +
                    std::to_string(options.documents.size()) + " given");
    }
    if (options.documents.empty() && !options.output && !options.info) {
        return fail("no document given");
    }
    if (options.output) {
        // The extension of -o names the format unless --format did.
        if (!formatsGiven) {
            options.formats = {FormatOfPath(*options.output).value_or(ExportFormat::Svg)};
        } else if (options.formats.size() > 1) {
            return fail("-o " + *options.output + ": one format only, " +
                        std::to_string(options.formats.size()) + " given");
        }
    }
    for (const std::string& doc : options.documents) {
        if (doc.empty()) return fail("an empty document path");
    }
    return {options, std::nullopt};
}

std::string ConvertShortUsage() {
    return "Usage: polygrav-convert [--format svg,dxf,pdf,png] [--set KEY=VALUE]... [--view]\n"
           "                        DOCUMENT.pgv...\n"
           "       polygrav-convert [--set KEY=VALUE]... -o PATH|- [DOCUMENT.pgv]\n"
           "Try 'polygrav-convert --help' for more.\n";
}

std::string ConvertUsageText() {
    return "Polygrav 1.0 A1 converter: writes the SVG of Polygrav settings documents.\n"
           "\n"
           "Usage:\n"
           "  polygrav-convert [OPTION]... DOCUMENT...\n"
           "\n"
           "Each DOCUMENT (a .pgv file, section [SVG]) is read as the Polygrav window\n"
           "would load it, and its SVG is written beside it, with .svg in place of its\n"
           "extension, byte for byte what 'polygrav DOCUMENT' writes (and, with\n"
           "--format, its DXF, PDF or PNG, named likewise). Many documents\n"
           "are converted in one run; each file is replaced atomically, so a failed\n"
           "write leaves an earlier file whole. The program's own polygrav.ini is\n"
           "never read.\n"
           "\n"
           "Options:\n"
           "  --set KEY=VALUE  apply a settings line after each document, as if the\n"
           "                   document ended with it (repeatable; KEY is one of\n"
           "                   FavoriteDir EdgeNumber CircumRadius StarType FillColor\n"
           "                   FillTransparent StrokeColor StrokeWidth View FillRule\n"
           "                   StarStep InnerRatio Rotation SizeBy CornerRadius\n"
           "                   ValleyRadius Offset OffsetJoin CutOutline).\n"
           "                   Without a document the design values are the start.\n"
           "  -o PATH          write the file of the one document (or of the design\n"
           "                   values with --set) to PATH; '-o -' writes to standard\n"
           "                   output\n"
           "  --format LIST    the files to write, a comma-separated list of svg, dxf,\n"
           "                   pdf and png (default svg; with -o, the extension of\n"
           "                   PATH when it names one)\n"
           "  --dpi N          the resolution of a PNG, 1 to 2400 (default 96)\n"
           "  --transparent    a PNG without the white background\n"
           "  --dxf r12|r2000  the DXF version (default r12)\n"
           "  --dxf-arcs bulge|segments\n"
           "                   arcs as bulges (default) or as line segments within\n"
           "                   0.01 mm, for cutting programs that ignore bulges\n"
           "  --info           print the figure's readouts instead of writing files: one\n"
           "                   JSON object a document (an array for several) with\n"
           "                   circumradius, acrossFlats, side, innerRadius, width,\n"
           "                   height, perimeter (mm), area (mm2) and contours\n"
           "  --view           open each written file in the desktop's viewer when its\n"
           "                   View setting is on (never without this option)\n"
           "  --help           show this text\n"
           "  --version        show the version\n"
           "  --               the arguments after it are documents\n"
           "\n"
           "Exit status: 0 when every output was written; 1 when any failed (the\n"
           "others are still written, each failure named on standard error); 2 for\n"
           "a usage error, before anything is written.\n";
}

}  // namespace polygrav
