#include "export/FigureFile.h"

#include "fileio/AtomicFile.h"

namespace polygrav {

void WriteFigureFile(const std::string& path, const Figure& figure, ExportFormat format,
                     const ExportOptions& options) {
    const std::string bytes = EncodeFigure(figure, format, options);
    WriteFileAtomically(path, bytes);
}

}  // namespace polygrav
