#include "export/FigureCheck.h"

#include <cmath>

#include "export/ExportErrors.h"

namespace polygrav {

void RequireDrawableFigure(const Figure& figure) {
    bool drawable = std::isfinite(figure.documentSide) && figure.documentSide > 0 &&
                    std::isfinite(figure.margin);
    for (const Contour& contour : figure.contours) {
        for (const ContourVertex& v : contour) {
            drawable = drawable && std::isfinite(v.at.X) && std::isfinite(v.at.Y) &&
                       std::isfinite(v.bulge) && std::isfinite(v.at.X + figure.margin) &&
                       std::isfinite(v.at.Y + figure.margin);
        }
    }
    if (!drawable) throw EExportError(InvalidFigureMessage());
}

}  // namespace polygrav
