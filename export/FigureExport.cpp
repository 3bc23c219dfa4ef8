#include "export/FigureExport.h"

#include <algorithm>
#include <array>

#include "export/CairoEncoders.h"
#include "export/DxfWriter.h"
#include "export/ExportErrors.h"
#include "export/ScadWriter.h"
#include "export/StlWriter.h"
#include "export/ThreeMfWriter.h"
#include "export/ToolpathErrors.h"
#include "model/AsciiCase.h"
#include "model/Blanks.h"
#include "svg/SvgDocument.h"

namespace polygrav {

namespace {

struct FormatEntry {
    ExportFormat format;
    std::string_view name;
    std::string_view extension;
};

constexpr std::array<FormatEntry, 9> kFormats = {{
    {ExportFormat::Svg, "svg", ".svg"},
    {ExportFormat::Dxf, "dxf", ".dxf"},
    {ExportFormat::Pdf, "pdf", ".pdf"},
    {ExportFormat::Png, "png", ".png"},
    {ExportFormat::Gcode, "gcode", ".gcode"},
    {ExportFormat::Plt, "plt", ".plt"},
    {ExportFormat::Stl, "stl", ".stl"},
    {ExportFormat::ThreeMf, "3mf", ".3mf"},
    {ExportFormat::Scad, "scad", ".scad"},
}};

// Further extensions that machine software gives these files; they are no
// format names.
constexpr std::array<FormatEntry, 2> kOtherExtensions = {{
    {ExportFormat::Gcode, "nc", ".nc"},
    {ExportFormat::Plt, "hpgl", ".hpgl"},
}};

std::optional<ExportFormat> TryFormatName(std::string_view name) {
    for (const FormatEntry& entry : kFormats) {
        if (EqualIgnoringAsciiCase(name, entry.name)) return entry.format;
    }
    return std::nullopt;
}

const FormatEntry& EntryOf(ExportFormat format) {
    return *std::find_if(kFormats.begin(), kFormats.end(),
                         [format](const FormatEntry& e) { return e.format == format; });
}

}  // namespace

bool IsSolidFormat(ExportFormat format) {
    return format == ExportFormat::Stl || format == ExportFormat::ThreeMf ||
           format == ExportFormat::Scad;
}

ExportFormat ParseFormatName(std::string_view name) {
    if (const auto format = TryFormatName(name)) return *format;
    throw EExportError(UnknownFormatMessage(name));
}

std::vector<ExportFormat> ParseFormatList(std::string_view list) {
    std::vector<ExportFormat> formats;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string_view name =
            TrimBlanks(list.substr(start, comma == std::string_view::npos ? comma : comma - start));
        const ExportFormat format = ParseFormatName(name);
        if (std::find(formats.begin(), formats.end(), format) == formats.end()) {
            formats.push_back(format);
        }
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return formats;
}

std::optional<ExportFormat> FormatOfPath(std::string_view path) {
    // The extension is the part of the last name from its last dot on; a
    // name that starts with its only dot (".svg") has none.
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;
    const std::string_view extension = name.substr(dot + 1);
    for (const FormatEntry& entry : kOtherExtensions) {
        if (EqualIgnoringAsciiCase(extension, entry.name)) return entry.format;
    }
    return TryFormatName(extension);
}

ExportFormat RequireFormatOfPath(std::string_view path) {
    if (const auto format = FormatOfPath(path)) return *format;
    throw EExportError(UnknownExtensionMessage(path));
}

DxfVersion ParseDxfVersion(std::string_view text) {
    if (EqualIgnoringAsciiCase(text, "r12")) return DxfVersion::R12;
    if (EqualIgnoringAsciiCase(text, "r2000")) return DxfVersion::R2000;
    throw EExportError(UnknownDxfVersionMessage(text));
}

DxfArcs ParseDxfArcs(std::string_view text) {
    if (EqualIgnoringAsciiCase(text, "bulge")) return DxfArcs::Bulge;
    if (EqualIgnoringAsciiCase(text, "segments")) return DxfArcs::Segments;
    throw EExportError(UnknownDxfArcsMessage(text));
}

GcodeArcs ParseGcodeArcs(std::string_view text) {
    if (EqualIgnoringAsciiCase(text, "arcs")) return GcodeArcs::Arcs;
    if (EqualIgnoringAsciiCase(text, "segments")) return GcodeArcs::Segments;
    throw EExportError(UnknownGcodeArcsMessage(text));
}

std::string FormatNameList() {
    std::string list;
    for (const FormatEntry& entry : kFormats) {
        if (!list.empty()) list += ", ";
        list += entry.name;
    }
    return list;
}

std::string_view FormatName(ExportFormat format) {
    return EntryOf(format).name;
}

std::string_view FileExtension(ExportFormat format) {
    return EntryOf(format).extension;
}

std::string EncodeFigure(const Figure& figure, ExportFormat format, const ExportOptions& options) {
    switch (format) {
        case ExportFormat::Svg:
            return SvgDocumentOf(figure);
        case ExportFormat::Dxf:
            return DxfDocumentOf(figure, options.dxf);
        case ExportFormat::Pdf:
            if (!CurrentCairoEncoders().pdf) throw EExportError(CannotRenderMessage("PDF"));
            return CurrentCairoEncoders().pdf(figure);
        case ExportFormat::Png:
            if (!CurrentCairoEncoders().png) throw EExportError(CannotRenderMessage("PNG"));
            return CurrentCairoEncoders().png(figure, options.png);
        case ExportFormat::Gcode:
            return GcodeProgramOf(figure, options.gcode);
        case ExportFormat::Plt:
            return HpglFileOf(figure, options.hpgl);
        case ExportFormat::Stl:
            return StlDocumentOf(
                BuildSolidMesh(SolidOutlinesOf(figure, options.solid), options.solid));
        case ExportFormat::ThreeMf:
            return ThreeMfDocumentOf(
                BuildSolidMesh(SolidOutlinesOf(figure, options.solid), options.solid));
        case ExportFormat::Scad:
            return ScadDocumentOf(SolidOutlinesOf(figure, options.solid), options.solid);
    }
    throw EExportError(UnknownFormatMessage(std::to_string(static_cast<int>(format))));
}

}  // namespace polygrav
