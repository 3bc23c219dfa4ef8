// A page of settings keys made from the key table, tried on the part's keys
// without a window: every key of the section gets its row, named by its kind
// and labelled from the catalogue; values written into the page go through
// the controls' handlers and come back through valuesChanged, and the page
// hands over only its own keys.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <vector>

#include "app/HandlerGuard.h"
#include "app/KeyPage.h"
#include "app/QtText.h"
#include "model/KeyFields.h"
#include "model/Messages.h"

using namespace polygrav;

namespace {

QString Text(MessageId id) {
    return ToQString(MessageText(id));
}

// The control a key's kind gives it.
QWidget* ControlOf(const KeyPage& page, const SettingsKeyInfo& info) {
    const QString name = QString::fromLatin1(info.name);
    if (info.kind == KeyKind::Flag) return page.findChild<QCheckBox*>("chb" + name);
    if (info.unit == KeyUnit::Choice) return page.findChild<QComboBox*>("cmb" + name);
    if (info.kind == KeyKind::Integer) return page.findChild<QSpinBox*>("spn" + name);
    return page.findChild<QLineEdit*>("edt" + name);
}

// Every part key away from its default, as a settings file could hold it.
DocumentSettings EveryPartKeySet() {
    DocumentSettings d;
    d.svg.Part = PartSettings{.StarStep = 3,
                              .InnerRatio = 0.4,
                              .Rotation = 15,
                              .SizeBy = kSizeBySide,
                              .CornerRadius = 0.5,
                              .ValleyRadius = 0.25,
                              .Offset = -1.5,
                              .OffsetJoin = kMitreJoin,
                              .CutOutline = true};
    return d;
}

}  // namespace

class KeyPageTest : public QObject {
    Q_OBJECT

  private slots:
    void rowsFollowTheTable();
    void valuesGoThroughTheControls();
    void pageHandsOverOnlyItsKeys();
    void choiceOutOfItsItemsShowsNoItem();
    void disabledKeyDisablesItsLabelToo();

  private:
    HandlerGuard guard_{[](std::exception_ptr) {}};
};

void KeyPageTest::rowsFollowTheTable() {
    const KeyPage page(guard_, "SVG", KeyPlace::Part);
    const std::vector<SettingsKeyInfo> keys = KeysOfSection("SVG", KeyPlace::Part);
    QVERIFY(!keys.empty());
    QCOMPARE(page.keys().size(), keys.size());
    const auto* layout = qobject_cast<const QFormLayout*>(page.layout());
    QVERIFY(layout != nullptr);
    QCOMPARE(layout->rowCount(), static_cast<int>(keys.size()));
    for (int row = 0; row < layout->rowCount(); ++row) {
        const SettingsKeyInfo& info = keys[static_cast<std::size_t>(row)];
        QWidget* control = ControlOf(page, info);
        QVERIFY2(control != nullptr, info.name);
        QCOMPARE(control->toolTip(), Text(info.help));
        if (info.kind == KeyKind::Flag) {
            QCOMPARE(layout->itemAt(row, QFormLayout::SpanningRole)->widget(), control);
            QCOMPARE(static_cast<QCheckBox*>(control)->text(), Text(info.label));
            continue;
        }
        QCOMPARE(layout->itemAt(row, QFormLayout::FieldRole)->widget(), control);
        auto* label = qobject_cast<QLabel*>(layout->itemAt(row, QFormLayout::LabelRole)->widget());
        QVERIFY(label != nullptr);
        QCOMPARE(label->objectName(), "lbl" + QString::fromLatin1(info.name));
        QCOMPARE(label->text(), Text(info.label));
        if (auto* box = qobject_cast<QComboBox*>(control)) {
            const std::vector<KeyChoice> choices = ChoicesOf(info.key);
            QCOMPARE(box->count(), static_cast<int>(choices.size()));
            for (int i = 0; i < box->count(); ++i) {
                QCOMPARE(box->itemText(i), Text(choices[static_cast<std::size_t>(i)].text));
                QCOMPARE(box->itemData(i).toInt(), choices[static_cast<std::size_t>(i)].value);
            }
        }
        if (info.kind == KeyKind::OptionalDecimal) {
            QCOMPARE(static_cast<QLineEdit*>(control)->placeholderText(),
                     Text(EmptyTextOf(info.key)));
        }
    }
    QVERIFY(page.values() == DocumentSettings{});
}

// Each key that changes runs its control's handler once; writing the values
// the page holds changes nothing.
void KeyPageTest::valuesGoThroughTheControls() {
    KeyPage page(guard_, "SVG", KeyPlace::Part);
    QSignalSpy changed(&page, &KeyPage::valuesChanged);
    const DocumentSettings every = EveryPartKeySet();
    page.setValues(every);
    QCOMPARE(page.values().svg.Part, every.svg.Part);
    QCOMPARE(changed.count(), static_cast<int>(page.keys().size()));
    QCOMPARE(page.findChild<QLineEdit*>("edtInnerRatio")->text(), QString("0.4"));
    QCOMPARE(page.findChild<QComboBox*>("cmbSizeBy")->currentIndex(), kSizeBySide);

    changed.clear();
    page.setValues(every);
    QCOMPARE(changed.count(), 0);

    // Back to none: the empty box.
    page.setValues(DocumentSettings{});
    QVERIFY(page.values().svg.Part.IsDefault());
    QCOMPARE(page.findChild<QLineEdit*>("edtInnerRatio")->text(), QString());
}

void KeyPageTest::pageHandsOverOnlyItsKeys() {
    KeyPage page(guard_, "SVG", KeyPlace::Part);
    DocumentSettings given = EveryPartKeySet();
    given.svg.EdgeNumber = "9";
    page.setValues(given);
    DocumentSettings document;
    document.svg.EdgeNumber = "7";
    document.svg.StrokeWidth = 120;
    page.applyTo(document);
    QCOMPARE(document.svg.Part, given.svg.Part);
    QCOMPARE(document.svg.EdgeNumber, std::string("7"));
    QCOMPARE(document.svg.StrokeWidth, 120);
    // The page's values hold its own keys only.
    QCOMPARE(page.values().svg.EdgeNumber, TStarSettings{}.EdgeNumber);
}

void KeyPageTest::choiceOutOfItsItemsShowsNoItem() {
    KeyPage page(guard_, "SVG", KeyPlace::Part);
    QSignalSpy changed(&page, &KeyPage::valuesChanged);
    DocumentSettings d;
    d.svg.Part.OffsetJoin = 7;
    page.setValues(d);
    QCOMPARE(page.findChild<QComboBox*>("cmbOffsetJoin")->currentIndex(), -1);
    QCOMPARE(page.values().svg.Part.OffsetJoin, 7);
    QCOMPARE(changed.count(), 1);
    page.findChild<QComboBox*>("cmbOffsetJoin")->setCurrentIndex(1);
    QCOMPARE(page.values().svg.Part.OffsetJoin, kMitreJoin);
    QCOMPARE(changed.count(), 2);
}

void KeyPageTest::disabledKeyDisablesItsLabelToo() {
    KeyPage page(guard_, "SVG", KeyPlace::Part);
    page.setKeyEnabled(SettingsKey::Rotation, false);
    QVERIFY(!page.findChild<QLineEdit*>("edtRotation")->isEnabled());
    QVERIFY(!page.findChild<QLabel*>("lblRotation")->isEnabled());
    QVERIFY(page.findChild<QLineEdit*>("edtOffset")->isEnabled());
    page.setKeyEnabled(SettingsKey::Rotation, true);
    QVERIFY(page.findChild<QLabel*>("lblRotation")->isEnabled());
}

QTEST_MAIN(KeyPageTest)
#include "KeyPageTest.moc"
