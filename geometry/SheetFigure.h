#pragma once

#include "geometry/Figure.h"
#include "geometry/SheetLayout.h"

namespace polygrav {

// The readouts of a sheet.
struct SheetReadouts {
    long long parts = 0;
    double density = 0;      // of the pattern: part area × parts per cell ÷ cell area
    double utilisation = 0;  // the parts' area ÷ the sheet's area
    Arrangement arrangement = Arrangement::Densest;
};

struct SheetFigure {
    Figure figure;
    SheetReadouts readouts;
};

// The figure of a sheet of the settings' part: the part as its keys make it,
// its cut outline implied, repeated as the request lays it out; the
// document is the sheet (width × height mm, no margin of its own), the
// contours part by part in reading order, the sheet's edge drawn when
// `edge`. The style is the settings'. Raises the part's and the sheet's
// errors (EPartError); nothing is returned then.
SheetFigure BuildSheetFigure(const TStarSettings& settings, char decimalSeparator,
                             const SheetRequest& request, bool edge);

// Whether the keys of [Sheet] ask for a sheet: a side above 0. A sheet with
// one side left at 0 is then refused by the sheet's checks.
bool HasSheet(const SheetSettings& sheet);

// The request of the keys of [Sheet]; raises EPartError for an arrangement
// that is not 0, 1 or 2.
SheetRequest SheetRequestOf(const SheetSettings& sheet);

// The figure that every output of a document draws: its part, or the sheet
// of its parts when [Sheet] asks for one. Raises the part's and the sheet's
// errors.
Figure BuildDocumentFigure(const DocumentSettings& settings, char decimalSeparator);

}  // namespace polygrav
