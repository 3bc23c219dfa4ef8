#pragma once

#include <string>

#include "geometry/Figure.h"
#include "geometry/Solid.h"
#include "model/StarSettings.h"

namespace polygrav {

// The solid's parameters from the keys of [Solid].
SolidParameters SolidParametersOf(const SolidSettings& keys);

// Whether the keys ask for a solid: any of them away from its default.
bool AsksForSolid(const SolidSettings& keys);

// The readouts that a solid adds to --info, each with its leading comma:
// "volume" (mm³, of the mesh as written) and "weight" (grams, at the
// density of PLA, 1.24 g/cm³).
std::string SolidInfoFields(const Figure& figure, const SolidParameters& p);

}  // namespace polygrav
