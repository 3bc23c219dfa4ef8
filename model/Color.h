#pragma once

#include <cstdint>

namespace polygrav {

// A 32-bit colour: lowest byte red, then green, then blue, highest byte 0.
// A system colour has 0x80 in the highest byte and the index of a system
// colour element in the lowest byte; it is carried unchanged.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clNavy = 0x00800000;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clWhite = 0x00FFFFFF;

inline constexpr std::uint8_t RedOf(TColor c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
inline constexpr std::uint8_t GreenOf(TColor c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
inline constexpr std::uint8_t BlueOf(TColor c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

inline constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000u) == 0x80000000u;
}
inline constexpr int SystemColorIndex(TColor c) {
    return static_cast<int>(c & 0xFF);
}

}  // namespace polygrav
