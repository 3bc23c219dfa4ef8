#pragma once

#include <cstdint>

#include "model/Color.h"

namespace polygrav {

// A colour as the written files carry it: eight bits each of red, green and
// blue.
struct RgbColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const RgbColor&) const = default;
};

// The colour that the SVG document shows for c: its three low bytes. A system
// colour has no screen to be looked up on here, so it is not resolved either,
// and every format draws the same colour as the SVG.
inline constexpr RgbColor RgbOf(TColor c) {
    return {RedOf(c), GreenOf(c), BlueOf(c)};
}

}  // namespace polygrav
