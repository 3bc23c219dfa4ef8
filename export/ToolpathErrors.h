#pragma once

#include <string>
#include <string_view>

#include "model/Messages.h"

namespace polygrav {

// The messages of the machine files' options, each naming the key as the
// settings write it ("Machine.Feed") and the value in at most 12
// significant digits.
Message MachineValueOutOfRangeMessage(std::string_view key, double value, double low, double high);
Message MachineValueNotPositiveMessage(std::string_view key, double value);
Message MachineValueNegativeMessage(std::string_view key, double value);
// shortest is the length in mm of the shortest closed contour.
Message OvercutTooLongMessage(std::string_view key, double overcut, double shortest);
Message UnknownGcodeArcsMessage(std::string_view text);

// A number as the machine messages show it: its shortest form of at most
// 12 significant digits, with a full stop.
std::string MachineNumberText(double value);

}  // namespace polygrav
