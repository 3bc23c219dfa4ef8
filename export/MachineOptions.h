#pragma once

#include "export/FigureExport.h"
#include "model/StarSettings.h"

namespace polygrav {

// The options of the G-code and HPGL writers from the keys of [Machine],
// as read; the way arcs are written (--gcode-arcs) and the other formats'
// options stay as given. The writers check the ranges when they write.
ExportOptions WithMachineSettings(ExportOptions options, const MachineSettings& machine);

}  // namespace polygrav
