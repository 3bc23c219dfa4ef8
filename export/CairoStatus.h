#pragma once

#include <cairo.h>

#include <new>
#include <string_view>

#include "export/ExportErrors.h"

namespace polygrav {

// Raises std::bad_alloc when cairo ran out of memory, so that the document
// fails with the out-of-memory message like any other allocation, and
// EExportError CannotRender naming the format on any other failure.
inline void RequireCairoSuccess(cairo_status_t status, std::string_view format) {
    if (status == CAIRO_STATUS_SUCCESS) return;
    if (status == CAIRO_STATUS_NO_MEMORY) throw std::bad_alloc();
    throw EExportError(CannotRenderMessage(format));
}

}  // namespace polygrav
