#include "conversion/ProgramPath.h"

#include <unistd.h>

#include <vector>

namespace polygrav {

std::string RunningProgramPath(const char* argv0) {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return argv0 ? argv0 : "";
        if (static_cast<std::size_t>(n) < buffer.size())
            return {buffer.data(), static_cast<std::size_t>(n)};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace polygrav
