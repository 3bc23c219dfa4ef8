#include "model/Errors.h"

namespace polygrav {

namespace {

// A text quoted in a message. The message travels as a C string, which a NUL
// byte would end, so each NUL stands as U+FFFD, the mark for a byte that
// cannot be shown.
std::string Quoted(const std::string& text) {
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

}  // namespace

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

std::string WithClosingPeriod(const std::string& message) {
    // Bytes compare unsigned, so the lead and trail bytes of a multibyte
    // character (0x80 and above) are all greater than ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

}  // namespace polygrav
