// The part's page: the controls of the figure as a part, the readouts of
// the figure on the screen, and the calibration of the preview's size.

#include "app/PartPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <functional>
#include <initializer_list>

#include "app/CalibrationBar.h"
#include "app/HandlerGuard.h"
#include "app/QtText.h"
#include "geometry/PartMetrics.h"
#include "model/Errors.h"
#include "model/InputRules.h"
#include "model/NumberRules.h"
#include "settings/PreviewCalibration.h"
#include "svg/NumberFormat.h"
#include "ui_PartPage.h"

namespace polygrav {

namespace {

const QString kNoReadout = QStringLiteral("—");
constexpr int kNarrowBox = 50;
constexpr int kChoiceWidth = 110;

QString Millimetres(double value) {
    return ToQString(FormatFixed4(value, LocaleDecimalSeparator())) + QStringLiteral(" mm");
}

QString SquareMillimetres(double value) {
    return ToQString(FormatFixed4(value, LocaleDecimalSeparator())) + QStringLiteral(" mm²");
}

}  // namespace

PartPage::PartPage(HandlerGuard& guard, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::PartPage>()), guard_(guard) {
    ui->setupUi(this);
    ApplyDesign();
    ConnectHandlers();
}

PartPage::~PartPage() = default;

void PartPage::ApplyDesign() {
    // The page holds more than the design's pages: the window's font, not
    // the tab control's large bold one.
    QFont font;
    font.setPixelSize(12);
    font.setBold(false);
    setFont(font);
    // The page is narrow: the boxes take the width left beside their labels
    // rather than the width of the longest value they could show.
    for (QWidget* box :
         std::initializer_list<QWidget*>{ui->spnStarStep, ui->edtInnerRatio, ui->edtRotation,
                                         ui->edtCornerRadius, ui->edtValleyRadius, ui->edtOffset}) {
        box->setMinimumWidth(kNarrowBox);
    }
    // A choice wants its whole text; too wide beside its label, it goes on
    // the line below.
    for (QComboBox* choice : {ui->cmbSizeBy, ui->cmbOffsetJoin}) {
        choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        choice->setMinimumContentsLength(2);
        choice->setMinimumWidth(kChoiceWidth);
    }
    setStarType(starType_);
    ShowCalibration();
}

void PartPage::setScreenPpi(int ppi) {
    ui->barCalibration->setPpi(ppi);
}

void PartPage::ConnectHandlers() {
    const auto on = [this](std::function<void()> handler) {
        return [this, handler] { guard_.Run(handler); };
    };
    connect(ui->spnStarStep, &QSpinBox::valueChanged, this, on([this] { spnStarStepChange(); }));
    connect(ui->edtInnerRatio, &QLineEdit::textChanged, this,
            on([this] { edtInnerRatioChange(); }));
    connect(ui->edtRotation, &QLineEdit::textChanged, this,
            on([this] { DecimalChanged(*ui->edtRotation, part_.Rotation); }));
    connect(ui->cmbSizeBy, &QComboBox::currentIndexChanged, this,
            on([this] { ChoiceChanged(*ui->cmbSizeBy, part_.SizeBy); }));
    connect(ui->edtCornerRadius, &QLineEdit::textChanged, this,
            on([this] { DecimalChanged(*ui->edtCornerRadius, part_.CornerRadius); }));
    connect(ui->edtValleyRadius, &QLineEdit::textChanged, this,
            on([this] { DecimalChanged(*ui->edtValleyRadius, part_.ValleyRadius); }));
    connect(ui->edtOffset, &QLineEdit::textChanged, this,
            on([this] { DecimalChanged(*ui->edtOffset, part_.Offset); }));
    connect(ui->cmbOffsetJoin, &QComboBox::currentIndexChanged, this,
            on([this] { ChoiceChanged(*ui->cmbOffsetJoin, part_.OffsetJoin); }));
    connect(ui->chbCutOutline, &QCheckBox::toggled, this, on([this] { chbCutOutlineClick(); }));
    connect(ui->barCalibration, &CalibrationBar::factorDragged, this, [this](double factor) {
        guard_.Run([this, factor] { barCalibrationChange(factor); });
    });
    connect(ui->spnCalibration, &QDoubleSpinBox::valueChanged, this,
            on([this] { spnCalibrationChange(); }));
    connect(ui->btnCalibrationReset, &QPushButton::clicked, this,
            on([this] { btnCalibrationResetClick(); }));
}

void PartPage::spnStarStepChange() {
    part_.StarStep = ui->spnStarStep->value();
    emit figureChanged();
}

void PartPage::edtInnerRatioChange() {
    // The empty box is the ratio from the step: none.
    const std::string text = ToStdString(ui->edtInnerRatio->text());
    std::optional<double> ratio;
    if (!text.empty()) {
        const PartDecimalInput input = ReadPartDecimalInput(text, LocaleDecimalSeparator());
        if (input.incomplete) return;
        if (input.rejected()) throw EConvertError(NotAFloatMessage(text));
        ratio = input.value;
    }
    if (ratio == part_.InnerRatio) return;
    part_.InnerRatio = ratio;
    emit figureChanged();
}

void PartPage::chbCutOutlineClick() {
    part_.CutOutline = ui->chbCutOutline->isChecked();
    emit figureChanged();
}

// A decimal box: a text still being typed changes nothing, a number that
// differs from the value is taken and drawn.
void PartPage::DecimalChanged(QLineEdit& box, double& value) {
    const std::string text = ToStdString(box.text());
    const PartDecimalInput input = ReadPartDecimalInput(text, LocaleDecimalSeparator());
    if (input.incomplete) return;
    if (input.rejected()) throw EConvertError(NotAFloatMessage(text));
    if (*input.value == value) return;
    value = *input.value;
    emit figureChanged();
}

// A choice: no item (a value out of range shown) changes nothing.
void PartPage::ChoiceChanged(QComboBox& box, int& value) {
    const int index = box.currentIndex();
    if (index < 0 || index == value) return;
    value = index;
    emit figureChanged();
}

void PartPage::setSettings(const PartSettings& part) {
    if (part.StarStep != part_.StarStep) {
        ui->spnStarStep->setValue(part.StarStep);
        guard_.RethrowPending();
    }
    if (part.InnerRatio != part_.InnerRatio) {
        SetEditText(*ui->edtInnerRatio,
                    part.InnerRatio ? FormatPartDecimal(*part.InnerRatio) : std::string());
    }
    SetDecimal(*ui->edtRotation, part_.Rotation, part.Rotation);
    SetChoice(*ui->cmbSizeBy, part_.SizeBy, part.SizeBy);
    SetDecimal(*ui->edtCornerRadius, part_.CornerRadius, part.CornerRadius);
    SetDecimal(*ui->edtValleyRadius, part_.ValleyRadius, part.ValleyRadius);
    SetDecimal(*ui->edtOffset, part_.Offset, part.Offset);
    SetChoice(*ui->cmbOffsetJoin, part_.OffsetJoin, part.OffsetJoin);
    if (part.CutOutline != part_.CutOutline) {
        ui->chbCutOutline->setChecked(part.CutOutline);
        guard_.RethrowPending();
    }
}

void PartPage::SetEditText(QLineEdit& edit, const std::string& text) {
    const QString value = ToQString(text);
    if (edit.text() != value) {
        edit.setText(value);
        guard_.RethrowPending();
    }
}

void PartPage::SetDecimal(QLineEdit& box, double present, double value) {
    if (value == present) return;
    // The shortest text that reads back as the value, so that the box's
    // handler takes exactly the value written.
    SetEditText(box, FormatPartDecimal(value));
}

// A value out of the choice's range (from a settings file) is held as read
// and shown as no item; its redraw raises the range error.
void PartPage::SetChoice(QComboBox& box, int& present, int value) {
    if (value == present) return;
    if (value >= 0 && value < box.count()) {
        box.setCurrentIndex(value);
        guard_.RethrowPending();
        return;
    }
    {
        const QSignalBlocker quiet(box);
        box.setCurrentIndex(-1);
    }
    present = value;
    emit figureChanged();
}

// The step applies to both stars, the inner ratio to the star outline only.
void PartPage::setStarType(int type) {
    starType_ = type;
    const bool star = type == kStarOutline || type == kStarPolygon;
    ui->lblStarStep->setEnabled(star);
    ui->spnStarStep->setEnabled(star);
    ui->lblInnerRatio->setEnabled(type == kStarOutline);
    ui->edtInnerRatio->setEnabled(type == kStarOutline);
}

// Measuring builds the figure once more, so it waits until the page is
// shown.
void PartPage::pictureDrawn(const TStarSettings& settings) {
    drawnSettings_ = settings;
    readoutsStale_ = true;
    if (shown_) ShowReadouts();
}

void PartPage::setShown(bool shown) {
    shown_ = shown;
    if (shown_ && readoutsStale_) ShowReadouts();
}

void PartPage::ShowReadouts() {
    readoutsStale_ = false;
    QLabel* const values[] = {
        ui->lblCircumradiusValue, ui->lblAcrossFlatsValue, ui->lblSideValue,
        ui->lblInnerRadiusValue,  ui->lblWidthValue,       ui->lblHeightValue,
        ui->lblPerimeterValue,    ui->lblAreaValue,
    };
    std::optional<PartMetrics> m;
    if (drawnSettings_) {
        try {
            m = MeasureSettings(*drawnSettings_, LocaleDecimalSeparator());
        } catch (const EPolygravError&) {
            // The picture was drawn from these settings, so this is not
            // expected; the readouts then show nothing rather than an error.
        }
    }
    if (!m) {
        for (QLabel* label : values) label->setText(kNoReadout);
        return;
    }
    ui->lblCircumradiusValue->setText(Millimetres(m->circumradius));
    ui->lblAcrossFlatsValue->setText(Millimetres(m->acrossFlats));
    ui->lblSideValue->setText(Millimetres(m->side));
    ui->lblInnerRadiusValue->setText(m->innerRadius ? Millimetres(*m->innerRadius) : kNoReadout);
    ui->lblWidthValue->setText(Millimetres(m->width));
    ui->lblHeightValue->setText(Millimetres(m->height));
    ui->lblPerimeterValue->setText(Millimetres(m->perimeter));
    ui->lblAreaValue->setText(SquareMillimetres(m->area));
}

std::optional<Message> PartPage::loadCalibration(const IniDocument& doc) {
    const CalibrationEntry entry = ReadCalibration(doc);
    calibration_ = entry.factor;
    ShowCalibration();
    return entry.error;
}

void PartPage::saveCalibration(IniDocument& doc) const {
    if (calibrationChanged_) WriteCalibration(doc, calibration_);
}

void PartPage::ShowCalibration() {
    const double factor = calibration_.value_or(1.0);
    {
        const QSignalBlocker quiet(ui->spnCalibration);
        ui->spnCalibration->setValue(factor);
    }
    ui->barCalibration->setFactor(factor);
    ui->lblCalibrationState->setText(calibration_ ? tr("調整済み") : tr("調整なし"));
}

void PartPage::Calibrate(std::optional<double> factor) {
    calibration_ = factor;
    calibrationChanged_ = true;
    ShowCalibration();
    emit calibrationChanged();
}

void PartPage::barCalibrationChange(double factor) {
    Calibrate(factor);
}

void PartPage::spnCalibrationChange() {
    Calibrate(ui->spnCalibration->value());
}

void PartPage::btnCalibrationResetClick() {
    Calibrate(std::nullopt);
}

}  // namespace polygrav
