#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/SettingsKeys.h"
#include "model/StarSettings.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace polygrav {

class HandlerGuard;

// The controls of one section's keys, made from the key table: for each key
// of the section at the given place (KeysOfSection), in the table's order, a
// row of its label (the key's label message, its help as the hint) and its
// control, named after the key by its kind:
//   a choice (unit Choice)          cmb<Key>, the table's items;
//   another integer                 spn<Key>, any integer (the figure
//                                   checks the range, so a value read from
//                                   a file shows as it is);
//   a decimal, an optional decimal  edt<Key>, the empty box being none;
//   a text, a colour                edt<Key>;
//   a flag                          chb<Key>, labelled by its label.
// A label is lbl<Key>. The page holds the values: a box whose text is not
// (yet) a value keeps the value it held; a choice out of its range (from a
// settings file) shows no item and keeps the value as read.
//
// The seam with the window: values() holds the page's keys within a whole
// DocumentSettings (the other keys at their defaults); the window copies
// them into the document it draws and saves with applyTo(), gives it the
// values of a settings file with setValues(), and redraws on valuesChanged.
// A page for a further section is one line in the window's constructor,
// AddSectionPage("Sheet", tr("シート")); the part's page holds the page of
// ("SVG", KeyPlace::Part).
class KeyPage : public QWidget {
    Q_OBJECT

  public:
    KeyPage(HandlerGuard& guard, std::string_view section, KeyPlace place,
            QWidget* parent = nullptr);

    // The keys this page shows, in its order.
    const std::vector<SettingsKeyInfo>& keys() const { return keys_; }

    const DocumentSettings& values() const { return values_; }

    // Writes the page's keys of settings into the controls, each through its
    // own change handler; a value the page holds already changes nothing.
    // Raises what the handlers raised.
    void setValues(const DocumentSettings& settings);

    // Copies the page's keys into settings; the other keys stay.
    void applyTo(DocumentSettings& settings) const;

    // Enables or disables a key's label and control.
    void setKeyEnabled(SettingsKey key, bool enabled);

  signals:
    // A value changed: the figure is to be drawn again.
    void valuesChanged();

  private:
    void AddRow(QFormLayout& layout, const SettingsKeyInfo& info);
    void AddChoice(QFormLayout& layout, QLabel* label, const SettingsKeyInfo& info);
    void AddInteger(QFormLayout& layout, QLabel* label, const SettingsKeyInfo& info);
    void AddDecimal(QFormLayout& layout, QLabel* label, const SettingsKeyInfo& info);
    void AddText(QFormLayout& layout, QLabel* label, const SettingsKeyInfo& info);
    void AddFlag(QFormLayout& layout, const SettingsKeyInfo& info);
    void Connect(QWidget* control, const SettingsKeyInfo& info);

    void DecimalChanged(QLineEdit& box, SettingsKey key);
    void ChoiceChanged(QComboBox& box, SettingsKey key);
    void SetValue(SettingsKey key, const DocumentSettings& settings);
    void SetEditText(QLineEdit& edit, const std::string& text);
    void SetChoice(QComboBox& box, SettingsKey key, std::int32_t value);

    HandlerGuard& guard_;
    std::vector<SettingsKeyInfo> keys_;
    std::map<SettingsKey, QWidget*> controls_;
    std::map<SettingsKey, QLabel*> labels_;
    DocumentSettings values_;
};

}  // namespace polygrav
