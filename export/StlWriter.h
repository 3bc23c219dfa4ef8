#pragma once

#include <string>

#include "geometry/Mesh.h"

namespace polygrav {

// The mesh as a binary STL file: an 80-byte header that does not begin with
// "solid" (so no reader takes it for the text form), the triangle count and
// each triangle's normal and corners as little-endian 32-bit floats, in
// millimetres.
std::string StlDocumentOf(const Mesh& mesh);

}  // namespace polygrav
