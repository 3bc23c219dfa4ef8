#pragma once

#include <string>

#include "export/FigureExport.h"
#include "geometry/Figure.h"

namespace polygrav {

// Encodes the figure in the format and writes the bytes atomically to path
// (fileio/AtomicFile.h). An encoding error (EExportError) is raised before the
// file is touched, so an earlier file at path stays whole; the write raises
// EFCreateError or EWriteError.
void WriteFigureFile(const std::string& path, const Figure& figure, ExportFormat format,
                     const ExportOptions& options = {});

}  // namespace polygrav
