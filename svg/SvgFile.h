#pragma once

#include <string>

#include "model/StarSettings.h"

namespace polygrav {

// Builds the document for the settings and writes it atomically to path.
// Conversion errors are raised before any file is touched.
void WriteSvgFile(const std::string& path, const TStarSettings& settings, char decimalSeparator);

}  // namespace polygrav
