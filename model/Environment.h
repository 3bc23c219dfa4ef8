#pragma once

#include <cstdlib>

namespace polygrav {

// Whether the environment variable is set to something: an empty value
// counts as unset, as the desktop's own tools take it.
inline bool IsSetInEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace polygrav
