// The window relies on these Qt signals firing for programmatic changes as
// for the user's, and on writing the present value firing nothing.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

class ControlSignalsTest : public QObject {
    Q_OBJECT

  private slots:
    void editTextChanged();
    void sliderValueChanged();
    void checkBoxToggled();
    void buttonGroupIdToggled();
    void buttonGroupCanBeEmptied();
    void spinBoxValueChanged();
    void comboBoxIndexChanged();
};

void ControlSignalsTest::editTextChanged() {
    QLineEdit edit("5");
    QSignalSpy spy(&edit, &QLineEdit::textChanged);
    edit.setText("5");
    QCOMPARE(spy.count(), 0);
    edit.setText("100");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QString("100"));
    QTest::keyClicks(&edit, "7");
    QCOMPARE(spy.count(), 2);
}

void ControlSignalsTest::sliderValueChanged() {
    QSlider slider(Qt::Horizontal);
    slider.setRange(0, 400);
    slider.setValue(50);
    QSignalSpy spy(&slider, &QSlider::valueChanged);
    slider.setValue(50);
    QCOMPARE(spy.count(), 0);
    slider.setValue(1000);  // brought to the nearer end first
    QCOMPARE(spy.count(), 1);
    QCOMPARE(slider.value(), 400);
    slider.setValue(401);
    QCOMPARE(spy.count(), 1);
}

void ControlSignalsTest::checkBoxToggled() {
    QCheckBox box;
    QSignalSpy spy(&box, &QCheckBox::toggled);
    box.setChecked(false);
    QCOMPARE(spy.count(), 0);
    box.setChecked(true);
    box.setChecked(true);
    QCOMPARE(spy.count(), 1);
}

void ControlSignalsTest::buttonGroupIdToggled() {
    QWidget parent;
    QButtonGroup group;
    QRadioButton a(&parent), b(&parent);
    group.addButton(&a, 0);
    group.addButton(&b, 1);
    a.setChecked(true);
    QSignalSpy spy(&group, &QButtonGroup::idToggled);
    a.setChecked(true);
    QCOMPARE(spy.count(), 0);
    b.setChecked(true);
    // The old item lets go, the new one is checked: one toggle each.
    QCOMPARE(spy.count(), 2);
    QList<QVariant> checked = spy.at(0).at(1).toBool() ? spy.at(0) : spy.at(1);
    QCOMPARE(checked.at(0).toInt(), 1);
}

void ControlSignalsTest::buttonGroupCanBeEmptied() {
    QWidget parent;
    QButtonGroup group;
    QRadioButton a(&parent), b(&parent);
    group.addButton(&a, 0);
    group.addButton(&b, 1);
    a.setChecked(true);
    QSignalSpy spy(&group, &QButtonGroup::idToggled);
    a.setChecked(false);  // an exclusive group keeps its item
    QCOMPARE(group.checkedId(), 0);
    group.setExclusive(false);
    a.setChecked(false);
    group.setExclusive(true);
    QCOMPARE(group.checkedId(), -1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).toBool(), false);
}

// The part's step: a set value fires once, the present one not; typed
// digits wait for the return key.
void ControlSignalsTest::spinBoxValueChanged() {
    QSpinBox spin;
    spin.setRange(-1000, 1000);
    spin.setValue(2);
    spin.setKeyboardTracking(false);
    QSignalSpy spy(&spin, &QSpinBox::valueChanged);
    spin.setValue(2);
    QCOMPARE(spy.count(), 0);
    spin.setValue(-4);
    QCOMPARE(spy.count(), 1);
    QTest::keyClick(&spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&spin, "12");
    QCOMPARE(spy.count(), 1);
    QTest::keyClick(&spin, Qt::Key_Return);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spin.value(), 12);
}

// The part's choices: a set index fires once, the present one not, and the
// index can be cleared.
void ControlSignalsTest::comboBoxIndexChanged() {
    QComboBox combo;
    combo.addItems({"a", "b", "c"});
    QSignalSpy spy(&combo, &QComboBox::currentIndexChanged);
    combo.setCurrentIndex(0);
    QCOMPARE(spy.count(), 0);
    combo.setCurrentIndex(2);
    QCOMPARE(spy.count(), 1);
    combo.setCurrentIndex(-1);
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(spy.count(), 2);
}

QTEST_MAIN(ControlSignalsTest)
#include "ControlSignalsTest.moc"
