#pragma once

#include <string_view>

#include "model/Messages.h"

namespace polygrav {

// The messages of solids, each the catalogue entry of its name (see
// model/Messages.def); lengths in the "0.0000" pattern. key names the
// setting ("Thickness").
Message SolidLengthOutOfRangeMessage(std::string_view key, double value);
Message SolidLengthOrZeroOutOfRangeMessage(std::string_view key, double value);
Message WallClosesPartMessage(double wall);
Message FlangeNeedsHeightMessage(double height);
Message HoleTooLargeMessage(double diameter, double largest);
Message HoleOnCutterMessage(double diameter);
Message SolidOutlineCrossesMessage();

}  // namespace polygrav
