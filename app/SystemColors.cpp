#include "app/SystemColors.h"

#include <array>
#include <optional>

namespace polygrav {

namespace {

struct SystemColorRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr auto kActive = QPalette::Active;

// The palette role for each system colour element, by index (0 to 30).
// Index 25 has no element.
constexpr std::array<std::optional<SystemColorRole>, 31> kSystemColorRoles = {{
    SystemColorRole{kActive, QPalette::Button},           // 0 clScrollBar
    SystemColorRole{kActive, QPalette::Dark},             // 1 clBackground
    SystemColorRole{kActive, QPalette::Highlight},        // 2 clActiveCaption
    SystemColorRole{kActive, QPalette::Mid},              // 3 clInactiveCaption
    SystemColorRole{kActive, QPalette::Window},           // 4 clMenu
    SystemColorRole{kActive, QPalette::Base},             // 5 clWindow
    SystemColorRole{kActive, QPalette::Shadow},           // 6 clWindowFrame
    SystemColorRole{kActive, QPalette::WindowText},       // 7 clMenuText
    SystemColorRole{kActive, QPalette::Text},             // 8 clWindowText
    SystemColorRole{kActive, QPalette::HighlightedText},  // 9 clCaptionText
    SystemColorRole{kActive, QPalette::Button},           // 10 clActiveBorder
    SystemColorRole{kActive, QPalette::Button},           // 11 clInactiveBorder
    SystemColorRole{kActive, QPalette::Mid},              // 12 clAppWorkSpace
    SystemColorRole{kActive, QPalette::Highlight},        // 13 clHighlight
    SystemColorRole{kActive, QPalette::HighlightedText},  // 14 clHighlightText
    SystemColorRole{kActive, QPalette::Button},           // 15 clBtnFace
    SystemColorRole{kActive, QPalette::Dark},             // 16 clBtnShadow
    SystemColorRole{QPalette::Disabled, QPalette::Text},  // 17 clGrayText
    SystemColorRole{kActive, QPalette::ButtonText},       // 18 clBtnText
    SystemColorRole{kActive, QPalette::Text},             // 19 clInactiveCaptionText
    SystemColorRole{kActive, QPalette::Light},            // 20 clBtnHighlight
    SystemColorRole{kActive, QPalette::Shadow},           // 21 cl3DDkShadow
    SystemColorRole{kActive, QPalette::Midlight},         // 22 cl3DLight
    SystemColorRole{kActive, QPalette::ToolTipText},      // 23 clInfoText
    SystemColorRole{kActive, QPalette::ToolTipBase},      // 24 clInfoBk
    std::nullopt,                                         // 25
    SystemColorRole{kActive, QPalette::Link},             // 26 clHotLight
    SystemColorRole{kActive, QPalette::Highlight},        // 27 clGradientActiveCaption
    SystemColorRole{kActive, QPalette::Midlight},         // 28 clGradientInactiveCaption
    SystemColorRole{kActive, QPalette::Highlight},        // 29 clMenuHighlight
    SystemColorRole{kActive, QPalette::Window},           // 30 clMenuBar
}};

}  // namespace

QColor ResolveColor(TColor c, const QPalette& palette) {
    if (!IsSystemColor(c)) {
        return QColor(RedOf(c), GreenOf(c), BlueOf(c));
    }
    const auto index = static_cast<std::size_t>(SystemColorIndex(c));
    if (index >= kSystemColorRoles.size() || !kSystemColorRoles[index]) {
        return QColor(Qt::black);
    }
    const SystemColorRole& r = *kSystemColorRoles[index];
    QColor resolved = palette.color(r.group, r.role);
    resolved.setAlpha(255);
    return resolved;
}

TColor ToTColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return static_cast<TColor>(rgb.red()) | (static_cast<TColor>(rgb.green()) << 8) |
           (static_cast<TColor>(rgb.blue()) << 16);
}

}  // namespace polygrav
