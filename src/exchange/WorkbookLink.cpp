#include "exchange/WorkbookLink.h"

#include "data/Cp1250Text.h"
#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "document/TemplateFiles.h"
#include "exchange/FieldList.h"
#include "series/tables/SeriesTables.h"
#include "services/Modal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TWorkbookLinkText {
    Q_DECLARE_TR_FUNCTIONS(TWorkbookLinkText)
};
} // namespace

namespace {

const QString kCr = QStringLiteral("\r");

QString countText(int count) {
    return FromCp1250(FormatFloat("#,##0", count));
}

} // namespace

TWorkbookLink::TWorkbookLink(TDM& dm, TWorkbookLinkHost& host, IModal& modal)
    : FDM(dm), FHost(host), FModal(modal) {
    KT1.Name = "KT1";
}

QString TWorkbookLink::DialogFilter() {
    return TWorkbookLinkText::tr(
        "Excel fileok|*.xls;*.xlsx;*.ods;*.csv|Excel 97-2003|*.xls|Excel 2007-|*.xlsx|"
        "OpenDocument|*.ods|CSV|*.csv");
}

void TWorkbookLink::StoreLink(bool linked, const std::string& table) {
    TStoreTable& series = FDM.T1;
    if (!series.Active())
        series.Open();
    series.First();
    if (series.IsEmpty())
        series.Append();
    else
        series.Edit();
    series.FieldByName(kSeriesLinkedField).SetAsBoolean(linked);
    series.FieldByName(kSeriesLinkedSheetField).SetAsString(table);
    series.Post();
    series.SaveTable(series.FilePath());
}

bool TWorkbookLink::Connect(const QString& path) {
    TDocumentState& state = FHost.LinkState();
    const std::string fileName = QFile::encodeName(path).toStdString();
    // The file is read before anything changes: one that cannot be read leaves the program as it
    // was, with its old link or none.
    TWorksheet sheet;
    try {
        sheet = TWorksheetDataSet::ReadFile(fileName);
    } catch (const EWorksheetError& error) {
        // The broken-file message has its own help topic.
        const int helpContext = FHost.LinkHelpContext();
        FHost.SetLinkHelpContext(kBrokenFileHelpContext);
        ShowBrokenSource(DatabaseErrorText(KT1.Name, error.what()), FModal);
        FHost.SetLinkHelpContext(helpContext);
        return false;
    }
    KT1.Close();
    KT1.FileName = fileName;
    KT1.OpenWith(std::move(sheet));
    FHost.SetDataSource(&KT1);
    FDM.FillFieldList(KT1);
    FHost.FieldListRebuilt();
    state.Panel3 = TWorkbookLinkText::tr("Kapcsolat: ") + QFileInfo(path).fileName();
    state.Panel4 = countText(KT1.RecordCount());
    state.DataFlag = true;
    state.LinkFlag = true;
    FHost.StatusChanged();
    if (KT1.BadByteLine() > 0)
        FModal.Message(
            QString(),
            TWorkbookLinkText::tr("A(z) ") + QFileInfo(path).fileName() +
                TWorkbookLinkText::tr(" UTF-8 szövegében hibás bájtok vannak (az első a(z) %1. sorban);")
                    .arg(KT1.BadByteLine()) +
                kCr + TWorkbookLinkText::tr("ezeket Windows-1250 karakterként olvasta be a program."),
            QStringLiteral("F"));
    return true;
}

void TWorkbookLink::LinkFromDialog(const QString& seriesFolder) {
    TDocumentState& state = FHost.LinkState();
    FHost.SetLinkHelpContext(kHelpContext);
    if (!FDM.T1.Active())
        FDM.T1.Open();

    TFileDialogOptions options;
    options.Title = TWorkbookLinkText::tr("Etikor MS-Excel kapcsolat");
    options.InitialDir = seriesFolder;
    options.DefaultExt = QStringLiteral("*.xls");
    options.Filter = DialogFilter();
    options.MustExist = true;
    const std::optional<QString> chosen = FModal.OpenFile(options);
    if (chosen) {
        if (Connect(*chosen))
            StoreLink(true, ToCp1250(QFileInfo(*chosen).fileName()));
        return;
    }
    state.Panel2 = TWorkbookLinkText::tr("Sorozat: ") + state.SeriesName;
    StoreLink(false, {});
    state.LinkFlag = false;
    KT1.Close();
    FHost.SetDataSource(&FDM.T1);
    state.Panel3.clear();
    state.Panel4 = countText(FDM.T1.RecordCount());
    state.DataFlag = FDM.T1.RecordCount() > 0;
    FDM.FillFieldList(FDM.T1);
    FHost.FieldListRebuilt();
    FHost.StatusChanged();
    FModal.Message(QString(), TWorkbookLinkText::tr("Nincs kapcsolt adat!"), QStringLiteral("I"));
}

void TWorkbookLink::Reconnect(const QString& seriesFolder, bool autoOpen) {
    const std::optional<std::string> link = FDM.StoredLink();
    if (!link)
        return;
    FHost.SetLinkHelpContext(kHelpContext);
    const QString table = FromCp1250(*link);
    if (!autoOpen) {
        FModal.Message(QString(),
                       TWorkbookLinkText::tr("Ez a címketerv kapcsolt adatokat tartalmaz!") + kCr +
                           TWorkbookLinkText::tr("[ Táblanév: ") + table + QStringLiteral(" ]") + kCr +
                           TWorkbookLinkText::tr("Kapcsolja újra az adatokat!"),
                       QStringLiteral("i"));
        return;
    }
    ConnectInFolder(seriesFolder, table);
}

bool TWorkbookLink::ConnectInFolder(const QString& seriesFolder, const QString& table) {
    const QString path = QDir(seriesFolder).filePath(table);
    if (table.isEmpty() || !QFileInfo(path).isFile()) {
        FModal.Message(QString(),
                       TWorkbookLinkText::tr("A(z) ") + table + TWorkbookLinkText::tr(" file") + kCr +
                           TWorkbookLinkText::tr("nem található az alapértelmezett") + kCr +
                           QStringLiteral("(") + seriesFolder + TWorkbookLinkText::tr(") mappában!") + kCr +
                           TWorkbookLinkText::tr("A kapcsolat nem jött létre!"),
                       QStringLiteral("F"));
        return false;
    }
    return Connect(path);
}

} // namespace etikor
