#pragma once

#include <stdexcept>
#include <string>

namespace polygrav {

// Every error the program shows to the user carries its final text (UTF-8).
class EPolygravError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A text that is not a number where one is needed.
class EConvertError : public EPolygravError {
  public:
    using EPolygravError::EPolygravError;
};

// A file that cannot be created.
class EFCreateError : public EPolygravError {
  public:
    using EPolygravError::EPolygravError;
};

// A file that exists but cannot be opened or read.
class EFOpenError : public EPolygravError {
  public:
    using EPolygravError::EPolygravError;
};

// A file that was created but could not be written completely.
class EWriteError : public EPolygravError {
  public:
    using EPolygravError::EPolygravError;
};

// A settings file that cannot be written.
class EIniFileException : public EPolygravError {
  public:
    using EPolygravError::EPolygravError;
};

// In the next three messages a NUL byte of <text> stands as U+FFFD, so that
// the message is whole also where it is read as a C string (what()).
// "'<text>' は整数ではありません"
std::string NotAnIntegerMessage(const std::string& text);
// "'<text>' は浮動小数点数ではありません"
std::string NotAFloatMessage(const std::string& text);
// "'<text>' は3以上の整数ではありません": a point count below 3, which the
// geometry cannot use.
std::string TooFewPointsMessage(const std::string& text);
// "ファイル <path> を作成できません"
std::string CannotCreateFileMessage(const std::string& path);
// "ファイル <path> を開けません"
std::string CannotOpenFileMessage(const std::string& path);
// "ストリームへの書き込みエラー"
std::string StreamWriteErrorMessage();
// "<path> に書き込めません"
std::string CannotWriteIniMessage(const std::string& path);

// The text of the error box: the message with a full stop appended when its
// last byte compares greater than "." (so a message ending in a letter, a
// digit or a multibyte character gets one).
std::string WithClosingPeriod(const std::string& message);

}  // namespace polygrav
