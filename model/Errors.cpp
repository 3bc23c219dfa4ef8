#include "model/Errors.h"

namespace polygrav {

std::string NotAnIntegerMessage(const std::string& text) {
    return "'" + text + "' は整数ではありません";
}

std::string NotAFloatMessage(const std::string& text) {
    return "'" + text + "' は浮動小数点数ではありません";
}

std::string TooFewPointsMessage(const std::string& text) {
    return "'" + text + "' は3以上の整数ではありません";
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

std::string WithClosingPeriod(const std::string& message) {
    // Bytes compare unsigned, so the lead and trail bytes of a multibyte
    // character (0x80 and above) are all greater than ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

}  // namespace polygrav
