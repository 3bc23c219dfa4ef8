#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsModel.h"

namespace polygrav {

// The document type that the program converts when started with its path.
inline constexpr const char* kDocumentExt = ".pgv";

// Whether a command-line argument names a settings document to convert: its
// extension is ".pgv", ASCII letters compared without case.
bool IsSettingsDocumentPath(const std::string& path);

// The settings of a document, loaded the way the window's controls take them
// (each value's rule and redraw, stopping at the first error): the document
// at path, then each of extraLines ("KEY=VALUE", applied in order as if the
// document ended with them). A missing document reads as an empty one when
// missingIsEmpty, else it is refused like an unreadable one with
// CannotOpenFile. Raises the first error. When sections is given, the
// keys of the further sections ([Sheet]) of the document and of the lines
// are read into it as well.
SettingsModel LoadDocumentSettings(const std::string& path,
                                   const std::vector<std::string>& extraLines,
                                   const std::string& defaultFavoriteDir, char decimalSeparator,
                                   bool missingIsEmpty, DocumentSettings* sections = nullptr);

// What converting one document did, as the user sees it.
struct ConversionOutcome {
    bool written = false;
    // The text of the error box, full stop rule applied: the first error.
    std::optional<std::string> error;
};

// Converts the document at documentPath as the program does when started
// with it: loads it (a missing document gives the design values), writes the
// SVG at the document's path with ".svg" atomically, hands the written file
// to openViewer when its View setting is on, and brings the displays up to
// date. The first error ends the conversion and is returned.
ConversionOutcome ConvertDocument(const std::string& documentPath, const std::string& programDir,
                                  char decimalSeparator,
                                  const std::function<void(const std::string&)>& openViewer);

}  // namespace polygrav
