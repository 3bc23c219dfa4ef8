#pragma once

#include <optional>
#include <vector>

#include "geometry/Figure.h"
#include "geometry/PreviewPixels.h"

namespace polygrav {

// The contours of a preview picture in its pixels, as the offsets take them:
// corners that truncation has brought onto the same pixel are merged.
std::vector<Contour> PictureContours(const PreviewPicture& picture);

// The line that a pen of the picture's width with round caps and joins draws
// along its contours is the region within half the pen of them: between the
// contours grown by half the pen and the contours shrunk by it. Filled by
// the even-odd rule, the two sets of contours give that band, in the
// picture's pixels. Nothing when the contours cross each other or
// themselves (a star traced through its points), for which the band between
// the offsets is not the line.
std::optional<std::vector<Contour>> OutlineBand(const PreviewPicture& picture);

}  // namespace polygrav
