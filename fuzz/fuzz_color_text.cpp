// Fuzzes the colour texts of the settings file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "model/Errors.h"
#include "model/NumberRules.h"
#include "settings/ColorText.h"

using namespace polygrav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const TColor c = TextToColor(text);
        // A text that is a colour writes back to a text that reads the same.
        FUZZ_CHECK(TextToColor(ColorToText(c)) == c);
    } catch (const EConvertError& e) {
        FUZZ_CHECK(!TryStrToInt(text));
        // The whole message: were a NUL byte of the text left in it, what()
        // would end there, and so would a C-string comparison.
        FUZZ_CHECK(std::string(e.what()) == NotAnIntegerMessage(text));
    }

    if (size >= sizeof(TColor)) {
        TColor c;
        std::memcpy(&c, data, sizeof c);
        const std::string written = ColorToText(c);
        FUZZ_CHECK(TextToColor(written) == c);
        FUZZ_CHECK(written[0] == '$' ? written.size() == 9 : written.rfind("cl", 0) == 0);
    }
    return 0;
}
