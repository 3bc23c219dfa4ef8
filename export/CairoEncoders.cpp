#include "export/CairoEncoders.h"

#include <cstdlib>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "export/CairoModuleAbi.h"
#include "export/ExportErrors.h"
#include "fileio/ProgramModule.h"

namespace polygrav {

namespace {

CairoEncoders& Encoders() {
    static CairoEncoders encoders;
    return encoders;
}

// The figure as the module's plain arrays; the view points into this.
class FlatFigure {
  public:
    explicit FlatFigure(const Figure& f) {
        for (const Contour& contour : f.contours) {
            sizes_.push_back(contour.size());
            for (const ContourVertex& v : contour) {
                x_.push_back(v.at.X);
                y_.push_back(v.at.Y);
                bulge_.push_back(v.bulge);
            }
        }
        view_ = {x_.data(),     y_.data(),     bulge_.data(),  sizes_.data(), sizes_.size(),
                 f.margin,      f.frameSide,   f.documentSide, f.filled,      f.fillColor,
                 f.strokeColor, f.strokeWidth, f.evenOddRule};
    }
    const PolygravFigureView* view() const { return &view_; }

  private:
    std::vector<double> x_, y_, bulge_;
    std::vector<size_t> sizes_;
    PolygravFigureView view_{};
};

std::string EncodeThroughModule(const std::string& programPath, int format, const Figure& figure,
                                int dpi, bool transparent) {
    std::string why;
    void* entry = ProgramModuleEntry(programPath, ProgramModule::Cairo, POLYGRAV_CAIRO_ENCODE, why);
    const char* name = format == POLYGRAV_CAIRO_PDF ? "PDF" : "PNG";
    if (entry == nullptr) throw EExportError(CannotRenderMessage(name, why));
    const FlatFigure flat(figure);
    char* bytes = nullptr;
    std::size_t size = 0;
    const int failed = reinterpret_cast<PolygravEncodeWithCairo>(entry)(
        format, flat.view(), dpi, transparent ? 1 : 0,
        MessageLanguage() == Language::English ? POLYGRAV_CAIRO_ENGLISH : POLYGRAV_CAIRO_JAPANESE,
        &bytes, &size);
    const std::unique_ptr<char, decltype(&std::free)> owned(bytes, &std::free);
    if (failed == POLYGRAV_CAIRO_NO_MEMORY) throw std::bad_alloc();
    if (failed) {
        throw EExportError(bytes ? Message{MessageId::Verbatim, {bytes}}
                                 : CannotRenderMessage(name));
    }
    return std::string(bytes, size);
}

}  // namespace

void UseCairoEncoders(CairoEncoders encoders) {
    Encoders() = std::move(encoders);
}

const CairoEncoders& CurrentCairoEncoders() {
    return Encoders();
}

CairoEncoders ModuleCairoEncoders(const std::string& programPath) {
    return {
        [programPath](const Figure& f) {
            return EncodeThroughModule(programPath, POLYGRAV_CAIRO_PDF, f, 0, false);
        },
        [programPath](const Figure& f, const PngOptions& o) {
            // The size is checked here, so that its message does not depend
            // on the module.
            RequireImageWithinBudget(f.documentSide, o.dpi, PngPixelSide(f.documentSide, o.dpi));
            return EncodeThroughModule(programPath, POLYGRAV_CAIRO_PNG, f, o.dpi, o.transparent);
        },
    };
}

}  // namespace polygrav
