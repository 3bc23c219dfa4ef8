#include "model/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace polygrav {

namespace {

constexpr int kSignificantDigits = 18;
constexpr int kDecimals = 4;

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
    char digits[kSignificantDigits];
    int count = 0;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits[count++] = *p;
    }
    ++p;  // 'e'
    const bool negativeExponent = *p == '-';
    ++p;  // the exponent's sign is always written
    int exponent = 0;
    std::from_chars(p, written.ptr, exponent);
    if (negativeExponent) exponent = -exponent;

    // The value times 10^4 as a whole number has `kept` digits before rounding.
    const int kept = exponent + 1 + kDecimals;
    if (kept >= kSignificantDigits) {
        // Every significant digit stands at or before the fourth decimal, so
        // nothing is rounded; the expansion is padded with zeros.
        if (negative) out += '-';
        const int point = kept - kDecimals;
        for (int i = 0; i < kept; ++i) {
            if (i == point) out += decimalSeparator;
            out += i < kSignificantDigits ? digits[i] : '0';
        }
        return;
    }

    // Fewer digits: right-aligned in a buffer of zeros with room for a carry,
    // rounded on the first dropped digit, half away from zero.
    constexpr int kWidth = kSignificantDigits + kDecimals + 2;
    char scaled[kWidth];
    std::fill(scaled, scaled + kWidth, '0');
    if (kept > 0) std::copy(digits, digits + kept, scaled + kWidth - kept);
    if (kept >= 0 && digits[kept] >= '5') {
        int i = kWidth - 1;
        while (scaled[i] == '9') scaled[i--] = '0';
        ++scaled[i];
    }

    const char* end = scaled + kWidth;
    const char* firstNonZero =
        std::find_if(static_cast<const char*>(scaled), end, [](char c) { return c != '0'; });
    const char* begin = std::min(firstNonZero, end - (kDecimals + 1));
    if (negative && firstNonZero != end) out += '-';  // never "-0.0000"
    out.append(begin, end - kDecimals);
    out += decimalSeparator;
    out.append(end - kDecimals, end);
}

std::string FormatFixed4(double value, char decimalSeparator) {
    std::string out;
    AppendFixed4(out, value, decimalSeparator);
    return out;
}

}  // namespace polygrav
