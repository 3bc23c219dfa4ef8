#include "model/Errors.h"

#include <charconv>
#include <cmath>

namespace polygrav {

namespace {

// A length in the "0.0000" pattern with a full stop, whatever the locale;
// a value that rounds to zero loses its sign.
std::string Fixed4(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    if (std::fabs(value) < 0.00005) value = 0;
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    return std::string(text, result.ptr);
}

}  // namespace

std::string Quoted(std::string_view text) {
    // The message travels as a C string, which a NUL byte would end, so
    // each NUL stands as U+FFFD, the mark for a byte that cannot be shown.
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\0') {
            quoted += "\xEF\xBF\xBD";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
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
    return {MessageId::CannotCreateFile, {path}};
}

Message CannotOpenFileMessage(const std::string& path) {
    return {MessageId::CannotOpenFile, {path}};
}

Message StreamWriteErrorMessage() {
    return {MessageId::StreamWriteError, {}};
}

Message CannotWriteIniMessage(const std::string& path) {
    return {MessageId::CannotWriteIni, {path}};
}

Message SettingOutOfRangeMessage(const std::string& key, int value, int low, int high) {
    return {MessageId::SettingOutOfRange,
            {key, std::to_string(value), std::to_string(low), std::to_string(high)}};
}

Message PointCountOutOfRangeMessage(int n) {
    return {MessageId::PointCountOutOfRange, {std::to_string(n)}};
}

Message SheetSideOutOfRangeMessage(const std::string& key, double value) {
    return {MessageId::SheetSideOutOfRange, {key, Fixed4(value)}};
}

Message SheetMarginOutOfRangeMessage(double margin, double halfSide) {
    return {MessageId::SheetMarginOutOfRange, {Fixed4(margin), Fixed4(halfSide)}};
}

Message SheetGapOutOfRangeMessage(double gap, double largest) {
    return {MessageId::SheetGapOutOfRange, {Fixed4(gap), Fixed4(largest)}};
}

Message SheetTooSmallMessage(double width, double height, double neededWidth, double neededHeight) {
    return {MessageId::SheetTooSmall,
            {Fixed4(width), Fixed4(height), Fixed4(neededWidth), Fixed4(neededHeight)}};
}

Message SheetCountTooLargeMessage(long long count, long long fit) {
    return {MessageId::SheetCountTooLarge, {std::to_string(count), std::to_string(fit)}};
}

Message SheetTooManyPartsMessage(long long count, long long largest) {
    return {MessageId::SheetTooManyParts, {std::to_string(count), std::to_string(largest)}};
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
