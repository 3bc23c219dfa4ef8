#include "geometry/SolidErrors.h"

#include <charconv>
#include <cmath>
#include <string>

namespace polygrav {

namespace {

// A length with four decimals and a full stop, as the other part messages
// show them.
std::string FormatFixed4(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    if (std::fabs(value) < 0.00005) value = 0;
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    return std::string(text, result.ptr);
}

}  // namespace

Message SolidLengthOutOfRangeMessage(std::string_view key, double value) {
    return {MessageId::SolidLengthOutOfRange, {std::string(key), FormatFixed4(value)}};
}

Message SolidLengthOrZeroOutOfRangeMessage(std::string_view key, double value) {
    return {MessageId::SolidLengthOrZeroOutOfRange, {std::string(key), FormatFixed4(value)}};
}

Message WallClosesPartMessage(double wall) {
    return {MessageId::WallClosesPart, {FormatFixed4(wall)}};
}

Message FlangeNeedsHeightMessage(double height) {
    return {MessageId::FlangeNeedsHeight, {FormatFixed4(height)}};
}

Message HoleTooLargeMessage(double diameter, double largest) {
    return {MessageId::HoleTooLarge, {FormatFixed4(diameter), FormatFixed4(largest)}};
}

Message HoleOnCutterMessage(double diameter) {
    return {MessageId::HoleOnCutter, {FormatFixed4(diameter)}};
}

Message SolidOutlineCrossesMessage() {
    return {MessageId::SolidOutlineCrosses, {}};
}

}  // namespace polygrav
