#pragma once

#include <functional>
#include <string>

namespace polygrav {

// Opens the file at path in the desktop's viewer through the viewer module
// beside the program (or in ../lib/polygrav when installed), loaded at the
// first call. A message for the user goes to report.
void OpenWithViewerModule(const std::string& programPath, const std::string& path,
                          const std::function<void(const std::string&)>& report);

}  // namespace polygrav
