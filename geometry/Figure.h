#pragma once

#include <vector>

#include "geometry/PartParameters.h"
#include "model/Color.h"
#include "model/StarGeometry.h"
#include "model/StarSettings.h"

namespace polygrav {

// One corner of a closed contour and the edge that leaves it towards the next
// corner (the last corner's edge returns to the first). The edge is straight
// when bulge is 0; otherwise it is a circular arc, and bulge is the tangent
// of a quarter of the arc's angle, positive when the arc turns
// counter-clockwise as seen on the page. That is the sense of a DXF bulge,
// whose drawing shows the same picture with Y pointing up.
struct ContourVertex {
    TStarPoint at;
    double bulge = 0;

    bool operator==(const ContourVertex&) const = default;
};

// A closed contour: its corners in drawing order.
using Contour = std::vector<ContourVertex>;

// The figure of one set of settings, as every output draws it: the SVG
// document, the preview and the other file formats. Contours are in
// millimetres in the figure's frame (origin top left, Y down), which the
// margin shifts into the document: a document point is a frame point plus
// margin on both axes.
struct Figure {
    std::vector<Contour> contours;
    double margin = 0;        // mm between the document's edge and the frame
    double frameSide = 0;     // mm: the frame is the square of side 2R
    double documentSide = 0;  // mm: the square document, (R + margin) × 2

    // Style, as the settings give it.
    bool filled = true;  // false: the fill is transparent
    TColor fillColor = clRed;
    TColor strokeColor = clBlack;
    int strokeWidth = 50;      // hundredths of a millimetre
    bool evenOddRule = false;  // the SVG names the even-odd rule

    // Traced through the star's points, without any part setting.
    bool designFigure = false;

    // A sheet of parts: the document's height when it differs from its
    // width (0: the square of documentSide), and whether the sheet's edge
    // is drawn, in sheetEdgeColor.
    double documentHeight = 0;
    bool sheetEdge = false;
    TColor sheetEdgeColor = clBlue;

    double DocumentWidth() const { return documentSide; }
    double DocumentHeight() const { return documentHeight > 0 ? documentHeight : documentSide; }

    double strokeWidthMm() const { return strokeWidth / 100.0; }
};

// Builds the figure of the settings. Reads n and then R, raising their
// conversion errors before anything else is done. With the part's settings
// at their defaults it is the design's figure through the star's points;
// otherwise the part's (star {n/k}, sizing, rotation, cut outline, fillets,
// offset), whose document grows so that the figure keeps its margin. The
// part's errors (EPartError) name the value and its range.
Figure BuildFigure(const TStarSettings& settings, char decimalSeparator);

// The parameters of the part that the settings describe; raises as
// BuildFigure does.
PartParameters PartParametersOfSettings(const TStarSettings& settings, char decimalSeparator);

}  // namespace polygrav
