#pragma once

#include <QMainWindow>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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
class KeyPage;
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

    // The document that the preview draws and the save writes: [SVG] from
    // the controls (Snapshot), each further section of the key table from
    // its page, or as the settings file held it where no page shows it.
    DocumentSettings Document() const;

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
    // A page of the keys of a further section of the key table (Place
    // Section) in a tab of its own, titled title: its values are the
    // section's in Document(), each change redraws, and the settings file
    // loads into it and takes it back. One line in the constructor adds one:
    //   AddSectionPage("Sheet", tr("シート"));
    void AddSectionPage(std::string_view section, const QString& title);
    // Gives the pages the further sections as sections_ holds them, without
    // a redraw for each (the load draws once at its end).
    void ShowSections();

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
    std::vector<KeyPage*> sectionPages_;
    // The further sections as the settings file held them; the pages hold
    // the values shown.
    DocumentSettings sections_;

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
