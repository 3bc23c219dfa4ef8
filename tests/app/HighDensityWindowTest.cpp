// The window on a screen of device pixel ratio 2: the offscreen platform
// scaled by QT_SCALE_FACTOR, set before the application starts.

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTest>

#include "FormHarness.h"

using namespace polygrav;
using namespace polygrav::test;

class HighDensityWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void previewIsSharpAndKeepsItsSize();
};

// The preview's bitmap has a device pixel for each half logical pixel, so
// that nothing enlarges it; the control and the scrolled area keep the
// picture's side in logical pixels.
void HighDensityWindowTest::previewIsSharpAndKeepsItsSize() {
    FormHarness h;
    h.create();
    h.form->show();
    QCOMPARE(h.form->devicePixelRatio(), 2.0);
    const QPixmap shown = h.control<QLabel>("Image1")->pixmap();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QCOMPARE(shown.size(), QSize(906, 906));
    QCOMPARE(h.control<QLabel>("Image1")->size(), QSize(453, 453));
    QCOMPARE(h.control<QWidget>("ScrollBoxContents")->size(), QSize(453, 453));
    const QImage picture = h.shownPreview();
    QCOMPARE(picture.pixel(451, 75), qRgb(0, 0, 0));     // the top tip, (225, 37) logical
    QCOMPARE(picture.pixel(452, 452), qRgb(255, 0, 0));  // the centre
    QCOMPARE(picture, h.expectedPreview(TStarSettings{}));
}

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HighDensityWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HighDensityWindowTest.moc"
