#pragma once

#include <vector>

#include "geometry/PartParameters.h"
#include "geometry/PointRing.h"

namespace polygrav {

// The circumradius R of the regular n-gon whose size, measured as sizeBy
// says, is value.
double CircumradiusOf(int n, double value, SizeBy sizeBy);

// The largest star step that gives a star for n points, (n − 1) / 2; step 2
// is accepted even above it, so that 3 and 4 points keep their figures.
int LargestStarStep(int n);

// Raises EPartError unless 2 ≤ k < n / 2 or k is 2.
void CheckStarStep(int n, int k);

// The distance from the centre at which neighbouring edges of the star
// polygon {n/k} cross: R·cos(πk/n) / cos(π(k − 1)/n). It is negative for
// n = 3, where the crossing lies beyond the centre.
double CrossingRadius(int n, int k, double R);

// The n tips on the circle of radius R about (R, R). Tip 0 is straight up
// when rotation is 0, the index grows counter-clockwise on the page, and
// rotation (degrees) turns every tip clockwise on the page.
std::vector<TStarPoint> TipPoints(int n, double R, double rotation);

// The n inner corners of the star outline at distance innerRadius from the
// centre; corner i lies on the bisector of tips i and i + 1.
std::vector<TStarPoint> InnerPoints(int n, double R, double innerRadius, double rotation);

// The figures that the star type traces, at circumradius R: the star outline
// through tips and inner corners, the star polygon {n/k} as gcd(n, k)
// separate figures, or the regular polygon. No star type gives none. The step
// and the ratio are checked where the type uses them (EPartError).
std::vector<PointRing> TracedFigures(const PartParameters& p, double R);

}  // namespace polygrav
