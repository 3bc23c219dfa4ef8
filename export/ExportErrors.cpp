#include "export/ExportErrors.h"

#include <cmath>
#include <cstdio>

#include "export/FigureExport.h"

namespace polygrav {

Message UnknownFormatMessage(std::string_view text) {
    return {MessageId::UnknownFormat, {Quoted(text), FormatNameList()}};
}

Message UnknownExtensionMessage(std::string_view path) {
    return {MessageId::UnknownExtension, {Quoted(path)}};
}

Message UnknownDxfVersionMessage(std::string_view text) {
    return {MessageId::UnknownDxfVersion, {Quoted(text)}};
}

Message UnknownDxfArcsMessage(std::string_view text) {
    return {MessageId::UnknownDxfArcs, {Quoted(text)}};
}

Message ResolutionOutOfRangeMessage(int dpi) {
    return {MessageId::ResolutionOutOfRange, {std::to_string(dpi)}};
}

Message ImageTooLargeMessage(double side, int limit) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", side);
    return {MessageId::ImageTooLarge, {text, std::to_string(limit)}};
}

Message ImageOverBudgetMessage(int dpi, int side, int largestDpi) {
    return {MessageId::ImageOverBudget,
            {std::to_string(dpi), std::to_string(side), std::to_string(largestDpi)}};
}

Message InvalidFigureMessage() {
    return {MessageId::InvalidFigure, {}};
}

Message CannotRenderMessage(std::string_view what, std::string_view why) {
    if (why.empty()) return {MessageId::CannotRender, {std::string(what)}};
    return {MessageId::CannotRenderBecause, {std::string(what), std::string(why)}};
}

}  // namespace polygrav
