#include "export/FigureExport.h"

#include <algorithm>
#include <array>

#include "export/CairoEncoders.h"
#include "export/DxfWriter.h"
#include "export/ExportErrors.h"
#include "export/ScadWriter.h"
#include "export/StlWriter.h"
#include "export/ThreeMfWriter.h"
#include "model/Blanks.h"
#include "svg/SvgDocument.h"

namespace polygrav {

namespace {

struct FormatEntry {
    ExportFormat format;
    std::string_view name;
    std::string_view extension;
};

constexpr std::array<FormatEntry, 7> kFormats = {{
    {ExportFormat::Svg, "svg", ".svg"},
    {ExportFormat::Dxf, "dxf", ".dxf"},
    {ExportFormat::Pdf, "pdf", ".pdf"},
    {ExportFormat::Png, "png", ".png"},
    {ExportFormat::Stl, "stl", ".stl"},
    {ExportFormat::ThreeMf, "3mf", ".3mf"},
    {ExportFormat::Scad, "scad", ".scad"},
}};

// Names compare in ASCII, ignoring case; bytes above 127 only equal
// themselves.
bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

std::optional<ExportFormat> TryFormatName(std::string_view name) {
    for (const FormatEntry& entry : kFormats) {
        if (SameIgnoringCase(name, entry.name)) return entry.format;
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
    return TryFormatName(name.substr(dot + 1));
}

ExportFormat RequireFormatOfPath(std::string_view path) {
    if (const auto format = FormatOfPath(path)) return *format;
    throw EExportError(UnknownExtensionMessage(path));
}

DxfVersion ParseDxfVersion(std::string_view text) {
    if (SameIgnoringCase(text, "r12")) return DxfVersion::R12;
    if (SameIgnoringCase(text, "r2000")) return DxfVersion::R2000;
    throw EExportError(UnknownDxfVersionMessage(text));
}

DxfArcs ParseDxfArcs(std::string_view text) {
    if (SameIgnoringCase(text, "bulge")) return DxfArcs::Bulge;
    if (SameIgnoringCase(text, "segments")) return DxfArcs::Segments;
    throw EExportError(UnknownDxfArcsMessage(text));
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
            return DxfDocumentOf(figure, {options.dxfVersion, options.dxfArcs});
        case ExportFormat::Pdf:
            if (!CurrentCairoEncoders().pdf) throw EExportError(CannotRenderMessage("PDF"));
            return CurrentCairoEncoders().pdf(figure);
        case ExportFormat::Png:
            if (!CurrentCairoEncoders().png) throw EExportError(CannotRenderMessage("PNG"));
            return CurrentCairoEncoders().png(figure, {options.dpi, options.pngTransparent});
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
