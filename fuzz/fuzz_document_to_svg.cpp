// Fuzzes the whole road from a settings document's bytes to the SVG text:
// read the keys, apply them the way the window's controls take them, build the
// document. Every document is well-formed XML of four CR LF lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlCheck.h"
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
    // Four lines, and one more CR LF between the two figures of a star
    // polygon with an even number of points.
    const bool twoFigures = svg.find("z\r\nM") != std::string::npos;
    FUZZ_CHECK(lines == (twoFigures ? 5u : 4u));
    FUZZ_CHECK(svg.rfind("<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<svg xmlns=", 0) == 0);
    FUZZ_CHECK(fuzz::IsWellFormedXml(svg));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const char separator : {'.', ','}) {
        SettingsModel model("/home/user", separator);
        try {
            ReadSettings(IniDocument::Parse(bytes), "/home/user", model);
        } catch (const EConvertError&) {
            // A colour error stops the load; what was applied stays in force.
        }
        try {
            CheckDocument(BuildSvgDocument(model.values, separator));
        } catch (const EConvertError&) {
            // An empty or held-back point count or radius is refused.
        }
    }
    return 0;
}
