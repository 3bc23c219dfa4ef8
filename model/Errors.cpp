#include "model/Errors.h"

#include "model/NumberFormat.h"

namespace polygrav {

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

Message SizeOutOfRangeMessage(double value) {
    return {MessageId::SizeOutOfRange, {FormatFixed4(value)}};
}

Message StarStepOutOfRangeMessage(int k, int largest) {
    return {MessageId::StarStepOutOfRange, {std::to_string(k), std::to_string(largest)}};
}

Message NegativeRadiusMessage(double radius) {
    return {MessageId::NegativeRadius, {FormatFixed4(radius)}};
}

Message OffsetOutOfRangeMessage(double offset) {
    return {MessageId::OffsetOutOfRange, {FormatFixed4(offset)}};
}

Message InnerRatioOutOfRangeMessage(double ratio) {
    return {MessageId::InnerRatioOutOfRange, {FormatFixed4(ratio)}};
}

Message CornerRadiusTooLargeMessage(double radius, double largest) {
    return {MessageId::CornerRadiusTooLarge, {FormatFixed4(radius), FormatFixed4(largest)}};
}

Message ValleyRadiusTooLargeMessage(double radius, double largest) {
    return {MessageId::ValleyRadiusTooLarge, {FormatFixed4(radius), FormatFixed4(largest)}};
}

Message OffsetLeavesNothingMessage(double offset) {
    return {MessageId::OffsetLeavesNothing, {FormatFixed4(offset)}};
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
