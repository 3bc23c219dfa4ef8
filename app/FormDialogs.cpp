#include "app/FormDialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>
#include <cstdio>
#include <utility>

namespace polygrav {

namespace {

void WriteToStderr(const QString& title, const QString& text) {
    const QByteArray line = (title + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    std::fflush(stderr);
}

class QtFormDialogs final : public FormDialogs {
  public:
    QtFormDialogs() = default;
    QtFormDialogs(const QtFormDialogs&) = delete;
    QtFormDialogs& operator=(const QtFormDialogs&) = delete;

    // The dialogs belong to the window they were first opened over; whichever
    // of the two goes first takes them along.
    ~QtFormDialogs() override {
        delete ColorDialog1.data();
        delete SaveDialog1.data();
    }

    std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) override {
        // One dialog for the run keeps the custom colours the user defines.
        if (!ColorDialog1) {
            ColorDialog1 = new QColorDialog(owner);
        }
        ColorDialog1->setCurrentColor(initial);
        if (ColorDialog1->exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return ColorDialog1->selectedColor();
    }

    std::optional<SaveDialogChoice> ChooseSavePath(QWidget* owner,
                                                   const SaveDialogRequest& request) override {
        if (!SaveDialog1) {
            SaveDialog1 = new QFileDialog(owner);
            SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
            SaveDialog1->setFileMode(QFileDialog::AnyFile);
            // The type the user picks decides the suffix that a name typed
            // without one gets.
            QObject::connect(SaveDialog1, &QFileDialog::filterSelected, SaveDialog1,
                             [this](const QString& text) { UseSuffixOf(text); });
        }
        filters_ = request.filters;
        QStringList texts;
        for (const SaveFilter& f : filters_) {
            texts << f.text;
        }
        SaveDialog1->setNameFilters(texts.isEmpty() ? QStringList{request.filter} : texts);
        SaveDialog1->selectNameFilter(request.filter);
        SaveDialog1->setDefaultSuffix(request.defaultSuffix);
        SaveDialog1->setDirectory(request.folder);
        // A path proposes its name in its own folder; a bare name the name in
        // the initial folder.
        SaveDialog1->selectFile(request.fileName);
        if (SaveDialog1->exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        const QStringList files = SaveDialog1->selectedFiles();
        if (files.isEmpty()) {
            return std::nullopt;
        }
        return SaveDialogChoice{files.first(), SaveDialog1->selectedNameFilter()};
    }

    void ShowError(const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
        box.exec();
    }

    void ShowMessage(const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
        box.exec();
    }

    void OpenUrl(const QString& url) override { QDesktopServices::openUrl(QUrl(url)); }

  private:
    void UseSuffixOf(const QString& filterText) {
        for (const SaveFilter& f : filters_) {
            if (f.text == filterText) {
                SaveDialog1->setDefaultSuffix(f.suffix);
            }
        }
    }

    QPointer<QColorDialog> ColorDialog1;
    QPointer<QFileDialog> SaveDialog1;
    std::vector<SaveFilter> filters_;  // the entries of the open save dialog
};

class HeadlessFormDialogs final : public FormDialogs {
  public:
    std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return std::nullopt; }

    std::optional<SaveDialogChoice> ChooseSavePath(QWidget*, const SaveDialogRequest&) override {
        return std::nullopt;
    }

    void ShowError(const QString& title, const QString& text) override {
        WriteToStderr(title, text);
    }

    void ShowMessage(const QString& title, const QString& text) override {
        WriteToStderr(title, text);
    }

    void OpenUrl(const QString&) override {}
};

class StderrEchoDialogs final : public FormDialogs {
  public:
    explicit StderrEchoDialogs(std::unique_ptr<FormDialogs> inner) : inner_(std::move(inner)) {}

    std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) override {
        return inner_->ChooseColor(owner, initial);
    }

    std::optional<SaveDialogChoice> ChooseSavePath(QWidget* owner,
                                                   const SaveDialogRequest& request) override {
        return inner_->ChooseSavePath(owner, request);
    }

    void ShowError(const QString& title, const QString& text) override {
        WriteToStderr(title, text);
        inner_->ShowError(title, text);
    }

    void ShowMessage(const QString& title, const QString& text) override {
        inner_->ShowMessage(title, text);
    }

    void OpenUrl(const QString& url) override { inner_->OpenUrl(url); }

  private:
    std::unique_ptr<FormDialogs> inner_;
};

}  // namespace

std::unique_ptr<FormDialogs> MakeQtFormDialogs() {
    return std::make_unique<QtFormDialogs>();
}

std::unique_ptr<FormDialogs> MakeHeadlessFormDialogs() {
    return std::make_unique<HeadlessFormDialogs>();
}

std::unique_ptr<FormDialogs> EchoErrorsToStderr(std::unique_ptr<FormDialogs> inner) {
    return std::make_unique<StderrEchoDialogs>(std::move(inner));
}

}  // namespace polygrav
