#pragma once

#include <cstdint>
#include <string>

#include "model/StarSettings.h"
#include "settings/SettingsFile.h"

namespace polygrav {

// The settings as plain values that take a loaded file the way the window's
// controls do: an edit box takes a text only when it differs and then runs its
// input rule (a rewritten text is taken the same way), the radio group and the
// track bar limit their values, colours and flags are taken as given. Used
// where the values are needed without a window.
class SettingsModel : public SettingsTarget {
  public:
    // Starts at the design values and the given folder; decimalSeparator is
    // the one the radius rule reads.
    explicit SettingsModel(std::string favoriteDir = {}, char decimalSeparator = '.');

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

  private:
    char decimalSeparator_;
};

}  // namespace polygrav
