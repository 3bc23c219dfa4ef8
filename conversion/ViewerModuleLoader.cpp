#include "conversion/ViewerModuleLoader.h"

#include "conversion/ViewerModuleAbi.h"
#include "fileio/ProgramModule.h"
#include "model/Messages.h"

namespace polygrav {

namespace {

void Report(const char* text, void* context) {
    (*static_cast<const std::function<void(const std::string&)>*>(context))(text);
}

}  // namespace

void OpenWithViewerModule(const std::string& programPath, const std::string& path,
                          const std::function<void(const std::string&)>& report) {
    std::string why;
    void* entry =
        ProgramModuleEntry(programPath, ProgramModule::Viewer, POLYGRAV_VIEWER_ENTRY, why);
    if (entry == nullptr) {
        report(MessageText(MessageId::CannotLoadViewerModule, {why}));
        return;
    }
    reinterpret_cast<PolygravOpenInViewer>(entry)(
        path.c_str(),
        MessageLanguage() == Language::English ? POLYGRAV_VIEWER_ENGLISH : POLYGRAV_VIEWER_JAPANESE,
        Report, const_cast<std::function<void(const std::string&)>*>(&report));
}

}  // namespace polygrav
