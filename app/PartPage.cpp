// The part's page: the controls of the figure as a part, the readouts of
// the figure on the screen, and the calibration of the preview's size.

#include "app/PartPage.h"

#include <QDoubleSpinBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <functional>

#include "app/CalibrationBar.h"
#include "app/HandlerGuard.h"
#include "app/KeyPage.h"
#include "app/QtText.h"
#include "geometry/PartMetrics.h"
#include "model/Errors.h"
#include "model/NumberFormat.h"
#include "model/NumberRules.h"
#include "settings/PreviewCalibration.h"
#include "ui_PartPage.h"

namespace polygrav {

namespace {

const QString kNoReadout = QStringLiteral("—");

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
    keys_ = new KeyPage(guard_, kSettingsSection, KeyPlace::Part, ui->GroupBoxPartShape);
    ui->PartShapeLayout->addWidget(keys_);
    setStarType(starType_);
    ShowCalibration();
}

const PartSettings& PartPage::settings() const {
    return keys_->values().svg.Part;
}

void PartPage::setScreenPpi(int ppi) {
    ui->barCalibration->setPpi(ppi);
}

void PartPage::ConnectHandlers() {
    const auto on = [this](std::function<void()> handler) {
        return [this, handler] { guard_.Run(handler); };
    };
    connect(keys_, &KeyPage::valuesChanged, this, &PartPage::figureChanged);
    connect(ui->barCalibration, &CalibrationBar::factorDragged, this, [this](double factor) {
        guard_.Run([this, factor] { barCalibrationChange(factor); });
    });
    connect(ui->spnCalibration, &QDoubleSpinBox::valueChanged, this,
            on([this] { spnCalibrationChange(); }));
    connect(ui->btnCalibrationReset, &QPushButton::clicked, this,
            on([this] { btnCalibrationResetClick(); }));
}

void PartPage::setSettings(const PartSettings& part) {
    DocumentSettings values = keys_->values();
    values.svg.Part = part;
    keys_->setValues(values);
}

// The step applies to both stars, the inner ratio to the star outline only.
void PartPage::setStarType(int type) {
    starType_ = type;
    keys_->setKeyEnabled(SettingsKey::StarStep, type == kStarOutline || type == kStarPolygon);
    keys_->setKeyEnabled(SettingsKey::InnerRatio, type == kStarOutline);
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
