#include "conversion/ProgramModule.h"

#include <dlfcn.h>

#include "model/PathRules.h"

namespace polygrav {

void* LoadProgramModule(const std::string& programPath, const std::string& name, std::string& why) {
    const std::string folder = ExtractFileDir(programPath);
    for (const std::string& candidate :
         {folder + "/" + name, folder + "/../lib/polygrav/" + name}) {
        // A module loaded before is found again without a second load.
        if (void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return module;
        why = dlerror();
    }
    return nullptr;
}

void* ModuleEntry(void* module, const char* symbol, std::string& why) {
    void* entry = dlsym(module, symbol);
    if (entry == nullptr) why = dlerror();
    return entry;
}

}  // namespace polygrav
