#pragma once

#include <functional>
#include <string>

#include "conversion/ConvertOptions.h"

namespace polygrav {

// Where a batch conversion sends what it has to say and do outside itself.
struct BatchHooks {
    // One message for standard error, without the program's name.
    std::function<void(const std::string& text)> report;
    // Opens a written file in the desktop's viewer.
    std::function<void(const std::string& path)> openViewer;
    // Writes the bytes to standard output; false when that failed.
    std::function<bool(const std::string& bytes)> writeStandardOutput;
};

// Converts every document of the options: loads each as the window would
// (the document must exist), applies the settings lines, builds its SVG and
// writes it beside the document (or to -o). A failing document is reported,
// "<document>: <message>", and the others are still converted. Returns the
// exit status: 0 when every output was written, 1 otherwise.
int ConvertBatch(const ConvertOptions& options, const std::string& programDir,
                 char decimalSeparator, const BatchHooks& hooks);

}  // namespace polygrav
