// Fuzzes the decimal-number rule, the radius input rule and the "0.0000"
// number pattern.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "model/Errors.h"
#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "model/NumberRules.h"

using namespace polygrav;

namespace {

// At least one digit, the separator, exactly four digits, no "-0.0000".
bool MatchesPattern(const std::string& s, char separator) {
    std::size_t i = s[0] == '-' ? 1 : 0;
    const std::size_t digitsStart = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    if (i == digitsStart || i + 5 != s.size() || s[i] != separator) return false;
    for (std::size_t k = i + 1; k < s.size(); ++k) {
        if (s[k] < '0' || s[k] > '9') return false;
    }
    return s != std::string("-0") + separator + "0000";
}

void CheckFormat(double v) {
    for (const char separator : {'.', ','}) {
        const std::string s = FormatFixed4(v, separator);
        FUZZ_CHECK(MatchesPattern(s, separator));
        // The text reads back within half a unit of the fourth decimal, plus
        // what 18 significant digits can hold.
        const auto back = TryStrToFloat(s, separator);
        FUZZ_CHECK(back.has_value());
        FUZZ_CHECK(std::fabs(*back - v) <= 0.00005 + std::fabs(v) * 1e-15);
    }
}

void CheckRule(const std::string& text, char separator) {
    const auto value = TryStrToFloat(text, separator);
    try {
        const double strict = StrToFloat(text, separator);
        FUZZ_CHECK(value && (*value == strict || (std::isnan(*value) && std::isnan(strict))));
    } catch (const EConvertError& e) {
        FUZZ_CHECK(!value);
        // The whole message: were a NUL byte of the text left in it, what()
        // would end there, and so would a C-string comparison.
        FUZZ_CHECK(std::string(e.what()) == NotAFloatMessage(text));
    }
    if (value) {
        FUZZ_CHECK(std::isfinite(*value));
        if (std::fabs(*value) < 1e30) CheckFormat(*value);
    }

    const InputRuleResult rule = RadiusRule(text, separator);
    if (!rule.redraw) {
        FUZZ_CHECK(!rule.rewrite);
        return;
    }
    const std::string settled = rule.rewrite.value_or(text);
    const auto r = TryStrToFloat(settled, separator);
    FUZZ_CHECK(r && *r >= 5.0 && *r <= 100.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckRule(text, '.');
    CheckRule(text, ',');

    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        if (std::isfinite(v) && std::fabs(v) < 1e30) CheckFormat(v);
    }
    return 0;
}
