#pragma once

#include <string>

#include "geometry/Solid.h"

namespace polygrav {

// The solid as an OpenSCAD file for going on with it there: the outline's
// points once, as the variable points, and each region as polygon(points =
// points, paths = …) under linear_extrude(height = …). A plate is one
// extrusion; a cutter the outline's extrusion less the inner side's, with the
// flange's ring extruded at the top. Coordinates in millimetres, four
// decimals, as the solid's own points lie on that grid.
std::string ScadDocumentOf(const SolidOutlines& outlines, const SolidParameters& p);

}  // namespace polygrav
