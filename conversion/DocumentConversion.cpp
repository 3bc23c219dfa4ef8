#include "conversion/DocumentConversion.h"

#include "export/FigureFile.h"
#include "geometry/Figure.h"
#include "model/AsciiCase.h"
#include "model/Errors.h"
#include "model/PathRules.h"
#include "settings/IniFile.h"

namespace polygrav {

bool IsSettingsDocumentPath(const std::string& path) {
    return EqualIgnoringAsciiCase(ExtractFileExt(path), kDocumentExt);
}

namespace {

// The load of both overloads; sections null leaves the further sections
// unread.
SettingsModel LoadSettings(const std::string& path, const std::vector<std::string>& extraLines,
                           const std::string& defaultFavoriteDir, char decimalSeparator,
                           bool missingIsEmpty, DocumentSettings* sections) {
    SettingsModel model(defaultFavoriteDir, decimalSeparator);
    const IniDocument doc =
        missingIsEmpty ? LoadSettingsDocument(path) : LoadExistingSettingsDocument(path);
    ReadSettings(doc, defaultFavoriteDir, model, nullptr, decimalSeparator);
    if (sections) {
        CheckSectionTexts(doc, decimalSeparator);
        ReadSectionSettings(doc, *sections, decimalSeparator);
    }
    for (const std::string& line : extraLines) {
        // One line on its own, a document of its key's section: only its key
        // is read; the folder stays.
        const std::optional<IniDocument> one = SettingsLineDocument(line);
        if (!one) continue;
        ReadSettings(*one, model.favoriteDir, model, nullptr, decimalSeparator);
        if (sections) {
            CheckSectionTexts(*one, decimalSeparator);
            ReadSectionSettings(*one, *sections, decimalSeparator);
        }
    }
    if (sections) sections->svg = model.values;
    return model;
}

}  // namespace

SettingsModel LoadDocumentSettings(const std::string& path,
                                   const std::vector<std::string>& extraLines,
                                   const std::string& defaultFavoriteDir, char decimalSeparator,
                                   bool missingIsEmpty) {
    return LoadSettings(path, extraLines, defaultFavoriteDir, decimalSeparator, missingIsEmpty,
                        nullptr);
}

SettingsModel LoadDocumentSettings(const std::string& path,
                                   const std::vector<std::string>& extraLines,
                                   const std::string& defaultFavoriteDir, char decimalSeparator,
                                   bool missingIsEmpty, DocumentSettings& sections) {
    return LoadSettings(path, extraLines, defaultFavoriteDir, decimalSeparator, missingIsEmpty,
                        &sections);
}

ConversionOutcome ConvertDocument(const std::string& documentPath, const std::string& programDir,
                                  char decimalSeparator,
                                  const std::function<void(const std::string&)>& openViewer) {
    ConversionOutcome outcome;
    try {
        const SettingsModel model =
            LoadDocumentSettings(documentPath, {}, programDir, decimalSeparator, true);
        const std::string svgPath = ChangeFileExt(documentPath, ".svg");
        // One figure for the file and the window's start-up preview.
        const Figure figure = BuildFigure(model.values, decimalSeparator);
        WriteFigureFile(svgPath, figure, ExportFormat::Svg);
        outcome.written = true;
        if (model.values.View) openViewer(svgPath);
        model.UpdateDisplays(figure);
    } catch (const EPolygravError& e) {
        outcome.error = WithClosingPeriod(e.what());
    }
    return outcome;
}

}  // namespace polygrav
