#include "model/Errors.h"

#include <charconv>
#include <cmath>

namespace polygrav {

namespace {

// A length in the "0.0000" pattern with a full stop, whatever the locale;
// a value that rounds to zero loses its sign.
std::string Fixed4(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    if (std::fabs(value) < 0.00005) value = 0;
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    return std::string(text, result.ptr);
}

}  // namespace

std::string Quoted(std::string_view text) {
    // The message travels as a C string, which a NUL byte would end, so
    // each NUL stands as U+FFFD, the mark for a byte that cannot be shown.
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\0') {
            quoted += "\xEF\xBF\xBD";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string NotAnIntegerMessage(const std::string& text) {
    return Quoted(text) + " は整数ではありません";
}

std::string NotAFloatMessage(const std::string& text) {
    return Quoted(text) + " は浮動小数点数ではありません";
}

std::string TooFewPointsMessage(const std::string& text) {
    return Quoted(text) + " は3以上の整数ではありません";
}

std::string CannotCreateFileMessage(const std::string& path) {
    return "ファイル " + path + " を作成できません";
}

std::string CannotOpenFileMessage(const std::string& path) {
    return "ファイル " + path + " を開けません";
}

std::string StreamWriteErrorMessage() {
    return "ストリームへの書き込みエラー";
}

std::string CannotWriteIniMessage(const std::string& path) {
    return path + " に書き込めません";
}

std::string PointCountOutOfRangeMessage(int n) {
    return "点の数 " + std::to_string(n) + " は 3～100 の範囲にありません";
}

std::string SizeOutOfRangeMessage(double value) {
    return "大きさ " + Fixed4(value) + " mm は使える正の長さではありません";
}

std::string StarStepOutOfRangeMessage(int k, int largest) {
    return "星のステップ " + std::to_string(k) + " は 2～" + std::to_string(largest) +
           " の範囲にありません";
}

std::string SettingOutOfRangeMessage(const std::string& key, int value, int low, int high) {
    return key + " の値 " + std::to_string(value) + " は " + std::to_string(low) + "～" +
           std::to_string(high) + " の範囲にありません";
}

std::string NegativeRadiusMessage(double radius) {
    return "半径 " + Fixed4(radius) + " mm は 0 以上の長さではありません";
}

std::string OffsetOutOfRangeMessage(double offset) {
    return "オフセット " + Fixed4(offset) + " mm は -1000～1000 mm の範囲にありません";
}

std::string InnerRatioOutOfRangeMessage(double ratio) {
    return "内側の比率 " + Fixed4(ratio) + " は 0 より大きく 1 より小さい数ではありません";
}

std::string CornerRadiusTooLargeMessage(double radius, double largest) {
    return "角の半径 " + Fixed4(radius) + " mm は収まりません。収まる最大の半径は " +
           Fixed4(largest) + " mm です";
}

std::string ValleyRadiusTooLargeMessage(double radius, double largest) {
    return "谷の半径 " + Fixed4(radius) + " mm は収まりません。収まる最大の半径は " +
           Fixed4(largest) + " mm です";
}

std::string OffsetLeavesNothingMessage(double offset) {
    return "オフセット " + Fixed4(offset) + " mm では輪郭が残りません";
}

std::string NoOutlineMessage() {
    return "この設定では輪郭ができません";
}

std::string CalibrationNotAFactorMessage(const std::string& text) {
    return "設定ファイルのプレビューの倍率 " + Quoted(text) +
           " は 0.5～2 の数ではありません。倍率なしで表示します";
}

std::string WithClosingPeriod(const std::string& message) {
    // Bytes compare unsigned, so the lead and trail bytes of a multibyte
    // character (0x80 and above) are all greater than ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

}  // namespace polygrav
