#pragma once

#include <cstddef>
#include <vector>

#include "geometry/Figure.h"
#include "model/StarSettings.h"

namespace polygrav {

// A corner of a contour in a machine's frame: millimetres, Y pointing up,
// and the edge that leaves it towards the next corner. bulge keeps the
// figure's sense: positive turns counter-clockwise as the picture shows it,
// which with Y up is counter-clockwise in these coordinates too.
struct MachineVertex {
    double x = 0;
    double y = 0;
    double bulge = 0;
};

// A closed contour in the machine's frame; the last corner's edge returns
// to the first corner.
using MachineContour = std::vector<MachineVertex>;

// Where the machine's origin lies on the document, as the key Origin gives
// it.
enum class MachineOrigin { BottomLeft = kOriginBottomLeft, Centre = kOriginCentre };

// The order in which the contours are cut, as indices into contours (page
// coordinates, as the figure holds them). Every contour that lies inside
// another comes before the one around it, so that a hole is cut while its
// part is still held by the sheet; the deepest contours of a part first.
// Parts (an outermost contour with everything inside it) follow a
// nearest-neighbour walk that starts at `from`, going each time to the part
// whose first contour starts nearest to where the last one ended.
std::vector<std::size_t> CuttingOrder(const std::vector<Contour>& contours, const TStarPoint& from);

// The figure's contours in the machine's frame, in cutting order: a document
// point shifted by the margin, Y turned up within the document's side (the
// frame of the DXF drawing), then moved so that the origin is the document's
// bottom-left corner or its centre. mirror turns the picture left to right
// within the document, for material cut from its back.
std::vector<MachineContour> MachineContoursOf(const Figure& figure, MachineOrigin origin,
                                              bool mirror = false);

// The centre of the arc that leaves a with the bulge towards b, in the same
// Y-up frame.
MachineVertex ArcCentre(const MachineVertex& a, const MachineVertex& b);

// The points strictly between a and b on a's arc, within maxError of it; no
// points for a straight edge.
std::vector<MachineVertex> ArcChordPoints(const MachineVertex& a, const MachineVertex& b,
                                          double maxError);

}  // namespace polygrav
