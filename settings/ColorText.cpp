#include "settings/ColorText.h"

#include <array>
#include <cstdio>
#include <optional>

#include "model/AsciiCase.h"
#include "model/Errors.h"
#include "model/NumberRules.h"

namespace polygrav {

namespace {

constexpr TColor SystemColor(TColor index) {
    return 0x80000000u + index;
}

constexpr std::array<NamedColor, 52> kColorNames{{
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clDefault", 0x20000000},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
    {"clHotLight", SystemColor(26)},
    {"clGradientActiveCaption", SystemColor(27)},
    {"clGradientInactiveCaption", SystemColor(28)},
    {"clMenuHighlight", SystemColor(29)},
    {"clMenuBar", SystemColor(30)},
}};

}  // namespace

std::span<const NamedColor> ColorNameTable() {
    return kColorNames;
}

std::string ColorToText(TColor c) {
    for (const NamedColor& entry : kColorNames) {
        if (entry.value == c) return std::string(entry.name);
    }
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(c));
    return text;
}

TColor TextToColor(std::string_view text) {
    for (const NamedColor& entry : kColorNames) {
        if (EqualIgnoringAsciiCase(entry.name, text)) return entry.value;
    }
    const std::optional<std::int32_t> number = TryStrToInt(text);
    if (!number) throw EConvertError(NotAnIntegerMessage(std::string(text)));
    return static_cast<TColor>(*number);
}

}  // namespace polygrav
