#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

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

// Parameters of a part that give no figure, or one that cannot be made:
// nothing is built and nothing is written.
class EPartError : public EPolygravError {
  public:
    using EPolygravError::EPolygravError;
};

// A text as messages quote it: in single quotes, a NUL byte standing as
// U+FFFD so that the message stays whole as a C string.
std::string Quoted(std::string_view text);

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

// Messages of the part's geometry. Lengths appear in the "0.0000" pattern.
// "Point count <n> is outside the range 3 to 100"
std::string PointCountOutOfRangeMessage(int n);
// "The size <value> mm is not a positive length the geometry can use"
std::string SizeOutOfRangeMessage(double value);
// "Star step <k> is outside the range 2 to <largest>"
std::string StarStepOutOfRangeMessage(int k, int largest);
// "Radius <radius> mm is not a length of 0 or more"
std::string NegativeRadiusMessage(double radius);
// "Offset <offset> mm is outside the range -1000 to 1000 mm"
std::string OffsetOutOfRangeMessage(double offset);
// "Inner ratio <ratio> is not greater than 0 and less than 1"
std::string InnerRatioOutOfRangeMessage(double ratio);
// "Corner radius <radius> mm does not fit; the largest that fits is <largest> mm"
std::string CornerRadiusTooLargeMessage(double radius, double largest);
// "Valley radius <radius> mm does not fit; the largest that fits is <largest> mm"
std::string ValleyRadiusTooLargeMessage(double radius, double largest);
// "Offset <offset> mm leaves nothing of the outline"
std::string OffsetLeavesNothingMessage(double offset);
// "These settings give no outline"
std::string NoOutlineMessage();
// "<key> の値 <value> は <low>～<high> の範囲にありません"
// English: "the value <value> of <key> is not within <low> to <high>"
std::string SettingOutOfRangeMessage(const std::string& key, int value, int low, int high);

// "設定ファイルのプレビューの倍率 '<text>' は 0.5～2 の数ではありません。倍率なしで表示します"
// English: "The preview's calibration '<text>' in the settings file is not a
// number from 0.5 to 2; the preview is shown uncalibrated"
std::string CalibrationNotAFactorMessage(const std::string& text);

// The text of the error box: the message with a full stop appended when its
// last byte compares greater than "." (so a message ending in a letter, a
// digit or a multibyte character gets one).
std::string WithClosingPeriod(const std::string& message);

}  // namespace polygrav
