#include "export/ScadWriter.h"

#include <charconv>

namespace polygrav {

namespace {

using Rings = std::vector<std::vector<std::uint32_t>>;

void AppendFixed4(std::string& out, double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    // "-0.0000" reads as 0 anyway; written plainly.
    const std::string_view s(text, static_cast<std::size_t>(result.ptr - text));
    out += s == "-0.0000" ? "0.0000" : s;
}

// A height in the shortest text that reads back exactly.
std::string Length(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string Paths(const Rings& rings) {
    std::string out = "[";
    for (std::size_t r = 0; r < rings.size(); ++r) {
        out += r ? ", [" : "[";
        for (std::size_t i = 0; i < rings[r].size(); ++i) {
            if (i) out += ", ";
            out += std::to_string(rings[r][i]);
        }
        out += "]";
    }
    return out + "]";
}

std::string Extrusion(double height, const Rings& rings) {
    return "linear_extrude(height = " + Length(height) +
           ") polygon(points = points, paths = " + Paths(rings) + ");";
}

Rings Joined(Rings a, const Rings& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

std::string ScadDocumentOf(const SolidOutlines& o, const SolidParameters& p) {
    std::string out = "// Made by Polygrav; millimetres.\npoints = [";
    for (std::size_t i = 0; i < o.points.size(); ++i) {
        out += i ? ", [" : "[";
        AppendFixed4(out, o.points[i].x);
        out += ", ";
        AppendFixed4(out, o.points[i].y);
        out += "]";
    }
    out += "];\n";
    if (!p.cutter) return out + Extrusion(p.thickness, o.outline) + "\n";

    // The inner side is cut 1 mm beyond both ends so that no face of the
    // difference lies on another.
    std::string body = "difference() {\n    " + Extrusion(p.height, o.outline) +
                       "\n    translate([0, 0, -1]) " + Extrusion(p.height + 2, o.inner) + "\n}\n";
    if (o.grown.empty()) return out + body;
    out += "union() {\n";
    for (std::size_t start = 0, end; start < body.size(); start = end + 1) {
        end = body.find('\n', start);
        out += "    " + body.substr(start, end - start) + "\n";
    }
    // The flange's ring reaches over the wall's top, so that the two join.
    out += "    translate([0, 0, " + Length(p.height - kFlangeThickness) + "]) " +
           Extrusion(kFlangeThickness, Joined(o.grown, o.inner)) + "\n}\n";
    return out;
}

}  // namespace polygrav
