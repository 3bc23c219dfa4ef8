#include "conversion/SolidSettings.h"

#include "geometry/Solid.h"
#include "model/Errors.h"
#include "settings/SettingsFile.h"

namespace polygrav {

namespace {

constexpr double kPlaDensity = 1.24;  // g/cm³

}  // namespace

SolidParameters SolidParametersOf(const SolidSettings& keys) {
    SolidParameters p;
    p.thickness = keys.Thickness;
    p.cutter = keys.Cutter;
    p.wall = keys.Wall;
    p.height = keys.Height;
    p.flange = keys.Flange;
    p.holeDiameter = keys.HoleDiameter;
    p.holeInset = keys.HoleInset;
    return p;
}

bool AsksForSolid(const SolidSettings& keys) {
    return !(keys == SolidSettings{});
}

std::string SolidInfoFields(const Figure& figure, const SolidParameters& p) {
    const double volume = MeshVolume(BuildSolidMesh(SolidOutlinesOf(figure, p), p));
    // mm³ to cm³, times the density.
    return ", \"volume\": " + FormatPartDecimal(volume) +
           ", \"weight\": " + FormatPartDecimal(volume / 1000 * kPlaDensity);
}

}  // namespace polygrav
