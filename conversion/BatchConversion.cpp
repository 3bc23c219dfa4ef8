#include "conversion/BatchConversion.h"

#include <optional>
#include <vector>

#include "conversion/DocumentConversion.h"
#include "conversion/PartInfo.h"
#include "export/FigureExport.h"
#include "fileio/AtomicBatch.h"
#include "fileio/AtomicFile.h"
#include "geometry/Figure.h"
#include "geometry/SheetFigure.h"
#include "model/Errors.h"
#include "model/PathRules.h"

namespace polygrav {

namespace {

// A written output to report on once it is in place.
struct StagedOutput {
    std::string label;  // how messages name the document
    std::string path;
    bool view = false;
};

}  // namespace

namespace {

// --info: the readouts of each document, one JSON object, or an array of
// them (null for a document that failed) when there are several.
int PrintInfo(const ConvertOptions& options, const std::string& programDir, char decimalSeparator,
              const BatchHooks& hooks) {
    int status = 0;
    const std::vector<std::string> documents =
        options.documents.empty() ? std::vector<std::string>{std::string()} : options.documents;
    std::vector<std::string> objects;
    for (const std::string& document : documents) {
        try {
            DocumentSettings settings;
            const SettingsModel model =
                LoadDocumentSettings(document, options.settings, programDir, decimalSeparator,
                                     document.empty(), &settings);
            settings.svg = model.values;
            objects.push_back(PartInfoJson(settings, decimalSeparator));
        } catch (const EPolygravError& e) {
            const std::string message = WithClosingPeriod(e.what());
            hooks.report(document.empty() ? message : document + ": " + message);
            objects.push_back("null");
            status = 1;
        }
    }
    std::string out;
    if (objects.size() == 1) {
        if (objects.front() != "null") out = objects.front() + "\n";
    } else {
        out = "[\n";
        for (std::size_t i = 0; i < objects.size(); ++i) {
            out += "  " + objects[i] + (i + 1 < objects.size() ? ",\n" : "\n");
        }
        out += "]\n";
    }
    if (!out.empty() && !hooks.writeStandardOutput(out)) {
        hooks.report(WithClosingPeriod(StreamWriteErrorMessage().text()));
        status = 1;
    }
    return status;
}

}  // namespace

int ConvertBatch(const ConvertOptions& options, const std::string& programDir,
                 char decimalSeparator, const BatchHooks& hooks) {
    if (options.info) return PrintInfo(options, programDir, decimalSeparator, hooks);
    int status = 0;
    const auto fail = [&](const std::string& label, const std::string& message) {
        hooks.report(label.empty() ? message : label + ": " + message);
        status = 1;
    };

    // One file keeps its own flush to the disk; a batch writes every file
    // first and makes them durable together.
    const bool batch = options.documents.size() * options.formats.size() > 1;
    AtomicBatch files;
    std::vector<StagedOutput> staged;

    // Without a document the design values are the start.
    const std::vector<std::string> documents =
        options.documents.empty() ? std::vector<std::string>{std::string()} : options.documents;
    for (const std::string& document : documents) {
        // One figure for every format of the document.
        std::optional<Figure> figure;
        bool view = false;
        for (const ExportFormat format : options.formats) {
            const std::string extension(FileExtension(format));
            StagedOutput out{document, options.output.value_or(ChangeFileExt(document, extension)),
                             false};
            try {
                if (out.path == document) throw EFCreateError(CannotCreateFileMessage(out.path));
                if (!figure) {
                    DocumentSettings settings;
                    const SettingsModel model =
                        LoadDocumentSettings(document, options.settings, programDir,
                                             decimalSeparator, document.empty(), &settings);
                    settings.svg = model.values;
                    figure = BuildDocumentFigure(settings, decimalSeparator);
                    view = options.view && model.values.View;
                }
                const std::string bytes = EncodeFigure(*figure, format, options.exportOptions);
                out.view = view && out.path != "-";
                if (out.path == "-") {
                    if (!hooks.writeStandardOutput(bytes)) {
                        throw EWriteError(StreamWriteErrorMessage());
                    }
                } else if (batch) {
                    files.Stage(out.path, bytes);
                    staged.push_back(std::move(out));
                    continue;
                } else {
                    WriteFileAtomically(out.path, bytes);
                }
            } catch (const EPolygravError& e) {
                fail(out.label, WithClosingPeriod(e.what()));
                // A document that cannot be read fails every format alike.
                if (!figure) break;
                continue;
            }
            if (out.view) hooks.openViewer(out.path);
        }
    }

    const std::vector<std::optional<AtomicWriteError>> results = files.Commit();
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (results[i]) {
            fail(staged[i].label, WithClosingPeriod(results[i]->message.text()));
        } else if (staged[i].view) {
            hooks.openViewer(staged[i].path);
        }
    }
    return status;
}

}  // namespace polygrav
