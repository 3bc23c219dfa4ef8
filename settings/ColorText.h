#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/Color.h"

namespace polygrav {

// A colour name of the settings file and the colour it stands for.
struct NamedColor {
    std::string_view name;
    TColor value;
};

// The 52 colour names; names and values are each unique, so both lookups
// give the same pairs. There is no name for system colour 25.
std::span<const NamedColor> ColorNameTable();

// The name of c in the table of 52 colour names, or "$" and eight upper-case
// hexadecimal digits.
std::string ColorToText(TColor c);

// A colour name (ASCII case ignored) or a number by the integer rule, whose 32
// bits are the colour; anything else raises EConvertError NotAnInteger.
TColor TextToColor(std::string_view text);

}  // namespace polygrav
