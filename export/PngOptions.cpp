#include "export/PngOptions.h"

#include <cmath>

#include "export/ExportErrors.h"
#include "model/Limits.h"

namespace polygrav {

int PngPixelSide(double documentSide, int dpi) {
    if (dpi < kMinDpi || dpi > kMaxDpi) throw EExportError(ResolutionOutOfRangeMessage(dpi));
    const double side = std::round(documentSide * dpi / kMmPerInch);
    if (!(side >= 1 && side <= kMaxPngSide)) {
        throw EExportError(std::isfinite(side) && side > kMaxPngSide
                               ? ImageTooLargeMessage(side, kMaxPngSide)
                               : InvalidFigureMessage());
    }
    return static_cast<int>(side);
}

}  // namespace polygrav
