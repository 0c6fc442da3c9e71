// The main window's data exchange commands: linking a worksheet (tool button and menu), the
// Excel export and the data browser (menu and the data source tab's button).

#include "app/MainFormExchange.h"

#include "designer/DataSourceTab.h"
#include "designer/ElementPanel.h"
#include "exchange/ExcelExport.h"
#include "exchange/ui/TablaForm.h"
#include "services/Modal.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QToolButton>

namespace etikor {

void TMainFormLinkHost::FieldListRebuilt() {
    FForm.FElementPanel->ShowFieldList(FForm.FDM.FieldList());
}

void TMainForm::WireDataExchange() {
    FLinkHost = std::make_unique<TMainFormLinkHost>(*this);
    FLink = std::make_unique<TWorkbookLink>(FDM, *FLinkHost);
    const auto link = [this] {
        FLink->LinkFromDialog(FPaths.SeriesFolder());
        RebuildCanvas();
    };
    connect(findChild<QToolButton*>(QStringLiteral("ExcelImportGomb")), &QToolButton::clicked, this, link);
    connect(findChild<QAction*>(QStringLiteral("ImportlsExcel1")), &QAction::triggered, this, link);
    connect(findChild<QAction*>(QStringLiteral("Excelfile1")), &QAction::triggered, this,
            &TMainForm::ExportToExcel);
    connect(findChild<QAction*>(QStringLiteral("mAdatbongeszo")), &QAction::triggered, this,
            &TMainForm::OpenDataBrowser);
    connect(FDataSourceTab->Bongeszo_Gomb, &QPushButton::clicked, this, &TMainForm::OpenDataBrowser);
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
    options.Filter = QStringLiteral("Excel 2.x munkalap|*.xls|Excel munkafüzet|*.xlsx");
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
