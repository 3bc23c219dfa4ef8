// polygrav-convert: the command-line converter for scripts and batches. It
// writes the same SVG files as "polygrav DOCUMENT.pgv" and links no Qt.

#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "conversion/BatchConversion.h"
#include "conversion/ConvertOptions.h"
#include "conversion/ProgramPath.h"
#include "conversion/ViewerModuleLoader.h"
#include "export/CairoEncoders.h"
#include "model/LanguageChoice.h"
#include "model/NumberRules.h"
#include "model/PathRules.h"
#include "model/Version.h"

namespace {

using namespace polygrav;

void WriteLine(const std::string& text) {
    const std::string line = text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

bool WriteStandardOutput(const std::string& bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // The user's locale decides the decimal separator of the radius, as in
    // the window.
    std::setlocale(LC_ALL, "");
    // The user's preferred languages decide the language of the messages.
    SetMessageLanguage(LanguageOfEnvironment());
    const std::string programPath = RunningProgramPath(argv[0]);
    const std::string title = ApplicationTitle(programPath);

    const ParsedConvertOptions parsed =
        ParseConvertOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.error) {
        WriteLine(title + ": " + parsed.error->text);
        std::fputs(ConvertShortUsage().c_str(), stderr);
        return 2;
    }
    const ConvertOptions& options = *parsed.options;
    if (options.action == ConvertOptions::Action::Help) {
        std::fputs(ConvertUsageText().c_str(), stdout);
        return 0;
    }
    if (options.action == ConvertOptions::Action::Version) {
        std::puts("polygrav-convert (" POLYGRAV_VERSION_TEXT ")");
        return 0;
    }

    // PDF and PNG come from the module polygrav-cairo.so, loaded only when
    // one of them is written.
    UseCairoEncoders(ModuleCairoEncoders(programPath));
    const auto report = [&title](const std::string& text) { WriteLine(title + ": " + text); };
    BatchHooks hooks;
    hooks.report = report;
    hooks.writeStandardOutput = WriteStandardOutput;
    hooks.openViewer = [&](const std::string& path) {
        OpenWithViewerModule(programPath, path, report);
    };
    return ConvertBatch(options, ExtractFileDir(programPath), LocaleDecimalSeparator(), hooks);
}
