#pragma once

#include <string>

namespace polygrav {

// The program started with an argument: converts it when it names a ".pgv"
// document and ends, without ever creating a window. Qt's application object
// is made only when a message must be shown on a display; without one,
// messages go to standard error. Returns the exit status: 1 when a document
// was given and its SVG file was not written, otherwise 0.
int RunConversion(const std::string& programPath, const std::string& argument);

}  // namespace polygrav
