// The part's page driven through its controls over fake dialogs: each
// control's change redraws, a rejected value keeps the picture and shows the
// error, the controls that do not apply are disabled, the settings file
// loads into the controls and closing writes them back, the readouts follow
// the picture, and the calibration scales the preview.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <clocale>
#include <cmath>

#include "FormHarness.h"
#include "app/CalibrationBar.h"
#include "app/QtText.h"
#include "geometry/PartMetrics.h"
#include "settings/PreviewCalibration.h"
#include "svg/NumberFormat.h"

using namespace polygrav;
using polygrav::test::FormHarness;

namespace {

// A field of the part as text, for the tables.
QString PartField(const PartSettings& p, const QString& field) {
    if (field == "StarStep") return QString::number(p.StarStep);
    if (field == "InnerRatio") return p.InnerRatio ? QString::number(*p.InnerRatio) : "none";
    if (field == "Rotation") return QString::number(p.Rotation);
    if (field == "SizeBy") return QString::number(p.SizeBy);
    if (field == "CornerRadius") return QString::number(p.CornerRadius);
    if (field == "ValleyRadius") return QString::number(p.ValleyRadius);
    if (field == "Offset") return QString::number(p.Offset);
    if (field == "OffsetJoin") return QString::number(p.OffsetJoin);
    if (field == "CutOutline") return QString::number(p.CutOutline);
    qFatal("unknown field");
}

// Changes a control of the page as the user would: "text" sets a box's text
// at once (a paste), "keys" types it, "value" sets a spin box, "index"
// picks an item, "click" clicks the check box.
void Change(FormHarness& h, const QString& control, const QString& how, const QString& value) {
    const QByteArray name = control.toLatin1();
    if (how == "text") {
        h.control<QLineEdit>(name.constData())->setText(value);
    } else if (how == "keys") {
        auto* box = h.control<QWidget>(name.constData());
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, value);
        QTest::keyClick(box, Qt::Key_Return);
    } else if (how == "value") {
        h.control<QSpinBox>(name.constData())->setValue(value.toInt());
    } else if (how == "index") {
        h.control<QComboBox>(name.constData())->setCurrentIndex(value.toInt());
    } else if (how == "click") {
        QTest::mouseClick(h.control<QCheckBox>(name.constData()), Qt::LeftButton, {}, QPoint(5, 5));
    } else {
        qFatal("unknown change");
    }
}

// The preview's side for the default R = 50 at the screen's resolution.
int DesignSide(const FormHarness& h) {
    return h.expectedPreview(TStarSettings{}).width();
}

}  // namespace

class PartPageTest : public QObject {
    Q_OBJECT

  private slots:
    void startsAtTheDesignValues();
    void eachControlRedraws_data();
    void eachControlRedraws();
    void typingRedrawsOnlyWhenTheNumberIsWhole();
    void boxesReadTheLocaleSeparatorToo();
    void rejectedValueKeepsThePicture_data();
    void rejectedValueKeepsThePicture();
    void controlsThatDoNotApplyAreDisabled_data();
    void controlsThatDoNotApplyAreDisabled();
    void loadWritesTheControls();
    void loadedChoiceOutOfRangeShowsNoItem();
    void closeWritesThePartKeys();
    void readoutsFollowThePicture();
    void calibrationScalesThePreview_data();
    void calibrationScalesThePreview();
    void draggingTheBarCalibrates();
    void calibrationLoadsAndSaves();
    void unusableCalibrationIsReportedAndKept();
};

void PartPageTest::startsAtTheDesignValues() {
    FormHarness h;
    h.create();
    QCOMPARE(h.control<QTabWidget>("PageControl1")->count(), 3);
    QCOMPARE(h.control<QTabWidget>("PageControl1")->tabText(2), QString("部品"));
    QCOMPARE(h.control<QSpinBox>("spnStarStep")->value(), 2);
    QCOMPARE(h.control<QLineEdit>("edtInnerRatio")->text(), QString());
    QCOMPARE(h.control<QLineEdit>("edtInnerRatio")->placeholderText(), QString("ステップから"));
    QCOMPARE(h.control<QLineEdit>("edtOffset")->text(), QString("0"));
    QCOMPARE(h.control<QComboBox>("cmbSizeBy")->currentText(), QString("外接円の半径"));
    QCOMPARE(h.control<QComboBox>("cmbOffsetJoin")->currentText(), QString("丸"));
    QVERIFY(!h.control<QCheckBox>("chbCutOutline")->isChecked());
    QVERIFY(h.form->Snapshot().Part.IsDefault());
    QCOMPARE(h.shownPreview().size(), QSize(453, 453));
    QVERIFY(h.dialogs.errors.empty());
}

void PartPageTest::eachControlRedraws_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    // The point count is 7 in every row, so that step 3 fits.
    QTest::newRow("step") << "spnStarStep"
                          << "value"
                          << "3"
                          << "StarStep"
                          << "3";
    QTest::newRow("step typed") << "spnStarStep"
                                << "keys"
                                << "3"
                                << "StarStep"
                                << "3";
    QTest::newRow("inner ratio") << "edtInnerRatio"
                                 << "text"
                                 << "0.4"
                                 << "InnerRatio"
                                 << "0.4";
    QTest::newRow("rotation") << "edtRotation"
                              << "text"
                              << "15"
                              << "Rotation"
                              << "15";
    QTest::newRow("size by") << "cmbSizeBy"
                             << "index"
                             << "2"
                             << "SizeBy"
                             << "2";
    QTest::newRow("corner radius") << "edtCornerRadius"
                                   << "text"
                                   << "0.5"
                                   << "CornerRadius"
                                   << "0.5";
    QTest::newRow("valley radius") << "edtValleyRadius"
                                   << "text"
                                   << "0.5"
                                   << "ValleyRadius"
                                   << "0.5";
    QTest::newRow("offset") << "edtOffset"
                            << "text"
                            << "-1.5"
                            << "Offset"
                            << "-1.5";
    QTest::newRow("offset join") << "cmbOffsetJoin"
                                 << "index"
                                 << "1"
                                 << "OffsetJoin"
                                 << "1";
    QTest::newRow("cut outline") << "chbCutOutline"
                                 << "click"
                                 << ""
                                 << "CutOutline"
                                 << "1";
}

void PartPageTest::eachControlRedraws() {
    QFETCH(QString, control);
    QFETCH(QString, how);
    QFETCH(QString, value);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    FormHarness h;
    h.create();
    h.form->show();
    h.control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    h.control<QLineEdit>("edtNum")->setText("7");
    h.resetRedraws();
    Change(h, control, how, value);
    QCOMPARE(PartField(h.form->Snapshot().Part, field), expected);
    QCOMPARE(h.redraws(), 1);
    QCOMPARE(h.shownPreview(), h.expectedPreview(h.form->Snapshot()));
    QVERIFY(h.dialogs.errors.empty());

    // Writing the value the control holds raises nothing.
    h.resetRedraws();
    if (how != "click") Change(h, control, how == "keys" ? "value" : how, value);
    QCOMPARE(h.redraws(), 0);
}

// "-" and "-1." are no new number yet; "-1" and "-1.5" are.
void PartPageTest::typingRedrawsOnlyWhenTheNumberIsWhole() {
    FormHarness h;
    h.create();
    auto* offset = h.control<QLineEdit>("edtOffset");
    offset->clear();  // held back: the offset stays 0
    h.resetRedraws();
    QTest::keyClicks(offset, "-1.5");
    QCOMPARE(h.redraws(), 2);
    QCOMPARE(h.form->Snapshot().Part.Offset, -1.5);
    QVERIFY(h.dialogs.errors.empty());
}

void PartPageTest::boxesReadTheLocaleSeparatorToo() {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        QSKIP("de_DE.UTF-8 is not installed");
    }
    FormHarness h;
    h.create();
    h.control<QLineEdit>("edtOffset")->setText("1,5");
    h.control<QLineEdit>("edtRotation")->setText("2.5");
    const PartSettings part = h.form->Snapshot().Part;
    const auto errors = h.dialogs.errors.size();
    std::setlocale(LC_NUMERIC, saved.c_str());
    QCOMPARE(part.Offset, 1.5);
    QCOMPARE(part.Rotation, 2.5);
    QCOMPARE(errors, std::size_t{0});
}

void PartPageTest::rejectedValueKeepsThePicture_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");  // the start of the error box's text
    QTest::addColumn<bool>("held");        // the control holds the value all the same
    QTest::newRow("no number") << "edtRotation"
                               << "text"
                               << "abc"
                               << "'abc' は浮動小数点数ではありません." << false;
    QTest::newRow("comma in the C locale") << "edtCornerRadius"
                                           << "text"
                                           << "1,5"
                                           << "'1,5' は浮動小数点数ではありません." << false;
    QTest::newRow("step out of range") << "spnStarStep"
                                       << "value"
                                       << "3"
                                       << "星のステップ 3 は 2～2 の範囲にありません." << true;
    QTest::newRow("inner ratio out of range")
        << "edtInnerRatio"
        << "text"
        << "1.5"
        << "内側の比率 1.5000 は 0 より大きく 1 より小さい数ではありません." << true;
    QTest::newRow("corner fillet does not fit") << "edtCornerRadius"
                                                << "text"
                                                << "40"
                                                << "角の半径 40.0000 mm は収まりません。" << true;
    QTest::newRow("offset leaves nothing")
        << "edtOffset"
        << "text"
        << "-30"
        << "オフセット -30.0000 mm では輪郭が残りません." << true;
}

void PartPageTest::rejectedValueKeepsThePicture() {
    QFETCH(QString, control);
    QFETCH(QString, how);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(bool, held);
    FormHarness h;
    h.create();
    const QImage picture = h.shownPreview();
    const PartSettings before = h.form->Snapshot().Part;
    h.resetRedraws();
    Change(h, control, how, value);
    QCOMPARE(h.dialogs.errors.size(), std::size_t{1});
    QVERIFY2(h.dialogs.errors[0].second.startsWith(message),
             qPrintable(h.dialogs.errors[0].second));
    QCOMPARE(h.dialogs.errors[0].first, QString("polygrav"));
    QCOMPARE(h.redraws(), 0);
    QCOMPARE(h.shownPreview(), picture);
    QCOMPARE(h.form->Snapshot().Part == before, !held);
}

void PartPageTest::controlsThatDoNotApplyAreDisabled_data() {
    QTest::addColumn<int>("starType");
    QTest::addColumn<bool>("step");
    QTest::addColumn<bool>("ratio");
    QTest::newRow("star outline") << 0 << true << true;
    QTest::newRow("star polygon") << 1 << true << false;
    QTest::newRow("regular polygon") << 2 << false << false;
}

void PartPageTest::controlsThatDoNotApplyAreDisabled() {
    QFETCH(int, starType);
    QFETCH(bool, step);
    QFETCH(bool, ratio);
    FormHarness h;
    h.create();
    auto* group = h.control<QButtonGroup>("RadioGroupStarTypeButtons");
    // Reached from the other items first, so that each state is entered.
    group->button((starType + 1) % 3)->click();
    group->button(starType)->click();
    QCOMPARE(h.control<QSpinBox>("spnStarStep")->isEnabled(), step);
    QCOMPARE(h.control<QLineEdit>("edtInnerRatio")->isEnabled(), ratio);
    QVERIFY(!h.control<QSpinBox>("spnStarStep")->isHidden());
    QVERIFY(!h.control<QLineEdit>("edtInnerRatio")->isHidden());
    QVERIFY(h.control<QLineEdit>("edtOffset")->isEnabled());

    // A loaded star type sets them the same way.
    FormHarness loaded;
    loaded.writeIni("[SVG]\nStarType=" + std::to_string(starType) + "\n");
    loaded.create();
    QCOMPARE(loaded.control<QSpinBox>("spnStarStep")->isEnabled(), step);
    QCOMPARE(loaded.control<QLineEdit>("edtInnerRatio")->isEnabled(), ratio);
}

void PartPageTest::loadWritesTheControls() {
    FormHarness h;
    h.writeIni(
        "[SVG]\nEdgeNumber=7\nStarStep=$3\nInnerRatio=0,4\nRotation=15\nSizeBy=1\n"
        "CornerRadius=0.5\nValleyRadius=1e-1\nOffset=1\nOffsetJoin=1\nCutOutline=2\n");
    h.create();
    QVERIFY2(h.dialogs.errors.empty(), qPrintable(h.dialogs.errorTexts().join('\n')));
    QCOMPARE(h.control<QSpinBox>("spnStarStep")->value(), 3);
    // A comma in the file is not read where the locale has a full stop.
    QCOMPARE(h.control<QLineEdit>("edtInnerRatio")->text(), QString());
    QCOMPARE(h.control<QLineEdit>("edtRotation")->text(), QString("15"));
    QCOMPARE(h.control<QComboBox>("cmbSizeBy")->currentIndex(), 1);
    QCOMPARE(h.control<QLineEdit>("edtCornerRadius")->text(), QString("0.5"));
    QCOMPARE(h.control<QLineEdit>("edtValleyRadius")->text(), QString("0.1"));
    QCOMPARE(h.control<QLineEdit>("edtOffset")->text(), QString("1"));
    QCOMPARE(h.control<QComboBox>("cmbOffsetJoin")->currentIndex(), 1);
    QVERIFY(h.control<QCheckBox>("chbCutOutline")->isChecked());
    const PartSettings expected{.StarStep = 3,
                                .Rotation = 15,
                                .SizeBy = kSizeByAcrossFlats,
                                .CornerRadius = 0.5,
                                .ValleyRadius = 0.1,
                                .Offset = 1,
                                .OffsetJoin = kMitreJoin,
                                .CutOutline = true};
    QVERIFY(h.form->Snapshot().Part == expected);
    QCOMPARE(h.shownPreview(), h.expectedPreview(h.form->Snapshot()));
}

void PartPageTest::loadedChoiceOutOfRangeShowsNoItem() {
    FormHarness h;
    h.writeIni("[SVG]\r\nOffsetJoin=7\r\n");
    h.create();
    QCOMPARE(h.dialogs.errorTexts(), QStringList{"OffsetJoin の値 7 は 0～1 の範囲にありません."});
    QCOMPARE(h.control<QComboBox>("cmbOffsetJoin")->currentIndex(), -1);
    QCOMPARE(h.form->Snapshot().Part.OffsetJoin, 7);
    // Choosing an item takes it and draws.
    h.resetRedraws();
    h.control<QComboBox>("cmbOffsetJoin")->setCurrentIndex(0);
    QCOMPARE(h.redraws(), 1);
    QCOMPARE(h.form->Snapshot().Part.OffsetJoin, kRoundJoin);
    QCOMPARE(h.dialogs.errors.size(), std::size_t{1});
}

// A part key is written when it is not the default or the file has it.
void PartPageTest::closeWritesThePartKeys() {
    FormHarness h;
    h.writeIni("[SVG]\r\nEdgeNumber=7\r\nOffset=2\r\n");
    h.create();
    h.control<QLineEdit>("edtOffset")->setText("0");
    h.control<QLineEdit>("edtRotation")->setText("12.5");
    h.control<QComboBox>("cmbSizeBy")->setCurrentIndex(2);
    h.form->close();
    const std::string expected =
        "[SVG]\r\nEdgeNumber=7\r\nOffset=0\r\nFavoriteDir=" + ToStdString(h.folder()) +
        "\r\nCircumRadius=50\r\nStarType=0\r\nFillColor=clRed\r\nFillTransparent=0\r\n"
        "StrokeColor=clBlack\r\nStrokeWidth=50\r\nView=1\r\nFillRule=0\r\nRotation=12.5\r\n"
        "SizeBy=2\r\n";
    QCOMPARE(h.readIni(), expected);
}

void PartPageTest::readoutsFollowThePicture() {
    FormHarness h;
    h.create();
    h.control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    auto* circumradius = h.control<QLabel>("lblCircumradiusValue");
    QCOMPARE(circumradius->text(), QString("50.0000 mm"));
    QVERIFY(circumradius->textInteractionFlags() & Qt::TextSelectableByMouse);

    h.control<QLineEdit>("edtSize")->setText("20");
    h.control<QButtonGroup>("RadioGroupStarTypeButtons")->button(kRegularPolygon)->click();
    const PartMetrics m = MeasureSettings(h.form->Snapshot(), '.');
    const auto mm = [](double v) { return ToQString(FormatFixed4(v)) + " mm"; };
    QCOMPARE(circumradius->text(), QString("20.0000 mm"));
    QCOMPARE(h.control<QLabel>("lblAcrossFlatsValue")->text(), mm(m.acrossFlats));
    QCOMPARE(h.control<QLabel>("lblSideValue")->text(), mm(m.side));
    QCOMPARE(h.control<QLabel>("lblInnerRadiusValue")->text(), QString("—"));
    QCOMPARE(h.control<QLabel>("lblWidthValue")->text(), mm(m.width));
    QCOMPARE(h.control<QLabel>("lblHeightValue")->text(), mm(m.height));
    QCOMPARE(h.control<QLabel>("lblPerimeterValue")->text(), mm(m.perimeter));
    QCOMPARE(h.control<QLabel>("lblAreaValue")->text(), ToQString(FormatFixed4(m.area)) + " mm²");

    // A redraw that fails leaves the readouts of the picture on the screen.
    h.control<QLineEdit>("edtCornerRadius")->setText("30");
    QCOMPARE(h.dialogs.errors.size(), std::size_t{1});
    QCOMPARE(circumradius->text(), QString("20.0000 mm"));
    h.control<QLineEdit>("edtCornerRadius")->setText("0");

    // Redraws while another page is shown are measured when the page is.
    h.control<QTabWidget>("PageControl1")->setCurrentIndex(0);
    h.control<QLineEdit>("edtSize")->setText("30");
    QCOMPARE(circumradius->text(), QString("20.0000 mm"));
    h.control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    QCOMPARE(circumradius->text(), QString("30.0000 mm"));
}

void PartPageTest::calibrationScalesThePreview_data() {
    QTest::addColumn<double>("factor");
    QTest::newRow("larger") << 1.25;
    QTest::newRow("smaller") << 0.8;
    QTest::newRow("largest") << 2.0;
}

void PartPageTest::calibrationScalesThePreview() {
    QFETCH(double, factor);
    FormHarness h;
    h.create();
    const int side = DesignSide(h);
    QCOMPARE(h.shownPreview().size(), QSize(side, side));
    h.resetRedraws();
    h.control<QDoubleSpinBox>("spnCalibration")->setValue(factor);
    QCOMPARE(h.redraws(), 1);
    QCOMPARE(h.form->calibration(), std::optional<double>(factor));
    const QSize shown = h.shownPreview().size();
    QCOMPARE(shown.width(), shown.height());
    QVERIFY2(std::abs(shown.width() - factor * side) <= 1,
             qPrintable(QString("%1 for %2 × %3").arg(shown.width()).arg(factor).arg(side)));
    QCOMPARE(h.control<QLabel>("lblCalibrationState")->text(), QString("調整済み"));

    h.control<QPushButton>("btnCalibrationReset")->click();
    QCOMPARE(h.form->calibration(), std::nullopt);
    QCOMPARE(h.shownPreview().size(), QSize(side, side));
    QCOMPARE(h.control<QLabel>("lblCalibrationState")->text(), QString("調整なし"));
}

void PartPageTest::draggingTheBarCalibrates() {
    FormHarness h;
    h.create();
    h.form->show();
    h.control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    auto* bar = h.control<CalibrationBar>("barCalibration");
    const int side = DesignSide(h);
    QCOMPARE(bar->barEnd() - bar->barTop(),
             static_cast<int>(std::lround(CalibrationBarPixels(bar->ppi(), 1))));
    // The card ends 1.2 times as far down as the bar at 1.
    const int y =
        bar->barTop() + static_cast<int>(std::lround(1.2 * CalibrationBarPixels(bar->ppi(), 1)));
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, y));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, y));
    QVERIFY(std::abs(*h.form->calibration() - 1.2) < 0.005);
    QCOMPARE(h.control<QDoubleSpinBox>("spnCalibration")->value(), *h.form->calibration());
    QVERIFY(std::abs(h.shownPreview().width() - 1.2 * side) <= 2);
    // The keys move the end by a thousandth.
    const double before = *h.form->calibration();
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Down);
    QCOMPARE(*h.form->calibration(), std::round((before + 0.001) * 1000) / 1000);
}

void PartPageTest::calibrationLoadsAndSaves() {
    FormHarness h;
    h.writeIni("[SVG]\r\nEdgeNumber=7\r\n[Preview]\r\nCalibrationFactor=0.8\r\n");
    h.create();
    const int side = h.expectedPreview(h.form->Snapshot()).width();
    QCOMPARE(h.form->calibration(), std::optional<double>(0.8));
    QCOMPARE(h.control<QDoubleSpinBox>("spnCalibration")->value(), 0.8);
    QVERIFY(std::abs(h.shownPreview().width() - 0.8 * side) <= 1);

    // Closing unchanged keeps the key; a new factor is written, a reset
    // empties it.
    h.form->close();
    QVERIFY(h.readIni().find("[Preview]\r\nCalibrationFactor=0.8\r\n") != std::string::npos);
    h.control<QDoubleSpinBox>("spnCalibration")->setValue(1.125);
    h.form->close();
    QVERIFY(h.readIni().find("[Preview]\r\nCalibrationFactor=1.125\r\n") != std::string::npos);
    h.control<QPushButton>("btnCalibrationReset")->click();
    h.form->close();
    QVERIFY(h.readIni().find("[Preview]\r\nCalibrationFactor=\r\n") != std::string::npos);

    // A window without the key draws the design's size and writes no key.
    FormHarness plain;
    plain.create();
    QCOMPARE(plain.shownPreview().size(), QSize(453, 453));
    plain.form->close();
    QVERIFY(plain.readIni().find("Preview") == std::string::npos);
}

void PartPageTest::unusableCalibrationIsReportedAndKept() {
    FormHarness h;
    h.writeIni("[Preview]\r\nCalibrationFactor=9\r\n[SVG]\r\nEdgeNumber=7\r\n");
    h.create();
    QCOMPARE(h.dialogs.errorTexts(),
             QStringList{"設定ファイルのプレビューの倍率 '9' は 0.5～2 の数ではありません。"
                         "倍率なしで表示します."});
    // The load went on, uncalibrated.
    QCOMPARE(h.form->Snapshot().EdgeNumber, std::string("7"));
    QCOMPARE(h.form->calibration(), std::nullopt);
    QCOMPARE(h.shownPreview().size(), QSize(453, 453));
    h.form->close();
    QVERIFY(h.readIni().find("CalibrationFactor=9\r\n") != std::string::npos);
}

QTEST_MAIN(PartPageTest)
#include "PartPageTest.moc"
