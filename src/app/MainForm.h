#pragma once

// The main window, the frame of the designer: menus, the button bar `PFejlec`, the tool bar
// `PEszkoz`, the left page control holding the data source, element, page and label tabs
// (classes of their own), the label canvas and the status bar `Lablec`. It keeps the run-time
// state (current files, data source, flags, help context), runs start-up on its first show and
// shutdown on close, connects the canvas's selection to the element tab, and handles every error
// no operation handled. Controls whose behaviour the program does not have yet are there with
// their names and captions and stay disabled.

#include "designer/BarcodeView.h"
#include "designer/ElementEditor.h"
#include "document/DataModule.h"
#include "document/LabelTemplate.h"
#include "document/Settings.h"
#include "document/TemplateFiles.h"
#include "printing/ui/LabelPrint.h"
#include "services/AppPaths.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QAction;
class QLabel;
class QTabWidget;
class QToolButton;
class QWidget;

namespace etikor {

class IModal;
class TPrintCommand;
class TDataSet;
class TDataSourceTab;
class TElementPanel;
class TElementView;
class TLabelCanvas;
class TLabelTab;
class TPageTab;
class TToolBar;
class TWorkbookLink;
class TMainFormLinkHost;

// Listens to the open template for what can be undone; the element editor does the editing.
class TMainForm final : public QMainWindow,
                        public TTemplateFilesHost,
                        private TElementEditorHost,
                        private TTemplateListener {
    Q_OBJECT
    friend class TWizardHost;

public:
    TMainForm(TDM& dm, IModal& modal, QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- run-time state ----
    TDocumentState& State();
    TSettings& Settings() { return FSettings; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int topic) { FHelpContext = topic; }
    TDataSet* DataSource() const { return FDataSource; }
    int Zoom() const;
    TLabelCanvas& Canvas() const { return *FCanvas; }
    const QString& PendingSource() const;
    // The barcode view selected last (copied to a bitmap file from the element panel).
    TBarcodeView* CurrentBarcode() const { return FEditor->CurrentBarcode(); }
    bool StartedUp() const { return FStartedUp; }
    // Whether start-up opened a template and its series (the program is ready for work).
    bool TemplateOpened() const { return FTemplateOpened; }
    // A template file name in the series folder to open at start-up instead of the last one.
    void SetStartTemplate(const QString& fileName) { FStartTemplate = fileName; }
    QString Panel(int number) const; // status panels 1..4
    QTimer& StartupTimer() { return FTimer1; }

    // ---- operations ----
    // Start-up; runs by itself on the first show.
    void Startup();
    // The application error handler.
    void ApplicationException(const QString& message);
    // Selection and zoom of the canvas.
    void SelectElement(TElementView* view);
    void ClearSelectionNow();
    void SetZoom(int zoom);
    void ShowHelp(int topic);
    // The settings dialog, modal, turned to `page` (TBeallitasForm::Page; -1: the first), in
    // help context 20. The print selection window's settings button opens it on its label page.
    int OpenSettings(int page = -1);
    // The settings file written now: the open template's name, the window size, every setting.
    // The window at the size the settings kept from the last run.
    void RestoreWindowSize();
    void SaveSettings();
    // The label wizard, modal; afterwards `mOrsina` shows the start-up setting.
    void OpenWizard();
    // The "Súgó téma" prompt: its number becomes the help context and is shown (the help
    // button's right click). A number that is not one raises a conversion error.
    void AskHelpTopic();
    // The prompt alone (Shift+F1, which F1's showing follows); false when cancelled.
    bool AskHelpContext();

    // ---- TTemplateFilesHost ----
    void ClearSelection() override { ClearSelectionNow(); }
    void ShowDataSourceTab() override;
    void RebuildCanvas() override;
    void CloseMainWindow() override;
    void SeriesBecomesDataSource() override;
    void FillFieldList() override;
    void ReconnectLink() override;
    int DataSourceRecordCount() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HistoryChanged() override;

    // ---- TElementEditorHost ----
    TDataSet* EditedDataSource() override { return FDataSource; }
    TDocumentState& EditedState() override { return State(); }
    QString PictureFolder() override { return FPaths.SeriesFolder(); }

    void BuildMenus();
    QWidget* BuildButtonBar();
    QWidget* BuildPageControl();
    void BuildStatusBar();
    QAction* AddItem(QMenu* menu, const QString& caption, const char* name,
                     const QKeySequence& shortcut = {});

    // New, Open or Save as through the template files, then the status panels they set.
    void FileCommand(void (TTemplateFiles::*command)());
    void ShowStatus();
    void OpenSeriesDesigner();
    void OpenManualEntry();
    // The help topic of the tab in view.
    int TabHelpContext() const;
    // The manual entry is off, and its hint says why, while a worksheet is linked.
    void ShowManualEntryState();
    void CloneShownBarcode();
    // The print button: the print selection over the current data source, in the menu's mode.
    void NyomtatasGombClick();
    // "Nyomtató eltolása": each printer's calibration, kept in the settings.
    void OpenPrinterOffsets();
    void BuildCanvas();
    void StoredLinkAtStartup();
    void DeleteWithConfirmation();
    bool HandleKey(QObject* watched, QKeyEvent* event);

    TDM& FDM;
    IModal& FModal;
    TAppPaths FPaths;
    std::unique_ptr<TSettingsFile> FSettingsFile;
    TSettings FSettings;
    std::unique_ptr<TTemplateFiles> FFiles;
    std::unique_ptr<TPrintCommand> FPrintCommand;
    TPrintMode FPrintMode = TPrintMode::pmPrint;
    TDocumentState FFallbackState;
    TDataSet* FDataSource = nullptr;
    int FHelpContext = 10;
    bool FStartedUp = false;
    bool FCloseQueued = false;
    bool FTemplateOpened = false;
    QString FStartTemplate;
    // The last template of the settings, kept while a run works in another folder.
    QString FStoredUtolso;
    QTimer FTimer1;

    // The controls the window itself works with.
    QWidget* PFejlec = nullptr;
    QAction* mTorol = nullptr;
    QAction* mVisszavonas = nullptr;
    QAction* mMegis = nullptr;
    QAction* mOrsina = nullptr;
    QAction* mKezi = nullptr;
    QToolButton* FKeziGomb = nullptr;

    TLabelCanvas* FCanvas = nullptr;
    QTabWidget* FPages = nullptr;
    TDataSourceTab* FDataSourceTab = nullptr;
    TElementPanel* FElementPanel = nullptr;
    TPageTab* FPageTab = nullptr;
    TLabelTab* FLabelTab = nullptr;
    TToolBar* FTools = nullptr;
    QLabel* FPanels[4] = {};
    std::unique_ptr<TElementEditor> FEditor;

    // ---- data exchange: worksheet link, Excel export, data browser (MainFormExchange.cpp) ----
    friend class TMainFormLinkHost;
    void WireDataExchange();
    void LinkWorkbook();
    void ExportToExcel();
    void OpenDataBrowser();
    std::unique_ptr<TMainFormLinkHost> FLinkHost;
    std::unique_ptr<TWorkbookLink> FLink;
};

} // namespace etikor
