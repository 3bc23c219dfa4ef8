#pragma once

#include <vector>

#include "geometry/NestingPattern.h"

namespace polygrav {

// What a sheet of parts asks for, in mm.
struct SheetRequest {
    double width = 0;
    double height = 0;
    double margin = 5;  // kept free along the edges
    double gap = 2;     // the least distance between two parts
    int count = 0;      // 0: as many as fit
    Arrangement arrangement = Arrangement::Densest;
    bool turn = false;  // parts may be turned by 180°
};

// The most parts a sheet may hold, and its longest side.
inline constexpr long long kMaxSheetParts = 100000;
inline constexpr double kMaxSheetSideMm = 10000;

// One part on the sheet: its reference point in the sheet's page frame
// (mm from the top left, Y down), after turning it by 180° when `turned`
// and then by a quarter turn clockwise on the page when `quarter`.
struct PlacedPart {
    TStarPoint at;
    bool turned = false;
    bool quarter = false;

    // Where a point of the part (relative to its reference point) lands.
    TStarPoint Place(TStarPoint p) const;
};

// The parts of a sheet in reading order: rows from the bottom of the page
// (the bottom left in a drawing with Y up), each row from the left.
struct SheetLayout {
    std::vector<PlacedPart> parts;
    NestingPattern pattern;  // as placed: turned by a quarter when `quarter`
    bool quarter = false;
    long long fit = 0;  // how many parts fit, whatever the count asked for
};

// The part as the layout sees it: its region grown by half the gap about
// its reference point, and the box of its contours about the same point.
struct SheetPart {
    NestingRegion grown;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// Checks the request's lengths (a side beyond 10 m, a margin or gap below
// 0 or beyond the sheet) and raises EPartError naming the value.
void CheckSheetRequest(const SheetRequest& request);

// Places the best of the patterns on the sheet: the shift and the
// orientation (as drawn or a quarter turn) that fit the most whole parts
// inside the margin, the denser pattern among equals. Raises EPartError
// for a sheet too small for one part, a count beyond what fits and more
// than kMaxSheetParts parts.
SheetLayout LayOutSheet(const SheetRequest& request, const SheetPart& part,
                        const std::vector<NestingPattern>& patterns);

}  // namespace polygrav
