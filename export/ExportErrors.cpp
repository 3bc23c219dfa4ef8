#include "export/ExportErrors.h"

#include <cmath>
#include <cstdio>

namespace polygrav {

std::string UnknownFormatMessage(std::string_view text) {
    return Quoted(text) + " は出力形式ではありません (svg, dxf, pdf, png)";
}

std::string UnknownExtensionMessage(std::string_view path) {
    return Quoted(path) + " の拡張子から出力形式が分かりません";
}

std::string UnknownDxfVersionMessage(std::string_view text) {
    return Quoted(text) + " は DXF の版ではありません (r12, r2000)";
}

std::string UnknownDxfArcsMessage(std::string_view text) {
    return Quoted(text) + " は DXF の円弧の書き方ではありません (bulge, segments)";
}

std::string ResolutionOutOfRangeMessage(int dpi) {
    return "解像度 " + std::to_string(dpi) + " dpi は 1 から 2400 dpi の範囲外です";
}

std::string ImageTooLargeMessage(double side, int limit) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", side);
    return std::string(text) + " × " + text + " ピクセルの画像は大きすぎます (一辺 " +
           std::to_string(limit) + " ピクセルまで)";
}

std::string InvalidFigureMessage() {
    return "図形の寸法が不正なため書き出せません";
}

std::string CannotRenderMessage(std::string_view what) {
    return std::string(what) + " を作成できません";
}

}  // namespace polygrav
