#pragma once

#include <optional>
#include <string>
#include <vector>

#include "export/FigureExport.h"

namespace polygrav {

// What a polygrav-convert command line asks for.
struct ConvertOptions {
    enum class Action { Convert, Help, Version };

    Action action = Action::Convert;
    std::vector<std::string> documents;
    // "KEY=VALUE" settings lines applied after each document, in order.
    std::vector<std::string> settings;
    // -o: the one output's path; "-" is standard output.
    std::optional<std::string> output;
    // --view: open each written file as the program does when View is on.
    bool view = false;
    // --format (or the extension of -o): the files written for each
    // document, SVG unless told otherwise; the options of each format.
    std::vector<ExportFormat> formats{ExportFormat::Svg};
    // --info: the figure's readouts on standard output instead of files.
    bool info = false;
    ExportOptions exportOptions;
};

// A command line that cannot be carried out: the text names the argument.
struct UsageError {
    std::string text;
};

// Parses the arguments after the program. Options and documents may come in
// any order; "--" ends the options. Gives the error of the first argument
// that is wrong: an unknown option, an option without its value, "--set"
// without "=" or with a key that no settings file knows or with a line
// break, "-o" given twice or with several documents, no document without
// "-o".
struct ParsedConvertOptions {
    std::optional<ConvertOptions> options;
    std::optional<UsageError> error;
};
ParsedConvertOptions ParseConvertOptions(const std::vector<std::string>& args);

// The keys of section [SVG] as the help lists them.
std::string HelpKeyList();

// The text of --help.
std::string ConvertUsageText();

// The short usage shown after a usage error.
std::string ConvertShortUsage();

}  // namespace polygrav
