#pragma once

#include <cstddef>
#include <string_view>

namespace polygrav {

// The length of the well-formed UTF-8 character at the start of bytes (1 for
// ASCII), or 0 when bytes is empty or starts with a sequence that is not
// well formed: overlong forms, surrogates, values beyond U+10FFFF and
// sequences cut short are not.
inline std::size_t WellFormedUtf8Length(std::string_view bytes) {
    if (bytes.empty()) return 0;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) return 0;
    }
    return length;
}

}  // namespace polygrav
