#pragma once

// The PDF and PNG writers as a module (polygrav-cairo.so). Plain C types
// cross the boundary: the figure as arrays, the file as bytes that the
// module allocates with malloc and the caller frees.

#include <stddef.h>
#include <stdint.h>

extern "C" {

#define POLYGRAV_CAIRO_ENCODE "polygrav_encode_with_cairo"

struct PolygravFigureView {
    const double* x;  // every corner of every contour, in order
    const double* y;
    const double* bulge;
    const size_t* contourSizes;
    size_t contourCount;
    double margin;
    double frameSide;
    double documentSide;
    int filled;
    uint32_t fillColor;
    uint32_t strokeColor;
    int strokeWidth;
    int evenOddRule;
};

enum { POLYGRAV_CAIRO_PDF = 0, POLYGRAV_CAIRO_PNG = 1 };

// The language of the module's messages: the caller's.
enum { POLYGRAV_CAIRO_JAPANESE = 0, POLYGRAV_CAIRO_ENGLISH = 1 };

// Encodes the figure; returns 0 and the file in *bytes / *size, or 1 and a
// message for the user in *bytes (NUL-terminated) in the given language, or
// POLYGRAV_CAIRO_NO_MEMORY when memory ran out. *bytes is freed with free.
enum { POLYGRAV_CAIRO_NO_MEMORY = 2 };
typedef int (*PolygravEncodeWithCairo)(int format, const struct PolygravFigureView* figure, int dpi,
                                       int transparent, int language, char** bytes, size_t* size);
}
