#include "app/Unit1.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <algorithm>
#include <iterator>

#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

#include "app/AppInfo.h"
#include "app/ColorSwatch.h"
#include "app/Docking.h"
#include "app/FocusMark.h"
#include "app/FormDialogs.h"
#include "app/FrameShape.h"
#include "app/HomePage.h"
#include "app/KeyPage.h"
#include "app/PartPage.h"
#include "app/Preview.h"
#include "app/QtText.h"
#include "app/SystemColors.h"
#include "conversion/DocumentFigure.h"
#include "export/FigureFile.h"
#include "geometry/Figure.h"
#include "model/Errors.h"
#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "model/NumberRules.h"
#include "model/PathRules.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "shell/DesktopShell.h"
#include "ui_Unit1.h"

// The resources of the static library are linked only when named here.
static void InitPolygravResources() {
    Q_INIT_RESOURCE(polygrav);
}

namespace polygrav {

namespace {

const QString kStrokeWidthUnit = QStringLiteral("(mm)");
const QString kSaveFilter = QStringLiteral("SVG file(*.svg)");
const QString kSaveFirstFileName = QStringLiteral("Untitled");

// The file types of the save dialog, in the order offered; the design's SVG
// comes first, the solids (a plate of the default thickness) last.
constexpr ExportFormat kSaveFormats[] = {
    ExportFormat::Svg, ExportFormat::Dxf,     ExportFormat::Pdf,
    ExportFormat::Png, ExportFormat::Gcode,   ExportFormat::Plt,
    ExportFormat::Stl, ExportFormat::ThreeMf, ExportFormat::Scad};

// The place of a format among the save dialog's types.
std::size_t SaveFormatIndex(ExportFormat format) {
    return static_cast<std::size_t>(
        std::find(std::begin(kSaveFormats), std::end(kSaveFormats), format) -
        std::begin(kSaveFormats));
}

// The format of the type chosen in the save dialog; one it did not offer
// leaves the format as it was.
ExportFormat ChosenSaveFormat(const std::vector<SaveFilter>& filters, const QString& chosen,
                              ExportFormat before) {
    for (std::size_t i = 0; i < filters.size(); ++i) {
        if (filters[i].text == chosen) return kSaveFormats[i];
    }
    return before;
}

// Sets a font of the given pixel height; the family and everything not set
// here come from the parent.
void SetDesignFont(QWidget& w, int pixelHeight, bool bold) {
    QFont font;
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    w.setFont(font);
}

void SetTextColor(QWidget& w, const QColor& color) {
    QPalette palette = w.palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    w.setPalette(palette);
}

}  // namespace

// Applies the values of a settings file to the controls, so that each
// control's own change handler runs as it would for the user's change.
class TForm1::ControlWriter final : public SettingsTarget {
  public:
    explicit ControlWriter(TForm1& form) : form_(form) {}

    void setFavoriteDir(const std::string& dir) override { form_.FavoriteDir = dir; }
    void setEdgeNumber(const std::string& text) override {
        form_.SetEditText(*form_.ui->edtNum, text);
    }
    void setCircumRadius(const std::string& text) override {
        form_.SetEditText(*form_.ui->edtSize, text);
    }
    void setStarType(std::int32_t index) override { form_.SetStarTypeIndex(index); }
    void setFillColor(TColor c) override { form_.ui->lblFillColor->setColor(c); }
    void setFillTransparent(bool on) override { form_.SetChecked(*form_.ui->chbTransparent, on); }
    void setStrokeColor(TColor c) override { form_.ui->lblStrokeColor->setColor(c); }
    void setStrokeWidth(std::int32_t position) override { form_.SetTrackPosition(position); }
    void setView(bool on) override { form_.SetChecked(*form_.ui->chbSVGView, on); }
    void setFillRule(bool on) override { form_.SetChecked(*form_.ui->chbSVGFillRule, on); }
    PartSettings partSettings() const override { return form_.partPage_->settings(); }
    void setPartSettings(const PartSettings& part) override { form_.partPage_->setSettings(part); }

  private:
    TForm1& form_;
};

TForm1::TForm1(std::string programPath, FormDialogs& dialogs, DesktopShell& desktop,
               QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::TForm1>()),
      programPath_(std::move(programPath)),
      dialogs_(dialogs),
      desktop_(desktop),
      guard_([this](std::exception_ptr error) { ShowException(error); }) {
    InitPolygravResources();
    ui->setupUi(this);
    KeepLeftColumnWhole();
    ApplyDesignValues();
    ArrangeFocus();
    ConnectHandlers();
    AddPartPage();
    AddSectionPage(kMachineSection, tr("加工機"));
    AddSectionPage("Solid", tr("立体"));
    CentreOnScreen();
}

// Panel2 keeps at least the height that its frame shape has in the design,
// so that the button and the check box inside it stay whole. The window's
// layout takes that into its minimum size, which the window keeps. Runs
// before the shape is docked to fill the panel.
void TForm1::KeepLeftColumnWhole() {
    const QRect shape = ui->Shape1->geometry();
    ui->Panel2->setMinimumHeight(shape.y() + shape.height() + ui->Panel2->frameWidth());
}

// Typing starts in the point count. The preview's scroll box is no stop of
// the Tab order: a click gives it the focus, for scrolling by keys, and a
// mark shows it then, since its picture covers everything it would draw.
void TForm1::ArrangeFocus() {
    ui->ScrollBox1->setFocusPolicy(Qt::ClickFocus);
    FocusMark::Attach(*ui->ScrollBox1);
    ui->edtNum->setFocus();
}

TForm1::~TForm1() = default;

// The design values that the .ui file cannot hold: fonts in pixel heights,
// colours, the radio group's item ids and the docked controls.
void TForm1::ApplyDesignValues() {
    // Without the substitution fontconfig picks a font without Japanese.
    QFont::insertSubstitution(ToQString(kWindowFontFamily), ToQString(kWindowFontSubstitute));
    QFont windowFont(ToQString(kWindowFontFamily));
    windowFont.setPixelSize(12);
    setFont(windowFont);
    setWindowIcon(QIcon(QStringLiteral(":/icons/polygrav-48.png")));
    resize(792, 566);

    SetDesignFont(*ui->PageControl1, 15, true);
    SetDesignFont(*ui->edtNum, 15, false);
    SetDesignFont(*ui->edtSize, 15, false);
    SetDesignFont(*ui->lblVersion, 12, false);
    ui->lblVersion->setText(QString::fromUtf8(kVersionLabelText));
    SetDesignFont(*ui->btnSVG, 15, true);
    SetDesignFont(*ui->chbSVGView, 15, true);
    SetTextColor(*ui->btnSVG, Qt::red);
    SetTextColor(*ui->chbSVGView, Qt::red);

    QPalette version = ui->lblVersion->palette();
    version.setColor(QPalette::Window, ResolveColor(clNavy, version));
    version.setColor(QPalette::WindowText, ResolveColor(clYellow, version));
    ui->lblVersion->setPalette(version);
    // Each version line ends in a blank, but Qt leaves trailing blanks out
    // when it aligns a line to the right; keeping one blank's width free at
    // the right edge shows the text where the blank puts it.
    ui->lblVersion->setIndent(ui->lblVersion->fontMetrics().horizontalAdvance(QLatin1Char(' ')));

    ui->lblStrokeColor->setColor(clBlack);
    ui->lblFillColor->setColor(clRed);
    ui->Shape1->setOutline(Qt::yellow, 5);

    starTypeGroup_ = new QButtonGroup(this);
    starTypeGroup_->setObjectName(QStringLiteral("RadioGroupStarTypeButtons"));
    starTypeGroup_->addButton(ui->RadioGroupStarTypeItem0, kStarOutline);
    starTypeGroup_->addButton(ui->RadioGroupStarTypeItem1, kStarPolygon);
    starTypeGroup_->addButton(ui->RadioGroupStarTypeItem2, kRegularPolygon);

    // The installed Japanese font has a taller line than the design's, so
    // the labels of several lines grow downwards to show their last line.
    for (QLabel* label : {ui->Label1, ui->Label2, ui->lblSVGFillRule}) {
        label->resize(label->width(), std::max(label->height(), label->sizeHint().height()));
    }

    Docking::Dock(ui->lblVersion, Docking::Edge::Bottom);
    Docking::Dock(ui->Shape1, Docking::Edge::Fill, 1);
}

void TForm1::ConnectHandlers() {
    const auto on = [this](void (TForm1::*handler)()) {
        return [this, handler] { guard_.Run([this, handler] { (this->*handler)(); }); };
    };
    connect(ui->edtNum, &QLineEdit::textChanged, this, on(&TForm1::edtNumChange));
    connect(ui->edtSize, &QLineEdit::textChanged, this, on(&TForm1::edtSizeChange));
    connect(starTypeGroup_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        // The group's click: the newly selected item, not the one let go.
        if (checked) {
            guard_.Run([this] { btnDisplayClick(); });
        }
    });
    connect(ui->btnStrokeColor, &QPushButton::clicked, this, on(&TForm1::btnStrokeColorClick));
    connect(ui->lblStrokeColor, &ColorSwatch::clicked, this, on(&TForm1::btnStrokeColorClick));
    connect(ui->btnFillColor, &QPushButton::clicked, this, on(&TForm1::btnFillColorClick));
    connect(ui->lblFillColor, &ColorSwatch::clicked, this, on(&TForm1::btnFillColorClick));
    connect(ui->trbStrokeWidth, &QSlider::valueChanged, this, on(&TForm1::trbStrokeWidthChange));
    // The track bar also reports the end of a drag, changed or not.
    connect(ui->trbStrokeWidth, &QSlider::sliderReleased, this, on(&TForm1::trbStrokeWidthChange));
    connect(ui->chbTransparent, &QCheckBox::toggled, this, on(&TForm1::btnDisplayClick));
    connect(ui->chbShortCutDesktop, &QCheckBox::toggled, this,
            on(&TForm1::chbShortCutDesktopClick));
    connect(ui->chbShortCutStart, &QCheckBox::toggled, this, on(&TForm1::chbShortCutDesktopClick));
    connect(ui->btnShortCut, &QPushButton::clicked, this, on(&TForm1::btnShortCutClick));
    connect(ui->btnDisplay, &QPushButton::clicked, this, on(&TForm1::btnDisplayClick));
    connect(ui->btnSVG, &QPushButton::clicked, this, on(&TForm1::btnSVGClick));
    connect(ui->lblVersion, &ClickLabel::clicked, this, on(&TForm1::lblVersionClick));
#ifndef QT_NO_SESSIONMANAGER
    // The session ends (log-off, shut-down): save as a close would.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { guard_.Run([this] { FormCloseQuery(); }); });
#endif
}

// Centres the window's outer 800 × 600 on the screen.
void TForm1::CentreOnScreen() {
    const QScreen* s = screen();
    if (s == nullptr) {
        return;
    }
    const QRect area = s->availableGeometry();
    move(area.x() + (area.width() - 800) / 2, area.y() + (area.height() - 600) / 2);
}

void TForm1::RunFormCreate() {
    guard_.Run([this] { FormCreate(); });
}

void TForm1::FormCreate() {
    LoadSettings(SettingsFilePath(programPath_));
    ui->PageControl1->setCurrentIndex(0);
    trbStrokeWidthChange();
    chbShortCutDesktopClick();
    btnDisplayClick();
}

void TForm1::FormCloseQuery() {
    SaveSettings();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing is never refused.
    guard_.Run([this] { FormCloseQuery(); });
    event->accept();
}

void TForm1::btnStrokeColorClick() {
    ChooseSwatchColor(*ui->lblStrokeColor);
}

void TForm1::btnFillColorClick() {
    ChooseSwatchColor(*ui->lblFillColor);
}

void TForm1::ChooseSwatchColor(ColorSwatch& swatch) {
    const std::optional<QColor> chosen =
        dialogs_.ChooseColor(this, ResolveColor(swatch.color(), palette()));
    if (!chosen) {
        return;
    }
    swatch.setColor(ToTColor(*chosen));
    btnDisplayClick();
}

void TForm1::trbStrokeWidthChange() {
    const double mm = ui->trbStrokeWidth->value() / 100.0;
    ui->lblStrokeWidth->setText(tr("輪郭線の幅：") +
                                ToQString(FormatFixed4(mm, LocaleDecimalSeparator())) +
                                kStrokeWidthUnit);
    ui->lblStrokeWidth->adjustSize();
    btnDisplayClick();
}

void TForm1::chbShortCutDesktopClick() {
    if (ui->chbShortCutDesktop->isChecked()) {
        ui->btnShortCut->setEnabled(true);
    } else {
        ui->btnShortCut->setEnabled(ui->chbShortCutStart->isChecked());
    }
}

void TForm1::btnShortCutClick() {
    if (ui->chbShortCutDesktop->isChecked()) {
        desktop_.CreateShortCut(kShortCutName, kPlaceDesktop);
    }
    if (ui->chbShortCutStart->isChecked()) {
        desktop_.CreateShortCut(kShortCutName, kPlacePrograms);
    }
}

void TForm1::btnDisplayClick() {
    // Drawn at the screen's device pixel ratio, so that a high-density screen
    // shows it sharp; its size stays the picture's side in logical pixels.
    const DocumentSettings document = Document();
    const QImage bitmap = RenderPreview(
        document.svg, PreviewPpi(), [this](TColor c) { return ResolveColor(c, palette()); },
        LocaleDecimalSeparator(), devicePixelRatio());
    const QSize size = bitmap.deviceIndependentSize().toSize();
    ui->Image1->clear();
    ui->Image1->setPixmap(QPixmap::fromImage(bitmap));
    ui->Image1->resize(size);
    ui->ScrollBoxContents->resize(size);
    emit previewDrawn();
}

void TForm1::AddPartPage() {
    partPage_ = new PartPage(guard_, ui->TabSheet3);
    ui->TabSheet3Layout->addWidget(partPage_);
    partPage_->setScreenPpi(ScreenPpi());
    partPage_->setStarType(StarTypeIndex());
    // Each change of the part or of the calibration draws the preview again.
    connect(partPage_, &PartPage::figureChanged, this, &TForm1::btnDisplayClick);
    connect(partPage_, &PartPage::calibrationChanged, this, &TForm1::btnDisplayClick);
    // The star type decides which of the part's controls apply, and each
    // new picture is measured when the page is shown.
    connect(starTypeGroup_, &QButtonGroup::idToggled, this,
            [this] { partPage_->setStarType(StarTypeIndex()); });
    connect(this, &TForm1::previewDrawn, this, [this] { partPage_->pictureDrawn(Snapshot()); });
    connect(ui->PageControl1, &QTabWidget::currentChanged, this,
            [this] { partPage_->setShown(ui->PageControl1->currentWidget() == ui->TabSheet3); });
}

void TForm1::AddSectionPage(std::string_view section, const QString& title) {
    auto* scroll = new QScrollArea(ui->PageControl1);
    scroll->setObjectName(QStringLiteral("SectionScrollBox") + ToQString(section));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    auto* page = new KeyPage(guard_, section, KeyPlace::Section, scroll);
    // The window's font, not the tab control's large bold one, as on the
    // part's page.
    SetDesignFont(*page, 12, false);
    page->setContentsMargins(4, 4, 4, 4);
    scroll->setWidget(page);
    ui->PageControl1->addTab(scroll, title);
    sectionPages_.push_back(page);
    connect(page, &KeyPage::valuesChanged, this, &TForm1::btnDisplayClick);
}

void TForm1::ShowSections() {
    for (KeyPage* page : sectionPages_) {
        const QSignalBlocker quiet(page);
        page->setValues(sections_);
    }
}

DocumentSettings TForm1::Document() const {
    DocumentSettings document = sections_;
    document.svg = Snapshot();
    for (const KeyPage* page : sectionPages_) page->applyTo(document);
    return document;
}

std::optional<double> TForm1::calibration() const {
    return partPage_->calibration();
}

double TForm1::PreviewPpi() const {
    return ScreenPpi() * calibration().value_or(1.0);
}

int TForm1::ScreenPpi() const {
    return qRound(screen()->logicalDotsPerInch());
}

void TForm1::edtNumChange() {
    const InputRuleResult rule = PointCountRule(ToStdString(ui->edtNum->text()));
    if (rule.rewrite) {
        SetEditText(*ui->edtNum, *rule.rewrite);
    }
    if (rule.redraw) {
        btnDisplayClick();
    }
}

void TForm1::edtSizeChange() {
    const InputRuleResult rule =
        RadiusRule(ToStdString(ui->edtSize->text()), LocaleDecimalSeparator());
    if (rule.rewrite) {
        SetEditText(*ui->edtSize, *rule.rewrite);
    }
    if (rule.redraw) {
        btnDisplayClick();
    }
}

void TForm1::btnSVGClick() {
    const std::vector<SaveFilter> filters = SaveFilters();
    // The dialog opens with the type chosen last.
    const SaveFilter& proposed = filters[SaveFormatIndex(saveFormat_)];
    const SaveDialogRequest request{
        ToQString(FavoriteDir),
        saveDialogFileName_.isEmpty() ? kSaveFirstFileName : saveDialogFileName_,
        proposed.text,
        proposed.suffix,
        filters,
    };
    const std::optional<SaveDialogChoice> chosen = dialogs_.ChooseSavePath(this, request);
    if (!chosen) {
        return;
    }
    saveDialogFileName_ = chosen->path;
    // The chosen type decides the format, whatever the name ends in.
    saveFormat_ = ChosenSaveFormat(filters, chosen->filter, saveFormat_);
    const std::string path = ToStdString(chosen->path);
    // The folder changes before the file is written, so also when writing fails.
    FavoriteDir = ExtractFileDir(path);
    WriteFigureAs(path, saveFormat_);
}

std::vector<SaveFilter> TForm1::SaveFilters() const {
    const QString texts[] = {
        kSaveFilter,           tr("DXF file(*.dxf)"),      tr("PDF file(*.pdf)"),
        tr("PNG file(*.png)"), tr("G-code file(*.gcode)"), tr("HPGL file(*.plt)"),
        tr("STL file(*.stl)"), tr("3MF file(*.3mf)"),      tr("OpenSCAD file(*.scad)")};
    static_assert(std::size(texts) == std::size(kSaveFormats));
    std::vector<SaveFilter> filters;
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        // The extension without its dot.
        filters.push_back(
            {texts[i], ToQString(std::string(FileExtension(kSaveFormats[i]).substr(1)))});
    }
    return filters;
}

void TForm1::lblVersionClick() {
    dialogs_.OpenUrl(QString::fromLatin1(kHomePageUrl));
}

TStarSettings TForm1::Snapshot() const {
    TStarSettings s;
    s.EdgeNumber = ToStdString(ui->edtNum->text());
    s.CircumRadius = ToStdString(ui->edtSize->text());
    s.StarType = StarTypeIndex();
    s.FillColor = ui->lblFillColor->color();
    s.FillTransparent = ui->chbTransparent->isChecked();
    s.StrokeColor = ui->lblStrokeColor->color();
    s.StrokeWidth = ui->trbStrokeWidth->value();
    s.View = ui->chbSVGView->isChecked();
    s.FillRule = ui->chbSVGFillRule->isChecked();
    s.Part = partPage_->settings();
    return s;
}

void TForm1::WriteSVG(const std::string& path) {
    const TStarSettings settings = Document().svg;
    WriteFigureFile(path, BuildFigure(settings, LocaleDecimalSeparator()), ExportFormat::Svg);
    if (settings.View) {
        desktop_.OpenWrittenFile(path);
    }
}

// The SVG as WriteSVG writes it; the other formats with the converter's
// writers, from the figure of the same settings. An error leaves an earlier
// file at path as it was; the new file replaces it whole.
void TForm1::WriteFigureAs(const std::string& path, ExportFormat format) {
    if (format == ExportFormat::Svg) {
        WriteSVG(path);
        return;
    }
    const DocumentSettings document = Document();
    WriteFigureFile(path, DocumentFigure(document, LocaleDecimalSeparator()), format,
                    DocumentExportOptions(document));
    if (document.svg.View) {
        desktop_.OpenWrittenFile(path);
    }
}

void TForm1::LoadSettings(const std::string& path) {
    // A settings file that cannot be read reads as empty.
    const IniDocument doc = LoadIniFile(path);
    // The calibration comes first, so that every redraw of the load uses it.
    if (const auto error = partPage_->loadCalibration(doc)) {
        // A value that is no factor is reported, but the load goes on.
        ShowException(std::make_exception_ptr(EPolygravError(*error)));
    }
    // The further sections come before [SVG] too: a load that stops at a
    // key of [SVG] leaves them read, so that closing writes back what the
    // file held.
    ReadSectionSettings(doc, sections_, LocaleDecimalSeparator());
    ShowSections();
    ControlWriter target(*this);
    SettingsKey reading{};
    try {
        ReadSettings(doc, ExtractFileDir(programPath_), target, &reading, LocaleDecimalSeparator());
        loadStoppedAt_.reset();
    } catch (...) {
        loadStoppedAt_ = reading;
        atLoadStop_ = Snapshot();
        favoriteDirAtLoadStop_ = FavoriteDir;
        throw;
    }
}

void TForm1::SaveSettings() {
    const std::string path = SettingsFilePath(programPath_);
    // Written into the file as it stands, so that its other lines stay; a
    // file that is there but cannot be read is left alone rather than
    // replaced by the ten keys alone.
    IniDocument doc;
    try {
        doc = LoadSettingsDocument(path);
    } catch (const EFOpenError&) {
        return;
    }
    const TStarSettings now = Snapshot();
    WriteSettings(
        doc, FavoriteDir, now,
        KeysToSave(loadStoppedAt_, atLoadStop_, favoriteDirAtLoadStop_, now, FavoriteDir));
    WriteSectionSettings(doc, Document());
    partPage_->saveCalibration(doc);
    try {
        SaveIniFile(path, doc);
    } catch (const EIniFileException&) {
        // An unwritable settings file is not reported; the old one stays whole.
    }
}

void TForm1::ShowException(std::exception_ptr error) {
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = ToQString(WithClosingPeriod(e.what()));
    } catch (...) {
        text = QStringLiteral("Unknown error.");
    }
    dialogs_.ShowError(ToQString(ApplicationTitle(programPath_)), text);
}

void TForm1::SetEditText(QLineEdit& edit, const std::string& text) {
    const QString value = ToQString(text);
    if (edit.text() != value) {
        edit.setText(value);
        guard_.RethrowPending();
    }
}

int TForm1::StarTypeIndex() const {
    return starTypeGroup_->checkedId();
}

void TForm1::SetStarTypeIndex(int index) {
    index = ClampStarType(index);
    if (index == StarTypeIndex()) {
        return;
    }
    if (index == kNoStarType) {
        // An exclusive group cannot be emptied; let go of it for the moment.
        starTypeGroup_->setExclusive(false);
        starTypeGroup_->checkedButton()->setChecked(false);
        starTypeGroup_->setExclusive(true);
    } else {
        starTypeGroup_->button(index)->setChecked(true);
    }
    guard_.RethrowPending();
}

void TForm1::SetChecked(QCheckBox& box, bool on) {
    box.setChecked(on);
    guard_.RethrowPending();
}

void TForm1::SetTrackPosition(int position) {
    ui->trbStrokeWidth->setValue(ClampStrokeWidth(position));
    guard_.RethrowPending();
}

}  // namespace polygrav
