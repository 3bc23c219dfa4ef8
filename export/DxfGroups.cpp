#include "export/DxfGroups.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace polygrav {

namespace {

constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::string DxfReal(double value, int decimals) {
    // A finite double has at most 309 digits before the point.
    char text[400];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    std::string real(text, written.ptr);
    if (real.front() == '-' && real.find_first_not_of("-0.") == std::string::npos) {
        real.erase(0, 1);
    }
    return real;
}

void DxfGroups::Code(int code) {
    // Codes stand right-aligned in three columns, as CAD programs write them.
    char text[16];
    std::snprintf(text, sizeof text, "%3d", code);
    text_ += text;
    text_ += kLineEnd;
}

void DxfGroups::Text(int code, std::string_view value) {
    Code(code);
    text_ += value;
    text_ += kLineEnd;
}

void DxfGroups::Integer(int code, std::int64_t value) {
    Text(code, std::to_string(value));
}

void DxfGroups::Real(int code, double value, int decimals) {
    Text(code, DxfReal(value, decimals));
}

void DxfGroups::Handle(int code, std::uint32_t handle) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(handle));
    Text(code, text);
}

void DxfGroups::Point(int code, double x, double y, double z) {
    Real(code, x);
    Real(code + 10, y);
    Real(code + 20, z);
}

void DxfGroups::Point(int code, double x, double y) {
    Real(code, x);
    Real(code + 10, y);
}

}  // namespace polygrav
