#include "conversion/ProgramConversion.h"

#include <cstdlib>

#include "conversion/DocumentConversion.h"
#include "conversion/ViewerModuleLoader.h"
#include "model/Environment.h"
#include "model/PathRules.h"

namespace polygrav {

int ConvertAsTheProgram(const std::string& programPath, const std::string& argument,
                        char decimalSeparator, std::vector<ProgramMessage>& messages) {
    // Any argument but a ".pgv" document ends the program at once.
    if (!IsSettingsDocumentPath(argument)) return 0;
    const auto openViewer = [&](const std::string& svg) {
        OpenWithViewerModule(programPath, svg, [&messages](const std::string& text) {
            messages.push_back({false, text});
        });
    };
    const ConversionOutcome outcome =
        ConvertDocument(argument, ExtractFileDir(programPath), decimalSeparator, openViewer);
    if (outcome.error) messages.push_back({true, *outcome.error});
    return outcome.written ? 0 : 1;
}

bool DisplayOffered() {
    if (IsSetInEnvironment("QT_QPA_PLATFORM")) {
        const std::string platform = std::getenv("QT_QPA_PLATFORM");
        return platform != "offscreen" && platform != "minimal";
    }
    return IsSetInEnvironment("DISPLAY") || IsSetInEnvironment("WAYLAND_DISPLAY");
}

std::string StandardErrorLine(const std::string& programPath, const std::string& text) {
    return ApplicationTitle(programPath) + ": " + text;
}

}  // namespace polygrav
