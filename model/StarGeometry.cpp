#include "model/StarGeometry.h"

#include <cmath>
#include <numbers>
#include <string>

#include "model/Errors.h"

namespace polygrav {

void CrossPoint(const TStarPoint& A, const TStarPoint& B, const TStarPoint& C, const TStarPoint& D,
                TStarPoint& P) {
    const double a1 = A.Y - B.Y;
    const double b1 = B.X - A.X;
    const double c1 = A.X * B.Y - B.X * A.Y;
    const double a2 = C.Y - D.Y;
    const double b2 = D.X - C.X;
    const double c2 = C.X * D.Y - D.X * C.Y;
    const double det = a1 * b2 - a2 * b1;
    if (det == 0) return;  // parallel lines: P stays as it was
    P.X = (b1 * c2 - b2 * c1) / det;
    P.Y = (a2 * c1 - a1 * c2) / det;
}

void CalcStarPoints(int n, double R, std::vector<TStarPoint>& Outer,
                    std::vector<TStarPoint>& Inner) {
    // With fewer than three points the chords coincide or the neighbour
    // indices wrap onto the point itself; refuse before touching anything.
    if (n < 3) throw EConvertError(TooFewPointsMessage(std::to_string(n)));

    // Indices run in size_t so that (i + 2) and (i + n - 1) cannot overflow.
    const std::size_t count = static_cast<std::size_t>(n);
    Outer.assign(count, TStarPoint{});
    Inner.assign(count, TStarPoint{});

    // The top of the circle relative to its centre; rotated copies of it give
    // the other vertices, and it is shifted to the frame last.
    Outer[0].X = R - R;
    Outer[0].Y = 0 - R;
    const double X0 = Outer[0].X;
    const double Y0 = Outer[0].Y;
    const double step = 2 * std::numbers::pi / n;
    for (int d = 1; d < n; ++d) {
        const double a = step * d * (-1);
        const double cosA = std::cos(a);
        const double sinA = std::sin(a);
        Outer[d].X = cosA * X0 - sinA * Y0 + R;
        Outer[d].Y = sinA * X0 + cosA * Y0 + R;
    }
    Outer[0].X = Outer[0].X + R;
    Outer[0].Y = Outer[0].Y + R;

    // The chord from vertex i to i + 2 crosses the chord from i + 1 back to
    // i - 1 at the inner corner between tips i and i + 1.
    for (std::size_t i = 0; i < count; ++i) {
        CrossPoint(Outer[i], Outer[(i + 2) % count], Outer[(i + 1) % count],
                   Outer[(i + count - 1) % count], Inner[i]);
    }
}

}  // namespace polygrav
