#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/DxfWriter.h"
#include "export/GcodeWriter.h"
#include "export/HpglWriter.h"
#include "export/PngOptions.h"
#include "geometry/Figure.h"
#include "geometry/Solid.h"

namespace polygrav {

// The file formats a figure is written in.
enum class ExportFormat { Svg, Dxf, Pdf, Png, Gcode, Plt, Stl, ThreeMf, Scad };

// Whether the format holds a solid made from the figure (STL, 3MF, OpenSCAD).
bool IsSolidFormat(ExportFormat format);

// The options of every format, one member each; each writer reads its own.
struct ExportOptions {
    DxfOptions dxf;
    PngOptions png;
    GcodeOptions gcode;
    HpglOptions hpgl;
    SolidParameters solid;  // STL, 3MF and OpenSCAD
};

// "svg", "dxf", "pdf", "png", "gcode", "plt",
// "stl", "3mf" or "scad", in any case. Anything else raises
// EExportError.
ExportFormat ParseFormatName(std::string_view name);

// A comma-separated list of format names, such as "svg,dxf"; blanks around a
// name are ignored and a format named twice is kept once, in the order of
// its first naming. An empty list or name raises EExportError.
std::vector<ExportFormat> ParseFormatList(std::string_view list);

// The format of a path's extension (".svg", ".DXF", ...; ".nc" is G-code and
// ".hpgl" HPGL too); nothing when the extension names none.
std::optional<ExportFormat> FormatOfPath(std::string_view path);

// FormatOfPath, raising EExportError naming the path when there is none.
ExportFormat RequireFormatOfPath(std::string_view path);

// "r12" or "r2000", and "bulge" or "segments", in any case; anything else
// raises EExportError.
DxfVersion ParseDxfVersion(std::string_view text);
DxfArcs ParseDxfArcs(std::string_view text);

// "arcs" or "segments", in any case; anything else raises EExportError.
GcodeArcs ParseGcodeArcs(std::string_view text);

// Every format's name in the order of the table, with commas ("svg, dxf,
// ...").
std::string FormatNameList();

// The format's name ("svg") and its file extension with the dot (".svg").
std::string_view FormatName(ExportFormat format);
std::string_view FileExtension(ExportFormat format);

// The bytes of the figure's file in the format. The SVG is SvgDocumentOf's
// document. Raises EExportError when the options or the figure do not fit
// the format (a resolution out of range, a figure without finite size);
// the solid formats raise the solid's errors (EPartError).
std::string EncodeFigure(const Figure& figure, ExportFormat format,
                         const ExportOptions& options = {});

}  // namespace polygrav
