// The main window's data exchange commands: linking a worksheet (tool button and menu), the
// Excel export and the data browser (menu and the data source tab's button). The window's
// menus and buttons are connected to them where they are built.

#include "app/MainFormExchange.h"

#include "designer/ElementPanel.h"
#include "exchange/ExcelExport.h"
#include "exchange/ui/TablaForm.h"
#include "services/Modal.h"

#include <QCoreApplication>
#include <QDir>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TMainFormExchangeText {
    Q_DECLARE_TR_FUNCTIONS(TMainFormExchangeText)
};
} // namespace

void TMainFormLinkHost::FieldListRebuilt() {
    FForm.FElementPanel->ShowFieldList(FForm.FDM.FieldList());
}

void TMainForm::WireDataExchange() {
    FLinkHost = std::make_unique<TMainFormLinkHost>(*this);
    FLink = std::make_unique<TWorkbookLink>(FDM, *FLinkHost);
}

void TMainForm::LinkWorkbook() {
    FLink->LinkFromDialog(FPaths.SeriesFolder());
    RebuildCanvas();
}

void TMainForm::ExportToExcel() {
    if (!FDataSource)
        return;
    if (!FDataSource->Active())
        FDataSource->Open();
    // The template's name in the current folder is offered; the extension chosen picks the
    // format.
    TFileDialogOptions options;
    options.Title = QStringLiteral("Excel export");
    options.InitialDir = QDir::currentPath();
    options.FileName = QString::fromStdString(ExportFileName(State().TemplateName.toStdString()));
    options.Filter = TMainFormExchangeText::tr("Excel 2.x munkalap|*.xls|Excel munkafüzet|*.xlsx");
    options.DefaultExt = QStringLiteral("xls");
    const std::optional<QString> file = FModal.SaveFile(options);
    if (!file)
        return;
    ExportDataSet(*FDataSource, *file);
}

void TMainForm::OpenDataBrowser() {
    if (!FDataSource)
        return;
    TTablaForm browser(*FDataSource, FFiles ? FFiles->InSeriesFolder(State().SeriesName) : State().SeriesName,
                       this);
    FModal.RunModal(browser);
}

} // namespace etikor
