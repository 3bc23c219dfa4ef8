#include "export/PngWriter.h"

#include <cairo.h>
#include <png.h>

#include <algorithm>
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

// One band of cairo's image as the PNG encoder reads it. Cairo's pixels are
// 32-bit words, alpha in the top byte and the colours premultiplied by it;
// the PNG wants RGB or RGBA bytes, not premultiplied. Rows are converted one
// at a time, so that no second copy of the band is made.
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

// Draws rows first to first + count - 1 of the image into band, whose rows
// are the image's width; false when cairo fails (status says why).
using DrawBand = bool (*)(void* context, int first, int count);

// Encodes the image of side pixels, drawn band by band, into sink; false
// when libpng or the drawing fails (sink tells whether for want of memory).
// Only plain data lives in this frame across the setjmp; row is a buffer of
// image.RowBytes().
bool EncodeImage(const CairoImage& image, int bandRows, DrawBand draw, void* context,
                 std::uint32_t pixelsPerMetre, std::uint8_t* row, PngSink& sink) {
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
    for (int first = 0; first < image.side; first += bandRows) {
        const int count = image.side - first < bandRows ? image.side - first : bandRows;
        if (!draw(context, first, count)) {
            png_destroy_write_struct(&png, &info);
            return false;
        }
        for (int y = 0; y < count; ++y) {
            image.ConvertRow(y, row);
            png_write_row(png, row);
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

// What drawing a band needs: the band's surface, the figure and how to draw it.
struct BandPainter {
    cairo_surface_t* surface = nullptr;
    const Figure* figure = nullptr;
    double pixelsPerMm = 0;
    bool transparent = false;
    cairo_status_t status = CAIRO_STATUS_SUCCESS;

    // The whole image's drawing moved up by first rows: a whole number of
    // pixels, so every pixel of the band comes out as it would in the image.
    static bool Draw(void* context, int first, int count) {
        auto& self = *static_cast<BandPainter*>(context);
        (void)count;
        std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(self.surface));
        cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
        if (self.transparent) {
            cairo_set_source_rgba(cr.get(), 0, 0, 0, 0);
        } else {
            cairo_set_source_rgb(cr.get(), 1, 1, 1);
        }
        cairo_paint(cr.get());
        cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
        cairo_translate(cr.get(), 0, -first);
        cairo_scale(cr.get(), self.pixelsPerMm, self.pixelsPerMm);
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_GOOD);
        DrawFigure(cr.get(), *self.figure);
        self.status = cairo_status(cr.get());
        cairo_surface_flush(self.surface);
        return self.status == CAIRO_STATUS_SUCCESS;
    }
};

}  // namespace

std::string PngImageOf(const Figure& figure, const PngOptions& options) {
    RequireDrawableFigure(figure);
    const int side = PngPixelSide(figure.documentSide, options.dpi);
    RequireImageWithinBudget(figure.documentSide, options.dpi, side);

    // A large image is drawn and encoded a band of rows at a time.
    const bool whole = double(side) * side <= kPngWholePixels;
    const int bandRows = whole ? side : std::max(1, std::min(side, kPngBandPixels / side));
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, bandRows));
    RequireCairoSuccess(cairo_surface_status(surface.get()), "PNG");

    BandPainter painter{surface.get(), &figure, options.dpi / kMmPerInch, options.transparent};
    const CairoImage image{cairo_image_surface_get_data(surface.get()),
                           cairo_image_surface_get_stride(surface.get()), side,
                           options.transparent};
    std::vector<std::uint8_t> row(image.RowBytes());
    const auto pixelsPerMetre = static_cast<std::uint32_t>(std::lround(options.dpi / 0.0254));
    std::string png;
    PngSink sink{&png};
    if (!EncodeImage(image, bandRows, &BandPainter::Draw, &painter, pixelsPerMetre, row.data(),
                     sink)) {
        RequireCairoSuccess(painter.status, "PNG");
        if (sink.outOfMemory) throw std::bad_alloc();
        throw EExportError(CannotRenderMessage("PNG"));
    }
    return png;
}

}  // namespace polygrav
