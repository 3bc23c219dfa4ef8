#pragma once

#include <string>
#include <string_view>

#include "model/Errors.h"

namespace polygrav {

// A figure that cannot be written in the chosen format, or an export option
// that cannot be used. The message is the text shown to the user.
class EExportError : public EPolygravError {
  public:
    using EPolygravError::EPolygravError;
};

// "'<text>' は出力形式ではありません (svg, dxf, pdf, png)"
// English: "'<text>' is not an output format (svg, dxf, pdf, png)"
std::string UnknownFormatMessage(std::string_view text);
// "'<path>' の拡張子から出力形式が分かりません"
// English: "the output format cannot be told from the extension of '<path>'"
std::string UnknownExtensionMessage(std::string_view path);
// "'<text>' は DXF の版ではありません (r12, r2000)"
// English: "'<text>' is not a DXF version (r12, r2000)"
std::string UnknownDxfVersionMessage(std::string_view text);
// "'<text>' は DXF の円弧の書き方ではありません (bulge, segments)"
// English: "'<text>' is not a way of writing DXF arcs (bulge, segments)"
std::string UnknownDxfArcsMessage(std::string_view text);
// "解像度 <dpi> dpi は 1 から 2400 dpi の範囲外です"
// English: "a resolution of <dpi> dpi is outside 1 to 2400 dpi"
std::string ResolutionOutOfRangeMessage(int dpi);
// "<side> × <side> ピクセルの画像は大きすぎます (一辺 <limit> ピクセルまで)"
// English: "an image of <side> × <side> pixels is too large (at most <limit>
// pixels a side)"
std::string ImageTooLargeMessage(double side, int limit);
// "図形の寸法が不正なため書き出せません"
// English: "the figure cannot be written because its dimensions are invalid"
std::string InvalidFigureMessage();
// "<what> を作成できません"
// English: "<what> cannot be created" (what: "PDF", "PNG")
std::string CannotRenderMessage(std::string_view what);

}  // namespace polygrav
