#include "model/PathRules.h"

namespace polygrav {

namespace {

// The position just after the last "/", or 0 for a bare name.
std::size_t NameStart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// The position of the extension's ".", or the end of the path.
std::size_t ExtensionStart(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < NameStart(path)) return path.size();
    return dot;
}

}  // namespace

std::string ExtractFileDir(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string ExtractFileExt(std::string_view path) {
    return std::string(path.substr(ExtensionStart(path)));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    std::string result(path.substr(0, ExtensionStart(path)));
    result += ext;
    return result;
}

std::string ApplicationTitle(std::string_view programPath) {
    std::string_view name = programPath.substr(NameStart(programPath));
    name = name.substr(0, name.find('.'));
    std::string title(name);
    for (std::size_t i = 1; i < title.size(); ++i) {
        if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] - 'A' + 'a');
    }
    return title;
}

}  // namespace polygrav
