// The part's page of the main window: the controls of the figure as a part,
// the readouts of the figure on the screen, and the calibration of the
// preview's size.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <initializer_list>

#include "app/CalibrationBar.h"
#include "app/QtText.h"
#include "app/Unit1.h"
#include "geometry/PartMetrics.h"
#include "model/Errors.h"
#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "model/NumberRules.h"
#include "settings/PreviewCalibration.h"
#include "ui_Unit1.h"

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

void TForm1::ApplyPartPageDesign() {
    // The page holds more than the design's pages: the window's font, not
    // the tab control's large bold one.
    QFont font;
    font.setPixelSize(12);
    font.setBold(false);
    ui->TabSheet3->setFont(font);
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
    ui->barCalibration->setPpi(ScreenPpi());
    UpdatePartEnabling();
    ShowCalibration();
}

void TForm1::ConnectPartPage() {
    const auto on = [this](void (TForm1::*handler)()) {
        return [this, handler] { guard_.Run([this, handler] { (this->*handler)(); }); };
    };
    connect(ui->spnStarStep, &QSpinBox::valueChanged, this, on(&TForm1::spnStarStepChange));
    connect(ui->edtInnerRatio, &QLineEdit::textChanged, this, on(&TForm1::edtInnerRatioChange));
    connect(ui->edtRotation, &QLineEdit::textChanged, this, on(&TForm1::edtRotationChange));
    connect(ui->cmbSizeBy, &QComboBox::currentIndexChanged, this, on(&TForm1::cmbSizeByChange));
    connect(ui->edtCornerRadius, &QLineEdit::textChanged, this, on(&TForm1::edtCornerRadiusChange));
    connect(ui->edtValleyRadius, &QLineEdit::textChanged, this, on(&TForm1::edtValleyRadiusChange));
    connect(ui->edtOffset, &QLineEdit::textChanged, this, on(&TForm1::edtOffsetChange));
    connect(ui->cmbOffsetJoin, &QComboBox::currentIndexChanged, this,
            on(&TForm1::cmbOffsetJoinChange));
    connect(ui->chbCutOutline, &QCheckBox::toggled, this, on(&TForm1::chbCutOutlineClick));
    connect(ui->barCalibration, &CalibrationBar::factorDragged, this, [this](double factor) {
        guard_.Run([this, factor] { barCalibrationChange(factor); });
    });
    connect(ui->spnCalibration, &QDoubleSpinBox::valueChanged, this,
            on(&TForm1::spnCalibrationChange));
    connect(ui->btnCalibrationReset, &QPushButton::clicked, this,
            on(&TForm1::btnCalibrationResetClick));

    // The star type decides which of the part's controls apply, and each new
    // picture is measured.
    connect(starTypeGroup_, &QButtonGroup::idToggled, this, [this] { UpdatePartEnabling(); });
    connect(this, &TForm1::previewDrawn, this, [this] { PreviewWasDrawn(); });
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (readoutsStale_ && ui->PageControl1->currentWidget() == ui->TabSheet3) {
            ShowPartReadouts();
        }
    });
}

void TForm1::spnStarStepChange() {
    part_.StarStep = ui->spnStarStep->value();
    btnDisplayClick();
}

void TForm1::edtInnerRatioChange() {
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
    btnDisplayClick();
}

void TForm1::edtRotationChange() {
    PartDecimalChanged(*ui->edtRotation, part_.Rotation);
}

void TForm1::cmbSizeByChange() {
    PartChoiceChanged(*ui->cmbSizeBy, part_.SizeBy);
}

void TForm1::edtCornerRadiusChange() {
    PartDecimalChanged(*ui->edtCornerRadius, part_.CornerRadius);
}

void TForm1::edtValleyRadiusChange() {
    PartDecimalChanged(*ui->edtValleyRadius, part_.ValleyRadius);
}

void TForm1::edtOffsetChange() {
    PartDecimalChanged(*ui->edtOffset, part_.Offset);
}

void TForm1::cmbOffsetJoinChange() {
    PartChoiceChanged(*ui->cmbOffsetJoin, part_.OffsetJoin);
}

void TForm1::chbCutOutlineClick() {
    part_.CutOutline = ui->chbCutOutline->isChecked();
    btnDisplayClick();
}

// A decimal box: a text still being typed changes nothing, a number that
// differs from the value is taken and drawn.
void TForm1::PartDecimalChanged(QLineEdit& box, double& value) {
    const std::string text = ToStdString(box.text());
    const PartDecimalInput input = ReadPartDecimalInput(text, LocaleDecimalSeparator());
    if (input.incomplete) return;
    if (input.rejected()) throw EConvertError(NotAFloatMessage(text));
    if (*input.value == value) return;
    value = *input.value;
    btnDisplayClick();
}

// A choice: no item (a value out of range shown) changes nothing.
void TForm1::PartChoiceChanged(QComboBox& box, int& value) {
    const int index = box.currentIndex();
    if (index < 0 || index == value) return;
    value = index;
    btnDisplayClick();
}

// Writes the values of a settings file into the controls, each through its
// own change handler; a value the control holds already changes nothing.
void TForm1::SetPartControls(const PartSettings& part) {
    if (part.StarStep != part_.StarStep) {
        ui->spnStarStep->setValue(part.StarStep);
        guard_.RethrowPending();
    }
    if (part.InnerRatio != part_.InnerRatio) {
        SetEditText(*ui->edtInnerRatio,
                    part.InnerRatio ? FormatPartDecimal(*part.InnerRatio) : std::string());
    }
    SetPartDecimal(*ui->edtRotation, part_.Rotation, part.Rotation);
    SetPartChoice(*ui->cmbSizeBy, part_.SizeBy, part.SizeBy);
    SetPartDecimal(*ui->edtCornerRadius, part_.CornerRadius, part.CornerRadius);
    SetPartDecimal(*ui->edtValleyRadius, part_.ValleyRadius, part.ValleyRadius);
    SetPartDecimal(*ui->edtOffset, part_.Offset, part.Offset);
    SetPartChoice(*ui->cmbOffsetJoin, part_.OffsetJoin, part.OffsetJoin);
    if (part.CutOutline != part_.CutOutline) SetChecked(*ui->chbCutOutline, part.CutOutline);
}

void TForm1::SetPartDecimal(QLineEdit& box, double present, double value) {
    if (value == present) return;
    // The shortest text that reads back as the value, so that the box's
    // handler takes exactly the value written.
    SetEditText(box, FormatPartDecimal(value));
}

// A value out of the choice's range (from a settings file) is held as read
// and shown as no item; its redraw raises the range error.
void TForm1::SetPartChoice(QComboBox& box, int& present, int value) {
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
    btnDisplayClick();
}

// The step applies to both stars, the inner ratio to the star outline only.
void TForm1::UpdatePartEnabling() {
    const int type = StarTypeIndex();
    const bool star = type == kStarOutline || type == kStarPolygon;
    ui->lblStarStep->setEnabled(star);
    ui->spnStarStep->setEnabled(star);
    ui->lblInnerRatio->setEnabled(type == kStarOutline);
    ui->edtInnerRatio->setEnabled(type == kStarOutline);
}

// Measuring builds the figure once more, so it waits until the page is
// shown.
void TForm1::PreviewWasDrawn() {
    drawnSettings_ = Snapshot();
    readoutsStale_ = true;
    if (ui->PageControl1->currentWidget() == ui->TabSheet3) ShowPartReadouts();
}

void TForm1::ShowPartReadouts() {
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

double TForm1::PreviewPpi() const {
    return ScreenPpi() * calibration_.value_or(1.0);
}

void TForm1::LoadCalibration(const IniDocument& doc) {
    const CalibrationEntry entry = ReadCalibration(doc);
    calibration_ = entry.factor;
    ShowCalibration();
    // A value that is no factor is reported, but the load goes on.
    if (entry.error) ShowException(std::make_exception_ptr(EPolygravError(*entry.error)));
}

void TForm1::SaveCalibration(IniDocument& doc) const {
    if (calibrationChanged_) WriteCalibration(doc, calibration_);
}

void TForm1::ShowCalibration() {
    const double factor = calibration_.value_or(1.0);
    {
        const QSignalBlocker quiet(ui->spnCalibration);
        ui->spnCalibration->setValue(factor);
    }
    ui->barCalibration->setFactor(factor);
    ui->lblCalibrationState->setText(calibration_ ? tr("調整済み") : tr("調整なし"));
}

void TForm1::Calibrate(std::optional<double> factor) {
    calibration_ = factor;
    calibrationChanged_ = true;
    ShowCalibration();
    btnDisplayClick();
}

void TForm1::barCalibrationChange(double factor) {
    Calibrate(factor);
}

void TForm1::spnCalibrationChange() {
    Calibrate(ui->spnCalibration->value());
}

void TForm1::btnCalibrationResetClick() {
    Calibrate(std::nullopt);
}

}  // namespace polygrav
