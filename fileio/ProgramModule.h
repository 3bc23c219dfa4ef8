#pragma once

#include <string>

namespace polygrav {

// The program's modules: shared objects that only some runs need, so that
// the others do not pay for loading their libraries.
enum class ProgramModule {
    Window,  // polygrav-window.so: the window and the message boxes (Qt)
    Viewer,  // polygrav-viewer.so: the viewer launch (GIO)
    Cairo,   // polygrav-cairo.so: the PDF and PNG writers (cairo, libpng)
};

// The module's file name, "polygrav-window.so" and so on.
const char* ModuleFileName(ProgramModule module);

// The address of the entry point symbol of the module, which is loaded at
// the first call: the file beside the program, or in ../lib/polygrav from
// the program's folder as installed and in the build tree. Null with the
// reason in why when the module cannot be loaded or lacks the symbol.
void* ProgramModuleEntry(const std::string& programPath, ProgramModule module, const char* symbol,
                         std::string& why);

}  // namespace polygrav
