#include "model/StarOutline.h"

#include <utility>

#include "model/StarSettings.h"

namespace polygrav {

namespace {

OutlineVertex OuterVertex(int index) {
    return {false, index};
}
OutlineVertex InnerPoint(int index) {
    return {true, index};
}

// The outer vertices first, first + 2, ... below n.
void AddEveryOther(OutlineFigure& figure, int first, int n) {
    for (int i = first; i < n; i += 2) figure.push_back(OuterVertex(i));
}

}  // namespace

std::vector<OutlineFigure> StarOutline(int starType, int n) {
    std::vector<OutlineFigure> figures;
    if (n < 3) return figures;  // the geometry has no points for it
    switch (starType) {
        case kStarOutline: {
            OutlineFigure figure;
            for (int i = 0; i < n; ++i) {
                figure.push_back(OuterVertex(i));
                figure.push_back(InnerPoint(i));
            }
            figures.push_back(std::move(figure));
            break;
        }
        case kStarPolygon: {
            // Odd n: one figure through every vertex with step 2. Even n: the
            // even vertices and the odd vertices form two separate figures.
            OutlineFigure even;
            AddEveryOther(even, 0, n);
            if (n % 2 == 1) {
                AddEveryOther(even, 1, n);
                figures.push_back(std::move(even));
            } else {
                OutlineFigure odd;
                AddEveryOther(odd, 1, n);
                figures.push_back(std::move(even));
                figures.push_back(std::move(odd));
            }
            break;
        }
        case kRegularPolygon: {
            OutlineFigure figure;
            for (int i = 0; i < n; ++i) figure.push_back(OuterVertex(i));
            figures.push_back(std::move(figure));
            break;
        }
        default:
            break;  // no star type selected: nothing to trace
    }
    return figures;
}

std::vector<std::vector<TStarPoint>> OutlinePoints(const std::vector<OutlineFigure>& figures,
                                                   const std::vector<TStarPoint>& Outer,
                                                   const std::vector<TStarPoint>& Inner) {
    std::vector<std::vector<TStarPoint>> result;
    result.reserve(figures.size());
    for (const OutlineFigure& figure : figures) {
        std::vector<TStarPoint> points;
        points.reserve(figure.size());
        for (const OutlineVertex& vertex : figure) {
            // at() turns a figure that does not fit the arrays into an
            // exception instead of a read past their end.
            const auto& source = vertex.inner ? Inner : Outer;
            points.push_back(source.at(static_cast<std::size_t>(vertex.index)));
        }
        result.push_back(std::move(points));
    }
    return result;
}

}  // namespace polygrav
