#include "fileio/ProgramModule.h"

#include <dlfcn.h>

#include "model/PathRules.h"

namespace polygrav {

const char* ModuleFileName(ProgramModule module) {
    switch (module) {
        case ProgramModule::Window:
            return "polygrav-window.so";
        case ProgramModule::Viewer:
            return "polygrav-viewer.so";
        case ProgramModule::Cairo:
            return "polygrav-cairo.so";
    }
    return "";
}

void* ProgramModuleEntry(const std::string& programPath, ProgramModule module, const char* symbol,
                         std::string& why) {
    const std::string folder = ExtractFileDir(programPath);
    const std::string name = ModuleFileName(module);
    for (const std::string& candidate :
         {folder + "/" + name, folder + "/../lib/polygrav/" + name}) {
        // A module loaded before is found again without a second load.
        void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            why = dlerror();
            continue;
        }
        void* entry = dlsym(handle, symbol);
        if (entry == nullptr) why = dlerror();
        return entry;
    }
    return nullptr;
}

}  // namespace polygrav
