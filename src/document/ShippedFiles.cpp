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

void WriteDefaultSet(const QString& seriesFolder, const TSettings& settings, bool keepExisting) {
    QDir().mkpath(seriesFolder);
    auto wanted = [&](const QString& path) { return !keepExisting || !QFile::exists(path); };
    const QString ctv = TAppPaths::Join(seriesFolder, QStringLiteral("Sorozat0.ctv"));
    if (wanted(ctv))
        WriteTable(ElemekFieldDefs(), ctv, "Elemek",
                   [&](TStoreTable& t) { AppendPageSetupRow(t, settings.Page); });
    const QString sor = TAppPaths::Join(seriesFolder, QStringLiteral("Sorozat0.sor"));
    if (wanted(sor))
        WriteTable(SeriesFieldDefs(), sor, "T1", NoRows);
    const QString vks = TAppPaths::Join(seriesFolder, QStringLiteral("Sorozat0.vks"));
    if (wanted(vks))
        WriteTable(DefinitionFieldDefs(), vks, "M1", NoRows);
}

void WriteScratchTables(const QString& programFolder) {
    QDir().mkpath(programFolder);
    WriteTable(SelectionFieldDefs(), TAppPaths::Join(programFolder, QString::fromLatin1(kSelectionTableFile)),
               "NyTemp", NoRows);
    WriteTable(SeriesFieldDefs(), TAppPaths::Join(programFolder, QString::fromLatin1(kPrintTableFile)),
               "Temp", NoRows);
}

} // namespace etikor
