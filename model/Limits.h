#pragma once

namespace polygrav {

// The ranges that the two edit boxes keep their values in, and that their
// labels announce as "(5-100)".
inline constexpr int kMinPointCount = 5;
inline constexpr int kMaxPointCount = 100;
inline constexpr double kMinRadius = 5;
inline constexpr double kMaxRadius = 100;

// The margin between the figure's frame and the document's edge, in whole
// millimetres (the preview forms ppi × margin as an integer).
inline constexpr int kMarginMm = 10;

// One inch in millimetres.
inline constexpr double kMmPerInch = 25.4;

}  // namespace polygrav
