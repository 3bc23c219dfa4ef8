#include "export/ToolpathErrors.h"

#include <charconv>

#include "model/Errors.h"

namespace polygrav {

std::string MachineNumberText(double value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 12);
    return std::string(text, result.ptr);
}

Message MachineValueOutOfRangeMessage(std::string_view key, double value, double low, double high) {
    return {MessageId::MachineValueOutOfRange,
            {std::string(key), MachineNumberText(value), MachineNumberText(low),
             MachineNumberText(high)}};
}

Message MachineValueNotPositiveMessage(std::string_view key, double value) {
    return {MessageId::MachineValueNotPositive, {std::string(key), MachineNumberText(value)}};
}

Message MachineValueNegativeMessage(std::string_view key, double value) {
    return {MessageId::MachineValueNegative, {std::string(key), MachineNumberText(value)}};
}

Message OvercutTooLongMessage(std::string_view key, double overcut, double shortest) {
    return {MessageId::OvercutTooLong,
            {std::string(key), MachineNumberText(overcut), MachineNumberText(shortest)}};
}

Message UnknownGcodeArcsMessage(std::string_view text) {
    return {MessageId::UnknownGcodeArcs, {Quoted(text)}};
}

}  // namespace polygrav
