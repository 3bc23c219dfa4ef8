#include "shell/ViewerModule.h"

#include <string>

#include "shell/ViewerLaunch.h"

extern "C" __attribute__((visibility("default"))) void polygrav_open_in_viewer(
    const char* path, PolygravViewerReport report, void* context) {
    polygrav::OpenInViewer(
        path, [report, context](const std::string& text) { report(text.c_str(), context); });
}
