#pragma once

#include <string>

#include "geometry/Mesh.h"

namespace polygrav {

// The mesh as a 3MF package: one mesh object and one build item, the model's
// unit the millimetre, so that a slicer takes the part at its size. Raises
// EExportError when the package cannot be made.
std::string ThreeMfDocumentOf(const Mesh& mesh);

}  // namespace polygrav
