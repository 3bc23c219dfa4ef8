// Fuzzes the integer rule and the point-count input rule.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "model/Errors.h"
#include "model/InputRules.h"
#include "model/NumberRules.h"

using namespace polygrav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto value = TryStrToInt(text);
    try {
        const std::int32_t strict = StrToInt(text);
        FUZZ_CHECK(value && *value == strict);
    } catch (const EConvertError& e) {
        FUZZ_CHECK(!value);
        // The whole message: were a NUL byte of the text left in it, what()
        // would end there, and so would a C-string comparison.
        FUZZ_CHECK(std::string(e.what()) == NotAnIntegerMessage(text));
    }
    if (value) {
        // The plain decimal form of any result reads back to the same value.
        FUZZ_CHECK(TryStrToInt(std::to_string(*value)) == value);
    }

    // The point-count rule either holds the text back, or ends at a whole
    // number from 5 to 100 that the rule then leaves alone.
    const InputRuleResult rule = PointCountRule(text);
    if (!rule.redraw) {
        FUZZ_CHECK(!rule.rewrite);
        FUZZ_CHECK(text.empty() || (text.size() == 1 && text[0] >= '0' && text[0] <= '4'));
        return 0;
    }
    const std::string settled = rule.rewrite.value_or(text);
    const auto n = TryStrToInt(settled);
    FUZZ_CHECK(n && *n >= 5 && *n <= 100);
    const InputRuleResult again = PointCountRule(settled);
    FUZZ_CHECK(again.redraw && (!again.rewrite || *again.rewrite == settled));
    return 0;
}
