// Fuzzes the road from a settings document's bytes to the DXF drawing: read
// the keys as the window takes them, build the figure, write it in both DXF
// versions. Every drawing has the structure DXF readers
// rely on, one polyline per contour, and every polyline is closed. A figure
// without a finite size is refused, and only such a figure.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "export/DxfWriter.h"
#include "export/ExportErrors.h"
#include "export/FigureCheck.h"
#include "fuzz/DxfCheck.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzDocument.h"
#include "geometry/Figure.h"
#include "model/Errors.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsModel.h"

using namespace polygrav;

namespace {

bool Drawable(const Figure& figure) {
    try {
        RequireDrawableFigure(figure);
        return true;
    } catch (const EExportError&) {
        return false;
    }
}

void CheckDrawings(const Figure& figure) {
    if (!Drawable(figure)) {
        bool refused = false;
        try {
            DxfDocumentOf(figure);
        } catch (const EExportError&) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        return;
    }
    // The settings give straight edges only, for which both arc modes write
    // the same drawing; segments are checked once a figure has an arc.
    bool hasArc = false;
    for (const Contour& contour : figure.contours) {
        for (const ContourVertex& v : contour) hasArc = hasArc || v.bulge != 0;
    }
    for (const DxfVersion version : {DxfVersion::R12, DxfVersion::R2000}) {
        for (const DxfArcs arcs : {DxfArcs::Bulge, DxfArcs::Segments}) {
            if (arcs == DxfArcs::Segments && !hasArc) continue;
            const fuzz::DxfShape shape = fuzz::ReadDxfShape(DxfDocumentOf(figure, {version, arcs}));
            FUZZ_CHECK(shape.wellFormed);
            FUZZ_CHECK(shape.polylines == figure.contours.size());
            FUZZ_CHECK(shape.allClosed);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckEachFigure(
        std::string_view(reinterpret_cast<const char*>(data), size),
        [](const Figure& figure, const TStarSettings&, char) { CheckDrawings(figure); });
    return 0;
}
