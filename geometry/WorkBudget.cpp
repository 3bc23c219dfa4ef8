#include "geometry/WorkBudget.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/Errors.h"

namespace polygrav {

namespace {

// Halvings of the interval in which the largest fitting value lies: enough
// for the message's four decimals on any value a key allows.
constexpr int kBisections = 60;

}  // namespace

OverlapCounter::OverlapCounter(std::vector<Bounds> boxes) : sorted_(std::move(boxes)) {
    std::sort(sorted_.begin(), sorted_.end(),
              [](const Bounds& a, const Bounds& b) { return a.minX < b.minX; });
}

std::size_t OverlapCounter::Pairs(double grow, std::size_t stopAfter) const {
    // A sweep along x: only boxes whose x ranges meet are compared in y.
    const double reach = 2 * grow;
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < sorted_.size(); ++i) {
        for (std::size_t j = i + 1; j < sorted_.size(); ++j) {
            if (sorted_[j].minX > sorted_[i].maxX + reach) break;
            if (sorted_[j].minY <= sorted_[i].maxY + reach &&
                sorted_[i].minY <= sorted_[j].maxY + reach && ++pairs > stopAfter) {
                return pairs;
            }
        }
    }
    return pairs;
}

void RequireWithinBudget(std::string_view key, double value,
                         std::initializer_list<BudgetLimit> limits) {
    const double sign = value < 0 ? -1 : 1;
    const double magnitude = std::fabs(value);
    double largest = magnitude;
    for (const BudgetLimit& fits : limits) {
        if (fits(sign * largest)) continue;
        double low = 0;
        double high = largest;
        for (int step = 0; step < kBisections && high - low > 1e-5; ++step) {
            const double middle = low + (high - low) / 2;
            (fits(sign * middle) ? low : high) = middle;
        }
        largest = low;
    }
    if (largest == magnitude) return;
    // Rounded towards zero to the four decimals the message shows, so that
    // the value it names fits.
    throw EPartError(WorkOverBudgetMessage(key, value, sign * std::floor(largest * 1e4) / 1e4));
}

}  // namespace polygrav
