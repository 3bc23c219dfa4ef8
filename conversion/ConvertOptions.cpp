#include "conversion/ConvertOptions.h"

#include <string_view>

#include "export/PngOptions.h"
#include "model/Blanks.h"
#include "model/Errors.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

namespace polygrav {

namespace {

std::optional<UsageError> CheckSettingsLine(const std::string& line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return UsageError{MessageText(MessageId::SetLineExpected, {line})};
    }
    if (line.find_first_of("\r\n") != std::string::npos) {
        return UsageError{MessageText(MessageId::SetLineBreak, {line})};
    }
    const std::string_view key = TrimBlanks(std::string_view(line).substr(0, equals));
    if (!FindSettingsKey(key)) {
        return UsageError{MessageText(MessageId::SetUnknownKey, {line, Quoted(key)})};
    }
    // A value that no document could hold either (a colour that is neither a
    // name nor a number) would fail every document alike: refused here. A
    // value whose range depends on other keys is checked with each document,
    // after the document's keys and the earlier --set lines.
    try {
        PlainSettingsTarget plain;
        ReadSettings(*SettingsLineDocument(line), {}, plain);
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
                if (i + 1 >= args.size())
                    return fail(MessageText(MessageId::OptionValueExpected, {arg}));
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
                        return fail(MessageText(MessageId::DpiNotWhole, {name, value}));
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
                if (i + 1 >= args.size())
                    return fail(MessageText(MessageId::OptionValueExpected, {arg}));
                value = args[++i];
            }
            if (name == "--set") {
                if (auto error = CheckSettingsLine(value)) return {std::nullopt, error};
                options.settings.push_back(value);
            } else {
                if (options.output)
                    return fail(MessageText(MessageId::OutputGivenTwice, {arg, value}));
                if (value.empty()) return fail(MessageText(MessageId::OutputPathEmpty, {arg}));
                options.output = value;
            }
            continue;
        }
        return fail(MessageText(MessageId::UnknownOption, {arg}));
    }
    if (options.output && options.documents.size() > 1) {
        return fail(MessageText(MessageId::OutputOneDocument,
                                {*options.output, std::to_string(options.documents.size())}));
    }
    if (options.documents.empty() && !options.output && !options.info) {
        return fail(MessageText(MessageId::NoDocument));
    }
    if (options.output) {
        // The extension of -o names the format unless --format did.
        if (!formatsGiven) {
            options.formats = {FormatOfPath(*options.output).value_or(ExportFormat::Svg)};
        } else if (options.formats.size() > 1) {
            return fail(MessageText(MessageId::OutputOneFormat,
                                    {*options.output, std::to_string(options.formats.size())}));
        }
    }
    for (const std::string& doc : options.documents) {
        if (doc.empty()) return fail(MessageText(MessageId::EmptyDocumentPath));
    }
    return {options, std::nullopt};
}

std::string ConvertShortUsage() {
    return MessageText(MessageId::ConvertShortUsage);
}

std::string HelpKeyList() {
    // The keys of [SVG] in the table's order, five to a line, the lines
    // indented to the help's second column.
    std::string list;
    std::size_t onLine = 0;
    for (const SettingsKeyInfo& info : kSettingsKeys) {
        if (std::string_view(info.section) != kSettingsSection) continue;
        if (onLine == 5) {
            list += "\n                   ";
            onLine = 0;
        } else if (!list.empty()) {
            list += ' ';
        }
        list += info.name;
        ++onLine;
    }
    return list;
}

std::string ConvertUsageText() {
    return MessageText(MessageId::ConvertUsage, {HelpKeyList()});
}

}  // namespace polygrav
