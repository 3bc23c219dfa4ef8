#include "convert/ViewerLoader.h"

#include <dlfcn.h>

#include "model/PathRules.h"
#include "shell/ViewerModule.h"

namespace polygrav {

namespace {

constexpr const char* kModuleName = "polygrav-viewer.so";

// The module's entry point, or null with the reason in why.
PolygravOpenInViewer LoadEntry(const std::string& programPath, std::string& why) {
    static PolygravOpenInViewer entry = nullptr;
    if (entry != nullptr) return entry;
    const std::string folder = ExtractFileDir(programPath);
    for (const std::string& candidate :
         {folder + "/" + kModuleName, folder + "/../lib/polygrav/" + kModuleName}) {
        if (void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            entry = reinterpret_cast<PolygravOpenInViewer>(dlsym(module, POLYGRAV_VIEWER_ENTRY));
            if (entry != nullptr) return entry;
        }
        why = dlerror();
    }
    return nullptr;
}

void Report(const char* text, void* context) {
    (*static_cast<const std::function<void(const std::string&)>*>(context))(text);
}

}  // namespace

void OpenWithViewerModule(const std::string& programPath, const std::string& path,
                          const std::function<void(const std::string&)>& report) {
    std::string why;
    const PolygravOpenInViewer entry = LoadEntry(programPath, why);
    if (entry == nullptr) {
        report("cannot load the viewer module: " + why);
        return;
    }
    entry(path.c_str(), Report, const_cast<std::function<void(const std::string&)>*>(&report));
}

}  // namespace polygrav
