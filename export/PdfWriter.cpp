#include "export/PdfWriter.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <memory>
#include <new>

#include "export/CairoFigure.h"
#include "export/CairoStatus.h"
#include "export/ExportErrors.h"
#include "export/FigureCheck.h"
#include "model/Limits.h"

namespace polygrav {

namespace {

constexpr double kPointsPerMm = 72 / kMmPerInch;

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
    try {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    } catch (const std::bad_alloc&) {
        return CAIRO_STATUS_NO_MEMORY;
    } catch (...) {
        return CAIRO_STATUS_WRITE_ERROR;
    }
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

}  // namespace

std::string PdfDocumentOf(const Figure& figure) {
    RequireDrawableFigure(figure);
    const double page = figure.documentSide * kPointsPerMm;

    std::string pdf;
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_pdf_surface_create_for_stream(AppendToString, &pdf, page, page));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, "Polygrav figure");
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Polygrav");
    // An empty creation date leaves the date out, so that the same figure
    // always gives the same bytes.
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, "");
    {
        std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
        cairo_scale(cr.get(), kPointsPerMm, kPointsPerMm);
        DrawFigure(cr.get(), figure);
        cairo_show_page(cr.get());
        RequireCairoSuccess(cairo_status(cr.get()), "PDF");
    }
    // Finishing writes the cross-reference table and the trailer.
    cairo_surface_finish(surface.get());
    RequireCairoSuccess(cairo_surface_status(surface.get()), "PDF");
    return pdf;
}

}  // namespace polygrav
