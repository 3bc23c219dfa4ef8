#include "conversion/ReadoutNumber.h"

#include <cmath>

#include "settings/SettingsFile.h"

namespace polygrav {

namespace {

// Above this a double's own step exceeds 1e-9, so rounding to it is moot.
constexpr double kLargestRounded = 1e6;
constexpr double kSteps = 1e9;

}  // namespace

std::string FormatReadoutNumber(double value) {
    if (std::isfinite(value) && std::fabs(value) < kLargestRounded) {
        value = std::round(value * kSteps) / kSteps;
        // A tiny negative value rounds to -0, which reads as noise.
        if (value == 0) value = 0;
    }
    return FormatPartDecimal(value);
}

}  // namespace polygrav
