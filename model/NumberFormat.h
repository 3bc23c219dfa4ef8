#pragma once

#include <string>

namespace polygrav {

// The number pattern "0.0000": at least one digit before the separator and
// exactly four after it. The value is first expanded to 18 significant
// decimal digits and then rounded at the fourth decimal, half away from zero;
// a value that rounds to zero is "0.0000", never "-0.0000". The result does
// not depend on the process locale.
// An infinite value is written "INF" or "-INF", not-a-number "NAN".
std::string FormatFixed4(double value, char decimalSeparator = '.');

// FormatFixed4 appended to out, for writers that build long texts.
void AppendFixed4(std::string& out, double value, char decimalSeparator = '.');

}  // namespace polygrav
