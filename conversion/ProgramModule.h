#pragma once

#include <string>

namespace polygrav {

// Loads one of the program's modules (a shared object that only some runs
// need, so that the others do not pay for loading its libraries): the file
// name beside the program, or in ../lib/polygrav from the program's folder
// as installed and in the build tree. Loaded once; null with the reason in
// why when it cannot be loaded.
void* LoadProgramModule(const std::string& programPath, const std::string& name, std::string& why);

// The address of the entry point symbol of a loaded module, or null with
// the reason in why.
void* ModuleEntry(void* module, const char* symbol, std::string& why);

}  // namespace polygrav
