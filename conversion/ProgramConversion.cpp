#include "conversion/ProgramConversion.h"

#include "conversion/DocumentConversion.h"
#include "conversion/ViewerModuleLoader.h"
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

std::string StandardErrorLine(const std::string& programPath, const std::string& text) {
    return ApplicationTitle(programPath) + ": " + text;
}

}  // namespace polygrav
