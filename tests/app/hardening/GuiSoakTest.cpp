// A long run of random user actions on the real window over fake dialogs:
// typing into the two edit boxes, the track bar, the star type, the check
// boxes, the colour dialogs, the controls of the part's page, the SVG
// command, closing, and loading random and damaged settings files. After
// every action no exception has escaped, every error shown is one of the
// program's own, the preview exists, both edit boxes hold what their input
// rules promise, the width label follows the track bar, a preview of two
// valid numbers and the design's figure has the size the radius gives, and a
// part's preview just drawn has the size of its document. The run is seeded with a fixed number;
// POLYGRAV_SOAK_SEED picks another, and POLYGRAV_SOAK_STEPS sets its length.

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <exception>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "FormHarness.h"
#include "app/QtText.h"
#include "geometry/PreviewPixels.h"
#include "model/Errors.h"
#include "model/NumberRules.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsModel.h"
#include "svg/SvgDocument.h"

using namespace polygrav;
using polygrav::test::FormHarness;

namespace {

constexpr std::uint64_t kDefaultSeed = 20261210;  // the same run every time unless asked
constexpr int kDefaultSteps = 3000;
constexpr std::size_t kLogLength = 40;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') return fallback;
    return std::strtoull(text, nullptr, 10);
}

// The texts the program shows in its error box.
bool IsOwnErrorText(const QString& text) {
    static const QRegularExpression own(
        QStringLiteral("^('.*' は(整数|浮動小数点数|3以上の整数)ではありません|"
                       "ファイル .* を作成できません|ストリームへの書き込みエラー|"
                       // The part's geometry, which names the value and its range.
                       "(点の数|星のステップ|内側の比率|(角の|谷の)?半径|大きさ|オフセット|"
                       "SizeBy の値|OffsetJoin の値) .*(ありません|です)|"
                       "オフセット .* mm では輪郭が残りません|この設定では輪郭ができません)\\.$"),
        QRegularExpression::DotMatchesEverythingOption);
    return own.match(text).hasMatch();
}

// Empty, or one byte "0" to "4": the rules hold it back while a number is typed.
bool HeldBack(const std::string& text) {
    return text.empty() || (text.size() == 1 && text[0] >= '0' && text[0] <= '4');
}

// What the point-count rule promises: held back, "5" for anything at or
// below 5, otherwise a whole number above 5 and at most 100.
bool PointCountKept(const std::string& text) {
    if (HeldBack(text) || text == "5") return true;
    const auto n = TryStrToInt(text);
    return n && *n > 5 && *n <= 100;
}

// The same for the radius with the decimal-number rule.
bool RadiusKept(const std::string& text, char separator) {
    if (HeldBack(text) || text == "5") return true;
    const auto r = TryStrToFloat(text, separator);
    return r && *r > 5.0 && *r <= 100.0;
}

// "輪郭線の幅：" and the position in hundredths with four decimals.
QString WidthCaption(int position, char separator) {
    return QStringLiteral("輪郭線の幅：%1%2%3(mm)")
        .arg(position / 100)
        .arg(QLatin1Char(separator))
        .arg(QStringLiteral("%1").arg(position % 100, 2, 10, QLatin1Char('0')) + "00");
}

// The settings and the save folder in one line, for a failure report.
QString Describe(const TStarSettings& s, const std::string& favoriteDir) {
    return test::DescribeSettings(s) + QStringLiteral(" folder \"%1\"").arg(ToQString(favoriteDir));
}

// Bytes of a file as printable text.
QString Printable(const std::string& bytes) {
    return QString::fromLatin1(QByteArray::fromStdString(bytes).toPercentEncoding(" =[]$.,\"-/"));
}

class Soak {
  public:
    explicit Soak(std::uint64_t seed) : rng_(seed), separator_(LocaleDecimalSeparator()) {
        h_.create();
        h_.form->show();
        edtNum_ = h_.control<QLineEdit>("edtNum");
        edtSize_ = h_.control<QLineEdit>("edtSize");
        slider_ = h_.control<QSlider>("trbStrokeWidth");
        starType_ = h_.control<QButtonGroup>("RadioGroupStarTypeButtons");
        ppi_ = qRound(h_.form->screen()->logicalDotsPerInch());
    }

    // Does one random action; the text of what went wrong, or empty.
    QString Step(int step) {
        step_ = step;
        errorsBefore_ = h_.dialogs.errors.size();
        h_.resetRedraws();
        checkLoad_ = false;
        try {
            Pick()();
        } catch (const std::exception& e) {
            return QStringLiteral("an exception escaped: ") + e.what();
        } catch (...) {
            return QStringLiteral("an unknown exception escaped");
        }
        if (step % 50 == 0) QCoreApplication::processEvents();
        return Check();
    }

    std::size_t errorsShown() const { return h_.dialogs.errors.size(); }
    int loads() const { return loads_; }
    int saves() const { return saves_; }
    int validSteps() const { return validSteps_; }
    int partSteps() const { return partSteps_; }

    QString Log() const {
        QStringList lines;
        for (const QString& line : log_) lines << line;
        return lines.join('\n');
    }

    // Files the run left in the program's folder: only the settings file
    // and the SVG files written, no temporary file.
    QString CheckFolder() const {
        const QStringList names =
            QDir(h_.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QString& name : names) {
            if (name != "polygrav.ini" &&
                !QRegularExpression("^out-\\d+\\.svg$").match(name).hasMatch()) {
                return "unexpected file " + name;
            }
        }
        return {};
    }

  private:
    using Action = std::function<void()>;

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    template <class T>
    const T& OneOf(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Uniform(0, static_cast<int>(items.size()) - 1))];
    }

    void Note(const QString& what) {
        log_.push_back(QStringLiteral("%1: %2").arg(step_).arg(what));
        if (log_.size() > kLogLength) log_.pop_front();
    }

    // A short text of one flavour: digits, number-like, any printable ASCII,
    // or with full-width digits and Japanese.
    QString RandomText() {
        static const QString numberish = QStringLiteral("0123456789+-.,eE$xX ");
        static const QString wide = QStringLiteral("０１２３４５６７８９星形");
        const int length = Uniform(1, 5);
        const int flavour = Uniform(0, 3);
        QString text;
        for (int i = 0; i < length; ++i) {
            switch (flavour) {
                case 0:
                    text += QChar('0' + Uniform(0, 9));
                    break;
                case 1:
                    text += numberish[Uniform(0, static_cast<int>(numberish.size()) - 1)];
                    break;
                case 2:
                    text += QChar(Uniform(0x20, 0x7E));
                    break;
                default:
                    text += Chance(0.5) ? wide[Uniform(0, static_cast<int>(wide.size()) - 1)]
                                        : QChar('0' + Uniform(0, 9));
            }
        }
        return text;
    }

    QLineEdit* AnEdit() { return Chance(0.5) ? edtNum_ : edtSize_; }

    // A decimal box of the part's page.
    QLineEdit* APartBox() {
        static const std::vector<const char*> names = {
            "edtInnerRatio", "edtRotation", "edtCornerRadius", "edtValleyRadius", "edtOffset"};
        return h_.control<QLineEdit>(OneOf(names));
    }

    // A value for a part's box: mostly small numbers that build, some that
    // do not, and now and then any text.
    QString RandomPartText() {
        static const std::vector<QString> texts = {
            "0", "0", "0",  "0.5", "1",   "0.3", "0.7", "15",  "-0.5", "1e-1",
            "",  "-", "2.", " 1 ", "-30", "40",  "1,5", "abc", "0.4",  "0"};
        return Chance(0.9) ? OneOf(texts) : RandomText();
    }

    void TypePartBox() {
        QLineEdit* box = APartBox();
        const QString text = RandomPartText();
        Note(box->objectName() + " typed \"" + text + "\"");
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
        } else {
            TypeText(box, text);
        }
    }

    void PastePartBox() {
        QLineEdit* box = APartBox();
        const QString text = RandomPartText();
        Note(box->objectName() + " set to \"" + text + "\"");
        box->setText(text);
    }

    void StarStep() {
        auto* spin = h_.control<QSpinBox>("spnStarStep");
        if (Chance(0.5)) {
            const int value = Chance(0.7) ? 2 : Uniform(-1, 8);
            Note(QStringLiteral("star step set to %1").arg(value));
            spin->setValue(value);
        } else {
            const bool up = Chance(0.5);
            Note(up ? QStringLiteral("star step up") : QStringLiteral("star step down"));
            QTest::keyClick(spin, up ? Qt::Key_Up : Qt::Key_Down);
        }
    }

    void PartChoice() {
        const char* name = Chance(0.5) ? "cmbSizeBy" : "cmbOffsetJoin";
        auto* choice = h_.control<QComboBox>(name);
        const int index = Uniform(0, choice->count() - 1);
        Note(QStringLiteral("%1 item %2").arg(QLatin1String(name)).arg(index));
        choice->setCurrentIndex(index);
    }

    Action Pick() {
        struct Weighted {
            int weight;
            Action action;
        };
        const std::vector<Weighted> actions = {
            {25, [this] { TypeInto(AnEdit()); }},
            {10, [this] { EditKeys(AnEdit()); }},
            {5, [this] { SelectAllAndDelete(AnEdit()); }},
            {3, [this] { UndoOrRedo(AnEdit()); }},
            {4, [this] { PasteOver(AnEdit()); }},
            {8, [this] { TrackKeys(); }},
            {4, [this] { TrackSetValue(); }},
            {2, [this] { TrackDrag(); }},
            {6, [this] { ChooseStarType(); }},
            {6, [this] { ToggleCheckBox(); }},
            {8, [this] { ColourDialog(); }},
            {5, [this] { TypePartBox(); }},
            {2, [this] { PastePartBox(); }},
            {3, [this] { StarStep(); }},
            {2, [this] { PartChoice(); }},
            {2, [this] { ToggleCutOutline(); }},
            {8, [this] { PartBackToTheDesign(); }},
            {3, [this] { LoadRandomBytes(); }},
            {6, [this] { LoadDamagedDocument(); }},
            {2, [this] { SaveSvg(); }},
            {1, [this] { CloseAndCheckTheSavedFile(); }},
        };
        int total = 0;
        for (const auto& a : actions) total += a.weight;
        int pick = Uniform(0, total - 1);
        for (const auto& a : actions) {
            if (pick < a.weight) return a.action;
            pick -= a.weight;
        }
        return actions.back().action;
    }

    void TypeInto(QLineEdit* edit) {
        if (Chance(0.2)) QTest::keyClick(edit, Qt::Key_Home);
        const QString text = RandomText();
        Note(edit->objectName() + " typed \"" + text + "\"");
        TypeText(edit, text);
    }

    void TypeText(QLineEdit* edit, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(edit, c.toLatin1());
            } else {
                // Full-width digits and Japanese come through the input method.
                QInputMethodEvent commit;
                commit.setCommitString(c);
                QApplication::sendEvent(edit, &commit);
            }
        }
    }

    void EditKeys(QLineEdit* edit) {
        static const std::vector<Qt::Key> keys = {
            Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home,
            Qt::Key_End,       Qt::Key_Left,      Qt::Key_Right};
        const int count = Uniform(1, 4);
        QString names;
        for (int i = 0; i < count; ++i) {
            const Qt::Key key = OneOf(keys);
            names += QStringLiteral(" %1").arg(static_cast<int>(key), 0, 16);
            QTest::keyClick(edit, key);
        }
        Note(edit->objectName() + " keys" + names);
    }

    void SelectAllAndDelete(QLineEdit* edit) {
        Note(edit->objectName() + " select all, delete");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Chance(0.5) ? Qt::Key_Delete : Qt::Key_Backspace);
    }

    void UndoOrRedo(QLineEdit* edit) {
        const bool undo = Chance(0.7);
        Note(edit->objectName() + (undo ? " undo" : " redo"));
        QTest::keyClick(edit, Qt::Key_Z,
                        undo ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    }

    // What a paste does: the selection, or all of it, replaced at once.
    void PasteOver(QLineEdit* edit) {
        const QString text = RandomText();
        Note(edit->objectName() + " pasted \"" + text + "\"");
        if (Chance(0.5)) edit->selectAll();
        edit->insert(text);
    }

    void TrackKeys() {
        static const std::vector<Qt::Key> keys = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,
                                                  Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                                  Qt::Key_Home, Qt::Key_End};
        const Qt::Key key = OneOf(keys);
        Note(QStringLiteral("track bar key %1").arg(static_cast<int>(key), 0, 16));
        QTest::keyClick(slider_, key);
    }

    void TrackSetValue() {
        const int value = Uniform(-100, 600);
        Note(QStringLiteral("track bar set to %1").arg(value));
        slider_->setValue(value);
    }

    void TrackDrag() {
        const int value = Uniform(0, 400);
        Note(QStringLiteral("track bar dragged to %1").arg(value));
        slider_->setSliderDown(true);
        slider_->setSliderPosition(value);
        slider_->setSliderDown(false);
    }

    void ChooseStarType() {
        const int id = Uniform(0, 2);
        Note(QStringLiteral("star type %1").arg(id));
        starType_->button(id)->click();
    }

    void ToggleCheckBox() {
        static const std::vector<const char*> names = {"chbTransparent", "chbSVGFillRule",
                                                       "chbSVGView"};
        const char* name = OneOf(names);
        Note(QStringLiteral("toggled %1").arg(QLatin1String(name)));
        h_.control<QCheckBox>(name)->click();
    }

    // Every control of the part back to its design value, one by one.
    void PartBackToTheDesign() {
        Note(QStringLiteral("part back to the design"));
        h_.control<QSpinBox>("spnStarStep")->setValue(2);
        h_.control<QLineEdit>("edtInnerRatio")->clear();
        for (const char* name :
             {"edtRotation", "edtCornerRadius", "edtValleyRadius", "edtOffset"}) {
            h_.control<QLineEdit>(name)->setText("0");
        }
        h_.control<QComboBox>("cmbSizeBy")->setCurrentIndex(0);
        h_.control<QComboBox>("cmbOffsetJoin")->setCurrentIndex(0);
        h_.control<QCheckBox>("chbCutOutline")->setChecked(false);
    }

    void ToggleCutOutline() {
        Note(QStringLiteral("toggled chbCutOutline"));
        h_.control<QCheckBox>("chbCutOutline")->click();
    }

    QColor RandomColour() {
        QColor c(Uniform(0, 255), Uniform(0, 255), Uniform(0, 255), Uniform(0, 255));
        switch (Uniform(0, 4)) {
            case 0:
                return c.toHsv();
            case 1:
                return c.toCmyk();
            case 2:
                return c.toHsl();
            case 3: {
                static const std::vector<QPalette::ColorRole> roles = {
                    QPalette::Window, QPalette::Base, QPalette::Highlight, QPalette::ToolTipBase,
                    QPalette::Link};
                return h_.form->palette().color(OneOf(roles));
            }
            default:
                return c;
        }
    }

    void ColourDialog() {
        static const std::vector<const char*> openers = {"btnFillColor", "lblFillColor",
                                                         "btnStrokeColor", "lblStrokeColor"};
        const char* opener = OneOf(openers);
        std::optional<QColor> answer;
        if (Chance(0.6)) answer = RandomColour();
        Note(
            QStringLiteral("%1: colour dialog %2")
                .arg(QLatin1String(opener), answer ? answer->name() : QStringLiteral("cancelled")));
        h_.dialogs.colorAnswers.clear();
        h_.dialogs.colorAnswers.push_back(answer);
        QTest::mouseClick(h_.control<QWidget>(opener), Qt::LeftButton);
        h_.dialogs.colorAnswers.clear();
    }

    void LoadRandomBytes() {
        std::string bytes(static_cast<std::size_t>(Uniform(0, 200)), '\0');
        for (char& c : bytes) c = static_cast<char>(Uniform(0, 255));
        if (Chance(0.5)) bytes = "[SVG]\n" + bytes;
        Load(bytes, QStringLiteral("random bytes"));
    }

    // A file of the ten keys with values from the edges of their rules, then
    // damaged in a few places.
    void LoadDamagedDocument() {
        static const std::vector<std::string> texts = {
            "5",    "7",    "100",    "150", "200",   "3",           "4",    "0",      "",
            "-20",  "abc",  "$10",    " 16", "16 ",   "99999999999", "１０", "12.5",   "12,5",
            "4.99", "5.01", "100.01", "1e2", "1e300", ".",           "1e",   "\"42\"", "\" 9 \""};
        static const std::vector<std::string> integers = {
            "0",  "1",   "2",   "-1", "-5",        "7",  "0x1", "$64", "1000",
            "-3", "2.5", "one", "",   "$FFFFFFFF", "50", "400", "x10"};
        static const std::vector<std::string> colours = {
            "clRed",        "CLBLUE", "clWindow",  "clMenuBar", "clNone",
            "clDefault",    "255",    "$80000005", "$80000019", "$000080FF",
            "$FF000000",    "-1",     "clBtnFace", "clInfoBk",  "clHotLight",
            "clMoneyGreen", "0",      "red",       ""};
        static const std::vector<std::string> partDecimals = {
            "0", "0.5", "1", "-1", "2.5", "0,5", "1e-1", "", "abc", "-0", "0.4", "30", "-40"};
        static const std::vector<std::string> folders = {
            "/tmp", "", "/", "dir with blank", "\"quoted\"", "日本語のフォルダ"};
        const auto weighted = [this](const std::vector<std::string>& pool, double broken) {
            // Mostly values that apply, so that loads also run to their end.
            return Chance(broken) ? pool[static_cast<std::size_t>(Uniform(0, 2))] : OneOf(pool);
        };
        std::vector<std::string> lines = {
            "FavoriteDir=" + OneOf(folders),
            "EdgeNumber=" + OneOf(texts),
            "CircumRadius=" + OneOf(texts),
            "StarType=" + OneOf(integers),
            "FillColor=" + weighted(colours, 0.7),
            "FillTransparent=" + OneOf(integers),
            "StrokeColor=" + weighted(colours, 0.7),
            "StrokeWidth=" + OneOf(integers),
            "View=" + OneOf(integers),
            "FillRule=" + OneOf(integers),
        };
        // Now and then the part's keys, after the design's as they are written.
        if (Chance(0.5)) {
            const std::vector<std::string> part = {
                "StarStep=" + OneOf(integers),         "InnerRatio=" + OneOf(partDecimals),
                "Rotation=" + OneOf(partDecimals),     "SizeBy=" + OneOf(integers),
                "CornerRadius=" + OneOf(partDecimals), "ValleyRadius=" + OneOf(partDecimals),
                "Offset=" + OneOf(partDecimals),       "OffsetJoin=" + OneOf(integers),
                "CutOutline=" + OneOf(integers),
            };
            for (const std::string& line : part) {
                if (Chance(0.5)) lines.push_back(line);
            }
        }
        for (int drop = Uniform(0, 3); drop > 0; --drop) {
            lines.erase(lines.begin() + Uniform(0, static_cast<int>(lines.size()) - 1));
        }
        lines.insert(lines.begin(), Chance(0.9) ? "[SVG]" : "[svg]");
        std::string bytes;
        const std::string end = Chance(0.5) ? "\r\n" : "\n";
        for (const std::string& line : lines) bytes += line + end;
        for (int damage = Uniform(0, 3); damage > 0 && !bytes.empty(); --damage) {
            const auto at =
                static_cast<std::size_t>(Uniform(0, static_cast<int>(bytes.size()) - 1));
            switch (Uniform(0, 5)) {
                case 0:
                    bytes[at] = static_cast<char>(Uniform(0, 255));
                    break;
                case 1:
                    bytes.erase(at, static_cast<std::size_t>(Uniform(1, 8)));
                    break;
                case 2:
                    bytes.insert(at, 1, static_cast<char>(Uniform(0, 255)));
                    break;
                case 3:
                    bytes.insert(0, "\xEF\xBB\xBF");
                    break;
                case 4:
                    bytes += "[SVG]" + end + "EdgeNumber=9" + end;
                    break;
                default:
                    bytes.resize(at);
            }
        }
        Load(bytes, QStringLiteral("damaged document"));
    }

    // Loads the bytes as the program's own settings file, the way start-up
    // does, and remembers what the settings model makes of them: the values,
    // the error box, and where the load stopped.
    void Load(const std::string& bytes, const QString& kind) {
        Note(kind + ": " + Printable(bytes));
        h_.writeIni(bytes);
        SettingsModel model(h_.form->favoriteDir(), separator_);
        model.values = h_.form->Snapshot();
        expectedError_.reset();
        loadStoppedAt_.reset();
        SettingsKey reading{};
        try {
            ReadSettings(LoadIniFile(h_.iniPath()), ToStdString(h_.folder()), model, &reading);
        } catch (const std::exception& e) {
            expectedError_ = WithClosingPeriod(e.what());
            loadStoppedAt_ = reading;
            atLoadStop_ = model;
        }
        if (!expectedError_) expectedError_ = DisplaysError(model);
        expectedAfterLoad_ = model;
        checkLoad_ = true;
        ++loads_;
        h_.create();
    }

    // The error that start-up's redraws after a complete load show, if any.
    static std::optional<std::string> DisplaysError(const SettingsModel& model) {
        try {
            model.UpdateDisplays();
        } catch (const std::exception& e) {
            return WithClosingPeriod(e.what());
        }
        return std::nullopt;
    }

    void SaveSvg() {
        const QString path = h_.folder() + QStringLiteral("/out-%1.svg").arg(step_);
        const bool confirm = Chance(0.8);
        Note(confirm ? "SVG saved as " + path : QStringLiteral("SVG dialog cancelled"));
        h_.dialogs.saveAnswers.clear();
        if (confirm) h_.dialogs.saveAnswers.push_back(path);
        const TStarSettings settings = h_.form->Snapshot();
        h_.control<QPushButton>("btnSVG")->click();
        h_.dialogs.saveAnswers.clear();
        if (!confirm) return;
        ++saves_;
        const bool failed = h_.dialogs.errors.size() > errorsBefore_;
        const QByteArray written = test::ReadAll(path);
        if (failed ? QFile::exists(path)
                   : written.toStdString() != BuildSvgDocument(settings, separator_)) {
            saveProblem_ = failed ? "a failed SVG command left " + path
                                  : "the SVG file does not show the settings: " + path;
        }
    }

    // Closing saves the settings into the file as it stands: every key,
    // except that keys from where the last load stopped keep what the file
    // holds unless they were changed since.
    void CloseAndCheckTheSavedFile() {
        Note(QStringLiteral("closed"));
        const std::string before = h_.readIni();
        const TStarSettings now = h_.form->Snapshot();
        IniDocument expected = IniDocument::Parse(before);
        WriteSettings(expected, h_.form->favoriteDir(), now,
                      KeysToSave(loadStoppedAt_, atLoadStop_.values, atLoadStop_.favoriteDir, now,
                                 h_.form->favoriteDir()));
        h_.form->close();
        if (h_.readIni() != expected.Serialize()) {
            saveProblem_ = "closing wrote " + Printable(h_.readIni()) + "\nover " +
                           Printable(before) + "\nfor the window's " +
                           Describe(now, h_.form->favoriteDir());
        }
        h_.form->show();
    }

    QString Check() {
        QString problem = std::exchange(saveProblem_, QString());
        if (!problem.isEmpty()) return problem;
        for (std::size_t i = errorsBefore_; i < h_.dialogs.errors.size(); ++i) {
            const auto& [title, text] = h_.dialogs.errors[i];
            if (title != "polygrav" || !IsOwnErrorText(text)) {
                return "an error box that is not the program's: " + title + ": " + text;
            }
        }
        const bool failed = h_.dialogs.errors.size() > errorsBefore_;
        const QPixmap picture = h_.control<QLabel>("Image1")->pixmap();
        if (picture.isNull()) return QStringLiteral("the preview is gone");

        const std::string num = ToStdString(edtNum_->text());
        const std::string size = ToStdString(edtSize_->text());
        if (!PointCountKept(num)) return "edtNum holds \"" + edtNum_->text() + "\"";
        if (!RadiusKept(size, separator_)) return "edtSize holds \"" + edtSize_->text() + "\"";

        const QString caption = WidthCaption(slider_->value(), separator_);
        if (h_.control<QLabel>("lblStrokeWidth")->text() != caption) {
            return "the width label reads " + h_.control<QLabel>("lblStrokeWidth")->text() +
                   " for " + caption;
        }

        if (checkLoad_ && (!(expectedAfterLoad_.values == h_.form->Snapshot()) ||
                           expectedAfterLoad_.favoriteDir != h_.form->favoriteDir())) {
            return "the load left the window at " +
                   Describe(h_.form->Snapshot(), h_.form->favoriteDir()) +
                   ", the settings model at " +
                   Describe(expectedAfterLoad_.values, expectedAfterLoad_.favoriteDir);
        }
        if (checkLoad_) {
            // Compared as the box shows them, bytes that are no UTF-8 as U+FFFD.
            const QString shown = failed ? h_.dialogs.errors.back().second : QString();
            const QString expected = expectedError_ ? ToQString(*expectedError_) : QString();
            if (shown != expected) {
                return "the load showed \"" + shown + "\", the settings model \"" + expected + "\"";
            }
        }

        const TStarSettings shown = h_.form->Snapshot();
        if (!shown.Part.IsDefault()) {
            // A part's document grows with the figure: the core says how far.
            if (!failed && h_.redraws() > 0 && !HeldBack(num) && !HeldBack(size)) {
                ++partSteps_;
                const int side = BuildPreviewPicture(shown, ppi_, separator_).side;
                if (picture.size() != QSize(side, side)) {
                    return QStringLiteral("the part's preview is %1 × %2, not %3")
                        .arg(picture.width())
                        .arg(picture.height())
                        .arg(side);
                }
                if (++pictureChecks_ % 4 == 0 && h_.shownPreview() != h_.expectedPreview(shown)) {
                    return QStringLiteral("the preview does not show the part");
                }
            }
        } else if (!HeldBack(num) && !HeldBack(size)) {
            ++validSteps_;
            const double R = *TryStrToFloat(size, separator_);
            const int side = static_cast<int>(std::trunc((R + 10) * 2 * ppi_ / 25.4));
            if (picture.size() != QSize(side, side)) {
                return QStringLiteral("the preview is %1 × %2 for R = %3, not %4")
                    .arg(picture.width())
                    .arg(picture.height())
                    .arg(R)
                    .arg(side);
            }
            // The last thing the action did was a redraw: the picture shows
            // the settings as they are.
            if (!failed && h_.redraws() > 0 && ++pictureChecks_ % 4 == 0 &&
                h_.shownPreview() != h_.expectedPreview(h_.form->Snapshot())) {
                return QStringLiteral("the preview does not show the settings");
            }
        }
        return {};
    }

    FormHarness h_;
    std::mt19937_64 rng_;
    char separator_;
    int ppi_ = 96;
    QLineEdit* edtNum_ = nullptr;
    QLineEdit* edtSize_ = nullptr;
    QSlider* slider_ = nullptr;
    QButtonGroup* starType_ = nullptr;

    int step_ = 0;
    std::size_t errorsBefore_ = 0;
    bool checkLoad_ = false;
    SettingsModel expectedAfterLoad_;
    std::optional<std::string> expectedError_;
    std::optional<SettingsKey> loadStoppedAt_;
    SettingsModel atLoadStop_;
    QString saveProblem_;
    int loads_ = 0;
    int saves_ = 0;
    int pictureChecks_ = 0;
    int validSteps_ = 0;
    int partSteps_ = 0;
    std::deque<QString> log_;
};

}  // namespace

class GuiSoakTest : public QObject {
    Q_OBJECT

  private slots:
    void randomActionsKeepTheWindowSound();
};

void GuiSoakTest::randomActionsKeepTheWindowSound() {
    const std::uint64_t seed = EnvNumber("POLYGRAV_SOAK_SEED", kDefaultSeed);
    const int steps = static_cast<int>(EnvNumber("POLYGRAV_SOAK_STEPS", kDefaultSteps));
    qInfo("soak: seed %llu, %d steps (POLYGRAV_SOAK_SEED, POLYGRAV_SOAK_STEPS)",
          static_cast<unsigned long long>(seed), steps);
    // Closing the window is one of the actions; the run goes on after it.
    QApplication::setQuitOnLastWindowClosed(false);
    Soak soak(seed);
    for (int step = 1; step <= steps; ++step) {
        const QString problem = soak.Step(step);
        if (!problem.isEmpty()) {
            const QString report = QStringLiteral("seed %1, step %2: %3\nlast actions:\n%4")
                                       .arg(seed)
                                       .arg(step)
                                       .arg(problem, soak.Log());
            QFAIL(qPrintable(report));
        }
    }
    const QString folder = soak.CheckFolder();
    QVERIFY2(folder.isEmpty(), qPrintable(folder));
    qInfo(
        "soak: %d steps with two valid numbers, %d drawn parts, %zu error boxes, %d loads, "
        "%d SVG files",
        soak.validSteps(), soak.partSteps(), soak.errorsShown(), soak.loads(), soak.saves());
}

QTEST_MAIN(GuiSoakTest)
#include "GuiSoakTest.moc"
