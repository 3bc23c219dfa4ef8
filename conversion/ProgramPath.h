#pragma once

#include <string>

namespace polygrav {

// The running program's own full path, as the system reports it
// (/proc/self/exe); argv0 when the system cannot tell.
std::string RunningProgramPath(const char* argv0);

}  // namespace polygrav
