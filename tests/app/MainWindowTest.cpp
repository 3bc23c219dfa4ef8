// The window driven through its controls, over fake dialogs and a fake
// desktop: input rules, colours, the width label, the SVG command, the
// shortcut button, loading and saving the settings, and the default handler.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <clocale>

#include "FormHarness.h"
#include "app/HomePage.h"
#include "app/QtText.h"
#include "model/Color.h"
#include "model/NumberRules.h"
#include "svg/SvgDocument.h"
#include "tests/cases/LoadCases.h"

using namespace polygrav;
using polygrav::test::FormHarness;

namespace {

QString FieldOf(const TStarSettings& s, const QString& field) {
    if (field == "EdgeNumber") return ToQString(s.EdgeNumber);
    if (field == "CircumRadius") return ToQString(s.CircumRadius);
    if (field == "StarType") return QString::number(s.StarType);
    if (field == "FillColor") return QString::number(s.FillColor, 16);
    if (field == "FillTransparent") return QString::number(s.FillTransparent);
    if (field == "StrokeColor") return QString::number(s.StrokeColor, 16);
    if (field == "StrokeWidth") return QString::number(s.StrokeWidth);
    if (field == "View") return QString::number(s.View);
    if (field == "FillRule") return QString::number(s.FillRule);
    qFatal("unknown field");
}

}  // namespace

namespace polygrav {
// Readable failures for the settings snapshot.
char* toString(const TStarSettings& s) {
    return qstrdup(test::DescribeSettings(s).toUtf8().constData());
}
}  // namespace polygrav

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startsWithTheDesignValues();
    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void resizeKeepsTheLeftColumn();
    void pointCountTypedDigitByDigit_data();
    void pointCountTypedDigitByDigit();
    void pointCountEntered_data();
    void pointCountEntered();
    void radiusEntered_data();
    void radiusEntered();
    void radiusReadWithTheLocaleSeparator();
    void widthLabelFollowsTheTrackBar_data();
    void widthLabelFollowsTheTrackBar();
    void changesThatRedraw_data();
    void changesThatRedraw();
    void colourDialog_data();
    void colourDialog();
    void systemColourIsPreselectedAsItsScreenColour();
    void colourAfterEmptiedRadiusShowsOneError();
    void saveDialogRemembersTheFolder();
    void saveCancelledWritesNothing();
    void failedSaveStillMovesTheFolder();
    void viewerOnlyWhenViewIsTicked();
    void shortCutButtonEnabling_data();
    void shortCutButtonEnabling();
    void shortCutsDesktopFirst();
    void failingDesktopShortCutStopsTheStartMenuOne();
    void versionLabelOpensTheHomePage();
    void versionLinesKeepTheirTrailingBlank();
    void settingsKeysApplyThroughTheControls_data();
    void settingsKeysApplyThroughTheControls();
    void colourErrorStopsTheLoadAtThatKey();
    void nestedRedrawFailureStopsTheLoad();
    void sharedLoadCases_data();
    void sharedLoadCases();
    void closeKeepsTheKeysAStoppedLoadNeverReached();
    void closeSavesEveryKeyAndKeepsOtherLines();
    void unwritableSettingsFileIsNotReported();
    void largeRadiusScrolls();
};

void MainWindowTest::startsWithTheDesignValues() {
    FormHarness h;
    h.create();
    QCOMPARE(h.form->Snapshot(), TStarSettings{});
    QCOMPARE(h.form->favoriteDir(), ToStdString(h.folder()));
    QCOMPARE(h.control<QLabel>("lblStrokeWidth")->text(), QString("輪郭線の幅：0.5000(mm)"));
    QCOMPARE(h.control<QTabWidget>("PageControl1")->currentIndex(), 0);
    QVERIFY(!h.control<QPushButton>("btnShortCut")->isEnabled());
    QCOMPARE(h.shownPreview(), h.expectedPreview(TStarSettings{}));
    QVERIFY(h.dialogs.errors.empty());

    QCOMPARE(h.form->windowTitle(), QString("星(正多角形)を生成しまーす"));
    QCOMPARE(h.form->font().family(), QString("ＭＳ Ｐゴシック"));
    QCOMPARE(h.form->font().pixelSize(), 12);
    QVERIFY(!h.form->windowIcon().isNull());  // the icon resource is linked in
    QCOMPARE(h.control<QTabWidget>("PageControl1")->tabPosition(), QTabWidget::West);
    QCOMPARE(h.control<QTabWidget>("PageControl1")->font().pixelSize(), 15);
    QVERIFY(h.control<QTabWidget>("PageControl1")->font().bold());
    QVERIFY(!h.control<QLineEdit>("edtNum")->font().bold());
    QVERIFY(h.control<QPushButton>("btnDisplay")->isHidden());
}

void MainWindowTest::layoutFollowsTheDesign_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("design");  // within the parent
    QTest::addColumn<bool>("sizeFixed");
    // Left column: the panels' raised border is their only inset.
    QTest::newRow("Panel1") << "Panel1" << QRect(0, 0, 217, 566) << true;
    QTest::newRow("PageControl1") << "PageControl1" << QRect(1, 1, 215, 480) << true;
    QTest::newRow("Panel2") << "Panel2" << QRect(1, 481, 215, 84) << true;
    QTest::newRow("Shape1") << "Shape1" << QRect(1, 1, 213, 82) << true;
    QTest::newRow("btnSVG") << "btnSVG" << QRect(47, 15, 121, 33) << true;
    QTest::newRow("chbSVGView") << "chbSVGView" << QRect(27, 50, 161, 23) << true;
    QTest::newRow("ScrollBox1") << "ScrollBox1" << QRect(217, 0, 575, 566) << true;
    QTest::newRow("btnDisplay") << "btnDisplay" << QRect(16, 32, 97, 33) << true;
    // First tab page.
    QTest::newRow("Bevel4") << "Bevel4" << QRect(5, 85, 177, 85) << true;
    QTest::newRow("Bevel3") << "Bevel3" << QRect(5, 0, 177, 85) << true;
    QTest::newRow("Bevel2") << "Bevel2" << QRect(3, 397, 181, 65) << true;
    QTest::newRow("Bevel1") << "Bevel1" << QRect(10, 269, 166, 121) << true;
    QTest::newRow("Label1, taller for the font") << "Label1" << QRect(13, 8, 140, 45) << false;
    QTest::newRow("Label2, taller for the font") << "Label2" << QRect(13, 92, 161, 45) << false;
    QTest::newRow("lblStrokeColor") << "lblStrokeColor" << QRect(124, 285, 41, 33) << true;
    QTest::newRow("lblFillColor") << "lblFillColor" << QRect(124, 325, 41, 33) << true;
    QTest::newRow("lblStrokeWidth, sized to its text")
        << "lblStrokeWidth" << QRect(11, 407, 80, 15) << false;
    QTest::newRow("edtNum") << "edtNum" << QRect(20, 56, 105, 23) << true;
    QTest::newRow("edtSize") << "edtSize" << QRect(20, 140, 105, 23) << true;
    QTest::newRow("RadioGroupStarType") << "RadioGroupStarType" << QRect(21, 173, 145, 89) << true;
    QTest::newRow("btnStrokeColor") << "btnStrokeColor" << QRect(20, 285, 97, 33) << true;
    QTest::newRow("btnFillColor") << "btnFillColor" << QRect(20, 325, 97, 33) << true;
    QTest::newRow("trbStrokeWidth") << "trbStrokeWidth" << QRect(5, 423, 175, 25) << true;
    QTest::newRow("chbTransparent") << "chbTransparent" << QRect(21, 359, 145, 25) << true;
    // Second tab page.
    QTest::newRow("Bevel5") << "Bevel5" << QRect(11, 8, 164, 113) << true;
    QTest::newRow("lblSVGFillRule, taller for the font")
        << "lblSVGFillRule" << QRect(22, 21, 141, 60) << false;
    QTest::newRow("GroupBoxShortCut") << "GroupBoxShortCut" << QRect(11, 136, 164, 121) << true;
    QTest::newRow("btnShortCut") << "btnShortCut" << QRect(32, 84, 97, 28) << true;
    QTest::newRow("chbShortCutDesktop") << "chbShortCutDesktop" << QRect(11, 32, 97, 17) << true;
    QTest::newRow("chbShortCutStart") << "chbShortCutStart" << QRect(11, 56, 134, 17) << true;
    QTest::newRow("chbSVGFillRule") << "chbSVGFillRule" << QRect(22, 88, 100, 25) << true;
}

void MainWindowTest::layoutFollowsTheDesign() {
    QFETCH(QString, control);
    QFETCH(QRect, design);
    QFETCH(bool, sizeFixed);
    FormHarness h;
    h.create();
    h.form->show();
    QCoreApplication::processEvents();
    const QWidget* w = h.control<QWidget>(control.toLatin1().constData());
    if (sizeFixed) {
        QCOMPARE(w->geometry(), design);
    } else {
        QCOMPARE(w->pos(), design.topLeft());
    }
}

void MainWindowTest::resizeKeepsTheLeftColumn() {
    FormHarness h;
    h.create();
    h.form->show();
    h.form->resize(1000, 700);
    auto* pages = h.control<QTabWidget>("PageControl1");
    pages->setCurrentIndex(1);
    QCoreApplication::processEvents();
    QCOMPARE(h.control<QWidget>("Panel1")->geometry(), QRect(0, 0, 217, 700));
    QCOMPARE(pages->geometry(), QRect(1, 1, 215, 480));
    QCOMPARE(h.control<QWidget>("Panel2")->geometry(), QRect(1, 481, 215, 218));
    QCOMPARE(h.control<QWidget>("Shape1")->geometry(), QRect(1, 1, 213, 216));
    QCOMPARE(h.control<QWidget>("ScrollBox1")->geometry(), QRect(217, 0, 783, 700));
    // The version label stays docked to the bottom of its page.
    const QWidget* page = h.control<QWidget>("TabSheet2");
    QCOMPARE(h.control<QWidget>("lblVersion")->geometry(),
             QRect(0, page->height() - 96, page->width(), 96));
}

void MainWindowTest::pointCountTypedDigitByDigit_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("redraws");
    // "15" redraws; "150" is rewritten to "100", which redraws nested and
    // then once more in the outer run.
    QTest::newRow("150 becomes 100") << "150"
                                     << "100" << 3;
    QTest::newRow("3 stays, no redraw") << "3"
                                        << "3" << 0;
    QTest::newRow("7 is taken") << "7"
                                << "7" << 1;
}

void MainWindowTest::pointCountTypedDigitByDigit() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, redraws);
    FormHarness h;
    h.create();
    auto* edtNum = h.control<QLineEdit>("edtNum");
    edtNum->clear();
    h.resetRedraws();
    QTest::keyClicks(edtNum, typed);
    QCOMPARE(edtNum->text(), shown);
    QCOMPARE(h.redraws(), redraws);
    if (redraws > 0) {
        QCOMPARE(h.shownPreview(), h.expectedPreview(h.form->Snapshot()));
    }
    QVERIFY(h.dialogs.errors.empty());
}

void MainWindowTest::pointCountEntered_data() {
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("redrawn");
    QTest::newRow("letters") << "abc"
                             << "5" << true;
    QTest::newRow("negative") << "-20"
                              << "5" << true;
    QTest::newRow("leading zero") << "05"
                                  << "5" << true;
    QTest::newRow("fraction") << "12.5"
                              << "5" << true;
    QTest::newRow("beyond 32 bits is no number") << "99999999999"
                                                 << "5" << true;
    QTest::newRow("full-width digits") << "１０"
                                       << "5" << true;
    QTest::newRow("one full-width digit") << "１"
                                          << "5" << true;
    QTest::newRow("above the range") << "101"
                                     << "100" << true;
    QTest::newRow("hexadecimal") << "$10"
                                 << "$10" << true;
    QTest::newRow("inside the range") << "42"
                                      << "42" << true;
    QTest::newRow("single digit 4") << "4"
                                    << "4" << false;
    QTest::newRow("empty") << ""
                           << "" << false;
}

void MainWindowTest::pointCountEntered() {
    QFETCH(QString, entered);
    QFETCH(QString, shown);
    QFETCH(bool, redrawn);
    FormHarness h;
    h.create();
    auto* edtNum = h.control<QLineEdit>("edtNum");
    edtNum->setText("9");
    h.resetRedraws();
    edtNum->setText(entered);
    QCOMPARE(edtNum->text(), shown);
    QCOMPARE(h.redraws() > 0, redrawn);
    if (redrawn) {
        QCOMPARE(h.shownPreview(), h.expectedPreview(h.form->Snapshot()));
    }
    QVERIFY(h.dialogs.errors.empty());
}

void MainWindowTest::radiusEntered_data() {
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("shown");
    QTest::newRow("4.99 becomes 5") << "4.99"
                                    << "5";
    QTest::newRow("5 stays") << "5"
                             << "5";
    QTest::newRow("5.01 stays") << "5.01"
                                << "5.01";
    QTest::newRow("99.5 stays") << "99.5"
                                << "99.5";
    QTest::newRow("100 stays") << "100"
                               << "100";
    QTest::newRow("100.01 becomes 100") << "100.01"
                                        << "100";
    QTest::newRow("no number becomes 5") << "abc"
                                         << "5";
    QTest::newRow("huge becomes 100") << "1e300"
                                      << "100";
}

void MainWindowTest::radiusEntered() {
    QFETCH(QString, entered);
    QFETCH(QString, shown);
    FormHarness h;
    h.create();
    auto* edtSize = h.control<QLineEdit>("edtSize");
    h.resetRedraws();
    edtSize->setText(entered);
    QCOMPARE(edtSize->text(), shown);
    QVERIFY(h.redraws() > 0);
    QCOMPARE(h.shownPreview(), h.expectedPreview(h.form->Snapshot()));
}

void MainWindowTest::radiusReadWithTheLocaleSeparator() {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        QSKIP("de_DE.UTF-8 is not installed");
    }
    FormHarness h;
    h.create();
    h.control<QLineEdit>("edtSize")->setText("12,5");
    h.control<QSlider>("trbStrokeWidth")->setValue(125);
    const QString label = h.control<QLabel>("lblStrokeWidth")->text();
    const QString size = h.control<QLineEdit>("edtSize")->text();
    const QSize preview = h.shownPreview().size();
    std::setlocale(LC_NUMERIC, saved.c_str());
    QCOMPARE(size, QString("12,5"));
    QCOMPARE(label, QString("輪郭線の幅：1,2500(mm)"));
    QCOMPARE(preview, QSize(170, 170));  // Trunc(22.5 × 2 × 96 / 25.4)
}

void MainWindowTest::widthLabelFollowsTheTrackBar_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::newRow("0") << 0 << "輪郭線の幅：0.0000(mm)";
    QTest::newRow("1") << 1 << "輪郭線の幅：0.0100(mm)";
    QTest::newRow("400") << 400 << "輪郭線の幅：4.0000(mm)";
    QTest::newRow("beyond the end") << 1000 << "輪郭線の幅：4.0000(mm)";
}

void MainWindowTest::widthLabelFollowsTheTrackBar() {
    QFETCH(int, position);
    QFETCH(QString, label);
    FormHarness h;
    h.create();
    h.resetRedraws();
    h.control<QSlider>("trbStrokeWidth")->setValue(position);
    QCOMPARE(h.control<QLabel>("lblStrokeWidth")->text(), label);
    QCOMPARE(h.redraws(), 1);
}

void MainWindowTest::changesThatRedraw_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("redrawn");
    QTest::newRow("star type") << "RadioGroupStarTypeItem1" << true;
    QTest::newRow("transparent fill") << "chbTransparent" << true;
    QTest::newRow("fill rule") << "chbSVGFillRule" << false;
    QTest::newRow("open after writing") << "chbSVGView" << false;
    QTest::newRow("desktop shortcut") << "chbShortCutDesktop" << false;
}

void MainWindowTest::changesThatRedraw() {
    QFETCH(QString, control);
    QFETCH(bool, redrawn);
    FormHarness h;
    h.create();
    h.form->show();
    h.control<QTabWidget>("PageControl1")
        ->setCurrentIndex(control.startsWith("chbShortCut") ? 1 : 0);
    h.resetRedraws();
    auto* button = h.control<QAbstractButton>(control.toLatin1().constData());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
    QCOMPARE(h.redraws(), redrawn ? 1 : 0);
    QVERIFY(h.dialogs.errors.empty());
}

void MainWindowTest::colourDialog_data() {
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QColor>("chosen");
    QTest::newRow("fill button, confirmed") << "btnFillColor"
                                            << "lblFillColor" << true << QColor(0, 128, 255);
    QTest::newRow("fill swatch, confirmed") << "lblFillColor"
                                            << "lblFillColor" << true << QColor(10, 20, 30);
    QTest::newRow("outline button, confirmed") << "btnStrokeColor"
                                               << "lblStrokeColor" << true << QColor(0, 200, 0);
    QTest::newRow("same colour still redraws") << "btnFillColor"
                                               << "lblFillColor" << true << QColor(255, 0, 0);
    QTest::newRow("cancelled") << "btnFillColor"
                               << "lblFillColor" << false << QColor();
    QTest::newRow("outline swatch, cancelled") << "lblStrokeColor"
                                               << "lblStrokeColor" << false << QColor();
}

void MainWindowTest::colourDialog() {
    QFETCH(QString, clicked);
    QFETCH(QString, swatch);
    QFETCH(bool, confirm);
    QFETCH(QColor, chosen);
    FormHarness h;
    h.create();
    const TStarSettings before = h.form->Snapshot();
    const QImage picture = h.shownPreview();
    if (confirm) {
        h.dialogs.colorAnswers.push_back(chosen);
    }
    h.resetRedraws();
    QTest::mouseClick(h.control<QWidget>(clicked.toLatin1().constData()), Qt::LeftButton);

    QCOMPARE(h.dialogs.colorInitials.size(), std::size_t{1});
    const bool fill = swatch == "lblFillColor";
    QCOMPARE(h.dialogs.colorInitials[0], fill ? QColor(255, 0, 0) : QColor(0, 0, 0));
    TStarSettings expected = before;
    if (confirm) {
        const TColor c = static_cast<TColor>(chosen.red()) |
                         static_cast<TColor>(chosen.green()) << 8 |
                         static_cast<TColor>(chosen.blue()) << 16;
        (fill ? expected.FillColor : expected.StrokeColor) = c;
    }
    QCOMPARE(h.form->Snapshot(), expected);
    QCOMPARE(h.redraws(), confirm ? 1 : 0);
    QCOMPARE(h.shownPreview(), confirm ? h.expectedPreview(expected) : picture);
    if (confirm && fill) {
        QCOMPARE(h.shownPreview().pixel(226, 226), chosen.rgb());  // the centre
    }
}

void MainWindowTest::systemColourIsPreselectedAsItsScreenColour() {
    FormHarness h;
    h.writeIni("[SVG]\nFillColor=clWindow\n");
    h.create();
    QCOMPARE(h.form->Snapshot().FillColor, TColor{0x80000005});
    QTest::mouseClick(h.control<QWidget>("btnFillColor"), Qt::LeftButton);
    QCOMPARE(h.dialogs.colorInitials.at(0), h.form->palette().color(QPalette::Base));
}

void MainWindowTest::colourAfterEmptiedRadiusShowsOneError() {
    FormHarness h;
    h.create();
    h.control<QLineEdit>("edtSize")->clear();
    const QImage picture = h.shownPreview();
    h.dialogs.colorAnswers.push_back(QColor(0, 0, 255));
    QTest::mouseClick(h.control<QWidget>("btnFillColor"), Qt::LeftButton);
    QCOMPARE(h.dialogs.errorTexts(), QStringList{"'' は浮動小数点数ではありません."});
    QCOMPARE(h.dialogs.errors.at(0).first, QString("polygrav"));
    // The swatch was set before the redraw failed; the old picture stays.
    QCOMPARE(h.form->Snapshot().FillColor, TColor{0x00FF0000});
    QCOMPARE(h.shownPreview(), picture);
}

void MainWindowTest::saveDialogRemembersTheFolder() {
    FormHarness h;
    h.create();
    QVERIFY(QDir(h.folder()).mkdir("out"));
    const QString first = h.folder() + "/out/star.svg";
    const QString second = h.folder() + "/second.svg";
    h.dialogs.saveAnswers = {first, second};
    auto* btnSVG = h.control<QPushButton>("btnSVG");

    QTest::mouseClick(btnSVG, Qt::LeftButton);
    const SaveDialogRequest& r1 = h.dialogs.saveRequests.at(0);
    QCOMPARE(r1.folder, h.folder());
    QCOMPARE(r1.fileName, QString("Untitled"));
    QCOMPARE(r1.filter, QString("SVG file(*.svg)"));
    QCOMPARE(r1.defaultSuffix, QString("svg"));
    QCOMPARE(h.form->favoriteDir(), ToStdString(h.folder() + "/out"));
    QCOMPARE(test::ReadAll(first).toStdString(), BuildSvgDocument(TStarSettings{}, '.'));

    QTest::mouseClick(btnSVG, Qt::LeftButton);
    const SaveDialogRequest& r2 = h.dialogs.saveRequests.at(1);
    QCOMPARE(r2.folder, h.folder() + "/out");
    QCOMPARE(r2.fileName, first);
    QCOMPARE(h.form->favoriteDir(), ToStdString(h.folder()));
    QVERIFY(QFile::exists(second));
    QVERIFY(h.dialogs.errors.empty());
}

void MainWindowTest::saveCancelledWritesNothing() {
    FormHarness h;
    h.create();
    QTest::mouseClick(h.control<QPushButton>("btnSVG"), Qt::LeftButton);
    QCOMPARE(h.dialogs.saveRequests.size(), std::size_t{1});
    QCOMPARE(h.form->favoriteDir(), ToStdString(h.folder()));
    QCOMPARE(QDir(h.folder()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{});
    QVERIFY(h.desktop.opened.empty());
    // The next dialog still proposes "Untitled".
    QTest::mouseClick(h.control<QPushButton>("btnSVG"), Qt::LeftButton);
    QCOMPARE(h.dialogs.saveRequests.at(1).fileName, QString("Untitled"));
}

void MainWindowTest::failedSaveStillMovesTheFolder() {
    FormHarness h;
    h.create();
    const QString target = h.folder() + "/missing/star.svg";
    h.dialogs.saveAnswers = {target};
    QTest::mouseClick(h.control<QPushButton>("btnSVG"), Qt::LeftButton);
    QCOMPARE(h.form->favoriteDir(), ToStdString(h.folder() + "/missing"));
    QCOMPARE(h.dialogs.errorTexts(), QStringList{"ファイル " + target + " を作成できません."});
    QVERIFY(h.desktop.opened.empty());
}

void MainWindowTest::viewerOnlyWhenViewIsTicked() {
    FormHarness h;
    h.create();
    const QString target = h.folder() + "/star.svg";
    h.dialogs.saveAnswers = {target, target};
    QTest::mouseClick(h.control<QPushButton>("btnSVG"), Qt::LeftButton);
    QCOMPARE(h.desktop.opened, std::vector<std::string>{ToStdString(target)});
    h.control<QCheckBox>("chbSVGView")->setChecked(false);
    QTest::mouseClick(h.control<QPushButton>("btnSVG"), Qt::LeftButton);
    QCOMPARE(h.desktop.opened.size(), std::size_t{1});
}

void MainWindowTest::shortCutButtonEnabling_data() {
    QTest::addColumn<bool>("desktop");
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("neither") << false << false << false;
    QTest::newRow("desktop") << true << false << true;
    QTest::newRow("start menu") << false << true << true;
    QTest::newRow("both") << true << true << true;
}

void MainWindowTest::shortCutButtonEnabling() {
    QFETCH(bool, desktop);
    QFETCH(bool, start);
    QFETCH(bool, enabled);
    FormHarness h;
    h.create();
    auto* chbDesktop = h.control<QCheckBox>("chbShortCutDesktop");
    auto* chbStart = h.control<QCheckBox>("chbShortCutStart");
    // Tick both first, then untick what the row leaves off, so that the rule
    // is reached from both directions.
    chbDesktop->setChecked(true);
    chbStart->setChecked(true);
    chbDesktop->setChecked(desktop);
    chbStart->setChecked(start);
    QCOMPARE(h.control<QPushButton>("btnShortCut")->isEnabled(), enabled);
}

void MainWindowTest::shortCutsDesktopFirst() {
    FormHarness h;
    h.create();
    h.control<QCheckBox>("chbShortCutStart")->setChecked(true);
    h.control<QCheckBox>("chbShortCutDesktop")->setChecked(true);
    h.control<QPushButton>("btnShortCut")->click();
    QCOMPARE(h.desktop.shortCutPlaces, (std::vector<std::string>{"DESKTOP", "PROGRAMS"}));
    QCOMPARE(h.desktop.shortCutNames,
             (std::vector<std::string>{"Polygrav 1.0A1", "Polygrav 1.0A1"}));
    QVERIFY(h.control<QCheckBox>("chbShortCutDesktop")->isChecked());
}

void MainWindowTest::failingDesktopShortCutStopsTheStartMenuOne() {
    FormHarness h;
    h.create();
    h.desktop.failingPlace = "DESKTOP";
    h.control<QCheckBox>("chbShortCutStart")->setChecked(true);
    h.control<QCheckBox>("chbShortCutDesktop")->setChecked(true);
    h.control<QPushButton>("btnShortCut")->click();
    QVERIFY(h.desktop.shortCutPlaces.empty());
    QCOMPARE(h.dialogs.errorTexts(), QStringList{"Interface はサポートされていません."});
}

void MainWindowTest::versionLabelOpensTheHomePage() {
    FormHarness h;
    h.create();
    auto* lblVersion = h.control<QLabel>("lblVersion");
    QCOMPARE(lblVersion->text(), QString("\n\nPolygrav \nVer. 1.0 A1 \n\n"));
    QCOMPARE(lblVersion->toolTip(), QString("Kiriko3306のHPを表示"));
    QCOMPARE(lblVersion->cursor().shape(), Qt::PointingHandCursor);
    h.resetRedraws();
    QTest::mouseClick(lblVersion, Qt::LeftButton);
    QCOMPARE(h.dialogs.urls, std::vector<QString>{QString::fromLatin1(kHomePageUrl)});
    QCOMPARE(h.redraws(), 0);
}

// Each version line ends in a blank, so the right-aligned text stops one
// blank short of the label's right edge instead of running into it.
void MainWindowTest::versionLinesKeepTheirTrailingBlank() {
    FormHarness h;
    h.create();
    auto* lblVersion = h.control<QLabel>("lblVersion");
    const QImage shown = lblVersion->grab().toImage();
    const QRgb background = shown.pixel(0, 0);
    int rightmostText = -1;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = shown.width() - 1; x > rightmostText; --x) {
            if (shown.pixel(x, y) != background) {
                rightmostText = x;
                break;
            }
        }
    }
    QVERIFY2(rightmostText >= 0, "the label shows no text");
    const int blank = lblVersion->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    QVERIFY(blank > 0);
    QVERIFY2(rightmostText < shown.width() - blank,
             qPrintable(QString("text reaches x = %1 of %2, blank %3")
                            .arg(rightmostText)
                            .arg(shown.width())
                            .arg(blank)));
}

void MainWindowTest::settingsKeysApplyThroughTheControls_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("StarType=7 selects the last item") << "StarType=7"
                                                      << "StarType"
                                                      << "2";
    QTest::newRow("StarType=-5 selects none") << "StarType=-5"
                                              << "StarType"
                                              << "-1";
    QTest::newRow("StarType=0x1") << "StarType=0x1"
                                  << "StarType"
                                  << "1";
    QTest::newRow("StarType=one keeps the item") << "StarType=one"
                                                 << "StarType"
                                                 << "0";
    QTest::newRow("StrokeWidth=1000 gives 400") << "StrokeWidth=1000"
                                                << "StrokeWidth"
                                                << "400";
    QTest::newRow("StrokeWidth=-3 gives 0") << "StrokeWidth=-3"
                                            << "StrokeWidth"
                                            << "0";
    QTest::newRow("StrokeWidth=$64") << "StrokeWidth=$64"
                                     << "StrokeWidth"
                                     << "100";
    QTest::newRow("StrokeWidth=2.5 keeps the position") << "StrokeWidth=2.5"
                                                        << "StrokeWidth"
                                                        << "50";
    QTest::newRow("View=0x0 unticks") << "View=0x0"
                                      << "View"
                                      << "0";
    QTest::newRow("View=-1 ticks") << "View=-1"
                                   << "View"
                                   << "1";
    QTest::newRow("View=yes keeps the tick") << "View=yes"
                                             << "View"
                                             << "1";
    QTest::newRow("EdgeNumber=200 is clamped") << "EdgeNumber=200"
                                               << "EdgeNumber"
                                               << "100";
    QTest::newRow("CircumRadius=abc is clamped") << "CircumRadius=abc"
                                                 << "CircumRadius"
                                                 << "5";
    QTest::newRow("FillColor=CLBLUE") << "FillColor=CLBLUE"
                                      << "FillColor"
                                      << "ff0000";
    QTest::newRow("system colour kept") << "FillColor=$80000005"
                                        << "FillColor"
                                        << "80000005";
    QTest::newRow("FillTransparent=1") << "FillTransparent=1"
                                       << "FillTransparent"
                                       << "1";
    QTest::newRow("FillRule=1") << "FillRule=1"
                                << "FillRule"
                                << "1";
}

void MainWindowTest::settingsKeysApplyThroughTheControls() {
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(QString, value);
    FormHarness h;
    h.writeIni("[SVG]\r\n" + ToStdString(line) + "\r\n");
    h.create();
    const TStarSettings s = h.form->Snapshot();
    QCOMPARE(FieldOf(s, field), value);
    QVERIFY(h.dialogs.errors.empty());
    // The controls' own handlers ran: the label and the picture follow.
    QCOMPARE(h.control<QLabel>("lblStrokeWidth")->text(),
             "輪郭線の幅：" + QString::number(s.StrokeWidth / 100.0, 'f', 4) + "(mm)");
    QCOMPARE(h.shownPreview(), h.expectedPreview(s));
}

void MainWindowTest::colourErrorStopsTheLoadAtThatKey() {
    FormHarness h;
    h.writeIni(
        "[SVG]\nFavoriteDir=/elsewhere\nEdgeNumber=7\nCircumRadius=30\nStarType=2\n"
        "FillColor=red\nFillTransparent=1\nStrokeColor=clBlue\nStrokeWidth=100\n");
    h.create();
    QCOMPARE(h.dialogs.errorTexts(), QStringList{"'red' は整数ではありません."});
    TStarSettings expected;
    expected.EdgeNumber = "7";
    expected.CircumRadius = "30";
    expected.StarType = 2;
    QCOMPARE(h.form->Snapshot(), expected);
    QCOMPARE(h.form->favoriteDir(), std::string("/elsewhere"));
    // The rest of FormCreate was skipped: the label keeps its design text.
    QCOMPARE(h.control<QLabel>("lblStrokeWidth")->text(), QString("輪郭線の幅"));
}

void MainWindowTest::nestedRedrawFailureStopsTheLoad() {
    FormHarness h;
    h.writeIni("[SVG]\nEdgeNumber=\nCircumRadius=30\nStarType=2\n");
    h.create();
    // The radius box's handler failed to redraw for want of a point count;
    // the load stopped right after that box was written.
    QCOMPARE(h.dialogs.errorTexts(), QStringList{"'' は整数ではありません."});
    const TStarSettings s = h.form->Snapshot();
    QCOMPARE(s.EdgeNumber, std::string());
    QCOMPARE(s.CircumRadius, std::string("30"));
    QCOMPARE(s.StarType, 0);
}

void MainWindowTest::sharedLoadCases_data() {
    QTest::addColumn<int>("row");
    const auto& cases = polygrav::test::LoadCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        QTest::newRow(cases[i].name) << static_cast<int>(i);
    }
}

// The table that the core's settings model runs too: the window ends with
// the same settings and shows the same error box.
void MainWindowTest::sharedLoadCases() {
    QFETCH(int, row);
    const polygrav::test::LoadCase& c = polygrav::test::LoadCases()[static_cast<std::size_t>(row)];
    FormHarness h;
    h.writeIni(c.file);
    h.create();
    QCOMPARE(h.form->Snapshot(), c.expected);
    QCOMPARE(h.form->favoriteDir(), c.favoriteDir.value_or(ToStdString(h.folder())));
    QCOMPARE(h.dialogs.errorTexts(), c.error ? QStringList{ToQString(*c.error)} : QStringList{});
}

void MainWindowTest::closeKeepsTheKeysAStoppedLoadNeverReached() {
    FormHarness h;
    const std::string stored =
        "[SVG]\r\nEdgeNumber=7\r\nFillColor=red\r\nStrokeColor=clBlue\r\nStrokeWidth=300\r\n"
        "View=0\r\nFillRule=1\r\n";
    h.writeIni(stored);
    h.create();
    QCOMPARE(h.dialogs.errorTexts(), QStringList{"'red' は整数ではありません."});
    // The user changes one key after the stop; the others stay as stored,
    // the keys before the stop are written as the window shows them.
    h.control<QSlider>("trbStrokeWidth")->setValue(120);
    h.form->close();
    const std::string expected =
        "[SVG]\r\nEdgeNumber=7\r\nFillColor=red\r\nStrokeColor=clBlue\r\n"
        "StrokeWidth=120\r\nView=0\r\nFillRule=1\r\nFavoriteDir=" +
        ToStdString(h.folder()) + "\r\nCircumRadius=50\r\nStarType=0\r\n";
    QCOMPARE(h.readIni(), expected);
}

void MainWindowTest::closeSavesEveryKeyAndKeepsOtherLines() {
    FormHarness h;
    h.writeIni("; kept comment\r\n[Other]\r\nKey=1\r\n[SVG]\r\nEdgeNumber=6\r\n");
    h.create();
    h.control<QLineEdit>("edtSize")->setText("12.5");
    h.control<QCheckBox>("chbSVGFillRule")->setChecked(true);
    h.control<QButtonGroup>("RadioGroupStarTypeButtons")->button(1)->click();
    h.form->close();
    const std::string expected =
        "; kept comment\r\n[Other]\r\nKey=1\r\n[SVG]\r\n"
        "EdgeNumber=6\r\n"
        "FavoriteDir=" +
        ToStdString(h.folder()) +
        "\r\n"
        "CircumRadius=12.5\r\nStarType=1\r\nFillColor=clRed\r\n"
        "FillTransparent=0\r\nStrokeColor=clBlack\r\nStrokeWidth=50\r\n"
        "View=1\r\nFillRule=1\r\n";
    QCOMPARE(h.readIni(), expected);
}

void MainWindowTest::unwritableSettingsFileIsNotReported() {
    FormHarness h;
    // A folder where the file should be: neither root nor anyone can write it.
    QVERIFY(QDir(h.folder()).mkdir("polygrav.ini"));
    h.create();
    h.form->close();
    QVERIFY(h.dialogs.errors.empty());
    QVERIFY(QFileInfo(ToQString(h.iniPath())).isDir());
}

void MainWindowTest::largeRadiusScrolls() {
    FormHarness h;
    h.create();
    h.form->show();
    h.control<QLineEdit>("edtSize")->setText("100");
    QCOMPARE(h.control<QLabel>("Image1")->size(), QSize(831, 831));
    QCOMPARE(h.shownPreview().size(), QSize(831, 831));
    auto* scroll = h.control<QScrollArea>("ScrollBox1");
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
    QVERIFY(scroll->horizontalScrollBar()->maximum() > 0);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
