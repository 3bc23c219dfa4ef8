#pragma once

#include "export/CairoEncoders.h"

namespace polygrav {

// The PDF and PNG writers linked into the program (polygrav_cairo).
CairoEncoders LinkedCairoEncoders();

}  // namespace polygrav
