#pragma once

#include <vector>

namespace polygrav {

// A point in millimetres; origin top left, Y growing downwards.
struct TStarPoint {
    double X = 0;
    double Y = 0;

    bool operator==(const TStarPoint&) const = default;
};

// The intersection of the line through A and B with the line through C and D.
// P is written only when the lines are not parallel.
void CrossPoint(const TStarPoint& A, const TStarPoint& B, const TStarPoint& C, const TStarPoint& D,
                TStarPoint& P);

// Fills Outer and Inner with the n outer vertices and the n inner points of
// the star of circumradius R, in the frame of side 2R. Both vectors are
// resized to n. n below 3 raises EConvertError and leaves both untouched.
void CalcStarPoints(int n, double R, std::vector<TStarPoint>& Outer,
                    std::vector<TStarPoint>& Inner);

}  // namespace polygrav
