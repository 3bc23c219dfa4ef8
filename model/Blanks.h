#pragma once

#include <string_view>

namespace polygrav {

// The blanks that the settings file trims around its keys and values:
// spaces and tabs.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace polygrav
