#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "geometry/Figure.h"
#include "model/StarSettings.h"
#include "settings/SettingsFile.h"

namespace polygrav {

// The pixels per inch of a screen that is not there (Qt's offscreen screen),
// at which the model draws its previews.
inline constexpr int kModelPpi = 96;

// The window's controls as plain values, taking a loaded file the way the
// controls do, redraws included:
// - an edit box takes a text only when it differs and then runs its input
//   rule: a rewritten text is taken the same way (nested), and the rule's
//   redraw follows;
// - the radio group limits the index and redraws when it changes to an item
//   (not when it is cleared);
// - the transparency box and the track bar (limited to 0..400) redraw when
//   their value changes;
// - the part's controls (its boxes, choices and check box) take a value that
//   differs from theirs and redraw; out-of-range values are held as read, so
//   that their redraw raises the part's error;
// - colours, the other boxes and the folder are taken as given.
// A redraw builds the preview of the values at that moment and raises its
// conversion error, so that a load stops at the first key whose redraw
// fails, exactly where the window's load stops. Used wherever the settings
// are needed without a window: the conversion and the tests.
class SettingsModel : public SettingsTarget {
  public:
    // Starts at the design values and the given folder; decimalSeparator is
    // the one the radius rule reads, ppi the preview's resolution.
    explicit SettingsModel(std::string favoriteDir = {}, char decimalSeparator = '.',
                           int ppi = kModelPpi);

    TStarSettings values;
    std::string favoriteDir;

    void setFavoriteDir(const std::string& dir) override;
    void setEdgeNumber(const std::string& text) override;
    void setCircumRadius(const std::string& text) override;
    void setStarType(std::int32_t index) override;
    void setFillColor(TColor c) override;
    void setFillTransparent(bool on) override;
    void setStrokeColor(TColor c) override;
    void setStrokeWidth(std::int32_t position) override;
    void setView(bool on) override;
    void setFillRule(bool on) override;
    PartSettings partSettings() const override { return values.Part; }
    void setPartSettings(const PartSettings& part) override;

    // The separator that the radius box reads.
    char decimalSeparator() const { return decimalSeparator_; }

    // The preview redraw: raises the conversion error of the present values.
    void Redraw() const;

    // What the window does once its settings are loaded at start-up: the
    // outline-width label's change and the preview, both redrawing.
    void UpdateDisplays() const;
    // The same for the figure of the present values, already built: both
    // redraws would draw the same preview of it, so it is drawn once.
    void UpdateDisplays(const Figure& figure) const;

  private:
    void EdgeNumberChanged();
    void CircumRadiusChanged();

    char decimalSeparator_;
    int ppi_;
};

// Loads doc into the model as the window's start-up does (the settings, then
// the displays) and gives the text of the error box that start-up shows, or
// nothing. The load stops at the first error, as the window's does.
std::optional<std::string> LoadAsAtStartUp(SettingsModel& model, const IniDocument& doc,
                                           const std::string& defaultFavoriteDir);

}  // namespace polygrav
