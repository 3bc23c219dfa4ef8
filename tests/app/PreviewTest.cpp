// The preview bitmap, checked by its pixels at 96 pixels per inch.

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include "app/Preview.h"
#include "app/SystemColors.h"
#include "model/Errors.h"

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

QTEST_MAIN(PreviewTest)
#include "PreviewTest.moc"
