#pragma once

#include <QColor>
#include <QImage>
#include <QSignalSpy>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/FormDialogs.h"
#include "app/Unit1.h"
#include "shell/DesktopShell.h"

namespace polygrav::test {

// One scripted answer of the save dialog: the chosen path and file type;
// without a type, the one the dialog opened with.
struct SaveAnswer {
    SaveAnswer(QString chosenPath, QString chosenFilter = {})
        : path(std::move(chosenPath)), filter(std::move(chosenFilter)) {}
    QString path;
    QString filter;
};

// Dialogs that answer from scripted lists (an empty list answers "cancel")
// and record what they were asked and shown.
class FakeDialogs final : public FormDialogs {
  public:
    std::deque<std::optional<QColor>> colorAnswers;
    std::vector<QColor> colorInitials;
    std::deque<std::optional<SaveAnswer>> saveAnswers;
    std::vector<SaveDialogRequest> saveRequests;
    std::vector<std::pair<QString, QString>> errors;    // title, text
    std::vector<std::pair<QString, QString>> messages;  // title, text
    std::vector<QString> urls;

    std::optional<QColor> ChooseColor(QWidget*, const QColor& initial) override;
    std::optional<SaveDialogChoice> ChooseSavePath(QWidget*,
                                                   const SaveDialogRequest& request) override;
    void ShowError(const QString& title, const QString& text) override;
    void ShowMessage(const QString& title, const QString& text) override;
    void OpenUrl(const QString& url) override;

    // The texts of the error boxes shown so far.
    QStringList errorTexts() const;
};

// A desktop that records viewer starts and shortcuts; a shortcut place can
// be made to fail.
class FakeDesktop final : public DesktopShell {
  public:
    std::vector<std::string> opened;
    std::vector<std::string> shortCutPlaces;
    std::vector<std::string> shortCutNames;
    std::string failingPlace;  // CreateShortCut raises for this place

    void OpenWrittenFile(const std::string& path) override;
    void CreateShortCut(const std::string& name, const std::string& where) override;
};

// The real window over the fakes, for a program placed in a fresh folder
// (so its settings file "polygrav.ini" lies there too).
class FormHarness {
  public:
    FormHarness();

    QString folder() const { return dir_.path(); }
    std::string programPath() const;
    std::string iniPath() const;
    void writeIni(const std::string& text) const;
    std::string readIni() const;

    // Runs FormCreate with the program's own settings file.
    void create();

    // The control of the given object name; fails the test when missing.
    template <class T>
    T* control(const char* name) const {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        if (w == nullptr) {
            qFatal("no control %s", name);
        }
        return w;
    }

    // The picture that Image1 shows now.
    QImage shownPreview() const;

    // The preview that the settings give at the window's screen resolution.
    QImage expectedPreview(const TStarSettings& settings) const;

    int redraws() const { return static_cast<int>(redrawSpy->count()); }
    void resetRedraws() { redrawSpy->clear(); }

    FakeDialogs dialogs;
    FakeDesktop desktop;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<QSignalSpy> redrawSpy;

  private:
    QTemporaryDir dir_;
};

// The whole content of a file, or an empty array when it cannot be read.
QByteArray ReadAll(const QString& path);

// The object names of the part page's controls, by what they are, each list
// in the key table's order (the page names a control after its key).
struct PartControlNames {
    std::vector<std::string> decimals;  // edt…: decimals and optional decimals
    std::vector<std::string> choices;   // cmb…
    std::vector<std::string> integers;  // spn…
    std::vector<std::string> flags;     // chb…
};
PartControlNames PartPageControls();

// The settings snapshot in one line, for a failure report.
QString DescribeSettings(const TStarSettings& s);

}  // namespace polygrav::test
