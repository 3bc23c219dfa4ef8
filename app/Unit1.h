#pragma once

#include <QMainWindow>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/HandlerGuard.h"
#include "export/FigureExport.h"
#include "model/StarSettings.h"
#include "settings/SettingsFile.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace Ui {
class TForm1;
}

namespace polygrav {

class ColorSwatch;
class PartPage;
class DesktopShell;
class FormDialogs;
struct SaveFilter;

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

    // Runs FormCreate under the default handler. The window is made only
    // when the program starts without an argument; a document to convert
    // never needs it.
    void RunFormCreate();

    // The settings as the controls hold them now.
    TStarSettings Snapshot() const;

    // The folder last used for saving.
    const std::string& favoriteDir() const { return FavoriteDir; }

    // Event handlers.
    void FormCreate();
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

    // The factor on the screen's pixels per inch that the preview uses, or
    // nothing when the preview is not calibrated.
    std::optional<double> calibration() const;

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
    void WriteFigureAs(const std::string& path, ExportFormat format);
    std::vector<SaveFilter> SaveFilters() const;
    void ArrangeFocus();
    void KeepLeftColumnWhole();
    void ChooseSwatchColor(ColorSwatch& swatch);
    void ShowException(std::exception_ptr error);
    int ScreenPpi() const;
    // The screen's pixels per inch times the calibration factor.
    double PreviewPpi() const;

    // The part's page in its tab, wired to the window.
    void AddPartPage();

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
    PartPage* partPage_ = nullptr;

    std::string FavoriteDir;
    // Where loading the program's own settings file stopped at an error, and
    // the values then; closing leaves the keys from there on as stored unless
    // they changed since.
    std::optional<SettingsKey> loadStoppedAt_;
    TStarSettings atLoadStop_;
    std::string favoriteDirAtLoadStop_;
    QString saveDialogFileName_;
    // The file type chosen last; the next save dialog opens with it.
    ExportFormat saveFormat_ = ExportFormat::Svg;
};

}  // namespace polygrav
