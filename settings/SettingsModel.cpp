#include "settings/SettingsModel.h"

#include <utility>

#include "geometry/PreviewPixels.h"
#include "model/Errors.h"
#include "model/InputRules.h"

namespace polygrav {

SettingsModel::SettingsModel(std::string dir, char decimalSeparator, int ppi)
    : favoriteDir(std::move(dir)), decimalSeparator_(decimalSeparator), ppi_(ppi) {}

void SettingsModel::Redraw() const {
    BuildPreviewPicture(values, ppi_, decimalSeparator_);
}

void SettingsModel::UpdateDisplays() const {
    Redraw();  // the outline-width label's change ends in the redraw
    Redraw();  // the preview itself
}

void SettingsModel::UpdateDisplays(const Figure& figure) const {
    PreviewOfFigure(figure, ppi_, values.CircumRadius);
}

void SettingsModel::setFavoriteDir(const std::string& dir) {
    favoriteDir = dir;
}

// The edit boxes' change handlers: the rule may write a new text, which is a
// change of its own and runs the handler again, nested, before this one
// redraws.
void SettingsModel::EdgeNumberChanged() {
    const InputRuleResult rule = PointCountRule(values.EdgeNumber);
    if (rule.rewrite) setEdgeNumber(*rule.rewrite);
    if (rule.redraw) Redraw();
}

void SettingsModel::CircumRadiusChanged() {
    const InputRuleResult rule = RadiusRule(values.CircumRadius, decimalSeparator_);
    if (rule.rewrite) setCircumRadius(*rule.rewrite);
    if (rule.redraw) Redraw();
}

void SettingsModel::setEdgeNumber(const std::string& text) {
    if (text == values.EdgeNumber) return;
    values.EdgeNumber = text;
    EdgeNumberChanged();
}

void SettingsModel::setCircumRadius(const std::string& text) {
    if (text == values.CircumRadius) return;
    values.CircumRadius = text;
    CircumRadiusChanged();
}

void SettingsModel::setStarType(std::int32_t index) {
    const int limited = ClampStarType(index);
    if (limited == values.StarType) return;
    values.StarType = limited;
    // Clearing the selection selects no item, so the group does not click.
    if (limited != kNoStarType) Redraw();
}

void SettingsModel::setFillColor(TColor c) {
    values.FillColor = c;
}

void SettingsModel::setFillTransparent(bool on) {
    if (on == values.FillTransparent) return;
    values.FillTransparent = on;
    Redraw();
}

void SettingsModel::setStrokeColor(TColor c) {
    values.StrokeColor = c;
}

void SettingsModel::setStrokeWidth(std::int32_t position) {
    const int limited = ClampStrokeWidth(position);
    if (limited == values.StrokeWidth) return;
    values.StrokeWidth = limited;
    Redraw();
}

void SettingsModel::setView(bool on) {
    values.View = on;
}

void SettingsModel::setFillRule(bool on) {
    values.FillRule = on;
}

void SettingsModel::setPartSettings(const PartSettings& part) {
    if (part == values.Part) return;
    values.Part = part;
    Redraw();
}

std::optional<std::string> LoadAsAtStartUp(SettingsModel& model, const IniDocument& doc,
                                           const std::string& defaultFavoriteDir) {
    try {
        ReadSettings(doc, defaultFavoriteDir, model, nullptr, model.decimalSeparator());
        model.UpdateDisplays();
    } catch (const EPolygravError& e) {
        return WithClosingPeriod(e.what());
    }
    return std::nullopt;
}

}  // namespace polygrav
