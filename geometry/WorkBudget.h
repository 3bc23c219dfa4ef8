#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "geometry/ContourMeasures.h"

namespace polygrav {

// The work one document may ask for: at most a second and 100 MB on a
// small desktop machine, at the largest values that its keys allow. Every
// step whose cost grows with a key (beyond what the key's range bounds by
// itself) estimates its size here before it starts, in the unit its cost
// grows with, and refuses the document when the estimate is over the limit,
// with a message naming the key, its value and the largest value that fits
// (EPartError, WorkOverBudget). Nothing is drawn or written then, and the
// refusal costs far less than the work would have.
//
// Using it for a new kind of work (parts on a sheet, machine moves, the
// triangles of a solid):
//   1. Express the work's size in one unit whose cost is close to linear
//      (parts × vertices of one part, triangles, moves) and add its limit
//      below, measured on the release build with bench/worst-documents.sh.
//   2. Before the work, compute the estimate from the keys alone (or from
//      what is already built, such as one part's contours), and call
//      RequireWithinBudget with the key that makes it large and functions
//      that tell whether a value of that key fits; the largest value that
//      fits is found by bisection, so those functions must be cheap.
//   3. Where the output is produced piece by piece (image rows, file
//      records), write it as a stream so that its memory stays bounded by
//      construction, and budget only its time.
// bench/worst-documents.sh holds a row for every key that such a check
// guards, at the largest value the key allows.

// The memory budget of one document, in bytes.
inline constexpr std::size_t kBudgetBytes = 100u * 1000 * 1000;

// The polygon fallback of an offset (geometry/OffsetWork.h) hands Clipper
// the points of one raw ring per kept contour, each ring counted with a
// fixed share for its own work; its time grows with them (0.55 s and 30 MB
// for the 2401 cells of {100/49} grown by 1.65 mm, 600,000 points; 0.8 s and
// 46 MB at a million). The limit leaves room for a slower machine.
inline constexpr double kBudgetOffsetPoints = 0.6e6;

// Rings that overlap are cut against each other; a ring of a far-reaching
// offset overlaps every other. The 2401 cells above grown by 5 mm make two
// million overlapping pairs within the time their points take, so every
// pair of them may overlap.
inline constexpr std::size_t kBudgetOverlappingRings = 3000000;

// The pixels of a PNG: drawn in bands of bounded memory (export/
// PngOptions.h), its time grows with them, about 0.02 s a million on a
// shared machine (1.15 s for the 56 million of the design's star of radius
// 40 at 1900 dpi).
inline constexpr double kBudgetImagePixels = 40.0e6;

// Counts the pairs of boxes that overlap once each is grown by the same
// distance on every side; sorted once, counted for many distances.
class OverlapCounter {
  public:
    explicit OverlapCounter(std::vector<Bounds> boxes);
    // The pairs that overlap at grow; counting stops once more than
    // stopAfter are found.
    std::size_t Pairs(double grow, std::size_t stopAfter) const;

  private:
    std::vector<Bounds> sorted_;  // by minX
};

// Raises EPartError WorkOverBudget when one of the limits does not hold at
// value: the message names key and value and the largest value between 0 and
// value, in magnitude and with value's sign, at which every limit holds
// (each must hold at 0 and be monotone in the magnitude). The limits are
// tried in order, each only below the largest value the ones before allow,
// so put the cheap ones first.
using BudgetLimit = std::function<bool(double)>;
void RequireWithinBudget(std::string_view key, double value,
                         std::initializer_list<BudgetLimit> limits);

}  // namespace polygrav
