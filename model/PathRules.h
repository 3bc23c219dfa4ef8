#pragma once

#include <string>
#include <string_view>

namespace polygrav {

// The folder of a path: everything before its last "/", or "/" for a path in
// the root folder, or the empty text for a name without "/".
std::string ExtractFileDir(std::string_view path);

// The extension of a path: from the last "." after the last "/" to the end,
// or the empty text.
std::string ExtractFileExt(std::string_view path);

// The path with its extension replaced by ext (which includes the "."), or
// with ext appended when it has none.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// The application title: the program file's name up to its first ".", every
// character after the first in lower case (ASCII letters).
std::string ApplicationTitle(std::string_view programPath);

}  // namespace polygrav
