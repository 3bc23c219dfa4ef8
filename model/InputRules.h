#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace polygrav {

// What an edit box's input rule does with the text it was given: maybe
// rewrite it, then maybe redraw the preview.
struct InputRuleResult {
    bool redraw = false;
    std::optional<std::string> rewrite;  // the text to write back, if any

    bool operator==(const InputRuleResult&) const = default;
};

// The point-count rule: an empty text or a single digit "0" to "4" is left
// alone so that a number can be typed digit by digit; otherwise a whole number
// above 100 becomes "100", one of 5 or less (or no whole number) becomes "5",
// and the preview is redrawn.
InputRuleResult PointCountRule(std::string_view text);

// The radius rule: the same with the decimal-number rule; values between 5
// and 100, fractions included, stay as typed.
InputRuleResult RadiusRule(std::string_view text, char decimalSeparator);

// A decimal of the part as its settings key and its box read it: a full stop
// first, then the locale's separator. Nothing when the text fails both.
std::optional<double> ReadPartDecimal(std::string_view text, char localeSeparator);

// What a decimal box of the part makes of its text: a number, the start of
// one that is still being typed ("", "-", "1e-"), or neither.
struct PartDecimalInput {
    std::optional<double> value;
    bool incomplete = false;

    bool rejected() const { return !value && !incomplete; }
};

// Reads the text of a part's decimal box. A text that is no number but
// becomes one with a digit appended counts as incomplete, so that typing
// never shows an error before the number is whole.
PartDecimalInput ReadPartDecimalInput(std::string_view text, char localeSeparator);

}  // namespace polygrav

namespace polygrav {

// The radio group's limit for an item index: below -1 becomes -1, 3 or more
// becomes 2 (the last item).
int ClampStarType(int index);

// The track bar's limit for a position: 0 to 400.
int ClampStrokeWidth(int position);

}  // namespace polygrav
