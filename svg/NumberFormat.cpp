#include "svg/NumberFormat.h"

#include <charconv>
#include <cmath>

namespace polygrav {

namespace {

constexpr int kSignificantDigits = 18;
constexpr int kDecimals = 4;

// Adds one to a string of decimal digits, growing it on a carry out of the
// first digit.
void IncrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

void AppendFixed4(std::string& out, double value, char decimalSeparator) {
    if (std::isnan(value)) {
        out += "NAN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return;
    }

    // The 18 significant digits as "[-]d.ddddddddddddddddde<sign><digits>";
    // to_chars does not depend on the locale.
    char text[40];
    const auto written = std::to_chars(text, text + sizeof text, value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const char* p = text;
    const bool negative = *p == '-';
    if (negative) ++p;
    std::string digits;
    digits.reserve(kSignificantDigits);
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits += *p;
    }
    ++p;  // 'e'
    const bool negativeExponent = *p == '-';
    ++p;  // the exponent's sign is always written
    int exponent = 0;
    std::from_chars(p, written.ptr, exponent);
    if (negativeExponent) exponent = -exponent;

    // The value times 10^4 as a whole number: the first `kept` digits, rounded
    // on the next one, half away from zero.
    const int kept = exponent + 1 + kDecimals;
    std::string scaled;
    bool roundUp = false;
    if (kept >= kSignificantDigits) {
        scaled = digits;
        scaled.append(static_cast<std::size_t>(kept - kSignificantDigits), '0');
    } else if (kept >= 0) {
        scaled = digits.substr(0, static_cast<std::size_t>(kept));
        roundUp = digits[static_cast<std::size_t>(kept)] >= '5';
    }
    if (roundUp) IncrementDigits(scaled);
    if (scaled.size() < kDecimals + 1) {
        scaled.insert(0, kDecimals + 1 - scaled.size(), '0');
    }

    if (negative && scaled.find_first_not_of('0') != std::string::npos) out += '-';
    const std::size_t point = scaled.size() - kDecimals;
    out.append(scaled, 0, point);
    out += decimalSeparator;
    out.append(scaled, point, kDecimals);
}

std::string FormatFixed4(double value, char decimalSeparator) {
    std::string out;
    AppendFixed4(out, value, decimalSeparator);
    return out;
}

}  // namespace polygrav
