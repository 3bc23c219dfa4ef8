#pragma once

#include <optional>
#include <string>

#include "model/Messages.h"

#include "settings/IniFile.h"

namespace polygrav {

// The calibration of the preview's size: a factor on the screen's pixels per
// inch, for screens whose reported resolution is not their real one. It
// lives in the program's own settings file, key "CalibrationFactor" of
// section "Preview"; without the key the preview is not calibrated.
inline constexpr const char* kPreviewSection = "Preview";
inline constexpr const char* kCalibrationKey = "CalibrationFactor";

// The factors that the calibration accepts.
inline constexpr double kMinCalibration = 0.5;
inline constexpr double kMaxCalibration = 2.0;

// The length of the card that the user matches on the screen: the long side
// of an ID-1 card, in millimetres.
inline constexpr double kCalibrationCardMm = 85.60;

// What the settings file says about the calibration.
struct CalibrationEntry {
    std::optional<double> factor;  // none: not calibrated
    std::optional<Message> error;  // the message for a value that is no factor
};

// Reads the calibration. A missing or empty key is no calibration; a text
// that is no number from kMinCalibration to kMaxCalibration is none too,
// with its error message.
CalibrationEntry ReadCalibration(const IniDocument& doc);

// Writes the calibration: the factor as the shortest text that reads back
// exactly, or an empty value for none where the document has the key (a
// document without it stays as it is).
void WriteCalibration(IniDocument& doc, std::optional<double> factor);

// Whether a factor lies in the accepted range.
bool IsCalibrationFactor(double factor);

// The length in pixels of the card's long side at ppi pixels per inch and
// the factor.
double CalibrationBarPixels(double ppi, double factor);

}  // namespace polygrav
