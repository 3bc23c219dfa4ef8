#include "svg/SvgFile.h"

#include "fileio/AtomicFile.h"
#include "svg/SvgDocument.h"

namespace polygrav {

void WriteSvgFile(const std::string& path, const TStarSettings& settings, char decimalSeparator) {
    // The document is complete in memory before the file is touched.
    const std::string document = BuildSvgDocument(settings, decimalSeparator);
    WriteFileAtomically(path, document);
}

}  // namespace polygrav
