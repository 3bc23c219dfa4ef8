#pragma once

#include <string>

namespace polygrav {

// One argument of a desktop entry's Exec value: in double quotes, with '"',
// '`', '$' and '\' escaped by a backslash and '%' doubled, so that a launcher
// gives back exactly the text as one argument. The key file's own escaping
// is added when the entry is written.
std::string QuoteExecArgument(const std::string& argument);

// The text of a desktop entry named name that starts the program at
// programPath, with no arguments, from the program's folder, and shows icon
// (an icon name or an absolute path; no Icon key when empty).
std::string ShortCutEntryText(const std::string& name, const std::string& programPath,
                              const std::string& icon = {});

}  // namespace polygrav
