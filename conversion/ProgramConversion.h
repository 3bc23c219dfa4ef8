#pragma once

#include <string>
#include <vector>

namespace polygrav {

// A message of the program's conversion, in the order it arose.
struct ProgramMessage {
    bool error = false;  // the default handler's box, or one of the program's own messages
    std::string text;
};

// The program started with an argument: converts it when it names a ".pgv"
// document (the viewer through the viewer module when the document's View
// is on) and collects the messages to show. Returns the exit status: 1 when
// a document was given and its SVG file was not written, otherwise 0.
int ConvertAsTheProgram(const std::string& programPath, const std::string& argument,
                        char decimalSeparator, std::vector<ProgramMessage>& messages);

// A message as standard error shows it: "<title>: <text>".
std::string StandardErrorLine(const std::string& programPath, const std::string& text);

}  // namespace polygrav
