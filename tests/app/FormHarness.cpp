#include "FormHarness.h"

#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <stdexcept>

#include "app/Preview.h"
#include "app/QtText.h"
#include "app/SystemColors.h"
#include "model/NumberRules.h"

namespace polygrav::test {

std::optional<QColor> FakeDialogs::ChooseColor(QWidget*, const QColor& initial) {
    colorInitials.push_back(initial);
    if (colorAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}

std::optional<SaveDialogChoice> FakeDialogs::ChooseSavePath(QWidget*,
                                                            const SaveDialogRequest& request) {
    saveRequests.push_back(request);
    if (saveAnswers.empty()) {
        return std::nullopt;
    }
    const std::optional<SaveAnswer> answer = saveAnswers.front();
    saveAnswers.pop_front();
    if (!answer) {
        return std::nullopt;
    }
    return SaveDialogChoice{answer->path,
                            answer->filter.isEmpty() ? request.filter : answer->filter};
}

void FakeDialogs::ShowError(const QString& title, const QString& text) {
    errors.emplace_back(title, text);
}

void FakeDialogs::ShowMessage(const QString& title, const QString& text) {
    messages.emplace_back(title, text);
}

void FakeDialogs::OpenUrl(const QString& url) {
    urls.push_back(url);
}

QStringList FakeDialogs::errorTexts() const {
    QStringList texts;
    for (const auto& e : errors) {
        texts << e.second;
    }
    return texts;
}

void FakeDesktop::OpenWrittenFile(const std::string& path) {
    opened.push_back(path);
}

void FakeDesktop::CreateShortCut(const std::string& name, const std::string& where) {
    if (where == failingPlace) {
        throw std::runtime_error("Interface はサポートされていません");
    }
    shortCutNames.push_back(name);
    shortCutPlaces.push_back(where);
}

FormHarness::FormHarness() {
    if (!dir_.isValid()) {
        qFatal("no temporary folder");
    }
    form = std::make_unique<TForm1>(programPath(), dialogs, desktop);
    redrawSpy = std::make_unique<QSignalSpy>(form.get(), &TForm1::previewDrawn);
}

std::string FormHarness::programPath() const {
    return ToStdString(dir_.filePath("polygrav"));
}

std::string FormHarness::iniPath() const {
    return ToStdString(dir_.filePath("polygrav.ini"));
}

void FormHarness::writeIni(const std::string& text) const {
    QFile f(ToQString(iniPath()));
    if (!f.open(QIODevice::WriteOnly) || f.write(text.data(), static_cast<qint64>(text.size())) !=
                                             static_cast<qint64>(text.size())) {
        qFatal("cannot write the settings file");
    }
}

std::string FormHarness::readIni() const {
    return ReadAll(ToQString(iniPath())).toStdString();
}

void FormHarness::create() {
    form->RunFormCreate();
}

QImage FormHarness::shownPreview() const {
    return control<QLabel>("Image1")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage FormHarness::expectedPreview(const TStarSettings& settings) const {
    const QPalette palette = form->palette();
    return RenderPreview(
        settings, qRound(form->screen()->logicalDotsPerInch()),
        [&palette](TColor c) { return ResolveColor(c, palette); }, LocaleDecimalSeparator(),
        form->devicePixelRatio());
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

QString DescribeSettings(const TStarSettings& s) {
    const PartSettings& p = s.Part;
    const QString part =
        p.IsDefault() ? QString()
                     : QStringLiteral(
                           ", part {k %1, ratio %2, rotation %3, size by %4, corner %5, "
                           "valley %6, offset %7 join %8%9}")
                           .arg(p.StarStep)
                           .arg(p.InnerRatio ? QString::number(*p.InnerRatio) : QString("none"))
                           .arg(p.Rotation)
                           .arg(p.SizeBy)
                           .arg(p.CornerRadius)
                           .arg(p.ValleyRadius)
                           .arg(p.Offset)
                           .arg(p.OffsetJoin)
                           .arg(p.CutOutline ? ", cut" : "");
    return QStringLiteral(
               "{\"%1\", \"%2\", type %3, fill %4%5, stroke %6 width %7, view %8, rule %9%10}")
        .arg(ToQString(s.EdgeNumber), ToQString(s.CircumRadius))
        .arg(s.StarType)
        .arg(s.FillColor, 8, 16, QLatin1Char('0'))
        .arg(s.FillTransparent ? " transparent" : "")
        .arg(s.StrokeColor, 8, 16, QLatin1Char('0'))
        .arg(s.StrokeWidth)
        .arg(s.View)
        .arg(s.FillRule)
        .arg(part);
}

}  // namespace polygrav::test
