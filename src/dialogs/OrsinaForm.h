#pragma once

// The label wizard: three pages (the sheet, the labels, the data source) presented by the
// assistant Orsina. On closing it asks whether the values are to be used: Yes copies them into
// the main window and applies them there (when a data source with records was chosen), No puts
// the data link back as it was when the wizard opened. The settings are saved on every close.

#include "document/Settings.h"
#include "document/TemplateSchema.h"
#include "ui/PageSetupFields.h"

#include <QDialog>
#include <QString>
#include <QTimer>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace etikor {

class IModal;
class TRadioList;

// The page and label values the wizard edits.
// What the wizard asks of the main window.
class IOrsinaHost {
public:
    virtual ~IOrsinaHost();
    virtual TPageSetup Geometry() = 0;
    // Copies the values into the main window's controls (their limits apply) and runs its
    // apply button.
    virtual void ApplyGeometry(const TPageSetup& values) = 0;
    virtual void SaveAs() = 0;
    virtual void ManualEntry() = 0;
    virtual void SeriesDesigner() = 0;
    virtual int HelpContext() = 0;
    virtual void SetHelpContext(int topic) = 0;
    // The data link. CanLink: linking a workbook is available in this program.
    virtual bool CanLink() = 0;
    virtual bool LinkFlag() = 0;
    virtual void SetLinkFlag(bool linked) = 0;
    virtual QString WorkbookPath() = 0;
    // The workbook name stored with the series (no folder).
    virtual QString StoredWorkbookName() = 0;
    // Links a workbook; when linked afterwards: its first record, the field list, the pending
    // source.
    virtual void LinkWorkbook() = 0;
    // Reconnects the workbook at `path` and sets the data flag; false when the file is missing
    // (the user has been told).
    virtual bool Reconnect(const QString& path) = 0;
    // The series record keeps no link (saved), the series becomes the data source, its status
    // panels are shown.
    virtual void SeriesInsteadOfLink() = 0;
    // The data source: an opaque handle for remembering and restoring it.
    virtual void* DataSource() = 0;
    virtual void SetDataSource(void* source) = 0;
    // Open and with records.
    virtual bool DataSourceUsable() = 0;
    virtual void FirstRecord() = 0;
    // Status panel 4: the data source's number of records.
    virtual void ShowRecordCount() = 0;
    virtual void SaveSettings() = 0;
};

class TOrsinaForm final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10;
    static constexpr int kAskDelayMs = 1000;

    TOrsinaForm(IOrsinaHost& host, TSettings& settings, IModal& modal, QWidget* parent = nullptr);

    // The one-shot timer of the opening question; started by the constructor.
    QTimer& AskTimer() { return FAskTimer; }
    // Which page is shown (0..2).
    int Page() const;
    void ShowPage(int page);
    TPageSetupFields Fields() const;

    QTabWidget* Lapok = nullptr;
    QDoubleSpinBox* OldalHossz = nullptr;
    QDoubleSpinBox* OldalSzel = nullptr;
    QPushButton* A4Gomb = nullptr;
    QPushButton* CimkeivGomb = nullptr; // the label stock chooser
    QDoubleSpinBox* Felsom = nullptr;
    QDoubleSpinBox* Balm = nullptr;
    QDoubleSpinBox* Jobbm = nullptr;
    QDoubleSpinBox* Alsom = nullptr;
    QDoubleSpinBox* CSzelesseg = nullptr;
    QDoubleSpinBox* CMagassag = nullptr;
    QSpinBox* COszlopok = nullptr;
    QDoubleSpinBox* CTerkoz = nullptr;
    TRadioList* gr_Aforras = nullptr;
    QCheckBox* cb_Varazslo = nullptr;
    QPushButton* SugoGomb = nullptr;
    QPushButton* VisszaGomb = nullptr;
    QPushButton* TovabbGomb = nullptr;
    QLabel* Buborek = nullptr;

    // Closing goes through the closing question; a failed Yes keeps the window open.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* BuildSheetPage();
    QWidget* BuildLabelPage();
    QWidget* BuildSourcePage();
    void PageShown();
    void AskForNewTemplate();
    void SourceClicked(int item);
    void WarnLinked();
    // The closing question and its answers; false keeps the window open.
    bool Closing();

    IOrsinaHost& FHost;
    TSettings& FSettings;
    IModal& FModal;
    QTimer FAskTimer;
    bool FLinkedAtOpening = false;
    QString FWorkbookAtOpening;
    void* FSourceAtOpening = nullptr;
    bool FClosed = false;
};

} // namespace etikor
