#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace polygrav {

// The integer rule: leading blanks (code 32), an optional sign, then a
// hexadecimal number introduced by "$", "x", "X", "0x" or "0X" (32 bits, read
// as signed) or a decimal number within the signed 32-bit range; nothing may
// follow. Returns nothing when the text fails the rule.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// The integer rule, raising EConvertError NotAnInteger.
std::int32_t StrToInt(std::string_view text);

// The decimal separator of the user's locale (LC_NUMERIC), one byte; a full
// stop in the C locale or when the locale's separator is not a single byte.
char LocaleDecimalSeparator();

// The decimal-number rule: blanks, sign, digits, the given decimal separator
// and more digits, an optional exponent, blanks. Returns nothing when the text
// fails the rule or the value is too large for a double.
std::optional<double> TryStrToFloat(std::string_view text, char decimalSeparator);

// The decimal-number rule, raising EConvertError NotAFloat.
double StrToFloat(std::string_view text, char decimalSeparator);

// The number of points n read from the point-count text: the integer rule,
// and then n must be at least 3, which the geometry needs; a smaller n raises
// EConvertError naming the value.
int ReadPointCount(std::string_view text);

// The radius R read from the radius text by the decimal-number rule.
double ReadRadius(std::string_view text, char decimalSeparator);

}  // namespace polygrav
