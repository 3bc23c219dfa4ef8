#pragma once

#include <cstdlib>
#include <string_view>

namespace polygrav {

// Whether the environment variable is set to something: an empty value
// counts as unset, as the desktop's own tools take it.
inline bool IsSetInEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Whether the environment names a display: DISPLAY or WAYLAND_DISPLAY.
inline bool DisplayNamedInEnvironment() {
    return IsSetInEnvironment("DISPLAY") || IsSetInEnvironment("WAYLAND_DISPLAY");
}

// Whether the environment offers a display to show messages on: a Qt
// platform chosen that is not a headless one, or else a display named.
inline bool DisplayOffered() {
    if (IsSetInEnvironment("QT_QPA_PLATFORM")) {
        const std::string_view platform = std::getenv("QT_QPA_PLATFORM");
        return platform != "offscreen" && platform != "minimal";
    }
    return DisplayNamedInEnvironment();
}

}  // namespace polygrav
