// A page of settings keys made from the key table (model/SettingsKeys.def).

#include "app/KeyPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <functional>
#include <limits>
#include <optional>

#include "app/HandlerGuard.h"
#include "app/QtText.h"
#include "model/Errors.h"
#include "model/InputRules.h"
#include "model/KeyFields.h"
#include "model/Messages.h"
#include "model/NumberRules.h"
#include "settings/ColorText.h"
#include "settings/SettingsFile.h"

namespace polygrav {

namespace {

// The page is narrow: the boxes take the width left beside their labels
// rather than the width of the longest value they could show.
constexpr int kNarrowBox = 50;
// A choice wants its whole text; too wide beside its label, it goes on the
// line below.
constexpr int kChoiceWidth = 110;

QString ControlName(const char* prefix, const SettingsKeyInfo& info) {
    return QString::fromLatin1(prefix) + QString::fromLatin1(info.name);
}

bool IsChoice(const SettingsKeyInfo& info) {
    return info.kind == KeyKind::Integer && info.unit == KeyUnit::Choice;
}

template <class T>
T& Field(DocumentSettings& settings, SettingsKey key) {
    return *std::get<T*>(FieldOf(settings, key));
}

template <class T>
T Value(const DocumentSettings& settings, SettingsKey key) {
    return std::get<T>(ValueOf(settings, key));
}

}  // namespace

KeyPage::KeyPage(HandlerGuard& guard, std::string_view section, KeyPlace place, QWidget* parent)
    : QWidget(parent), guard_(guard), keys_(KeysOfSection(section, place)) {
    setObjectName(QStringLiteral("KeyPage") + ToQString(section));
    auto* layout = new QFormLayout(this);
    layout->setObjectName(objectName() + QStringLiteral("Layout"));
    layout->setRowWrapPolicy(QFormLayout::WrapLongRows);
    layout->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const SettingsKeyInfo& info : keys_) AddRow(*layout, info);
}

void KeyPage::AddRow(QFormLayout& layout, const SettingsKeyInfo& info) {
    if (info.kind == KeyKind::Flag) {
        AddFlag(layout, info);
        return;
    }
    auto* label = new QLabel(ToQString(MessageText(info.label)), this);
    label->setObjectName(ControlName("lbl", info));
    label->setWordWrap(true);
    labels_[info.key] = label;
    if (IsChoice(info)) {
        AddChoice(layout, label, info);
    } else if (info.kind == KeyKind::Integer) {
        AddInteger(layout, label, info);
    } else if (info.kind == KeyKind::Decimal || info.kind == KeyKind::OptionalDecimal) {
        AddDecimal(layout, label, info);
    } else {
        AddText(layout, label, info);
    }
}

void KeyPage::AddChoice(QFormLayout& layout, QLabel* label, const SettingsKeyInfo& info) {
    auto* box = new QComboBox(this);
    box->setObjectName(ControlName("cmb", info));
    for (const KeyChoice& choice : ChoicesOf(info.key)) {
        box->addItem(ToQString(MessageText(choice.text)), choice.value);
    }
    box->setCurrentIndex(box->findData(Value<std::int32_t>(values_, info.key)));
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(2);
    box->setMinimumWidth(kChoiceWidth);
    layout.addRow(label, box);
    Connect(box, info);
    connect(box, &QComboBox::currentIndexChanged, this, [this, box, key = info.key] {
        guard_.Run([this, box, key] { ChoiceChanged(*box, key); });
    });
}

void KeyPage::AddInteger(QFormLayout& layout, QLabel* label, const SettingsKeyInfo& info) {
    auto* spin = new QSpinBox(this);
    spin->setObjectName(ControlName("spn", info));
    spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    spin->setValue(Value<std::int32_t>(values_, info.key));
    spin->setKeyboardTracking(false);
    spin->setMinimumWidth(kNarrowBox);
    layout.addRow(label, spin);
    Connect(spin, info);
    connect(spin, &QSpinBox::valueChanged, this, [this, spin, key = info.key] {
        guard_.Run([this, spin, key] {
            Field<std::int32_t>(values_, key) = spin->value();
            emit valuesChanged();
        });
    });
}

void KeyPage::AddDecimal(QFormLayout& layout, QLabel* label, const SettingsKeyInfo& info) {
    auto* box = new QLineEdit(this);
    box->setObjectName(ControlName("edt", info));
    if (info.kind == KeyKind::Decimal) {
        box->setText(ToQString(FormatPartDecimal(Value<double>(values_, info.key))));
    } else {
        const std::optional<double> value = Value<std::optional<double>>(values_, info.key);
        box->setText(value ? ToQString(FormatPartDecimal(*value)) : QString());
        if (EmptyTextOf(info.key) != MessageId::NoText) {
            box->setPlaceholderText(ToQString(MessageText(EmptyTextOf(info.key))));
        }
    }
    box->setMinimumWidth(kNarrowBox);
    layout.addRow(label, box);
    Connect(box, info);
    connect(box, &QLineEdit::textChanged, this, [this, box, key = info.key] {
        guard_.Run([this, box, key] { DecimalChanged(*box, key); });
    });
}

// A text takes every change; a colour the text of a whole colour when the
// box is left, since a name being typed is no colour yet.
void KeyPage::AddText(QFormLayout& layout, QLabel* label, const SettingsKeyInfo& info) {
    auto* box = new QLineEdit(this);
    box->setObjectName(ControlName("edt", info));
    box->setMinimumWidth(kNarrowBox);
    layout.addRow(label, box);
    Connect(box, info);
    const SettingsKey key = info.key;
    if (info.kind == KeyKind::Color) {
        box->setText(ToQString(ColorToText(Value<TColor>(values_, key))));
        connect(box, &QLineEdit::editingFinished, this, [this, box, key] {
            guard_.Run([this, box, key] {
                const TColor color = TextToColor(ToStdString(box->text()));
                if (color == Field<TColor>(values_, key)) return;
                Field<TColor>(values_, key) = color;
                emit valuesChanged();
            });
        });
        return;
    }
    box->setText(ToQString(Value<std::string>(values_, key)));
    connect(box, &QLineEdit::textChanged, this, [this, box, key] {
        guard_.Run([this, box, key] {
            Field<std::string>(values_, key) = ToStdString(box->text());
            emit valuesChanged();
        });
    });
}

void KeyPage::AddFlag(QFormLayout& layout, const SettingsKeyInfo& info) {
    auto* box = new QCheckBox(ToQString(MessageText(info.label)), this);
    box->setObjectName(ControlName("chb", info));
    box->setChecked(Value<bool>(values_, info.key));
    layout.addRow(box);
    Connect(box, info);
    connect(box, &QCheckBox::toggled, this, [this, box, key = info.key] {
        guard_.Run([this, box, key] {
            Field<bool>(values_, key) = box->isChecked();
            emit valuesChanged();
        });
    });
}

// Registers the control and gives it and its label the key's help as hint.
void KeyPage::Connect(QWidget* control, const SettingsKeyInfo& info) {
    controls_[info.key] = control;
    if (info.help == MessageId::NoText) return;
    const QString help = ToQString(MessageText(info.help));
    control->setToolTip(help);
    if (const auto label = labels_.find(info.key); label != labels_.end()) {
        label->second->setToolTip(help);
    }
}

// A decimal box: a text still being typed changes nothing, a number that
// differs from the value is taken and drawn. The empty box of an optional
// decimal is none.
void KeyPage::DecimalChanged(QLineEdit& box, SettingsKey key) {
    const std::string text = ToStdString(box.text());
    const bool optional = KeyInfo(key).kind == KeyKind::OptionalDecimal;
    std::optional<double> value;
    if (!optional || !text.empty()) {
        const PartDecimalInput input = ReadPartDecimalInput(text, LocaleDecimalSeparator());
        if (input.incomplete) return;
        if (input.rejected()) throw EConvertError(NotAFloatMessage(text));
        value = input.value;
    }
    if (optional) {
        if (value == Field<std::optional<double>>(values_, key)) return;
        Field<std::optional<double>>(values_, key) = value;
    } else {
        if (*value == Field<double>(values_, key)) return;
        Field<double>(values_, key) = *value;
    }
    emit valuesChanged();
}

// A choice: no item (a value out of range shown) changes nothing.
void KeyPage::ChoiceChanged(QComboBox& box, SettingsKey key) {
    if (box.currentIndex() < 0) return;
    const std::int32_t value = box.currentData().toInt();
    if (value == Field<std::int32_t>(values_, key)) return;
    Field<std::int32_t>(values_, key) = value;
    emit valuesChanged();
}

void KeyPage::setValues(const DocumentSettings& settings) {
    for (const SettingsKeyInfo& info : keys_) SetValue(info.key, settings);
}

void KeyPage::SetValue(SettingsKey key, const DocumentSettings& settings) {
    if (ValueOf(settings, key) == ValueOf(values_, key)) return;
    QWidget* control = controls_.at(key);
    const SettingsKeyInfo& info = KeyInfo(key);
    switch (info.kind) {
        case KeyKind::Integer:
            if (IsChoice(info)) {
                SetChoice(*static_cast<QComboBox*>(control), key,
                          Value<std::int32_t>(settings, key));
            } else {
                static_cast<QSpinBox*>(control)->setValue(Value<std::int32_t>(settings, key));
                guard_.RethrowPending();
            }
            return;
        case KeyKind::Flag:
            static_cast<QCheckBox*>(control)->setChecked(Value<bool>(settings, key));
            guard_.RethrowPending();
            return;
        case KeyKind::Decimal:
            // The shortest text that reads back as the value, so that the
            // box's handler takes exactly the value written.
            SetEditText(*static_cast<QLineEdit*>(control),
                        FormatPartDecimal(Value<double>(settings, key)));
            return;
        case KeyKind::OptionalDecimal: {
            const std::optional<double> value = Value<std::optional<double>>(settings, key);
            SetEditText(*static_cast<QLineEdit*>(control),
                        value ? FormatPartDecimal(*value) : std::string());
            return;
        }
        case KeyKind::Color: {
            const TColor color = Value<TColor>(settings, key);
            {
                const QSignalBlocker quiet(control);
                static_cast<QLineEdit*>(control)->setText(ToQString(ColorToText(color)));
            }
            Field<TColor>(values_, key) = color;
            emit valuesChanged();
            return;
        }
        case KeyKind::Text:
        case KeyKind::Folder:
            SetEditText(*static_cast<QLineEdit*>(control), Value<std::string>(settings, key));
            return;
    }
}

void KeyPage::SetEditText(QLineEdit& edit, const std::string& text) {
    const QString value = ToQString(text);
    if (edit.text() != value) {
        edit.setText(value);
        guard_.RethrowPending();
    }
}

// A value out of the choice's items (from a settings file) is held as read
// and shown as no item; its redraw raises the range error.
void KeyPage::SetChoice(QComboBox& box, SettingsKey key, std::int32_t value) {
    if (const int index = box.findData(value); index >= 0) {
        box.setCurrentIndex(index);
        guard_.RethrowPending();
        return;
    }
    {
        const QSignalBlocker quiet(box);
        box.setCurrentIndex(-1);
    }
    Field<std::int32_t>(values_, key) = value;
    emit valuesChanged();
}

void KeyPage::applyTo(DocumentSettings& settings) const {
    for (const SettingsKeyInfo& info : keys_) CopyKeyValue(values_, settings, info.key);
}

void KeyPage::setKeyEnabled(SettingsKey key, bool enabled) {
    controls_.at(key)->setEnabled(enabled);
    if (const auto label = labels_.find(key); label != labels_.end()) {
        label->second->setEnabled(enabled);
    }
}

}  // namespace polygrav
