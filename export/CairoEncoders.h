#pragma once

#include <functional>
#include <string>

#include "export/PngOptions.h"
#include "geometry/Figure.h"

namespace polygrav {

// The writers of the formats that cairo draws (PDF, PNG). They live apart
// from the core, which only calls them, so that a program that writes
// neither does not load cairo and its libraries at every start: a program
// links them in (LinkedCairoEncoders, polygrav_cairo) or loads them as the
// module polygrav-cairo.so (ModuleCairoEncoders).
struct CairoEncoders {
    std::function<std::string(const Figure&)> pdf;
    std::function<std::string(const Figure&, const PngOptions&)> png;
};

// The encoders that EncodeFigure uses from now on.
void UseCairoEncoders(CairoEncoders encoders);

// The encoders in use; empty ones when none were given.
const CairoEncoders& CurrentCairoEncoders();

// Encoders that load polygrav-cairo.so (beside the program, or in
// ../lib/polygrav) at their first use. A module that cannot be loaded
// raises EExportError naming the reason.
CairoEncoders ModuleCairoEncoders(const std::string& programPath);

}  // namespace polygrav
