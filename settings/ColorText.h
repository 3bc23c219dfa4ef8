#pragma once

#include <string>
#include <string_view>

#include "model/Color.h"

namespace polygrav {

// The name of c in the table of 52 colour names, or "$" and eight upper-case
// hexadecimal digits.
std::string ColorToText(TColor c);

// A colour name (ASCII case ignored) or a number by the integer rule, whose 32
// bits are the colour; anything else raises EConvertError NotAnInteger.
TColor TextToColor(std::string_view text);

}  // namespace polygrav
