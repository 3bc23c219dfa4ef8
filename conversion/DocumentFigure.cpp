#include "conversion/DocumentFigure.h"

#include "conversion/SolidSettings.h"
#include "export/MachineOptions.h"
#include "geometry/Hole.h"
#include "geometry/Solid.h"

namespace polygrav {

Figure DocumentFigure(const DocumentSettings& document, char decimalSeparator) {
    const SolidParameters solid = SolidParametersOf(document.Solid);
    if (AsksForSolid(document.Solid)) CheckSolidParameters(solid);
    if (solid.cutter || solid.holeDiameter <= 0) {
        return BuildFigure(document.svg, decimalSeparator);
    }
    TStarSettings values = document.svg;
    values.Part.CutOutline = true;
    return FigureWithHole(BuildFigure(values, decimalSeparator), solid);
}

ExportOptions DocumentExportOptions(const DocumentSettings& document, ExportOptions base) {
    ExportOptions options = WithMachineSettings(std::move(base), document.Machine);
    options.solid = SolidParametersOf(document.Solid);
    return options;
}

}  // namespace polygrav
