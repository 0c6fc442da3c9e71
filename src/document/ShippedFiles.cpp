#include "document/ShippedFiles.h"

#include "document/DataModule.h"
#include "document/TemplateModel.h"
#include "services/AppPaths.h"
#include "tablestore/StoreTable.h"

#include <QDir>
#include <QFile>

namespace etikor {

namespace {

// A new table of this structure, filled by `fill`, saved as `path`.
template <typename Fill>
void WriteTable(const TFieldDefs& defs, const QString& path, std::string name, Fill fill) {
    TStoreTable table;
    table.Name = std::move(name);
    table.FieldDefs = defs;
    table.Open();
    fill(table);
    table.SaveTable(QFile::encodeName(path).toStdString());
    table.Close();
}

void NoRows(TStoreTable&) {}

} // namespace

void WriteDefaultSet(const QString& seriesFolder, const TSettings& settings) {
    QDir().mkpath(seriesFolder);
    WriteTable(ElemekFieldDefs(), TAppPaths::Join(seriesFolder, QStringLiteral("Sorozat0.ctv")), "Elemek",
               [&](TStoreTable& t) { AppendPageSetupRow(t, DefaultPageSetup(settings)); });
    WriteTable(SeriesFieldDefs(), TAppPaths::Join(seriesFolder, QStringLiteral("Sorozat0.sor")), "T1",
               NoRows);
    WriteTable(DefinitionFieldDefs(), TAppPaths::Join(seriesFolder, QStringLiteral("Sorozat0.vks")), "M1",
               NoRows);
}

void WriteScratchTables(const QString& programFolder) {
    QDir().mkpath(programFolder);
    WriteTable(SelectionFieldDefs(), TAppPaths::Join(programFolder, QString::fromLatin1(kSelectionTableFile)),
               "NyTemp", NoRows);
    WriteTable(SeriesFieldDefs(), TAppPaths::Join(programFolder, QString::fromLatin1(kPrintTableFile)),
               "Temp", NoRows);
}

} // namespace etikor
