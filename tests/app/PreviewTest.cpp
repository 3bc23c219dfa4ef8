// The preview bitmap, checked by its pixels at 96 pixels per inch.

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include <QProcess>
#include <QTemporaryDir>
#include <optional>
#include <type_traits>
#include <variant>

#include "app/Preview.h"
#include "app/SystemColors.h"
#include "model/Errors.h"
#include "model/KeyFields.h"
#include "settings/SettingsFile.h"
#include "svg/SvgDocument.h"

using namespace polygrav;

namespace {

QColor Plain(TColor c) {
    return ResolveColor(c, QPalette());
}

QImage Render(const TStarSettings& s, int ppi = 96) {
    return RenderPreview(s, ppi, Plain, '.');
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlack = qRgb(0, 0, 0);

// The settings of a part from "Key=value" pairs apart by spaces, each key
// found in the key table and its value read by its kind; the outline is the
// thinnest unless StrokeWidth is given.
TStarSettings SettingsOfPart(const QString& document) {
    DocumentSettings d;
    d.svg.StrokeWidth = 0;
    for (const QString& pair : document.split(' ')) {
        const QStringList kv = pair.split('=');
        const std::optional<SettingsKey> key = FindSettingsKey(kv[0].toStdString());
        if (!key) qFatal("no key %s", qPrintable(kv[0]));
        std::visit(
            [&kv](auto field) {
                using T = std::remove_pointer_t<decltype(field)>;
                if constexpr (std::is_same_v<decltype(field), std::monostate>) {
                } else if constexpr (std::is_same_v<T, std::string>) {
                    *field = kv[1].toStdString();
                } else if constexpr (std::is_same_v<T, bool>) {
                    *field = kv[1].toInt() != 0;
                } else if constexpr (std::is_same_v<T, double> ||
                                     std::is_same_v<T, std::optional<double>>) {
                    *field = kv[1].toDouble();
                } else {
                    *field = static_cast<T>(kv[1].toLongLong());
                }
            },
            FieldOf(d, *key));
    }
    return d.svg;
}

// The picture of a part painted as Qt's painter paints a design's figure,
// by its path and pen.
QImage PaintedByThePainter(PreviewPicture picture, const ColorResolver& resolve = Plain) {
    picture.designFigure = true;
    return PaintPreview(picture, resolve);
}

// The hardest part the window allows: 100 tips of step 49, cut, filleted and
// grown.
const char* const kHardestPart =
    "EdgeNumber=100 CircumRadius=100 StarStep=49 CutOutline=1 CornerRadius=0.2 "
    "ValleyRadius=0.2 Offset=0.1";

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void defaultStar();
    void starPolygonLeavesTheCentrePentagonWhite();
    void transparentLeavesTheInsideWhite();
    void largestRadius();
    void noStarTypeDrawsNothing();
    void widthZeroStillDrawsALine();
    void wideOutline();
    void conversionErrors_data();
    void conversionErrors();
    void systemColours_data();
    void systemColours();
    void partPreviewAgreesWithItsSvg_data();
    void partPreviewAgreesWithItsSvg();
    void partFillIsThePaintersFill_data();
    void partFillIsThePaintersFill();
    void partWideOutlineAgreesWithThePainter_data();
    void partWideOutlineAgreesWithThePainter();
    void translucentColoursAreLeftToThePainter();
    void highDensityBitmapKeepsTheFigure_data();
    void highDensityBitmapKeepsTheFigure();
};

void PreviewTest::defaultStar() {
    const QImage img = Render(TStarSettings{});
    QCOMPARE(img.size(), QSize(453, 453));
    QCOMPARE(img.pixel(225, 37), kBlack);  // Outer[0], the top tip
    QCOMPARE(img.pixel(226, 226), kRed);   // the centre is filled
    QCOMPARE(img.pixel(225, 20), kWhite);  // above the tip, the margin
    QCOMPARE(img.pixel(0, 0), kWhite);
}

void PreviewTest::starPolygonLeavesTheCentrePentagonWhite() {
    TStarSettings s;
    s.StarType = kStarPolygon;
    const QImage img = Render(s);
    QCOMPARE(img.pixel(226, 226), kWhite);  // crossed twice: even-odd
    QCOMPARE(img.pixel(225, 80), kRed);     // inside the top point
}

void PreviewTest::transparentLeavesTheInsideWhite() {
    TStarSettings s;
    s.FillTransparent = true;
    const QImage img = Render(s);
    QCOMPARE(img.pixel(226, 226), kWhite);
    QCOMPARE(img.pixel(225, 37), kBlack);
}

void PreviewTest::largestRadius() {
    TStarSettings s;
    s.CircumRadius = "100";
    const QImage img = Render(s);
    QCOMPARE(img.size(), QSize(831, 831));
    QCOMPARE(img.pixel(377 + 37, 37), kBlack);  // Trunc(96 × 100 / 25.4) = 377
}

void PreviewTest::noStarTypeDrawsNothing() {
    TStarSettings s;
    s.StarType = kNoStarType;
    QImage blank(453, 453, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QCOMPARE(Render(s), blank);
}

void PreviewTest::widthZeroStillDrawsALine() {
    TStarSettings s;
    s.StrokeWidth = 0;
    s.FillTransparent = true;
    const QImage img = Render(s);
    QCOMPARE(img.pixel(225, 37), kBlack);
    QCOMPARE(img.pixel(225, 39), kBlack);  // the thinnest line goes on down the edge
}

void PreviewTest::wideOutline() {
    TStarSettings s;
    s.StrokeWidth = 400;  // 15 pixels
    s.FillTransparent = true;
    const QImage img = Render(s);
    // Round ends: the line reaches 7 pixels beyond the tip, not more.
    QCOMPARE(img.pixel(225, 31), kBlack);
    QCOMPARE(img.pixel(225, 28), kWhite);
    QCOMPARE(img.pixel(226, 226), kWhite);
}

void PreviewTest::conversionErrors_data() {
    QTest::addColumn<QString>("edge");
    QTest::addColumn<QString>("radius");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty point count") << ""
                                       << "50"
                                       << "'' は整数ではありません";
    QTest::newRow("empty radius") << "5"
                                  << ""
                                  << "'' は浮動小数点数ではありません";
    QTest::newRow("radius beyond a bitmap") << "5"
                                            << "1e6"
                                            << "'1e6' は浮動小数点数ではありません";
    QTest::newRow("negative radius") << "5"
                                     << "-30"
                                     << "'-30' は浮動小数点数ではありません";
}

void PreviewTest::conversionErrors() {
    QFETCH(QString, edge);
    QFETCH(QString, radius);
    QFETCH(QString, message);
    TStarSettings s;
    s.EdgeNumber = edge.toStdString();
    s.CircumRadius = radius.toStdString();
    try {
        Render(s);
        QFAIL("no error");
    } catch (const EConvertError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), message);
    }
}

void PreviewTest::systemColours_data() {
    QTest::addColumn<uint>("color");
    QTest::addColumn<int>("role");  // -1: black
    QTest::newRow("clWindow") << 0x80000005u << int(QPalette::Base);
    QTest::newRow("clBtnFace") << 0x8000000Fu << int(QPalette::Button);
    QTest::newRow("clHighlight") << 0x8000000Du << int(QPalette::Highlight);
    QTest::newRow("index 25 has no element") << 0x80000019u << -1;
    QTest::newRow("beyond the table") << 0x800000FFu << -1;
}

void PreviewTest::systemColours() {
    QFETCH(uint, color);
    QFETCH(int, role);
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Highlight, QColor(7, 8, 9));
    const QColor expected =
        role < 0 ? QColor(Qt::black) : palette.color(static_cast<QPalette::ColorRole>(role));
    QCOMPARE(ResolveColor(color, palette), expected);

    TStarSettings s;
    s.FillColor = color;
    const QImage img = RenderPreview(
        s, 96, [&palette](TColor c) { return ResolveColor(c, palette); }, '.');
    QCOMPARE(img.pixel(226, 226), expected.rgb());
}

void PreviewTest::partPreviewAgreesWithItsSvg_data() {
    QTest::addColumn<QString>("document");
    QTest::newRow("filleted, grown star")
        << "CutOutline=1 CornerRadius=3 ValleyRadius=1.5 Offset=2";
    QTest::newRow("rotated {7/3} cut") << "EdgeNumber=7 StarStep=3 CutOutline=1 Rotation=20";
    QTest::newRow("hexagon across flats, mitred") << "EdgeNumber=6 StarType=2 SizeBy=1 Offset=1 "
                                                     "OffsetJoin=1";
}

// The preview of a part and its SVG drawn by librsvg at 96 ppi fill the same
// pixels, but for the edges: the preview truncates to whole pixels and draws
// no smoothing.
void PreviewTest::partPreviewAgreesWithItsSvg() {
    QFETCH(QString, document);
    const TStarSettings s = SettingsOfPart(document);
    const QImage preview = Render(s);

    QTemporaryDir dir;
    QFile svg(dir.filePath("part.svg"));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write(QByteArray::fromStdString(BuildSvgDocument(s, '.')));
    svg.close();
    QProcess rsvg;
    rsvg.start("rsvg-convert", {"-d", "96", "-p", "96", "-b", "white", "-o",
                                dir.filePath("part.png"), svg.fileName()});
    QVERIFY2(rsvg.waitForFinished(60000) && rsvg.exitCode() == 0,
             "rsvg-convert (librsvg2-bin) must be installed");
    const QImage drawn = QImage(dir.filePath("part.png")).convertToFormat(QImage::Format_RGB32);
    QVERIFY(qAbs(drawn.width() - preview.width()) <= 1);

    const auto red = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 128 && qBlue(p) < 128; };
    int differ = 0;
    int filled = 0;
    int edge = 0;  // red pixels of the SVG's picture beside one that is not
    const int side = qMin(drawn.width(), preview.width());
    for (int y = 1; y + 1 < side; ++y) {
        for (int x = 1; x + 1 < side; ++x) {
            const bool a = red(preview.pixel(x, y));
            const bool b = red(drawn.pixel(x, y));
            filled += a ? 1 : 0;
            differ += a != b ? 1 : 0;
            const bool inside = red(drawn.pixel(x - 1, y)) && red(drawn.pixel(x + 1, y)) &&
                                red(drawn.pixel(x, y - 1)) && red(drawn.pixel(x, y + 1));
            edge += b && !inside ? 1 : 0;
        }
    }
    // Truncating to whole pixels moves the edge by a pixel or two; a wrong
    // figure differs by far more than its edge.
    QVERIFY2(filled > 10000, qPrintable(QString::number(filled)));
    QVERIFY2(differ < 2 * edge,
             qPrintable(QStringLiteral("%1 differ, the edge has %2").arg(differ).arg(edge)));
}

void PreviewTest::partFillIsThePaintersFill_data() {
    QTest::addColumn<QString>("document");
    QTest::newRow("hardest part") << QString(kHardestPart);
    QTest::newRow("hardest part, 0.5 mm outline") << QString(kHardestPart) + " StrokeWidth=50";
    QTest::newRow("filleted, grown star")
        << "CutOutline=1 CornerRadius=3 ValleyRadius=1.5 Offset=2";
    QTest::newRow("rotated {7/3} cut") << "EdgeNumber=7 StarStep=3 CutOutline=1 Rotation=20";
    QTest::newRow("hexagon across flats, mitred") << "EdgeNumber=6 StarType=2 SizeBy=1 Offset=1 "
                                                     "OffsetJoin=1";
}

// A part's fill is scanned by the core, and its outline of a pixel or less
// is the painter's own thin line: the picture is the painter's, pixel for
// pixel.
void PreviewTest::partFillIsThePaintersFill() {
    QFETCH(QString, document);
    const PreviewPicture picture = BuildPreviewPicture(SettingsOfPart(document), 96, '.');
    QVERIFY(!picture.designFigure);
    QVERIFY(picture.penWidth <= 1);
    QCOMPARE(PaintPreview(picture, Plain), PaintedByThePainter(picture));
}

void PreviewTest::partWideOutlineAgreesWithThePainter_data() {
    QTest::addColumn<QString>("document");
    QTest::newRow("hardest part, 4 mm") << QString(kHardestPart) + " StrokeWidth=400";
    QTest::newRow("hardest part, 2 mm") << QString(kHardestPart) + " StrokeWidth=200";
    QTest::newRow("filleted, grown star, 3 mm")
        << "CutOutline=1 CornerRadius=3 ValleyRadius=1.5 Offset=2 StrokeWidth=300";
    QTest::newRow("rotated {7/3} cut, 0.6 mm")
        << "EdgeNumber=7 StarStep=3 CutOutline=1 Rotation=20 StrokeWidth=60";
}

// A wide outline is the core's set of pixels within half the pen of the
// contours; the painter strokes the same line through its own curves, so
// the two may part only along the line's edge.
void PreviewTest::partWideOutlineAgreesWithThePainter() {
    QFETCH(QString, document);
    const PreviewPicture picture = BuildPreviewPicture(SettingsOfPart(document), 96, '.');
    QVERIFY(picture.penWidth > 1);
    const QImage runs = PaintPreview(picture, Plain);
    const QImage painter = PaintedByThePainter(picture);
    int differ = 0;
    int edge = 0;  // outline pixels of the painter's picture beside one that is not
    for (int y = 1; y + 1 < painter.height(); ++y) {
        for (int x = 1; x + 1 < painter.width(); ++x) {
            differ += runs.pixel(x, y) != painter.pixel(x, y) ? 1 : 0;
            const bool line = painter.pixel(x, y) == kBlack;
            const bool inside =
                painter.pixel(x - 1, y) == kBlack && painter.pixel(x + 1, y) == kBlack &&
                painter.pixel(x, y - 1) == kBlack && painter.pixel(x, y + 1) == kBlack;
            edge += line && !inside ? 1 : 0;
        }
    }
    QVERIFY2(edge > 500, qPrintable(QString::number(edge)));
    QVERIFY2(differ * 20 < edge,
             qPrintable(QStringLiteral("%1 differ, the edge has %2").arg(differ).arg(edge)));
}

// Runs overwrite pixels, which only an opaque colour may do.
void PreviewTest::translucentColoursAreLeftToThePainter() {
    const auto translucent = [](TColor c) {
        QColor color = Plain(c);
        color.setAlpha(128);
        return color;
    };
    const PreviewPicture picture =
        BuildPreviewPicture(SettingsOfPart(QString(kHardestPart) + " StrokeWidth=400"), 96, '.');
    QCOMPARE(PaintPreview(picture, translucent), PaintedByThePainter(picture, translucent));
}

void PreviewTest::highDensityBitmapKeepsTheFigure_data() {
    QTest::addColumn<QString>("document");
    QTest::addColumn<double>("ratio");
    QTest::newRow("design star") << "StrokeWidth=50" << 2.0;
    QTest::newRow("design star, 4 mm, no fill") << "StrokeWidth=400 FillTransparent=1" << 2.0;
    QTest::newRow("hardest part, 4 mm") << QString(kHardestPart) + " StrokeWidth=400" << 2.0;
    QTest::newRow("filleted, grown star, 1 mm")
        << "CutOutline=1 CornerRadius=3 ValleyRadius=1.5 Offset=2 StrokeWidth=100" << 2.0;
    QTest::newRow("hardest part at 1.5") << QString(kHardestPart) + " StrokeWidth=400" << 1.5;
    QTest::newRow("design star at 1.25") << "StrokeWidth=50" << 1.25;
}

// Where a colour lies in a picture, and how much of it.
struct ColourExtent {
    QRect box;
    int count = 0;
};

ColourExtent ExtentOf(const QImage& img, QRgb colour) {
    ColourExtent e;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) == colour) {
                e.box |= QRect(x, y, 1, 1);
                ++e.count;
            }
        }
    }
    return e;
}

// At device pixel ratio 2 the bitmap has twice the pixels a side (at a
// fractional ratio the nearest whole number) and the same size in logical
// pixels, and the figure is the same: the fill and the outline lie in the
// box scaled by the ratio, within a pixel either way, and cover the ratio
// squared times the pixels, but for the edges that the finer pixels draw
// otherwise (a thin line most of all).
void PreviewTest::highDensityBitmapKeepsTheFigure() {
    QFETCH(QString, document);
    QFETCH(double, ratio);
    const TStarSettings s = SettingsOfPart(document);
    const QImage one = Render(s);
    const QImage fine = RenderPreview(s, 96, Plain, '.', ratio);
    QCOMPARE(fine.width(), qRound(one.width() * ratio));
    QCOMPARE(fine.height(), fine.width());
    QCOMPARE(fine.devicePixelRatio(), ratio);
    QCOMPARE(fine.deviceIndependentSize().toSize(), one.size());

    for (const QRgb colour : {kBlack, kRed}) {
        const ColourExtent e1 = ExtentOf(one, colour);
        const ColourExtent e2 = ExtentOf(fine, colour);
        if (e1.count == 0) {
            QCOMPARE(e2.count, 0);
            continue;
        }
        // Pixel x of the picture spans device pixels x·ratio to (x + 1)·ratio.
        const auto scaled = [ratio](int v) { return v * ratio; };
        for (const auto& [a, b] : {std::pair{scaled(e1.box.left()), e2.box.left()},
                                   {scaled(e1.box.top()), e2.box.top()},
                                   {scaled(e1.box.right() + 1), e2.box.right() + 1},
                                   {scaled(e1.box.bottom() + 1), e2.box.bottom() + 1}}) {
            QVERIFY2(qAbs(a - b) <= 2, qPrintable(QStringLiteral("%1 against %2").arg(b).arg(a)));
        }
        const double area = e2.count / (ratio * ratio * e1.count);
        QVERIFY2(area > 0.8 && area < 1.25, qPrintable(QString::number(area)));
    }
}

QTEST_MAIN(PreviewTest)
#include "PreviewTest.moc"
