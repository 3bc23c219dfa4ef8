#include "conversion/DocumentConversion.h"

#include "fileio/AtomicFile.h"
#include "model/Errors.h"
#include "model/PathRules.h"
#include "settings/IniFile.h"
#include "svg/SvgDocument.h"

namespace polygrav {

bool IsSettingsDocumentPath(const std::string& path) {
    return EqualIgnoringAsciiCase(ExtractFileExt(path), kDocumentExt);
}

SettingsModel LoadDocumentSettings(const std::string& path,
                                   const std::vector<std::string>& extraLines,
                                   const std::string& defaultFavoriteDir, char decimalSeparator,
                                   bool missingIsEmpty, DocumentSettings* sections) {
    SettingsModel model(defaultFavoriteDir, decimalSeparator);
    const IniDocument doc =
        missingIsEmpty ? LoadSettingsDocument(path) : LoadExistingSettingsDocument(path);
    ReadSettings(doc, defaultFavoriteDir, model, nullptr, decimalSeparator);
    if (sections) ReadSectionSettings(doc, *sections, decimalSeparator);
    for (const std::string& line : extraLines) {
        // One line on its own: only its key is read; the folder stays.
        const std::optional<IniDocument> one = SettingsLineDocument(line);
        if (!one) continue;
        ReadSettings(*one, model.favoriteDir, model, nullptr, decimalSeparator);
        if (sections) ReadSectionSettings(*one, *sections, decimalSeparator);
    }
    return model;
}

ConversionOutcome ConvertDocument(const std::string& documentPath, const std::string& programDir,
                                  char decimalSeparator,
                                  const std::function<void(const std::string&)>& openViewer) {
    ConversionOutcome outcome;
    try {
        const SettingsModel model =
            LoadDocumentSettings(documentPath, {}, programDir, decimalSeparator, true);
        const std::string svgPath = ChangeFileExt(documentPath, ".svg");
        WriteFileAtomically(svgPath, BuildSvgDocument(model.values, decimalSeparator));
        outcome.written = true;
        if (model.values.View) openViewer(svgPath);
        model.UpdateDisplays();
    } catch (const EPolygravError& e) {
        outcome.error = WithClosingPeriod(e.what());
    }
    return outcome;
}

}  // namespace polygrav
