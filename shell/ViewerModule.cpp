#include "conversion/ViewerModuleAbi.h"

#include <string>

#include "model/Messages.h"
#include "shell/ViewerLaunch.h"

extern "C" __attribute__((visibility("default"))) void polygrav_open_in_viewer(
    const char* path, int language, PolygravViewerReport report, void* context) {
    // The module has its own copy of the core, whose messages follow the
    // caller's language.
    polygrav::SetMessageLanguage(language == POLYGRAV_VIEWER_ENGLISH
                                     ? polygrav::Language::English
                                     : polygrav::Language::Japanese);
    polygrav::OpenInViewer(
        path, [report, context](const std::string& text) { report(text.c_str(), context); });
}
