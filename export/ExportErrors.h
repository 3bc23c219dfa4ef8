#pragma once

#include <string>
#include <string_view>

#include "model/Errors.h"

namespace polygrav {

// A figure that cannot be written in the chosen format, or an export option
// that cannot be used. The message is the text shown to the user.
class EExportError : public EPolygravError {
  public:
    using EPolygravError::EPolygravError;
};

// The writers' messages, each the catalogue entry of its name (see
// model/Messages.def) with its arguments; texts given by the user quoted.
Message UnknownFormatMessage(std::string_view text);
Message UnknownExtensionMessage(std::string_view path);
Message UnknownDxfVersionMessage(std::string_view text);
Message UnknownDxfArcsMessage(std::string_view text);
Message ResolutionOutOfRangeMessage(int dpi);
// side is the image's side in pixels, limit the largest allowed.
Message ImageTooLargeMessage(double side, int limit);
Message InvalidFigureMessage();
// A PNG of side × side pixels at dpi over the work budget; largestDpi fits.
Message ImageOverBudgetMessage(int dpi, int side, int largestDpi);
// what names the format ("PDF", "PNG"); why, when given, says what failed.
Message CannotRenderMessage(std::string_view what, std::string_view why = {});

}  // namespace polygrav
