// The PDF and PNG writers as the module polygrav-cairo.so, for the programs
// that load cairo only when they write one of these formats.

#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "export/CairoModuleAbi.h"
#include "export/PdfWriter.h"
#include "export/PngWriter.h"
#include "model/Messages.h"

namespace {

using namespace polygrav;

Figure FigureOf(const PolygravFigureView& view) {
    Figure f;
    std::size_t at = 0;
    for (std::size_t c = 0; c < view.contourCount; ++c) {
        Contour contour;
        for (std::size_t i = 0; i < view.contourSizes[c]; ++i, ++at) {
            contour.push_back({{view.x[at], view.y[at]}, view.bulge[at]});
        }
        f.contours.push_back(std::move(contour));
    }
    f.margin = view.margin;
    f.frameSide = view.frameSide;
    f.documentSide = view.documentSide;
    f.filled = view.filled != 0;
    f.fillColor = view.fillColor;
    f.strokeColor = view.strokeColor;
    f.strokeWidth = view.strokeWidth;
    f.evenOddRule = view.evenOddRule != 0;
    return f;
}

char* Copy(const std::string& text) {
    char* out = static_cast<char*>(std::malloc(text.size() + 1));
    if (out != nullptr) std::memcpy(out, text.c_str(), text.size() + 1);
    return out;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int polygrav_encode_with_cairo(
    int format, const PolygravFigureView* view, int dpi, int transparent, int language,
    char** bytes, size_t* size) {
    // The module has its own copy of the core, whose messages follow the
    // caller's language.
    SetMessageLanguage(language == POLYGRAV_CAIRO_ENGLISH ? Language::English : Language::Japanese);
    try {
        const Figure figure = FigureOf(*view);
        const std::string file = format == POLYGRAV_CAIRO_PDF
                                     ? PdfDocumentOf(figure)
                                     : PngImageOf(figure, {dpi, transparent != 0});
        *bytes = static_cast<char*>(std::malloc(file.size() == 0 ? 1 : file.size()));
        if (*bytes == nullptr) throw std::bad_alloc();
        std::memcpy(*bytes, file.data(), file.size());
        *size = file.size();
        return 0;
    } catch (const std::bad_alloc&) {
        *bytes = nullptr;
        *size = 0;
        return POLYGRAV_CAIRO_NO_MEMORY;
    } catch (const std::exception& e) {
        *bytes = Copy(e.what());
        *size = 0;
        return 1;
    }
}
