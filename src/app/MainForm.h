#pragma once

// The main window: menus, the button bar `PFejlec`, the tool bar `PEszkoz`, the left page
// control with the data source, element, page and label tabs, the label canvas and the status
// bar `Lablec`. It owns the run-time state of the designer (current files, data source, flags,
// zoom, selection, help context), runs start-up on its first show and shutdown on close, and
// handles every error no operation handled. Controls whose behaviour comes with a later part of
// the program exist with their names and captions and stay disabled until then.

#include "designer/BarcodeView.h"
#include "document/DataModule.h"
#include "document/Settings.h"
#include "document/TemplateFiles.h"
#include "services/AppPaths.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTableWidget;
class QTabWidget;
class QToolButton;
class QWidget;

namespace etikor {

class IModal;
class TDataSet;
class TElementView;
class TLabelCanvas;

class TMainForm final : public QMainWindow, public TTemplateFilesHost {
    Q_OBJECT
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
    const QString& PendingSource() const { return FPendingSource; }
    // The barcode view selected last (copied to a bitmap file from the element panel).
    TBarcodeView* CurrentBarcode() const { return FCurrentBarcode; }
    bool StartedUp() const { return FStartedUp; }
    QString Panel(int number) const; // status panels 1..4
    QTimer& StartupTimer() { return FTimer1; }

    // ---- operations ----
    // Start-up; runs by itself on the first show.
    void Startup();
    // The application error handler.
    void ApplicationException(const QString& message);
    // Part of the canvas: selection, zoom.
    void SelectElement(TElementView* view);
    void ClearSelectionNow();
    void SetZoom(int zoom);
    void ShowHelp(int topic);
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
    void BuildMenus();
    QWidget* BuildButtonBar();
    QWidget* BuildToolBar();
    QWidget* BuildPageControl();
    QWidget* BuildDataSourceTab();
    QWidget* BuildElementTab();
    QWidget* BuildPageTab();
    QWidget* BuildLabelTab();
    void BuildStatusBar();
    QAction* AddItem(QMenu* menu, const QString& caption, const char* name,
                     const QKeySequence& shortcut = {});
    QToolButton* AddButton(QWidget* parent, const char* name, const QString& hint,
                           const QString& caption = {});
    // Later parts bring the behaviour of these controls: disabled, whatever selection wants.
    void Pending(QWidget* widget);
    void Pending(QAction* action);
    void Allow(QWidget* widget, bool enabled);
    void Allow(QAction* action, bool enabled);

    // New, Open or Save as through the template files, then the status panels they set.
    void FileCommand(void (TTemplateFiles::*command)());
    void ShowStatus();
    void OpenSeriesDesigner();
    void OpenManualEntry();
    void CloneShownBarcode();
    void FillRowViews();
    void LoadSetupControls(const struct TPageSetup& setup);
    void StoredLinkAtStartup();
    void ElementGeometryEnded(TElementView* view);
    void DeleteSelected();
    void DeleteWithConfirmation();
    void PictureToOwnSize();
    void Warn(const QString& text);
    bool HandleKey(QObject* watched, QKeyEvent* event);

    TDM& FDM;
    IModal& FModal;
    TAppPaths FPaths;
    std::unique_ptr<TSettingsFile> FSettingsFile;
    TSettings FSettings;
    std::unique_ptr<TTemplateFiles> FFiles;
    TDocumentState FFallbackState;
    TDataSet* FDataSource = nullptr;
    int FHelpContext = 10;
    QString FPendingSource;
    bool FStartedUp = false;
    bool FCloseQueued = false;
    QTimer FTimer1;
    QPointer<TBarcodeView> FCurrentBarcode;

    TLabelCanvas* FCanvas = nullptr;
    QTabWidget* FPages = nullptr;
    QLabel* FPanels[4] = {};
};

} // namespace etikor
