#include "document/ShippedFiles.h"

#include "document/DataModule.h"
#include "document/TemplateSchema.h"
#include "services/AppPaths.h"
#include "tablestore/StoreTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

namespace {

// Copies a shipped file when the user has none of that name yet.
void CopyMissing(const QString& from, const QString& to) {
    if (QFileInfo::exists(to) || !QFile::copy(from, to))
        return;
    QFile::setPermissions(to, QFile::permissions(to) | QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

void PrepareUserFolders(const TAppPaths& paths) {
    if (paths.SharedFolder.isEmpty())
        return;
    // The user's own series folder, also when this run works on a template from elsewhere.
    const QString series = TAppPaths::Join(paths.WorkingFolder, QStringLiteral("Sorozat"));
    QDir().mkpath(series);
    QDir().mkpath(paths.ProgramFolder);
    QDir().mkpath(paths.SettingsLocation());
    const QDir shippedSeries(TAppPaths::Join(paths.SharedFolder, QStringLiteral("Sorozat")));
    for (const QString& name : shippedSeries.entryList(QDir::Files))
        CopyMissing(shippedSeries.filePath(name), TAppPaths::Join(series, name));
    for (const char* scratch : {kSelectionTableFile, kPrintTableFile})
        CopyMissing(TAppPaths::Join(paths.SharedFolder, QLatin1String(scratch)),
                    TAppPaths::Join(paths.ProgramFolder, QLatin1String(scratch)));
}

} // namespace etikor
