#include "model/Errors.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "model/NumberFormat.h"
#include "model/Utf8.h"

namespace polygrav {

namespace {

// Longest run of significant digits a number in a message shows.
constexpr int kMessageDigits = 12;

// A length in the "0.0000" pattern that the SVG writes, with a full stop
// whatever the locale. A value whose pattern would need more than 12
// significant digits is shown with 12 in exponent form (1e+300), so that a
// huge value cannot flood the message.
std::string Fixed4(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    if (std::fabs(value) < 1e8) return FormatFixed4(value);
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, kMessageDigits);
    return std::string(text, result.ptr);
}

}  // namespace

std::string Printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0) {
            // The message travels as a C string, which a NUL byte would end.
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        const std::size_t length = WellFormedUtf8Length(text.substr(i));
        // C0 and C1 controls and DEL would steer the terminal.
        const bool control =
            byte < 0x20 || byte == 0x7F ||
            (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0);
        if (length == 0 || control) {
            const std::size_t count = length == 0 ? 1 : length;
            for (std::size_t j = 0; j < count; ++j) {
                const auto b = static_cast<unsigned char>(text[i + j]);
                out += "\\x";
                out += kHex[b >> 4];
                out += kHex[b & 0xF];
            }
            i += count;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string Quoted(std::string_view text) {
    return "'" + Printable(text) + "'";
}

Message NotAnIntegerMessage(const std::string& text) {
    return {MessageId::NotAnInteger, {Quoted(text)}};
}

Message NotAFloatMessage(const std::string& text) {
    return {MessageId::NotAFloat, {Quoted(text)}};
}

Message TooFewPointsMessage(const std::string& text) {
    return {MessageId::TooFewPoints, {Quoted(text)}};
}

Message CannotCreateFileMessage(const std::string& path) {
    return {MessageId::CannotCreateFile, {Printable(path)}};
}

Message CannotOpenFileMessage(const std::string& path) {
    return {MessageId::CannotOpenFile, {Printable(path)}};
}

Message StreamWriteErrorMessage() {
    return {MessageId::StreamWriteError, {}};
}

Message CannotWriteIniMessage(const std::string& path) {
    return {MessageId::CannotWriteIni, {Printable(path)}};
}

Message CannotCreateFileBecauseMessage(const std::string& path, int errnum) {
    return {MessageId::CannotCreateFileBecause, {Printable(path), std::strerror(errnum)}};
}

Message CannotWriteFileBecauseMessage(const std::string& path, int errnum) {
    return {MessageId::CannotWriteFileBecause, {Printable(path), std::strerror(errnum)}};
}

Message NotEnoughMemoryMessage(const std::string& document) {
    return {MessageId::NotEnoughMemory, {Printable(document)}};
}

Message SettingOutOfRangeMessage(const std::string& key, int value, int low, int high) {
    return {MessageId::SettingOutOfRange,
            {key, std::to_string(value), std::to_string(low), std::to_string(high)}};
}

Message PointCountOutOfRangeMessage(int n) {
    return {MessageId::PointCountOutOfRange, {std::to_string(n)}};
}

Message SizeOutOfRangeMessage(double value) {
    return {MessageId::SizeOutOfRange, {Fixed4(value)}};
}

Message StarStepOutOfRangeMessage(int k, int largest) {
    return {MessageId::StarStepOutOfRange, {std::to_string(k), std::to_string(largest)}};
}

Message NegativeRadiusMessage(double radius) {
    return {MessageId::NegativeRadius, {Fixed4(radius)}};
}

Message OffsetOutOfRangeMessage(double offset) {
    return {MessageId::OffsetOutOfRange, {Fixed4(offset)}};
}

Message InnerRatioOutOfRangeMessage(double ratio) {
    return {MessageId::InnerRatioOutOfRange, {Fixed4(ratio)}};
}

Message CornerRadiusTooLargeMessage(double radius, double largest) {
    return {MessageId::CornerRadiusTooLarge, {Fixed4(radius), Fixed4(largest)}};
}

Message ValleyRadiusTooLargeMessage(double radius, double largest) {
    return {MessageId::ValleyRadiusTooLarge, {Fixed4(radius), Fixed4(largest)}};
}

Message OffsetLeavesNothingMessage(double offset) {
    return {MessageId::OffsetLeavesNothing, {Fixed4(offset)}};
}

Message NoOutlineMessage() {
    return {MessageId::NoOutline, {}};
}

Message WorkOverBudgetMessage(std::string_view key, double value, double largest) {
    return {MessageId::WorkOverBudget, {std::string(key), Fixed4(value), Fixed4(largest)}};
}

Message PreviewTooWideMessage(double side, int most, double documentSide) {
    char pixels[32];
    std::snprintf(pixels, sizeof pixels, "%.12g", std::trunc(side));
    return {MessageId::PreviewTooWide, {pixels, std::to_string(most), Fixed4(documentSide)}};
}

Message CalibrationNotAFactorMessage(const std::string& text) {
    return {MessageId::CalibrationNotAFactor, {Quoted(text)}};
}

std::string WithClosingPeriod(const std::string& message) {
    // Bytes compare unsigned, so the lead and trail bytes of a multibyte
    // character (0x80 and above) are all greater than ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

}  // namespace polygrav
