#include "settings/PreviewCalibration.h"

#include "model/Errors.h"
#include "model/Limits.h"
#include "model/NumberRules.h"
#include "settings/SettingsFile.h"

namespace polygrav {

bool IsCalibrationFactor(double factor) {
    return factor >= kMinCalibration && factor <= kMaxCalibration;
}

CalibrationEntry ReadCalibration(const IniDocument& doc) {
    CalibrationEntry entry;
    const std::optional<std::string> text = doc.Read(kPreviewSection, kCalibrationKey);
    if (!text || text->empty()) return entry;
    // Written by the program with a full stop whatever the locale.
    const std::optional<double> factor = TryStrToFloat(*text, '.');
    if (factor && IsCalibrationFactor(*factor)) {
        entry.factor = factor;
    } else {
        entry.error = CalibrationNotAFactorMessage(*text);
    }
    return entry;
}

void WriteCalibration(IniDocument& doc, std::optional<double> factor) {
    if (factor) {
        doc.Write(kPreviewSection, kCalibrationKey, FormatPartDecimal(*factor));
    } else if (doc.Read(kPreviewSection, kCalibrationKey)) {
        doc.Write(kPreviewSection, kCalibrationKey, "");
    }
}

double CalibrationBarPixels(double ppi, double factor) {
    return kCalibrationCardMm * ppi * factor / kMmPerInch;
}

}  // namespace polygrav
