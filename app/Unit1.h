#pragma once

#include <QMainWindow>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "app/HandlerGuard.h"
#include "model/StarSettings.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace Ui {
class TForm1;
}

namespace polygrav {

class ColorSwatch;
class DesktopShell;
class FormDialogs;

// The main window and the home of the current settings: every setting is the
// value of one of its controls, and every operation reads the controls when
// it runs. The handlers are named after their control and event; each one
// runs under the program's default handler (see HandlerGuard).
class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    // programPath locates the settings file and gives the application title.
    TForm1(std::string programPath, FormDialogs& dialogs, DesktopShell& desktop,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Runs FormCreate under the default handler. argument is the first
    // command-line argument, if any.
    void RunFormCreate(const std::optional<std::string>& argument);

    // Whether FormCreate asked the program to end without showing the window.
    bool EndRequested() const { return endRequested_; }

    // The exit status of a command-line run: 1 when a ".pgv" document was
    // given and its SVG file was not written, otherwise 0.
    int ConversionExitCode() const;

    // The settings as the controls hold them now.
    TStarSettings Snapshot() const;

    // The folder last used for saving.
    const std::string& favoriteDir() const { return FavoriteDir; }

    // Event handlers.
    void FormCreate(const std::optional<std::string>& argument);
    void btnStrokeColorClick();
    void btnFillColorClick();
    void trbStrokeWidthChange();
    void chbShortCutDesktopClick();
    void btnShortCutClick();
    void btnDisplayClick();
    void edtNumChange();
    void edtSizeChange();
    void btnSVGClick();
    void FormCloseQuery();
    void lblVersionClick();

  signals:
    // Emitted each time btnDisplayClick has put a new picture into Image1.
    void previewDrawn();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    class ControlWriter;

    void ApplyDesignValues();
    void ConnectHandlers();
    void CentreOnScreen();

    void LoadSettings(const std::string& path);
    void SaveSettings();
    void WriteSVG(const std::string& path);
    void ChooseSwatchColor(ColorSwatch& swatch);
    void ShowException(std::exception_ptr error);
    int ScreenPpi() const;

    // Programmatic writes to the controls. Each runs the control's own change
    // handler when the value changes and then raises what that handler
    // raised.
    void SetEditText(QLineEdit& edit, const std::string& text);
    void SetStarTypeIndex(int index);
    void SetChecked(QCheckBox& box, bool on);
    void SetTrackPosition(int position);
    int StarTypeIndex() const;

    std::unique_ptr<Ui::TForm1> ui;
    QButtonGroup* starTypeGroup_ = nullptr;

    std::string programPath_;
    FormDialogs& dialogs_;
    DesktopShell& desktop_;
    HandlerGuard guard_;

    std::string FavoriteDir;
    QString saveDialogFileName_;
    bool endRequested_ = false;
    bool documentGiven_ = false;
    bool documentConverted_ = false;
};

}  // namespace polygrav
