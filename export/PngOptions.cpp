#include "export/PngOptions.h"

#include <cmath>

#include "export/ExportErrors.h"
#include "geometry/WorkBudget.h"
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

void RequireImageWithinBudget(double documentSide, int dpi, int side) {
    if (double(side) * side <= kBudgetImagePixels) return;
    int largest = dpi;
    while (largest > kMinDpi &&
           std::pow(std::round(documentSide * largest / kMmPerInch), 2) > kBudgetImagePixels) {
        --largest;
    }
    throw EExportError(ImageOverBudgetMessage(dpi, side, largest));
}

}  // namespace polygrav
