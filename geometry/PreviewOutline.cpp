#include "geometry/PreviewOutline.h"

#include "geometry/ContourMeasures.h"
#include "geometry/Crossings.h"
#include "geometry/Offset.h"

namespace polygrav {

std::vector<Contour> PictureContours(const PreviewPicture& picture) {
    std::vector<Contour> contours;
    contours.reserve(picture.contours.size());
    for (const auto& pixels : picture.contours) {
        Contour contour;
        contour.reserve(pixels.size());
        for (const PixelVertex& v : pixels) {
            const TStarPoint at{double(v.at.x), double(v.at.y)};
            if (!contour.empty() && contour.back().at == at) {
                // The edge between them has no length: the next one leaves here.
                contour.back().bulge = v.bulge;
                continue;
            }
            contour.push_back({at, v.bulge});
        }
        while (contour.size() > 1 && contour.back().at == contour.front().at) {
            contour.pop_back();
        }
        if (contour.size() >= 2) {
            contours.push_back(std::move(contour));
        }
    }
    return contours;
}

namespace {

constexpr double kPixelsPerUnit = 250;

void Scale(std::vector<Contour>& contours, double factor) {
    for (Contour& c : contours) {
        for (ContourVertex& v : c) {
            v.at.X *= factor;
            v.at.Y *= factor;
        }
    }
}

// The offsets grow the region that the contours wind round positively;
// contours that wind the other way round as a whole are turned.
void WindPositively(std::vector<Contour>& contours) {
    double area = 0;
    for (const Contour& c : contours) area += SignedArea(c);
    if (area >= 0) return;
    for (Contour& c : contours) c = Reversed(c);
}

}  // namespace

std::optional<std::vector<Contour>> OutlineBand(const PreviewPicture& picture) {
    std::vector<Contour> contours = PictureContours(picture);
    if (contours.empty() || ContoursCross(contours)) {
        return std::nullopt;
    }
    WindPositively(contours);
    // The offsets are made for millimetres: where they fall back on
    // polylines, their chords lie within 0.0002 of a unit of the arcs. A
    // unit of kPixelsPerUnit pixels makes that a twentieth of a pixel,
    // which the painter cannot show, at a small part of the work.
    Scale(contours, 1 / kPixelsPerUnit);
    const double half = picture.penWidth / 2.0 / kPixelsPerUnit;
    std::vector<Contour> band = OffsetContours(contours, half, OffsetJoin::Round);
    for (Contour& c : OffsetContours(contours, -half, OffsetJoin::Round)) {
        band.push_back(std::move(c));
    }
    Scale(band, kPixelsPerUnit);
    return band;
}

}  // namespace polygrav
