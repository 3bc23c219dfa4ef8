#include "model/NumberRules.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>

#include "model/Errors.h"

namespace polygrav {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads the hexadecimal digits from text[i] to the end; at least one digit,
// value at most 0xFFFFFFFF.
std::optional<std::uint32_t> ParseHexDigits(std::string_view text, std::size_t i) {
    if (i >= text.size()) return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

// Reads the decimal digits from text[i] to the end; at least one digit, and
// the magnitude at most `limit`.
std::optional<std::int64_t> ParseDecimalDigits(std::string_view text, std::size_t i,
                                               std::int64_t limit) {
    if (i >= text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > limit) return std::nullopt;
    }
    return value;
}

// The parts of a text that passed the decimal-number rule.
struct DecimalParts {
    bool negative = false;
    std::string digits;        // integer and fraction digits together
    std::int64_t pointAt = 0;  // how many of the digits stand before the separator
    std::int64_t exponent = 0;
};

// Caps the exponent far beyond any double so that a long run of exponent
// digits cannot overflow; the result is then out of range either way.
constexpr std::int64_t kExponentCap = 1'000'000'000;

std::optional<DecimalParts> SplitDecimal(std::string_view text, char separator) {
    DecimalParts parts;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    bool mantissa = false;  // a digit or the separator was seen
    while (i < n && IsDigit(text[i])) {
        parts.digits += text[i++];
        mantissa = true;
    }
    parts.pointAt = static_cast<std::int64_t>(parts.digits.size());
    if (i < n && text[i] == separator) {
        ++i;
        mantissa = true;
        while (i < n && IsDigit(text[i])) parts.digits += text[i++];
    }
    if (!mantissa) return std::nullopt;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        // "1e", "1e+" and "1e-" all read as 1: an exponent without digits is 0.
        std::int64_t exponent = 0;
        while (i < n && IsDigit(text[i])) {
            if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        parts.exponent = negativeExponent ? -exponent : exponent;
    }
    while (i < n && text[i] == ' ') ++i;
    if (i != n) return std::nullopt;
    return parts;
}

// Converts the parts through a "C" text "0.<digits>e<exp>" with from_chars,
// which never looks at the process locale.
std::optional<double> DecimalValue(const DecimalParts& parts) {
    const double zero = parts.negative ? -0.0 : 0.0;
    const std::size_t first = parts.digits.find_first_not_of('0');
    if (first == std::string::npos) return zero;
    const std::size_t last = parts.digits.find_last_not_of('0');
    // The value is 0.<significant digits> times 10^scale.
    const std::int64_t scale = parts.pointAt - static_cast<std::int64_t>(first) + parts.exponent;
    if (scale > 400) return std::nullopt;  // far above the largest double
    if (scale < -400) return zero;         // far below the smallest one

    std::string text = parts.negative ? "-0." : "0.";
    text.append(parts.digits, first, last - first + 1);
    text += 'e';
    text += std::to_string(scale);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (scale > 0) return std::nullopt;
        return zero;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size()) return std::nullopt;

    std::size_t hexStart = 0;
    if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') {
        hexStart = i + 1;
    } else if (text[i] == '0' && i + 1 < text.size() &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hexStart = i + 2;
    }
    if (hexStart != 0) {
        const auto bits = ParseHexDigits(text, hexStart);
        if (!bits) return std::nullopt;
        // A "-" in front of a hexadecimal number negates the 32-bit value with
        // wrap-around: "-$10" is -16 and "-$FFFFFFFF" is 1. The unsigned
        // negation is well defined, and so is the conversion to signed.
        const std::uint32_t value = negative ? 0u - *bits : *bits;
        return static_cast<std::int32_t>(value);
    }

    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    const auto magnitude = ParseDecimalDigits(text, i, limit);
    if (!magnitude) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -*magnitude : *magnitude);
}

std::int32_t StrToInt(std::string_view text) {
    const auto value = TryStrToInt(text);
    if (!value) throw EConvertError(NotAnIntegerMessage(std::string(text)));
    return *value;
}

char LocaleDecimalSeparator() {
    const std::lconv* conv = std::localeconv();
    if (conv != nullptr && conv->decimal_point != nullptr &&
        std::strlen(conv->decimal_point) == 1) {
        return conv->decimal_point[0];
    }
    return '.';
}

std::optional<double> TryStrToFloat(std::string_view text, char decimalSeparator) {
    const auto parts = SplitDecimal(text, decimalSeparator);
    if (!parts) return std::nullopt;
    return DecimalValue(*parts);
}

double StrToFloat(std::string_view text, char decimalSeparator) {
    const auto value = TryStrToFloat(text, decimalSeparator);
    if (!value) throw EConvertError(NotAFloatMessage(std::string(text)));
    return *value;
}

int ReadPointCount(std::string_view text) {
    const int n = StrToInt(text);
    if (n < 3) throw EConvertError(TooFewPointsMessage(std::string(text)));
    return n;
}

double ReadRadius(std::string_view text, char decimalSeparator) {
    return StrToFloat(text, decimalSeparator);
}

}  // namespace polygrav
