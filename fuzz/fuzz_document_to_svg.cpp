// Fuzzes the whole road from a settings document's bytes to the SVG text:
// read the keys, apply them the way the window's controls take them, build the
// document. Every document is well-formed XML of four CR LF lines, and the
// figure of a part is closed, inside its document and, cut, never crosses.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzDocument.h"
#include "fuzz/XmlCheck.h"
#include "geometry/Crossings.h"
#include "geometry/Figure.h"
#include "model/Errors.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsModel.h"
#include "svg/SvgDocument.h"

using namespace polygrav;

namespace {

void CheckDocument(const std::string& svg) {
    FUZZ_CHECK(svg.size() >= 2 && svg.compare(svg.size() - 2, 2, "\r\n") == 0);
    std::size_t lines = 0;
    for (std::size_t i = 0; i < svg.size(); ++i) {
        if (svg[i] == '\n') {
            FUZZ_CHECK(i > 0 && svg[i - 1] == '\r');
            ++lines;
        } else if (svg[i] == '\r') {
            FUZZ_CHECK(i + 1 < svg.size() && svg[i + 1] == '\n');
        }
    }
    // Four lines, and one more CR LF between two figures (the two of a star
    // polygon with an even number of points, or the contours of a part).
    std::size_t breaks = 0;
    for (std::size_t at = svg.find("z\r\nM"); at != std::string::npos;
         at = svg.find("z\r\nM", at + 1)) {
        ++breaks;
    }
    FUZZ_CHECK(lines == 4u + breaks);
    FUZZ_CHECK(svg.rfind("<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<svg xmlns=", 0) == 0);
    FUZZ_CHECK(fuzz::IsWellFormedXml(svg));
}

// The figure's own properties: every contour closed (at least three
// corners, finite), every point inside the document, and a cut outline's
// contours never crossing.
void CheckFigure(const Figure& figure, const TStarSettings& settings, char separator) {
    FUZZ_CHECK(std::isfinite(figure.documentSide) || figure.contours.empty() ||
               settings.Part.IsDefault());
    const bool part = !settings.Part.IsDefault();
    for (const Contour& contour : figure.contours) {
        if (part) FUZZ_CHECK(contour.size() >= 2);
        for (const ContourVertex& v : contour) {
            if (!part) continue;  // the design's figure may hold any radius
            FUZZ_CHECK(std::isfinite(v.at.X) && std::isfinite(v.at.Y) && std::isfinite(v.bulge));
            const double slack = 1e-6 * (1 + figure.frameSide);
            FUZZ_CHECK(v.at.X >= -slack && v.at.X <= figure.frameSide + slack);
            FUZZ_CHECK(v.at.Y >= -slack && v.at.Y <= figure.frameSide + slack);
        }
    }
    if (part && PartParametersOfSettings(settings, separator).NeedsCutOutline()) {
        FUZZ_CHECK(!ContoursCross(figure.contours));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckEachFigure(std::string_view(reinterpret_cast<const char*>(data), size),
                          [](const Figure& figure, const TStarSettings& settings, char separator) {
                              CheckFigure(figure, settings, separator);
                              CheckDocument(SvgDocumentOf(figure));
                          });
    return 0;
}
