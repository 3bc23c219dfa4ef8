#include "export/LinkedCairoEncoders.h"

#include "export/PdfWriter.h"
#include "export/PngWriter.h"

namespace polygrav {

CairoEncoders LinkedCairoEncoders() {
    return {[](const Figure& f) { return PdfDocumentOf(f); },
            [](const Figure& f, const PngOptions& o) { return PngImageOf(f, o); }};
}

}  // namespace polygrav
