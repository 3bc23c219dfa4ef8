#include "conversion/BatchConversion.h"

#include <optional>
#include <vector>

#include "conversion/DocumentConversion.h"
#include "model/Errors.h"
#include "model/PathRules.h"
#include "svg/AtomicFile.h"
#include "svg/SvgDocument.h"

namespace polygrav {

namespace {

// One output to write: where, the bytes, and whether to open it afterwards.
struct PendingOutput {
    std::string label;  // how messages name the document
    std::string path;
    std::string bytes;
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

    std::vector<PendingOutput> outputs;
    // Without a document the design values are the start.
    const std::vector<std::string> documents =
        options.documents.empty() ? std::vector<std::string>{std::string()} : options.documents;
    for (const std::string& document : documents) {
        PendingOutput out;
        out.label = document;
        out.path = options.output.value_or(ChangeFileExt(document, ".svg"));
        try {
            if (out.path == document) throw EFCreateError(CannotCreateFileMessage(out.path));
            const SettingsModel model =
                document.empty()
                    ? LoadDocumentSettings({}, options.settings, programDir, decimalSeparator, true)
                    : LoadDocumentSettings(document, options.settings, programDir, decimalSeparator,
                                           false);
            out.bytes = BuildSvgDocument(model.values, decimalSeparator);
            out.view = options.view && model.values.View && out.path != "-";
            outputs.push_back(std::move(out));
        } catch (const EPolygravError& e) {
            fail(out.label, WithClosingPeriod(e.what()));
        }
    }

    for (const PendingOutput& out : outputs) {
        try {
            if (out.path == "-") {
                if (!hooks.writeStandardOutput(out.bytes))
                    throw EWriteError(StreamWriteErrorMessage());
            } else {
                WriteFileAtomically(out.path, out.bytes);
            }
        } catch (const EPolygravError& e) {
            fail(out.label, WithClosingPeriod(e.what()));
            continue;
        }
        if (out.view) hooks.openViewer(out.path);
    }
    return status;
}

}  // namespace polygrav
