// The main window's data exchange commands: linking a worksheet (tool button and menu), the
// Excel export and the data browser (menu and the data source tab's button). The window's
// menus and buttons are connected to them where they are built.

#include "app/MainFormExchange.h"

#include "designer/ElementPanel.h"
#include "exchange/ExcelExport.h"
#include "exchange/ui/TablaForm.h"
#include "services/Modal.h"

namespace etikor {

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
    ExportDataSet(*FDataSource, QString::fromStdString(ExportFileName(State().TemplateName.toStdString())));
}

void TMainForm::OpenDataBrowser() {
    if (!FDataSource)
        return;
    TTablaForm browser(*FDataSource, FFiles ? FFiles->InSeriesFolder(State().SeriesName) : State().SeriesName,
                       this);
    FModal.RunModal(browser);
}

} // namespace etikor
