#pragma once

#include <QColor>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace polygrav {

// One entry of the save dialog's list of file types.
struct SaveFilter {
    QString text;    // "SVG file(*.svg)"
    QString suffix;  // "svg": added to a name typed without one
};

// What the save dialog is asked to show.
struct SaveDialogRequest {
    QString folder;                   // the initial folder
    QString fileName;                 // the proposed file: "Untitled", later the last chosen path
    QString filter;                   // the entry selected when the dialog opens
    QString defaultSuffix;            // that entry's suffix
    std::vector<SaveFilter> filters;  // every entry, in the order offered
};

// The file that the user chose in the save dialog.
struct SaveDialogChoice {
    QString path;    // with the chosen entry's suffix when typed without one
    QString filter;  // the text of the entry selected at the confirmation
};

// The window's dialogs, message boxes and the page opener. The window reaches
// them only through this seam, so that tests and headless runs replace them.
class FormDialogs {
  public:
    virtual ~FormDialogs() = default;

    // Runs the colour chooser with initial preselected; nothing when cancelled.
    virtual std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) = 0;

    // Runs the save dialog, which asks before replacing a file; the chosen
    // path and file type, or nothing when cancelled.
    virtual std::optional<SaveDialogChoice> ChooseSavePath(QWidget* owner,
                                                           const SaveDialogRequest& request) = 0;

    // The default handler's box: one OK button and the stop icon.
    virtual void ShowError(const QString& title, const QString& text) = 0;

    // The program's own messages: one OK button and no icon.
    virtual void ShowMessage(const QString& title, const QString& text) = 0;

    // Opens an address in the desktop's browser; the result is not examined.
    virtual void OpenUrl(const QString& url) = 0;
};

// The Qt dialogs: one QColorDialog and one QFileDialog for the whole run.
std::unique_ptr<FormDialogs> MakeQtFormDialogs();

// For runs without a display: messages go to standard error as
// "<title>: <text>", every dialog counts as cancelled, no page is opened.
std::unique_ptr<FormDialogs> MakeHeadlessFormDialogs();

// Shows errors through inner and also writes them to standard error, for the
// command-line conversion on a display.
std::unique_ptr<FormDialogs> EchoErrorsToStderr(std::unique_ptr<FormDialogs> inner);

}  // namespace polygrav
