#pragma once

#include <string_view>

#include "export/FigureExport.h"

namespace polygrav {

// The keys of the machine files (section [Machine]), as `--set
// Machine.KEY=VALUE` gives them: Power, MaxPower, Feed, Passes, PassDepth,
// SafeZ, LaserMode, Origin (G-code) and Overcut, Mirror, Speed (HPGL).
// Keys compare ignoring case.

// True when key (without the section) is one of them.
bool IsMachineKey(std::string_view key);

// Sets the option of key from value: a decimal number with a full stop, a
// whole number for Passes, 0 or 1 for LaserMode, Origin and Mirror; an empty
// Speed leaves the cutter's own. A value that is no such number raises
// EExportError naming the key. Ranges are checked when a file is written,
// with every key in place (Power depends on MaxPower).
void ApplyMachineKey(ExportOptions& options, std::string_view key, std::string_view value);

}  // namespace polygrav
