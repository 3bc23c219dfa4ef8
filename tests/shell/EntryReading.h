#pragma once

#include <string>
#include <vector>

namespace polygrav::test {

// The arguments of an Exec value as a launcher reads it: "%%" gives "%",
// then the shell's double-quote rules, which desktop entries share. Empty
// when the value cannot be read or holds a field code.
std::vector<std::string> ExecArguments(const std::string& exec);

// The value of key in the group [Desktop Entry] of a desktop entry's text,
// with the key file's escapes undone; empty when it is missing.
std::string EntryValue(const std::string& entryText, const char* key);

}  // namespace polygrav::test
