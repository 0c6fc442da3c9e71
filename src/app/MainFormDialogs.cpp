// The main window's modal windows: the settings dialog, the label wizard (and what it sees of
// the window), the series designer, manual entry and cloning the shown barcode's value.

#include "app/MainForm.h"

#include "app/MainFormExchange.h"
#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "designer/ElementPanel.h"
#include "dialogs/BeallitasForm.h"
#include "dialogs/OrsinaForm.h"
#include "printing/ui/EltolasForm.h"
#include "series/ManualEntry.h"
#include "series/ui/KeziForm.h"
#include "series/ui/TervezoForm.h"
#include "services/Modal.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TMainFormDialogsText {
    Q_DECLARE_TR_FUNCTIONS(TMainFormDialogsText)
};
} // namespace

int TMainForm::OpenSettings(int page) {
    if (!FSettingsFile)
        return QDialog::Rejected;
    TBeallitasForm form(FSettings, *FSettingsFile, FModal, this);
    form.HelpContext = [this] { return FHelpContext; };
    form.SetHelpContext = [this](int topic) { FHelpContext = topic; };
    form.Save = [this] { SaveSettings(); };
    bool changed = false;
    form.SettingsChanged = [&changed] { changed = true; };
    const int result = form.Execute(page);
    if (changed) {
        // The barcode options reach the designer's barcodes when they are built again.
        FEditor->SetAutoFontSize(FSettings.AutoBetu);
        mOrsina->setChecked(FSettings.AutoOrsina);
        ClearSelectionNow();
        BuildCanvas();
    }
    return result;
}

void TMainForm::OpenPrinterOffsets() {
    // The printer last chosen first, else the system's default.
    const QString current =
        !FSettings.Nyomtato.isEmpty() ? FSettings.Nyomtato : QPrinterInfo::defaultPrinterName();
    TEltolasForm form(FSettings.Eltolas, QPrinterInfo::availablePrinterNames(), current, this);
    if (FModal.RunModal(form) != QDialog::Accepted || form.Offsets() == FSettings.Eltolas)
        return;
    FSettings.Eltolas = form.Offsets();
    if (FSettingsFile)
        FSettingsFile->WriteOrWarn(FSettings, FModal);
}

// The main window as the label wizard sees it.
class TWizardHost final : public IOrsinaHost {
public:
    explicit TWizardHost(TMainForm& form) : F(form) {}

    TPageSetup Geometry() override { return F.FEditor->ShownPageSetup(); }
    void ApplyGeometry(const TPageSetup& g) override {
        // The controls' own limits apply (a label is at least 20 mm wide there).
        F.FEditor->ShowPageSetup(g);
        F.FEditor->ApplyPageSetup();
    }
    void SaveAs() override { F.FileCommand(&TTemplateFiles::SaveAs); }
    void ManualEntry() override { F.OpenManualEntry(); }
    void SeriesDesigner() override { F.OpenSeriesDesigner(); }
    int HelpContext() override { return F.FHelpContext; }
    void SetHelpContext(int topic) override { F.FHelpContext = topic; }
    bool CanLink() override { return true; }
    void LinkWorkbook() override { F.FLink->LinkFromDialog(F.FPaths.SeriesFolder()); }
    bool LinkFlag() override { return F.State().LinkFlag; }
    void SetLinkFlag(bool linked) override { F.State().LinkFlag = linked; }
    QString StoredWorkbookName() override {
        const std::optional<std::string> link = F.FDM.StoredLink();
        return link ? QFileInfo(FromCp1250(*link)).fileName() : QString();
    }
    QString WorkbookPath() override {
        const QString name = StoredWorkbookName();
        return name.isEmpty() ? QString() : TAppPaths::Join(F.FPaths.SeriesFolder(), name);
    }
    bool Reconnect(const QString& path) override {
        const QFileInfo file(path);
        return F.FLink->ConnectInFolder(file.absolutePath(), file.fileName());
    }
    void SeriesInsteadOfLink() override {
        F.FDM.ClearStoredLink();
        F.SeriesBecomesDataSource();
        F.FillFieldList();
        F.State().DataFlag = F.DataSourceRecordCount() > 0;
        F.State().Panel2 = TMainFormDialogsText::tr("Sorozat: ") + F.State().SeriesName;
        F.State().Panel3.clear();
        F.State().Panel4 = GroupedCount(F.DataSourceRecordCount());
        F.ShowStatus();
    }
    void* DataSource() override { return F.FDataSource; }
    void SetDataSource(void* source) override { F.FDataSource = static_cast<TDataSet*>(source); }
    bool DataSourceUsable() override { return F.DataSourceRecordCount() > 0; }
    void FirstRecord() override {
        if (F.FDataSource && F.FDataSource->Active())
            F.FDataSource->First();
    }
    void ShowRecordCount() override {
        // The link panel follows what the wizard left: the linked worksheet, or none.
        const bool linked = F.State().LinkFlag && F.FDataSource == &F.FLink->KT1 && F.FLink->KT1.Active();
        F.State().Panel3 =
            linked ? TMainFormDialogsText::tr("Kapcsolat: ") +
                         QFileInfo(QFile::decodeName(QByteArray::fromStdString(F.FLink->KT1.FileName)))
                             .fileName()
                   : QString();
        F.State().Panel4 = GroupedCount(F.DataSourceRecordCount());
        F.ShowStatus();
        F.FillFieldList();
    }
    void SaveSettings() override { F.SaveSettings(); }

private:
    TMainForm& F;
};

void TMainForm::OpenWizard() {
    if (!FSettingsFile)
        return;
    TWizardHost host(*this);
    {
        TOrsinaForm wizard(host, FSettings, FModal, this);
        FModal.RunModal(wizard);
    }
    mOrsina->setChecked(FSettings.AutoOrsina);
}

// The series designer, modal; a generation there makes the series the data source again.
void TMainForm::OpenSeriesDesigner() {
    const int helpContext = FHelpContext;
    FHelpContext = TTervezoForm::kHelpContext;
    TTervezoForm designer(FDM, State().SeriesName, FModal, this);
    FModal.RunModal(designer);
    FHelpContext = helpContext;
    if (!designer.SeriesReplaced())
        return;
    // The series is the data source again; it has data when the generation wrote any.
    State().LinkFlag = false;
    SeriesBecomesDataSource();
    State().DataFlag = DataSourceRecordCount() > 0;
    State().Panel4 = GroupedCount(DataSourceRecordCount());
    ShowStatus();
    // The template itself did not change: its undo history stays.
    ClearSelectionNow();
    BuildCanvas();
}

// Manual entry, modal (not while a worksheet is linked); the series is the data source after.
void TMainForm::OpenManualEntry() {
    if (State().LinkFlag)
        return;
    {
        TKeziForm form(FDM, State().SeriesName, FModal, this);
        form.HelpContext = [this] { return FHelpContext; };
        form.SetHelpContext = [this](int topic) { FHelpContext = topic; };
        form.ExternalDataNotInUse = [this] { State().LinkFlag = false; };
        FModal.RunModal(form);
    }
    SeriesBecomesDataSource();
    State().DataFlag = DataSourceRecordCount() > 0;
    State().Panel4 = GroupedCount(DataSourceRecordCount());
    ShowStatus();
    RebuildCanvas();
}

// Clones the value of the barcode shown on the element tab with the tab's barcode type.
void TMainForm::CloneShownBarcode() {
    if (!CurrentBarcode())
        return;
    const int type = FElementPanel->ShownBarcodeListPosition();
    CloneFromMainWindow(FDM.T1, ToCp1250(CurrentBarcode()->Value()), type, FModal, [this] {
        State().Panel4 = GroupedCount(DataSourceRecordCount());
        ShowStatus();
    });
}

} // namespace etikor
