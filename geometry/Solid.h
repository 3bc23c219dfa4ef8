#pragma once

#include <vector>

#include "geometry/Figure.h"
#include "geometry/Mesh.h"
#include "geometry/MeshTriangulation.h"

namespace polygrav {

// The settings of a solid, lengths in millimetres.
struct SolidParameters {
    double thickness = 3;     // a plate: the outline extruded straight up
    bool cutter = false;      // a cookie cutter instead of a plate
    double wall = 0.8;        // the cutter's wall, grown inward; the hole's least material
    double height = 15;       // the cutter's height
    double flange = 4;        // the lip at the cutter's top, outward; 0: none
    double holeDiameter = 0;  // a plate's round hole; 0: none (a cutter has none)
    double holeInset = 0;     // from the top tip to the hole's centre; 0: the least
};

// The lip's thickness at the top of a cutter.
inline constexpr double kFlangeThickness = 1.2;

// How far a flattened arc may stray from the arc: the chords of every solid
// lie within this of the outline (mm).
inline constexpr double kSolidTolerance = 0.01;

// Raises EPartError naming the first value out of its range: thickness,
// wall and height above 0 and at most 200 mm, flange, hole diameter and
// inset from 0 to 200 mm, a cutter taller than its flange and without a
// hole.
void CheckSolidParameters(const SolidParameters& p);

// The outlines a solid is made of, in the solid's frame (x right, y up,
// mm), as rings of indices into one set of points, each point once; a
// region is what lies inside an odd number of its rings. A
// plate has only the outline (with its holes); a cutter also the inner side
// of its wall and, with a flange, the flange's outer edge.
struct SolidOutlines {
    std::vector<PlanePoint> points;
    std::vector<std::vector<std::uint32_t>> outline;
    std::vector<std::vector<std::uint32_t>> inner;
    std::vector<std::vector<std::uint32_t>> grown;
};

// The outlines of the figure's solid: its region's boundary (the figure's
// own contours when they are one, else the boundary of what they fill by the
// figure's fill rule), arcs flattened within kSolidTolerance, mirrored into
// the solid's frame so that the part on the bed reads as on the page. Checks
// the parameters; raises EPartError for a wall that closes the part.
SolidOutlines SolidOutlinesOf(const Figure& figure, const SolidParameters& p);

// The closed mesh of the solid: every edge shared by exactly two triangles,
// normals outwards, no degenerate triangle. A plate is the outline extruded
// from z 0 to the thickness; a cutter the wall between the outline and its
// inner side from 0 to the height, with the flange's ring from the outline
// outwards in the top kFlangeThickness.
Mesh BuildSolidMesh(const SolidOutlines& outlines, const SolidParameters& p);

}  // namespace polygrav
