// The save dialog's file types: the window writes the type chosen in the
// dialog with the converter's writers, the next dialog opens with it, a
// failed save keeps the earlier file, and the Qt dialog gives a name typed
// without a suffix the suffix of the chosen type.

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include "FormHarness.h"
#include "app/FormDialogs.h"
#include "app/QtText.h"
#include "export/FigureExport.h"
#include "export/LinkedCairoEncoders.h"
#include "export/PngOptions.h"
#include "geometry/Figure.h"
#include "svg/SvgDocument.h"

using namespace polygrav;
using polygrav::test::FormHarness;
using polygrav::test::ReadAll;

Q_DECLARE_METATYPE(polygrav::ExportFormat)

namespace {

const QString kSvg = QStringLiteral("SVG file(*.svg)");
const QString kDxf = QStringLiteral("DXF file(*.dxf)");
const QString kPdf = QStringLiteral("PDF file(*.pdf)");
const QString kPng = QStringLiteral("PNG file(*.png)");
const QString kGcode = QStringLiteral("G-code file(*.gcode)");
const QString kPlt = QStringLiteral("HPGL file(*.plt)");
const QString kStl = QStringLiteral("STL file(*.stl)");
const QString k3mf = QStringLiteral("3MF file(*.3mf)");
const QString kScad = QStringLiteral("OpenSCAD file(*.scad)");

// A figure unlike the design's, so that a file of the design values fails.
void SetOtherFigure(FormHarness& h) {
    h.control<QLineEdit>("edtNum")->setText("7");
    h.control<QLineEdit>("edtSize")->setText("12.5");
    h.control<QButtonGroup>("RadioGroupStarTypeButtons")->button(kStarPolygon)->click();
    h.control<QSlider>("trbStrokeWidth")->setValue(120);
}

quint32 BigEndianAt(const QByteArray& bytes, int at) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    }
    return value;
}

// Fails the test when the bytes do not have the format's signature and
// frame: the SVG's root element, the DXF's first section and end, the PDF's
// header and trailer, the PNG's signature and a header of sidePixels, the
// G-code program's units line and end, the HPGL file's start and pen put
// away; the STL's triangle count against its size, the 3MF's zip and the
// plate's extrusion in OpenSCAD.
void ExpectSignature(const QByteArray& bytes, ExportFormat format, int sidePixels) {
    switch (format) {
        case ExportFormat::Svg:
            QVERIFY(bytes.startsWith("<?xml "));
            QVERIFY(bytes.contains("<svg "));
            break;
        case ExportFormat::Dxf:
            QVERIFY(bytes.startsWith("  0\r\nSECTION\r\n  2\r\nHEADER\r\n"));
            QVERIFY(bytes.endsWith("  0\r\nEOF\r\n"));
            break;
        case ExportFormat::Pdf:
            QVERIFY(bytes.startsWith("%PDF-1."));
            QVERIFY(bytes.trimmed().endsWith("%%EOF"));
            break;
        case ExportFormat::Png:
            QVERIFY(bytes.startsWith("\x89PNG\r\n\x1a\n"));
            QCOMPARE(bytes.mid(12, 4), QByteArray("IHDR"));
            QCOMPARE(BigEndianAt(bytes, 16), static_cast<quint32>(sidePixels));
            QCOMPARE(BigEndianAt(bytes, 20), static_cast<quint32>(sidePixels));
            break;
        case ExportFormat::Gcode:
            QVERIFY(bytes.startsWith("G21 G90\n"));
            QVERIFY(bytes.endsWith("\nM2\n"));
            break;
        case ExportFormat::Plt:
            QVERIFY(bytes.startsWith("IN;\nSP1;\n"));
            QVERIFY(bytes.endsWith("\nSP0;\n"));
            break;
        case ExportFormat::Stl:
            // An 80-byte header, the count, then 50 bytes a triangle.
            QVERIFY(bytes.size() > 84);
            QCOMPARE(bytes.size() - 84,
                     50 * static_cast<int>(qFromLittleEndian<quint32>(bytes.constData() + 80)));
            break;
        case ExportFormat::ThreeMf:
            QVERIFY(bytes.startsWith("PK\x03\x04"));  // a zip package
            break;
        case ExportFormat::Scad:
            QVERIFY(bytes.contains("linear_extrude(height = 3) polygon(points = points, paths = "));
            break;
    }
}

}  // namespace

class SaveFormatsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void dialogOffersEveryType();
    void savesTheChosenType_data();
    void savesTheChosenType();
    void nextDialogOpensWithTheLastType();
    void failedSaveKeepsTheEarlierFile_data();
    void failedSaveKeepsTheEarlierFile();
    void qtDialogGivesTheChosenTypesSuffix_data();
    void qtDialogGivesTheChosenTypesSuffix();
};

void SaveFormatsTest::initTestCase() {
    // As the window module does.
    UseCairoEncoders(LinkedCairoEncoders());
}

void SaveFormatsTest::dialogOffersEveryType() {
    FormHarness h;
    h.create();
    QTest::mouseClick(h.control<QPushButton>("btnSVG"), Qt::LeftButton);
    const SaveDialogRequest& r = h.dialogs.saveRequests.at(0);
    QStringList texts;
    QStringList suffixes;
    for (const SaveFilter& f : r.filters) {
        texts << f.text;
        suffixes << f.suffix;
    }
    QCOMPARE(texts, (QStringList{kSvg, kDxf, kPdf, kPng, kGcode, kPlt, kStl, k3mf, kScad}));
    QCOMPARE(suffixes,
             (QStringList{"svg", "dxf", "pdf", "png", "gcode", "plt", "stl", "3mf", "scad"}));
    // The design's type is the first dialog's.
    QCOMPARE(r.filter, kSvg);
    QCOMPARE(r.defaultSuffix, QString("svg"));
}

void SaveFormatsTest::savesTheChosenType_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<ExportFormat>("format");
    QTest::newRow("SVG") << kSvg << "star.svg" << ExportFormat::Svg;
    QTest::newRow("DXF") << kDxf << "star.dxf" << ExportFormat::Dxf;
    QTest::newRow("PDF") << kPdf << "star.pdf" << ExportFormat::Pdf;
    QTest::newRow("PNG") << kPng << "star.png" << ExportFormat::Png;
    QTest::newRow("G-code") << kGcode << "star.gcode" << ExportFormat::Gcode;
    QTest::newRow("HPGL") << kPlt << "star.plt" << ExportFormat::Plt;
    QTest::newRow("STL") << kStl << "star.stl" << ExportFormat::Stl;
    QTest::newRow("3MF") << k3mf << "star.3mf" << ExportFormat::ThreeMf;
    QTest::newRow("OpenSCAD") << kScad << "star.scad" << ExportFormat::Scad;
    QTest::newRow("the type decides, not the name") << kPng << "star.svg" << ExportFormat::Png;
}

void SaveFormatsTest::savesTheChosenType() {
    QFETCH(QString, filter);
    QFETCH(QString, name);
    QFETCH(ExportFormat, format);
    FormHarness h;
    h.create();
    SetOtherFigure(h);
    QVERIFY(QDir(h.folder()).mkdir("out"));
    const QString target = h.folder() + "/out/" + name;
    h.dialogs.saveAnswers = {test::SaveAnswer(target, filter)};

    QTest::mouseClick(h.control<QPushButton>("btnSVG"), Qt::LeftButton);

    QVERIFY2(h.dialogs.errors.empty(), qPrintable(h.dialogs.errorTexts().join('\n')));
    const TStarSettings settings = h.form->Snapshot();
    const Figure figure = BuildFigure(settings, '.');
    const QByteArray bytes = ReadAll(target);
    const std::string expected = format == ExportFormat::Svg ? BuildSvgDocument(settings, '.')
                                                             : EncodeFigure(figure, format);
    QVERIFY(bytes.toStdString() == expected);
    ExpectSignature(bytes, format, PngPixelSide(figure.documentSide, kDefaultDpi));
    // Written whole in its place, nothing left beside it; opened as View asks.
    QCOMPARE(QDir(h.folder() + "/out").entryList(QDir::Files | QDir::Hidden), QStringList{name});
    QCOMPARE(h.desktop.opened, std::vector<std::string>{ToStdString(target)});
    QCOMPARE(h.form->favoriteDir(), ToStdString(h.folder() + "/out"));
}

void SaveFormatsTest::nextDialogOpensWithTheLastType() {
    FormHarness h;
    h.create();
    const QString first = h.folder() + "/star.png";
    h.dialogs.saveAnswers = {test::SaveAnswer(first, kPng), std::nullopt};
    auto* btnSVG = h.control<QPushButton>("btnSVG");
    QTest::mouseClick(btnSVG, Qt::LeftButton);
    QTest::mouseClick(btnSVG, Qt::LeftButton);
    const SaveDialogRequest& second = h.dialogs.saveRequests.at(1);
    QCOMPARE(second.fileName, first);
    QCOMPARE(second.filter, kPng);
    QCOMPARE(second.defaultSuffix, QString("png"));
}

void SaveFormatsTest::failedSaveKeepsTheEarlierFile_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("name");  // relative to the test's folder
    QTest::addColumn<bool>("emptyRadius");
    QTest::addColumn<QString>("error");  // %1: the target's path
    QTest::newRow("DXF of an emptied radius")
        << kDxf << "star.dxf" << true << "'' は浮動小数点数ではありません.";
    QTest::newRow("PDF of an emptied radius")
        << kPdf << "star.pdf" << true << "'' は浮動小数点数ではありません.";
    QTest::newRow("PNG of an emptied radius")
        << kPng << "star.png" << true << "'' は浮動小数点数ではありません.";
    QTest::newRow("PNG into a missing folder")
        << kPng << "missing/star.png" << false << "ファイル %1 を作成できません.";
}

void SaveFormatsTest::failedSaveKeepsTheEarlierFile() {
    QFETCH(QString, filter);
    QFETCH(QString, name);
    QFETCH(bool, emptyRadius);
    QFETCH(QString, error);
    FormHarness h;
    h.create();
    const QString target = h.folder() + "/" + name;
    const QString earlier = h.folder() + "/star.png";
    {
        QFile f(earlier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    if (emptyRadius) {
        h.control<QLineEdit>("edtSize")->clear();
    }
    const QStringList before = QDir(h.folder()).entryList(QDir::AllEntries | QDir::Hidden);
    h.dialogs.saveAnswers = {test::SaveAnswer(target, filter)};

    QTest::mouseClick(h.control<QPushButton>("btnSVG"), Qt::LeftButton);

    QCOMPARE(h.dialogs.errorTexts(), QStringList{QString(error).replace("%1", target)});
    QCOMPARE(ReadAll(earlier), QByteArray("earlier"));
    QCOMPARE(QDir(h.folder()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(h.desktop.opened.empty());
}

void SaveFormatsTest::qtDialogGivesTheChosenTypesSuffix_data() {
    QTest::addColumn<int>("type");  // the entry the user picks
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SVG as opened") << 0 << "star"
                                   << "star.svg";
    QTest::newRow("DXF") << 1 << "star"
                         << "star.dxf";
    QTest::newRow("PDF") << 2 << "plate 2"
                         << "plate 2.pdf";
    QTest::newRow("PNG") << 3 << "star"
                         << "star.png";
    QTest::newRow("a name with a suffix keeps it") << 3 << "star.svg"
                                                   << "star.svg";
}

void SaveFormatsTest::qtDialogGivesTheChosenTypesSuffix() {
    QFETCH(int, type);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QWidget owner;
    const std::unique_ptr<FormDialogs> dialogs = MakeQtFormDialogs();
    const std::vector<SaveFilter> filters{
        {kSvg, "svg"}, {kDxf, "dxf"}, {kPdf, "pdf"}, {kPng, "png"}};
    const SaveDialogRequest request{dir.path(), "Untitled", kSvg, "svg", filters};

    // The user picks the type with the keyboard, types the name and presses
    // Return; a dialog still open after that is closed, so the test ends.
    QString failure;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            failure = "no save dialog";
            return;
        }
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (types == nullptr || name == nullptr) {
            failure = "no type list or name box";
            dialog->reject();
            return;
        }
        for (int i = 0; i < type; ++i) {
            QTest::keyClick(types, Qt::Key_Down);
        }
        name->clear();
        QTest::keyClicks(name, typed);
        QTest::keyClick(name, Qt::Key_Return);
        if (dialog->isVisible()) {
            failure = "the dialog stayed open";
            dialog->reject();
        }
    });
    const std::optional<SaveDialogChoice> choice = dialogs->ChooseSavePath(&owner, request);

    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(choice.has_value());
    QCOMPARE(choice->path, dir.filePath(expected));
    QCOMPARE(choice->filter, filters.at(static_cast<std::size_t>(type)).text);
}

QTEST_MAIN(SaveFormatsTest)
#include "SaveFormatsTest.moc"
