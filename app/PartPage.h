#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "model/Errors.h"
#include "model/StarSettings.h"
#include "settings/SettingsFile.h"

namespace Ui {
class PartPage;
}

namespace polygrav {

class HandlerGuard;
class KeyPage;

// The page of the figure as a part: the part's settings (the key table's
// page of ("SVG", KeyPlace::Part) in the group "形"), the readouts of the
// figure on the screen and the calibration of the preview's size. It
// holds their values; the window asks for them when it draws and hears of
// every change through the signals. Its handlers run under the window's
// guard, so that an error shows as every handler's error does.
class PartPage : public QWidget {
    Q_OBJECT

  public:
    PartPage(HandlerGuard& guard, QWidget* parent = nullptr);
    ~PartPage() override;

    // The part's settings as the controls hold them.
    const PartSettings& settings() const;

    // Writes the values of a settings file into the controls, each through
    // its own change handler; a value the control holds already changes
    // nothing. Raises what the handlers raised.
    void setSettings(const PartSettings& part);

    // The star type decides which of the controls apply.
    void setStarType(int type);

    // The screen's pixels per inch, which the calibration bar measures by.
    void setScreenPpi(int ppi);

    // The factor on the screen's pixels per inch that the preview uses, or
    // nothing when the preview is not calibrated.
    std::optional<double> calibration() const { return calibration_; }

    // Takes the calibration of the settings file; gives the message of a
    // value that is no factor, which leaves the preview uncalibrated.
    std::optional<Message> loadCalibration(const IniDocument& doc);
    // Writes the calibration when the user calibrated or reset since the
    // start, so that a value the program could not use stays as it was.
    void saveCalibration(IniDocument& doc) const;

    // The window drew the picture of these settings; the readouts measure
    // it when the page is shown.
    void pictureDrawn(const TStarSettings& settings);
    // The window shows this page or another.
    void setShown(bool shown);

  signals:
    // A value of the part changed: the figure is to be drawn again.
    void figureChanged();
    // The calibration changed: the preview is to be drawn at its new size.
    void calibrationChanged();

  private:
    void ApplyDesign();
    void ConnectHandlers();

    void barCalibrationChange(double factor);
    void spnCalibrationChange();
    void btnCalibrationResetClick();

    void ShowReadouts();
    void ShowCalibration();
    void Calibrate(std::optional<double> factor);

    std::unique_ptr<Ui::PartPage> ui;
    HandlerGuard& guard_;
    int starType_ = kStarOutline;
    // The controls of the part's keys, which hold their values.
    KeyPage* keys_ = nullptr;
    // The settings of the picture on the screen, which the readouts measure
    // when the page is shown.
    std::optional<TStarSettings> drawnSettings_;
    bool readoutsStale_ = true;
    bool shown_ = false;
    std::optional<double> calibration_;
    bool calibrationChanged_ = false;
};

}  // namespace polygrav
