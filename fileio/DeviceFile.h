#pragma once

#include <string>
#include <string_view>

namespace polygrav {

// Whether path (its symbolic links followed) names a character device, such
// as /dev/null or a terminal: a target that cannot be replaced, only
// written to.
bool IsCharacterDevice(const std::string& path);

// Writes bytes straight to the character device at path, without a
// temporary file (a device has no folder entry to replace). Raises
// EFCreateError when the device cannot be opened for writing and EWriteError
// when not every byte reaches it; each names the path and the system's
// reason in its detail.
void WriteToDevice(const std::string& path, std::string_view bytes);

}  // namespace polygrav
