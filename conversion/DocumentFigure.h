#pragma once

#include "export/FigureExport.h"
#include "geometry/Figure.h"
#include "model/StarSettings.h"

namespace polygrav {

// What a settings document asks every output for, beyond [SVG]: the one
// figure that every format draws and the options of its writers. The
// converter and the window's save both take them from here, so that a
// document gives the same files from either.

// The figure of the document: its [SVG] figure, and with a plate's hole of
// [Solid] the region's boundary with the hole among its contours. Raises
// the figure's errors, and those of a solid asked for by [Solid].
Figure DocumentFigure(const DocumentSettings& document, char decimalSeparator);

// base with the options of the document's [Machine] and [Solid].
ExportOptions DocumentExportOptions(const DocumentSettings& document, ExportOptions base = {});

}  // namespace polygrav
