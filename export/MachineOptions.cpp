#include "export/MachineOptions.h"

namespace polygrav {

ExportOptions WithMachineSettings(ExportOptions options, const MachineSettings& m) {
    GcodeOptions& g = options.gcode;
    g.power = m.Power;
    g.maxPower = m.MaxPower;
    g.feed = m.Feed;
    g.passes = m.Passes;
    g.passDepth = m.PassDepth;
    g.safeZ = m.SafeZ;
    g.laserMode = m.LaserMode;
    // An origin outside the choices stays as read, for the writer's range
    // check to name.
    g.origin = static_cast<MachineOrigin>(m.Origin);
    HpglOptions& h = options.hpgl;
    h.overcut = m.Overcut;
    h.mirror = m.Mirror;
    h.speed = m.Speed;
    return options;
}

}  // namespace polygrav
