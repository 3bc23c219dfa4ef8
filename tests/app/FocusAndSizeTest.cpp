// The keyboard focus of the shown window (where it starts, the Tab order,
// the preview's scroll box and its mark) and the smallest window, which
// still shows the whole left column.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "FormHarness.h"
#include "app/FocusMark.h"

using polygrav::FocusMark;
using polygrav::test::FormHarness;

namespace {

// Shows the window and waits until it has the keyboard.
bool ShowActive(FormHarness& h) {
    h.create();
    h.form->show();
    h.form->activateWindow();
    return QTest::qWaitForWindowActive(h.form.get());
}

QString FocusName() {
    const QWidget* w = QApplication::focusWidget();
    return w == nullptr ? QString("none") : w->objectName();
}

}  // namespace

class FocusAndSizeTest : public QObject {
    Q_OBJECT

  private slots:
    void focusStartsInThePointCount();
    void tabOrderLeavesOutTheScrollBox();
    void clickedScrollBoxScrollsByKeysAndShowsItsMark();
    void smallestWindowShowsTheWholeLeftColumn_data();
    void smallestWindowShowsTheWholeLeftColumn();
};

void FocusAndSizeTest::focusStartsInThePointCount() {
    FormHarness h;
    QVERIFY(ShowActive(h));
    auto* edtNum = h.control<QLineEdit>("edtNum");
    QCOMPARE(QApplication::focusWidget(), edtNum);
    // Typing goes straight into the box.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), "0");
    QCOMPARE(edtNum->text(), QString("50"));
    QCOMPARE(h.form->Snapshot().EdgeNumber, std::string("50"));
}

void FocusAndSizeTest::tabOrderLeavesOutTheScrollBox() {
    FormHarness h;
    QVERIFY(ShowActive(h));
    // One round of Tab from the point count back to it, in the order of the
    // first page and then the lower panel.
    QStringList cycle{FocusName()};
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (FocusName() == cycle.first()) {
            break;
        }
        cycle << FocusName();
    }
    QCOMPARE(cycle, (QStringList{"edtNum", "edtSize", "RadioGroupStarTypeItem0", "btnStrokeColor",
                                 "btnFillColor", "trbStrokeWidth", "chbTransparent", "btnSVG",
                                 "chbSVGView", "qt_tabwidget_tabbar"}));
}

void FocusAndSizeTest::clickedScrollBoxScrollsByKeysAndShowsItsMark() {
    FormHarness h;
    QVERIFY(ShowActive(h));
    h.control<QLineEdit>("edtSize")->setText("100");  // larger than the window
    auto* scroll = h.control<QScrollArea>("ScrollBox1");
    auto* mark = h.control<FocusMark>("ScrollBox1FocusMark");
    QVERIFY(!mark->isVisible());

    QTest::mouseClick(h.control<QLabel>("Image1"), Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(QApplication::focusWidget(), scroll);
    QVERIFY(mark->isVisible());
    QCOMPARE(mark->geometry(), scroll->viewport()->geometry());
    // The mark is drawn over the picture at the viewport's edge.
    const QImage shown = scroll->grab().toImage();
    const QPoint corner = scroll->viewport()->geometry().topLeft();
    QCOMPARE(shown.pixelColor(corner + QPoint(0, 40)),
             scroll->palette().color(QPalette::Highlight));
    QCOMPARE(shown.pixelColor(corner + QPoint(40, FocusMark::kWidth - 1)),
             scroll->palette().color(QPalette::Highlight));

    QTest::keyClick(scroll, Qt::Key_Down);
    QVERIFY(scroll->verticalScrollBar()->value() > 0);
    QTest::keyClick(scroll, Qt::Key_Right);
    QVERIFY(scroll->horizontalScrollBar()->value() > 0);

    // Back in an edit box, the mark goes.
    QTest::mouseClick(h.control<QLineEdit>("edtNum"), Qt::LeftButton);
    QCOMPARE(FocusName(), QString("edtNum"));
    QVERIFY(!mark->isVisible());
}

void FocusAndSizeTest::smallestWindowShowsTheWholeLeftColumn_data() {
    QTest::addColumn<QSize>("asked");
    QTest::newRow("500 × 482") << QSize(500, 482);
    QTest::newRow("300 × 300") << QSize(300, 300);
    QTest::newRow("1 × 1") << QSize(1, 1);
}

void FocusAndSizeTest::smallestWindowShowsTheWholeLeftColumn() {
    QFETCH(QSize, asked);
    FormHarness h;
    h.create();
    h.form->show();
    h.form->resize(asked);
    QCoreApplication::processEvents();
    const QRect window = h.form->rect();
    for (const char* name : {"PageControl1", "Panel2", "btnSVG", "chbSVGView"}) {
        const QWidget* w = h.control<QWidget>(name);
        const QRect inWindow(w->mapTo(h.form.get(), QPoint(0, 0)), w->size());
        QVERIFY2(window.contains(inWindow), name);
    }
    // The lower panel keeps its design height.
    QCOMPARE(h.control<QWidget>("Panel2")->height(), 84);
}

QTEST_MAIN(FocusAndSizeTest)
#include "FocusAndSizeTest.moc"
