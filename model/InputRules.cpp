#include "model/InputRules.h"

#include "model/NumberRules.h"
#include "model/StarSettings.h"

namespace polygrav {

namespace {

// An empty text or a single digit "0" to "4" is held back so that a number
// can be typed digit by digit.
bool IsStillBeingTyped(std::string_view text) {
    return text.empty() || (text.size() == 1 && text[0] >= '0' && text[0] <= '4');
}

// Steps 3 and 4 of both rules test the same value: above the maximum becomes
// "100", at or below the minimum becomes "5" (also when the text already reads
// "5"; writing it back is then no change).
template <typename Number>
InputRuleResult Limit(Number value, Number low, Number high) {
    InputRuleResult result;
    if (value > high) result.rewrite = "100";
    if (value <= low) result.rewrite = "5";
    result.redraw = true;
    return result;
}

}  // namespace

InputRuleResult PointCountRule(std::string_view text) {
    if (IsStillBeingTyped(text)) return {};
    const std::int32_t a = TryStrToInt(text).value_or(5);
    return Limit<std::int32_t>(a, 5, 100);
}

InputRuleResult RadiusRule(std::string_view text, char decimalSeparator) {
    if (IsStillBeingTyped(text)) return {};
    const double a = TryStrToFloat(text, decimalSeparator).value_or(5.0);
    return Limit<double>(a, 5.0, 100.0);
}

int ClampStarType(int index) {
    if (index < kNoStarType) return kNoStarType;
    if (index > kRegularPolygon) return kRegularPolygon;
    return index;
}

int ClampStrokeWidth(int position) {
    if (position < kMinStrokeWidth) return kMinStrokeWidth;
    if (position > kMaxStrokeWidth) return kMaxStrokeWidth;
    return position;
}

}  // namespace polygrav
