#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "model/Messages.h"

namespace polygrav {

// Every error the program shows to the user: what() is its text (UTF-8) in
// the program's message language, and message() its id and arguments for
// showing it in either language.
class EPolygravError : public std::runtime_error {
  public:
    explicit EPolygravError(Message message)
        : std::runtime_error(message.text()), message_(std::move(message)) {}

    const Message& message() const { return message_; }

  private:
    Message message_;
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

// The messages of the core, each the catalogue entry of its name (see
// model/Messages.def) with its arguments. Texts given by the user are
// quoted; lengths appear in the "0.0000" pattern with a full stop.
Message NotAnIntegerMessage(const std::string& text);
Message NotAFloatMessage(const std::string& text);
// A point count below 3, which the geometry cannot use.
Message TooFewPointsMessage(const std::string& text);
Message CannotCreateFileMessage(const std::string& path);
Message CannotOpenFileMessage(const std::string& path);
Message StreamWriteErrorMessage();
Message CannotWriteIniMessage(const std::string& path);
// A settings key's integer value outside low..high.
Message SettingOutOfRangeMessage(const std::string& key, int value, int low, int high);

// Messages of a sheet of parts: a side (its key's name) beyond 10 m, a
// margin or gap beyond what the sheet allows, a sheet too small for one
// part (with the size it needs), a count beyond what fits, too many parts.
Message SheetSideOutOfRangeMessage(const std::string& key, double value);
Message SheetMarginOutOfRangeMessage(double margin, double halfSide);
Message SheetGapOutOfRangeMessage(double gap, double largest);
Message SheetTooSmallMessage(double width, double height, double neededWidth, double neededHeight);
Message SheetCountTooLargeMessage(long long count, long long fit);
Message SheetTooManyPartsMessage(long long count, long long largest);

// Messages of the part's geometry.
Message PointCountOutOfRangeMessage(int n);
Message SizeOutOfRangeMessage(double value);
Message StarStepOutOfRangeMessage(int k, int largest);
Message NegativeRadiusMessage(double radius);
Message OffsetOutOfRangeMessage(double offset);
Message InnerRatioOutOfRangeMessage(double ratio);
Message CornerRadiusTooLargeMessage(double radius, double largest);
Message ValleyRadiusTooLargeMessage(double radius, double largest);
Message OffsetLeavesNothingMessage(double offset);
Message NoOutlineMessage();

// A calibration factor in the settings file that is no number from 0.5 to 2.
Message CalibrationNotAFactorMessage(const std::string& text);

// The text of the error box: the message with a full stop appended when its
// last byte compares greater than "." (so a message ending in a letter, a
// digit or a multibyte character gets one).
std::string WithClosingPeriod(const std::string& message);

}  // namespace polygrav
