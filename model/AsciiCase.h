#pragma once

#include <cstddef>
#include <string_view>

namespace polygrav {

// The letter in lower case when c is an ASCII capital; every other byte,
// those of UTF-8 sequences included, is itself.
constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether two names are equal when ASCII letters are compared without case;
// bytes above 127 only equal themselves. Section, key, colour, format and
// extension names compare this way.
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

}  // namespace polygrav
