#include "conversion/BatchConversion.h"

#include <optional>
#include <vector>

#include "conversion/DocumentConversion.h"
#include "fileio/AtomicBatch.h"
#include "fileio/AtomicFile.h"
#include "model/Errors.h"
#include "model/PathRules.h"
#include "svg/SvgDocument.h"

namespace polygrav {

namespace {

// A written output to report on once it is in place.
struct StagedOutput {
    std::string label;  // how messages name the document
    std::string path;
    bool view = false;
};

}  // namespace

int ConvertBatch(const ConvertOptions& options, const std::string& programDir,
                 char decimalSeparator, const BatchHooks& hooks) {
    int status = 0;
    const auto fail = [&](const std::string& label, const std::string& message) {
        hooks.report(label.empty() ? message : label + ": " + message);
        status = 1;
    };

    // One document keeps its own flush to the disk; a batch writes every
    // file first and makes them durable together.
    const bool batch = options.documents.size() > 1;
    AtomicBatch files;
    std::vector<StagedOutput> staged;

    // Without a document the design values are the start.
    const std::vector<std::string> documents =
        options.documents.empty() ? std::vector<std::string>{std::string()} : options.documents;
    for (const std::string& document : documents) {
        StagedOutput out{document, options.output.value_or(ChangeFileExt(document, ".svg")), false};
        try {
            if (out.path == document) throw EFCreateError(CannotCreateFileMessage(out.path));
            const SettingsModel model =
                document.empty()
                    ? LoadDocumentSettings({}, options.settings, programDir, decimalSeparator, true)
                    : LoadDocumentSettings(document, options.settings, programDir, decimalSeparator,
                                           false);
            const std::string bytes = BuildSvgDocument(model.values, decimalSeparator);
            out.view = options.view && model.values.View && out.path != "-";
            if (out.path == "-") {
                if (!hooks.writeStandardOutput(bytes)) throw EWriteError(StreamWriteErrorMessage());
            } else if (batch) {
                files.Stage(out.path, bytes);
                staged.push_back(std::move(out));
                continue;
            } else {
                WriteFileAtomically(out.path, bytes);
            }
        } catch (const EPolygravError& e) {
            fail(out.label, WithClosingPeriod(e.what()));
            continue;
        }
        if (out.view) hooks.openViewer(out.path);
    }

    const std::vector<std::optional<AtomicWriteError>> results = files.Commit();
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (results[i]) {
            fail(staged[i].label, WithClosingPeriod(results[i]->message));
        } else if (staged[i].view) {
            hooks.openViewer(staged[i].path);
        }
    }
    return status;
}

}  // namespace polygrav
