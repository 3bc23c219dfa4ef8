#include "settings/SettingsModel.h"

#include <utility>

#include "model/InputRules.h"

namespace polygrav {

namespace {

// Sets an edit box's text the way the control does: no change, no rule; a
// change runs the rule, whose rewrite is again a change only if it differs.
template <typename Rule>
void SetEditText(std::string& field, const std::string& text, Rule rule) {
    if (text == field) return;
    field = text;
    for (;;) {
        const InputRuleResult result = rule(field);
        if (!result.rewrite || *result.rewrite == field) return;
        field = *result.rewrite;
    }
}

}  // namespace

SettingsModel::SettingsModel(std::string dir, char decimalSeparator)
    : favoriteDir(std::move(dir)), decimalSeparator_(decimalSeparator) {}

void SettingsModel::setFavoriteDir(const std::string& dir) {
    favoriteDir = dir;
}

void SettingsModel::setEdgeNumber(const std::string& text) {
    SetEditText(values.EdgeNumber, text, [](std::string_view t) { return PointCountRule(t); });
}

void SettingsModel::setCircumRadius(const std::string& text) {
    SetEditText(values.CircumRadius, text,
                [this](std::string_view t) { return RadiusRule(t, decimalSeparator_); });
}

void SettingsModel::setStarType(std::int32_t index) {
    values.StarType = ClampStarType(index);
}

void SettingsModel::setFillColor(TColor c) {
    values.FillColor = c;
}

void SettingsModel::setFillTransparent(bool on) {
    values.FillTransparent = on;
}

void SettingsModel::setStrokeColor(TColor c) {
    values.StrokeColor = c;
}

void SettingsModel::setStrokeWidth(std::int32_t position) {
    values.StrokeWidth = ClampStrokeWidth(position);
}

void SettingsModel::setView(bool on) {
    values.View = on;
}

void SettingsModel::setFillRule(bool on) {
    values.FillRule = on;
}

}  // namespace polygrav
