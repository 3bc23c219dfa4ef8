#include "export/PngWriter.h"

#include <cairo.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "export/CairoFigure.h"
#include "export/CairoStatus.h"
#include "export/ExportErrors.h"
#include "export/FigureCheck.h"
#include "model/Limits.h"

namespace polygrav {

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

// Cairo's image as the PNG encoder reads it. Cairo's pixels are 32-bit
// words, alpha in the top byte and the colours premultiplied by it; the PNG
// wants RGB or RGBA bytes, not premultiplied. Rows are converted one at a
// time, so that no second copy of the image is made.
struct CairoImage {
    const unsigned char* data = nullptr;
    int stride = 0;
    int side = 0;
    bool alpha = false;

    std::size_t RowBytes() const { return static_cast<std::size_t>(side) * (alpha ? 4 : 3); }

    void ConvertRow(int y, std::uint8_t* out) const {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t{y} * stride);
        for (int x = 0; x < side; ++x) {
            const std::uint32_t p = row[x];
            const unsigned a = p >> 24;
            unsigned c[3] = {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
            for (unsigned& v : c) {
                if (a != 0 && a != 255) v = (v * 255 + a / 2) / a;
                *out++ = static_cast<std::uint8_t>(v);
            }
            if (alpha) *out++ = static_cast<std::uint8_t>(a);
        }
    }
};

// Where libpng's bytes go, and whether appending them ran out of memory.
struct PngSink {
    std::string* out = nullptr;
    bool outOfMemory = false;
};

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    try {
        sink->out->append(reinterpret_cast<const char*>(data), length);
    } catch (...) {
        sink->outOfMemory = true;
        png_error(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

// libpng reports errors by a jump back to the setjmp of EncodeRows; its
// messages are not shown, the caller's is.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

// Encodes the image into sink; false when libpng fails (sink tells whether
// for want of memory). Only plain data lives in this frame across the
// setjmp; row is a buffer of image.RowBytes().
bool EncodeImage(const CairoImage& image, std::uint32_t pixelsPerMetre, std::uint8_t* row,
                 PngSink& sink) {
    // libpng fails to create its structures only for want of memory.
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png == nullptr) return !(sink.outOfMemory = true);
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return !(sink.outOfMemory = true);
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &sink, AppendToString, FlushNothing);
    const auto side = static_cast<png_uint_32>(image.side);
    png_set_IHDR(png, info, side, side, 8, image.alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, pixelsPerMetre, pixelsPerMetre, PNG_RESOLUTION_METER);
    // The pictures are large areas of one colour: the Sub filter alone turns
    // them into runs of zeros, and trying every filter on every row would
    // take half of the time for a file hardly smaller.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < image.side; ++y) {
        image.ConvertRow(y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string PngImageOf(const Figure& figure, const PngOptions& options) {
    RequireDrawableFigure(figure);
    const int side = PngPixelSide(figure.documentSide, options.dpi);
    RequireImageWithinBudget(figure.documentSide, options.dpi, side);

    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side));
    RequireCairoSuccess(cairo_surface_status(surface.get()), "PNG");
    {
        std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
        if (!options.transparent) {
            cairo_set_source_rgb(cr.get(), 1, 1, 1);
            cairo_paint(cr.get());
        }
        const double pixelsPerMm = options.dpi / kMmPerInch;
        cairo_scale(cr.get(), pixelsPerMm, pixelsPerMm);
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_GOOD);
        DrawFigure(cr.get(), figure);
        RequireCairoSuccess(cairo_status(cr.get()), "PNG");
    }

    cairo_surface_flush(surface.get());
    const CairoImage image{cairo_image_surface_get_data(surface.get()),
                           cairo_image_surface_get_stride(surface.get()), side,
                           options.transparent};
    std::vector<std::uint8_t> row(image.RowBytes());
    const auto pixelsPerMetre = static_cast<std::uint32_t>(std::lround(options.dpi / 0.0254));
    std::string png;
    PngSink sink{&png};
    if (!EncodeImage(image, pixelsPerMetre, row.data(), sink)) {
        if (sink.outOfMemory) throw std::bad_alloc();
        throw EExportError(CannotRenderMessage("PNG"));
    }
    return png;
}

}  // namespace polygrav
