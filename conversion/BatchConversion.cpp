#include "conversion/BatchConversion.h"

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "conversion/DocumentConversion.h"
#include "conversion/DocumentFigure.h"
#include "conversion/PartInfo.h"
#include "conversion/SolidSettings.h"
#include "export/FigureExport.h"
#include "fileio/AtomicBatch.h"
#include "fileio/AtomicFile.h"
#include "geometry/Figure.h"
#include "model/Blanks.h"
#include "model/Errors.h"
#include "model/PathRules.h"
#include "model/SettingsKeys.h"
#include "settings/SettingsFile.h"

namespace polygrav {

namespace {

// A written output to report on once it is in place.
struct StagedOutput {
    std::string label;  // how messages name the document
    std::string path;
    bool view = false;
};

// A document's settings: [SVG] as the window's controls take it, and the
// further sections.
struct LoadedDocument {
    SettingsModel model;
    DocumentSettings sections;
};

LoadedDocument LoadDocument(const std::string& document, const ConvertOptions& options,
                            const std::string& programDir, char decimalSeparator) {
    DocumentSettings sections;
    SettingsModel model = LoadDocumentSettings(document, options.settings, programDir,
                                               decimalSeparator, document.empty(), sections);
    return {std::move(model), std::move(sections)};
}

// Whether a --set line names a key of [Solid] ("Solid.Thickness=3").
bool NamesSolidKey(const std::string& line) {
    const std::optional<SettingsKey> key = FindSettingsKey(
        TrimBlanks(std::string_view(line).substr(0, std::min(line.find('='), line.size()))));
    return key && std::string_view(KeyInfo(*key).section) == "Solid";
}

// A solid is asked for by a solid format, by a [Solid] key away from its
// default, or by a --set line of [Solid], even at the default.
bool AsksForSolid(const ConvertOptions& options, const DocumentSettings& sections) {
    return AsksForSolid(sections.Solid) ||
           std::any_of(options.settings.begin(), options.settings.end(), NamesSolidKey) ||
           std::any_of(options.formats.begin(), options.formats.end(),
                       [](ExportFormat f) { return IsSolidFormat(f); });
}

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
            const LoadedDocument d = LoadDocument(document, options, programDir, decimalSeparator);
            std::string json = PartInfoJson(d.model.values, decimalSeparator);
            if (AsksForSolid(options, d.sections)) {
                json.insert(json.size() - 1,
                            SolidInfoFields(DocumentFigure(d.sections, decimalSeparator),
                                            SolidParametersOf(d.sections.Solid)));
            }
            objects.push_back(std::move(json));
        } catch (const EPolygravError& e) {
            const std::string message = WithClosingPeriod(e.detail().text());
            hooks.report(document.empty() ? message : document + ": " + message);
            objects.push_back("null");
            status = 1;
        } catch (const std::bad_alloc&) {
            const std::string message = WithClosingPeriod(
                NotEnoughMemoryMessage(document.empty() ? options.output.value_or("-") : document)
                    .text());
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
    if (out.empty()) return status;
    if (options.output && *options.output != "-") {
        // -o takes the readouts as it would take a drawing.
        try {
            WriteFileAtomically(*options.output, out);
        } catch (const EPolygravError& e) {
            hooks.report(WithClosingPeriod(e.detail().text()));
            status = 1;
        }
    } else if (!hooks.writeStandardOutput(out)) {
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
        ExportOptions exportOptions = options.exportOptions;
        bool view = false;
        for (const ExportFormat format : options.formats) {
            const std::string extension(FileExtension(format));
            StagedOutput out{document, options.output.value_or(ChangeFileExt(document, extension)),
                             false};
            try {
                if (out.path == document) throw EFCreateError(CannotCreateFileMessage(out.path));
                if (!figure) {
                    const LoadedDocument d =
                        LoadDocument(document, options, programDir, decimalSeparator);
                    figure = DocumentFigure(d.sections, decimalSeparator);
                    exportOptions = DocumentExportOptions(d.sections, options.exportOptions);
                    view = options.view && d.model.values.View;
                }
                const std::string bytes = EncodeFigure(*figure, format, exportOptions);
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
                fail(out.label, WithClosingPeriod(e.detail().text()));
                // A document that cannot be read fails every format alike.
                if (!figure) break;
                continue;
            } catch (const std::bad_alloc&) {
                // Running out of memory ends this document only; what it
                // held is given back before the next one.
                figure.reset();
                fail(out.label,
                     WithClosingPeriod(
                         NotEnoughMemoryMessage(document.empty() ? out.path : document).text()));
                break;
            }
            if (out.view) hooks.openViewer(out.path);
        }
    }

    const std::vector<std::optional<AtomicWriteError>> results = files.Commit();
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (results[i]) {
            fail(staged[i].label, WithClosingPeriod(results[i]->detail.text()));
        } else if (staged[i].view) {
            hooks.openViewer(staged[i].path);
        }
    }
    return status;
}

}  // namespace polygrav
