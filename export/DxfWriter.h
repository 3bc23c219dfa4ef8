#pragma once

#include <string>

#include "geometry/Figure.h"

namespace polygrav {

// The DXF versions written: R12 (AC1009), read by nearly every cutting and
// CAD program, and R2000 (AC1015), which also names millimetres as the unit
// and carries the exact outline colour.
enum class DxfVersion { R12, R2000 };

// How arc edges are written: as bulges of the polyline's vertices, or cut into
// straight segments within 0.01 mm of the arc, for programs that ignore
// bulges.
enum class DxfArcs { Bulge, Segments };

struct DxfOptions {
    DxfVersion version = DxfVersion::R12;
    DxfArcs arcs = DxfArcs::Bulge;
};

// The DXF drawing of the figure: one closed polyline per contour on layer 0,
// in millimetres, Y pointing up, the picture the SVG shows (a DXF point is
// (x, side − y) of the SVG's point x, y). The drawing's extents are the
// whole document, margin included. The outline colour is the nearest AutoCAD
// Color Index and, in R2000, also the true colour; there is no fill.
// A figure that cannot be drawn raises EExportError.
std::string DxfDocumentOf(const Figure& figure, const DxfOptions& options = {});

}  // namespace polygrav
