#pragma once

#include <vector>

#include "geometry/PreviewPixels.h"

namespace polygrav {

// Pixels of one bitmap row: x from x0 up to x1, x1 excluded.
struct PixelRun {
    int y = 0;
    int x0 = 0;
    int x1 = 0;

    bool operator==(const PixelRun&) const = default;
};

// The largest distance, in pixels, between an arc of a contour and the chords
// that stand for it where runs are made from chords.
inline constexpr double kRunArcTolerance = 0.05;

// The runs below are in device pixels: scale of them to a pixel of the
// picture (a screen's device pixel ratio). The picture's corners, its arcs
// and its pen are scaled; its pixel arithmetic is not redone.

// The side of the bitmap in device pixels, the nearest whole number: in
// logical pixels it rounds to the picture's side.
int ScaledSide(int side, double scale);

// The pixels whose centres lie inside the picture's contours by the even-odd
// rule, as Qt's painter fills them without smoothing: a row's centre on an
// edge's top end is outside the edge, on its bottom end inside, and a
// centre exactly on an edge counts as lying left of it. Runs come row by
// row, left to right, apart from each other, within the bitmap.
std::vector<PixelRun> FillRuns(const PreviewPicture& picture, double scale = 1);

// The pixels whose centres lie within penWidth / 2 of a contour, arcs
// included: the line of a pen with round caps and joins. A centre exactly on
// the line's edge is inside it on the bottom and right, outside on the top
// and left, as in the fill. Runs overlap where parts of the line do; all lie
// within the bitmap.
std::vector<PixelRun> StrokeRuns(const PreviewPicture& picture, double scale = 1);

}  // namespace polygrav
