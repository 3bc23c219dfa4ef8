#pragma once

#include <string>

namespace polygrav {

// A readout of --info as a JSON number: the value rounded to 1e-9 (a
// nanometre for lengths) and written in the shortest text that reads back as
// that rounded value, with a full stop whatever the locale. So float noise
// such as 49.99999999999999 prints as 50. Values too large for the rounding
// to change anything are written as they are.
std::string FormatReadoutNumber(double value);

}  // namespace polygrav
