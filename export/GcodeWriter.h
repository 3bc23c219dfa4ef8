#pragma once

#include <string>

#include "export/Toolpath.h"
#include "geometry/Figure.h"
#include "model/SettingsKeys.h"

namespace polygrav {

// How arc edges reach the controller: as G2/G3 moves about their exact
// centres, or as straight G1 moves within 0.01 mm of the arc, for
// controllers without arcs.
enum class GcodeArcs { Arcs, Segments };

// The machine's settings for a G-code file. With passDepth 0 it is a laser:
// no Z moves, the beam switched on (M4 or M3 with power as S) for each
// contour and off (M5) before each travel. With passDepth above 0 it is a
// router: the spindle turns (M3) through the whole job, each contour is cut
// in passes, each passDepth deeper than the last down to passes × passDepth
// below the top of the material (Z 0), and every travel is made at safeZ.
struct GcodeOptions {
    double power = 1000;  // S, 0 to maxPower
    double maxPower = 1000;
    double feed = 1000;  // mm/min for cutting moves
    int passes = 1;      // 1 to 100
    double passDepth = 0;
    double safeZ = 5;
    bool laserMode = true;  // a laser's power through M4 (dynamic) or M3
    MachineOrigin origin = MachineOrigin::BottomLeft;
    GcodeArcs arcs = GcodeArcs::Arcs;
};

inline constexpr int kMaxPasses = static_cast<int>(KeyInfo(SettingsKey::Passes).maximum);

// Raises EExportError naming the key and its range when an option cannot be
// used: a power outside 0 to maxPower, a maxPower or feed of 0 or below,
// passes outside 1 to 100, a depth or safe height below 0, an origin that
// is neither of the two.
void CheckGcodeOptions(const GcodeOptions& options);

// The G-code program (GRBL 1.1) that cuts the figure: millimetres and
// absolute positions (G21 G90), Y pointing up as in the DXF drawing, the
// contours in cutting order (holes before the parts around them), each
// closed contour starting and ending at its first corner. Raises
// EExportError for options that cannot be used or a figure that cannot be
// drawn.
std::string GcodeProgramOf(const Figure& figure, const GcodeOptions& options = {});

}  // namespace polygrav
