#include "model/InputRules.h"

#include <string>

#include "model/Limits.h"
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
// the maximum's text ("100"), at or below the minimum the minimum's ("5"),
// also when the text already reads "5"; writing it back is then no change.
// Both boxes have whole-number limits, written as such.
template <typename Number>
InputRuleResult Limit(Number value, Number low, Number high) {
    InputRuleResult result;
    if (value > high) result.rewrite = std::to_string(static_cast<int>(high));
    if (value <= low) result.rewrite = std::to_string(static_cast<int>(low));
    result.redraw = true;
    return result;
}

}  // namespace

InputRuleResult PointCountRule(std::string_view text) {
    if (IsStillBeingTyped(text)) return {};
    const std::int32_t a = TryStrToInt(text).value_or(kMinPointCount);
    return Limit<std::int32_t>(a, kMinPointCount, kMaxPointCount);
}

InputRuleResult RadiusRule(std::string_view text, char decimalSeparator) {
    if (IsStillBeingTyped(text)) return {};
    const double a = TryStrToFloat(text, decimalSeparator).value_or(kMinRadius);
    return Limit<double>(a, kMinRadius, kMaxRadius);
}

std::optional<double> ReadPartDecimal(std::string_view text, char localeSeparator) {
    if (auto v = TryStrToFloat(text, '.')) return v;
    return TryStrToFloat(text, localeSeparator);
}

PartDecimalInput ReadPartDecimalInput(std::string_view text, char localeSeparator) {
    PartDecimalInput input;
    input.value = ReadPartDecimal(text, localeSeparator);
    if (!input.value) {
        const std::string more = std::string(text) + '0';
        input.incomplete = ReadPartDecimal(more, localeSeparator).has_value();
    }
    return input;
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
