// The interface in the user's language, read through the widget tree as a
// user sees it. The same test runs under an English, a Japanese and a C
// locale (see CMakeLists.txt); POLYGRAV_EXPECT names the language expected.

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "FormHarness.h"
#include "app/FormDialogs.h"
#include "app/InterfaceLanguage.h"
#include "model/Errors.h"
#include "model/LanguageChoice.h"

using namespace polygrav;
using polygrav::test::FormHarness;

namespace {

Language Expected() {
    return qEnvironmentVariable("POLYGRAV_EXPECT") == QLatin1String("en") ? Language::English
                                                                          : Language::Japanese;
}

bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

// Qt's own parts of a widget (a tab bar's scroll buttons), whose texts are
// Qt's translation's, not the design's.
bool IsQtsOwn(const QWidget& w) {
    return w.objectName().isEmpty() || w.objectName().startsWith(QLatin1String("qt_")) ||
           qobject_cast<const QTabBar*>(w.parentWidget()) != nullptr;
}

// Every text the window shows or announces (captions, items, hints, tab
// names, the title), each named by its widget, in the widget tree's order;
// Qt's own parts only when asked for.
QStringList WindowTexts(const QWidget& window, bool withQtsOwn) {
    QStringList texts{QStringLiteral("title: ") + window.windowTitle()};
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!withQtsOwn && IsQtsOwn(*w)) continue;
        const QString name = w->objectName() + QStringLiteral(": ");
        if (const auto* label = qobject_cast<const QLabel*>(w)) texts << name + label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            texts << name + button->text();
        }
        if (const auto* box = qobject_cast<const QGroupBox*>(w)) texts << name + box->title();
        if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
            texts << name + edit->placeholderText();
        }
        if (const auto* tabs = qobject_cast<const QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) texts << name + tabs->tabText(i);
        }
        if (!w->toolTip().isEmpty()) texts << name + QStringLiteral("hint ") + w->toolTip();
        if (!w->accessibleName().isEmpty()) texts << name + w->accessibleName();
    }
    return texts;
}

// The title of the modal dialog that run opens, which is closed at once.
QString DialogTitle(const std::function<void()>& run) {
    QString title;
    QTimer::singleShot(0, [&title] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            title = dialog->windowTitle();
            dialog->close();
        }
    });
    run();
    return title;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void choiceFollowsTheLocale();
    void windowTexts();
    void textsFitTheirControls();
    void errorBox();
    void dialogsOfQt();
};

// Qt's reading of the preferred languages and the core's give the same
// language, so the window and polygrav-convert always agree.
void LanguageTest::choiceFollowsTheLocale() {
    QCOMPARE(InterfaceLanguage(), Expected());
    QCOMPARE(LanguageOfEnvironment(), Expected());
    QCOMPARE(MessageLanguage(), Expected());
}

// English: no Japanese character anywhere on either tab page, in the title
// or in the version label's hint. Japanese and C: every text is the
// design's, the one the window has without any translation.
void LanguageTest::windowTexts() {
    FormHarness translated;
    translated.create();
    if (Expected() == Language::English) {
        for (const QString& text : WindowTexts(*translated.form, true)) {
            QVERIFY2(!HasJapanese(text), qPrintable(text));
        }
        return;
    }
    const QStringList shown = WindowTexts(*translated.form, false);
    const QList<QTranslator*> translators = qApp->findChildren<QTranslator*>();
    for (QTranslator* t : translators) QCoreApplication::removeTranslator(t);
    FormHarness design;
    design.create();
    const QStringList source = WindowTexts(*design.form, false);
    for (QTranslator* t : translators) QCoreApplication::installTranslator(t);
    QCOMPARE(shown, source);
}

// Every caption shows whole in English: a label's or a button's text needs
// no more room than the control has (or than the design's Japanese text
// needs there already), on both tab pages, and the multi-line labels end
// above the box under them.
void LanguageTest::textsFitTheirControls() {
    if (Expected() != Language::English) QSKIP("the design's own texts");
    FormHarness h;
    h.create();
    h.form->show();
    const QList<QTranslator*> translators = qApp->findChildren<QTranslator*>();
    for (QTranslator* t : translators) QCoreApplication::removeTranslator(t);
    FormHarness design;
    design.create();
    design.form->show();
    for (QTranslator* t : translators) QCoreApplication::installTranslator(t);

    for (const QWidget* w : h.form->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        if (IsQtsOwn(*w) || ((!label || label->text().isEmpty() || label->wordWrap()) &&
                             (!button || button->text().isEmpty()))) {
            continue;
        }
        const QWidget* original = design.control<QWidget>(qPrintable(w->objectName()));
        const QSize need = w->sizeHint();
        const QSize allowed = w->size().expandedTo(original->sizeHint());
        const QString what = w->objectName() + QStringLiteral(" needs ") +
                             QString::number(need.width()) + 'x' + QString::number(need.height()) +
                             QStringLiteral(", has ") + QString::number(allowed.width()) + 'x' +
                             QString::number(allowed.height());
        QVERIFY2(need.width() <= allowed.width(), qPrintable(what));
        if (label) QVERIFY2(need.height() <= allowed.height(), qPrintable(what));
    }
    // A label that wraps shows all its lines: it is as tall as its text
    // needs at its width.
    auto* pages = h.control<QTabWidget>("PageControl1");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QCoreApplication::processEvents();
        for (const QLabel* label : pages->widget(page)->findChildren<QLabel*>()) {
            if (!label->wordWrap() || label->text().isEmpty() || !label->isVisible()) continue;
            const int need = label->heightForWidth(label->width());
            QVERIFY2(
                need <= label->height(),
                qPrintable(label->objectName() + QStringLiteral(" needs ") + QString::number(need) +
                           QStringLiteral(", has ") + QString::number(label->height())));
        }
    }
    // A multi-line label ends where the design's ends or above the box under
    // it, so it covers no more of that box than the design's does.
    for (const char* pair : {"Label1 edtNum", "Label2 edtSize", "lblSVGFillRule chbSVGFillRule"}) {
        const QStringList names = QString::fromLatin1(pair).split(' ');
        const int bottom = h.control<QWidget>(qPrintable(names[0]))->geometry().bottom();
        const int allowed =
            std::max(design.control<QWidget>(qPrintable(names[0]))->geometry().bottom(),
                     h.control<QWidget>(qPrintable(names[1]))->geometry().top() - 1);
        QVERIFY2(bottom <= allowed, qPrintable(QString::fromLatin1(pair) + QStringLiteral(": ") +
                                               QString::number(bottom) + QStringLiteral(" > ") +
                                               QString::number(allowed)));
    }
}

// The error box shows the core's message in the interface's language.
void LanguageTest::errorBox() {
    FormHarness h;
    h.create();
    h.control<QLineEdit>("edtSize")->clear();
    h.dialogs.colorAnswers.push_back(QColor(0, 0, 255));
    QTest::mouseClick(h.control<QWidget>("btnFillColor"), Qt::LeftButton);
    QCOMPARE(h.dialogs.errorTexts(), QStringList{QString::fromStdString(
                                         WithClosingPeriod(NotAFloatMessage("").In(Expected())))});
}

// Qt's own dialogs speak the interface's language too: the save and colour
// dialogs' titles, and the question before a file is replaced, which come
// from Qt's translation (qtbase_ja.qm) under Japanese and C.
void LanguageTest::dialogsOfQt() {
    const std::unique_ptr<FormDialogs> dialogs = MakeQtFormDialogs();
    const QString colour =
        DialogTitle([&dialogs] { dialogs->ChooseColor(nullptr, QColor(Qt::red)); });
    SaveDialogRequest request;
    request.filter = QStringLiteral("SVG file(*.svg)");
    request.defaultSuffix = QStringLiteral("svg");
    request.folder = QDir::tempPath();
    request.fileName = QStringLiteral("Untitled");
    const QString save = DialogTitle([&] { dialogs->ChooseSavePath(nullptr, request); });
    const QString replace = QFileDialog::tr("%1 already exists.\nDo you want to replace it?");
    QVERIFY(!colour.isEmpty());
    QVERIFY(!save.isEmpty());
    if (Expected() == Language::English) {
        QVERIFY2(!HasJapanese(colour), qPrintable(colour));
        QVERIFY2(!HasJapanese(save), qPrintable(save));
        QVERIFY2(!HasJapanese(replace), qPrintable(replace));
    } else {
        QVERIFY2(HasJapanese(colour), qPrintable(colour));
        QVERIFY2(HasJapanese(save), qPrintable(save));
        QVERIFY2(HasJapanese(replace), qPrintable(replace));
    }
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallInterfaceLanguage(app, InterfaceLanguage());
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LanguageTest.moc"
