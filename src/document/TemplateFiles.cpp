#include "document/TemplateFiles.h"

#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "document/FileNames.h"
#include "series/tables/SeriesTables.h"
#include "services/Modal.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TTemplateFilesText {
    Q_DECLARE_TR_FUNCTIONS(TTemplateFilesText)
};
} // namespace

namespace {

const QString kCr = QStringLiteral("\r");
const QString kDefault = QString::fromLatin1(kDefaultTemplate);
QString SeriesPanel(const QString& seriesName) {
    return TTemplateFilesText::tr("Sorozat: ") + seriesName;
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

std::string ErrorText(const std::error_code& error) {
    return error ? ". " + error.message() : std::string();
}

// The longest file name the folder takes, in bytes.
long NameMax(const QString& folder) {
    const long max = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return max > 0 ? max : 255;
}

} // namespace

TTemplateFilesHost::~TTemplateFilesHost() = default;

QString TemplateBaseName(const QString& fileName) {
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

QString SaveAsTemplateName(const QString& chosenFileName) {
    if (chosenFileName.contains(QStringLiteral(".ctv")))
        return chosenFileName;
    return TemplateBaseName(chosenFileName) + QStringLiteral(".ctv");
}

TTemplateFiles::TTemplateFiles(TDM& dm, TSettings& settings, const TSettingsFile& settingsFile, IModal& modal,
                               TTemplateFilesHost& host, TAppPaths paths)
    : FDM(dm), FSettings(settings), FSettingsFile(settingsFile), FModal(modal), FHost(host),
      FPaths(std::move(paths)) {}

QString TTemplateFiles::InSeriesFolder(const QString& fileName) const {
    return TAppPaths::Join(SeriesFolder(), fileName);
}

bool TTemplateFiles::Exists(const QString& fileName) const {
    return FileExistsIn(SeriesFolder(), fileName);
}

std::string TTemplateFiles::Native(const QString& fileName) const {
    return NativeFilePath(SeriesFolder(), fileName);
}

bool TTemplateFiles::Error(const QString& text) {
    return FModal.Message(QString(), text, QStringLiteral("H"));
}

void TTemplateFiles::OpenTable(TStoreTable& table, const QString& path, bool sortByName) {
    OpenNative(table, LocalPath(path), sortByName);
}

void TTemplateFiles::OpenInSeriesFolder(TStoreTable& table, const QString& fileName, bool sortByName) {
    OpenNative(table, Native(fileName), sortByName);
}

void TTemplateFiles::OpenNative(TStoreTable& table, const std::string& path, bool sortByName) {
    table.Close();
    table.SetTableName(path);
    if (sortByName)
        table.SetIndexFieldNames("Elemnev");
    table.Open();
}

void TTemplateFiles::WriteTable(TStoreTable& table) {
    table.SaveTable(table.FilePath());
}

void TTemplateFiles::CopyNative(const std::string& from, const QString& toName, TSaveAsUndo& undo) {
    namespace fs = std::filesystem;
    const std::string to = Native(toName);
    std::error_code error;
    // Copying a file onto itself would delete it first.
    if (fs::equivalent(from, to, error))
        return;
    if (!fs::is_regular_file(from, error))
        throw EStoreFileError("Cannot open file \"" + from + "\". No such file or directory");
    // A file about to be replaced is kept aside until the whole Save as has succeeded.
    if (fs::exists(fs::symlink_status(to, error))) {
        const std::string aside = Native(QStringLiteral(".etikor-%1.bak").arg(undo.Aside.size()));
        fs::rename(to, aside, error);
        if (error)
            throw EStoreFileError("Cannot delete file \"" + to + "\"" + ErrorText(error));
        undo.Aside.push_back({to, aside});
    }
    undo.Created.push_back(to);
    fs::copy_file(from, to, error);
    if (error)
        throw EStoreFileError("Cannot create file \"" + to + "\"" + ErrorText(error));
    // The copy is the user's new template: writable even when the original was read-only.
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, error);
}

void TTemplateFiles::TSaveAsUndo::RollBack() {
    std::error_code error;
    for (const std::string& path : Created)
        std::filesystem::remove(path, error);
    for (const auto& [path, aside] : Aside)
        std::filesystem::rename(aside, path, error);
    Created.clear();
    Aside.clear();
}

void TTemplateFiles::TSaveAsUndo::Commit() {
    std::error_code error;
    for (const auto& entry : Aside)
        std::filesystem::remove(entry.second, error);
    Created.clear();
    Aside.clear();
}

void TTemplateFiles::FallBackToDefault() {
    State.TemplateName = kDefault;
    FSettings.Utolso = State.TemplateName;
    FSettingsFile.WriteOrWarn(FSettings, FModal);
}

int TTemplateFiles::RecordCount() {
    const int count = FHost.DataSourceRecordCount();
    if (count >= 0)
        return count;
    return FDM.T1.Active() ? FDM.T1.RecordCount() : 0;
}

QString TTemplateFiles::FormatCount(int count) const {
    // Grouped thousands; zero shows as "0", not as an empty panel.
    return FromCp1250(FormatFloat("#,##0", count));
}

// ---- start-up ---------------------------------------------------------------------------

bool TTemplateFiles::StartupOpen() {
    AdoptOldCodePageNames(SeriesFolder());
    State.TemplateName = FSettings.Utolso;
    State.ClosingFlag = true;
    if (State.TemplateName.isEmpty() || !Exists(State.TemplateName))
        State.TemplateName = kDefault;
    if (!Exists(State.TemplateName)) {
        Error(TTemplateFilesText::tr("Hiányzik a(z) ") + InSeriesFolder(State.TemplateName) +
              TTemplateFilesText::tr(" file! (.ctv)"));
        FHost.CloseMainWindow();
        return false;
    }
    try {
        OpenInSeriesFolder(FDM.Elemek, State.TemplateName, true);
    } catch (const std::exception&) {
        Error(TTemplateFilesText::tr("A megnyitni kívánt címketerv (") + State.TemplateName +
              TTemplateFilesText::tr(") hiányzik, vagy az előző verzióval készült.") + kCr +
              TTemplateFilesText::tr("Ebben a verzióban nem nyitható meg!") + kCr +
              TTemplateFilesText::tr(
                  "Most a program visszaáll az alap címketervre (Sorozat0.ctv). Indítsa újra a programot!"));
        FallBackToDefault();
        FHost.CloseMainWindow();
        return false;
    }
    const QString base = TemplateBaseName(State.TemplateName);
    State.SeriesName = base + QStringLiteral(".sor");
    if (!Exists(State.SeriesName)) {
        Error(TTemplateFilesText::tr("Hiányzik a(z) ") + InSeriesFolder(State.SeriesName) +
              TTemplateFilesText::tr(" file! (.sor)"));
        FHost.CloseMainWindow();
        return false;
    }
    // A damaged companion ends the program, naming the file and the store's reason, rather
    // than leaving it running without its series (the error handler drops errors while the
    // closing flag is set).
    auto damaged = [this](const QString& name, const char* kind, const std::exception& e) {
        Error(TTemplateFilesText::tr("Hibás vagy sérült a(z) ") + InSeriesFolder(name) +
              TTemplateFilesText::tr(" file! (") + QLatin1String(kind) + QStringLiteral(")") + kCr +
              QString::fromLocal8Bit(e.what()));
        FHost.CloseMainWindow();
        return false;
    };
    try {
        OpenInSeriesFolder(FDM.T1, State.SeriesName);
    } catch (const std::exception& e) {
        return damaged(State.SeriesName, ".sor", e);
    }
    if (FDM.T1.RecordCount() > 0)
        State.DataFlag = true;
    FHost.SeriesBecomesDataSource();
    State.DefinitionName = base + QStringLiteral(".vks");
    if (!Exists(State.DefinitionName)) {
        Error(TTemplateFilesText::tr("Hiányzik a(z) ") + InSeriesFolder(State.DefinitionName) +
              TTemplateFilesText::tr(" file (.vks)!"));
        FHost.CloseMainWindow();
        return false;
    }
    try {
        OpenInSeriesFolder(FDM.M1, State.DefinitionName);
    } catch (const std::exception& e) {
        return damaged(State.DefinitionName, ".vks", e);
    }
    State.ClosingFlag = false;
    return true;
}

// ---- New ----------------------------------------------------------------------------------

void TTemplateFiles::New() {
    State.LinkFlag = false;
    FHost.ClearSelection();
    FHost.ShowDataSourceTab();
    if (!FModal.Message(
            QString(),
            TTemplateFilesText::tr("Most egy üres sablont fog létrehozni a Sorozat0.ctv sablon helyett.") +
                kCr + TTemplateFilesText::tr("Folytatja?"),
            QStringLiteral("K")))
        return;
    auto empty = [this](TStoreTable& table, const QString& name) {
        table.Close();
        OpenInSeriesFolder(table, name, &table == &FDM.Elemek);
        table.EmptyTable();
        WriteTable(table);
    };
    FDM.Elemek.Close();
    FHost.SeriesBecomesDataSource();
    State.TemplateName = kDefault;
    empty(FDM.Elemek, State.TemplateName);
    State.SeriesName = TemplateBaseName(kDefault) + QStringLiteral(".sor");
    empty(FDM.T1, State.SeriesName);
    State.DefinitionName = TemplateBaseName(kDefault) + QStringLiteral(".vks");
    empty(FDM.M1, State.DefinitionName);
    State.LinkFlag = false;
    State.Panel4 = QStringLiteral("0");
    State.Panel2 = SeriesPanel(State.SeriesName);
    FHost.RebuildCanvas();
    State.DataFlag = RecordCount() > 0;
}

// ---- Open ---------------------------------------------------------------------------------

void TTemplateFiles::Open() {
    const QString prevTemplate = State.TemplateName;
    const QString prevSeries = State.SeriesName;
    const QString prevDefinition = State.DefinitionName;
    // Where the previous template really lies (an earlier Open may have taken it from
    // another folder).
    const std::string prevTemplatePath =
        FDM.Elemek.TableName().empty() ? Native(prevTemplate) : FDM.Elemek.TableName();
    // Files copied from an old disk get names the dialog can list.
    AdoptOldCodePageNames(SeriesFolder());

    TFileDialogOptions options;
    options.Title = TTemplateFilesText::tr("Etikor címke file");
    options.InitialDir = SeriesFolder();
    options.Filter = TTemplateFilesText::tr("CIMKE fileok|*.ctv");
    options.DefaultExt = QStringLiteral("*.ctv");
    options.MustExist = true;
    const std::optional<QString> chosen = FModal.OpenFile(options);
    if (!chosen)
        return;

    State.LinkFlag = false;
    State.DataFlag = false;
    FHost.ClearSelection();
    FHost.ShowDataSourceTab();
    State.Panel3.clear();
    State.Panel4 = QStringLiteral("0");
    FHost.RebuildCanvas();

    State.TemplateName = FileNameOf(*chosen);
    try {
        OpenTable(FDM.Elemek, *chosen, true);
    } catch (const std::exception&) {
        Error(TTemplateFilesText::tr("Hibás file, vagy a megnyitni kívánt címketerv (") + State.TemplateName +
              TTemplateFilesText::tr(") hiányzik, vagy az előző verzióval készült.") + kCr +
              TTemplateFilesText::tr("Ebben a verzióban nem nyitható meg!") + kCr +
              TTemplateFilesText::tr(
                  "Most a program visszaáll az alap címketervre (Sorozat0.ctv). Indítsa újra a programot!"));
        FallBackToDefault();
        State.ClosingFlag = true;
        FHost.CloseMainWindow();
        return;
    }

    const QString base = TemplateBaseName(State.TemplateName);
    auto restore = [&](const QString& missing) {
        Error(TTemplateFilesText::tr("Hiányzik a(z) ") + InSeriesFolder(missing) +
              TTemplateFilesText::tr(" file!"));
        FDM.Elemek.Close();
        State.TemplateName = prevTemplate;
        State.SeriesName = prevSeries;
        State.DefinitionName = prevDefinition;
        OpenNative(FDM.Elemek, prevTemplatePath, true);
        // The previous series is still open and current: show it as it is.
        const int count = RecordCount();
        State.DataFlag = count > 0;
        State.Panel4 = FormatCount(count);
        FHost.RebuildCanvas();
    };
    State.SeriesName = base + QStringLiteral(".sor");
    if (!Exists(State.SeriesName))
        return restore(State.SeriesName);
    State.DefinitionName = base + QStringLiteral(".vks");
    if (!Exists(State.DefinitionName))
        return restore(State.DefinitionName);

    OpenInSeriesFolder(FDM.T1, State.SeriesName);
    FHost.SeriesBecomesDataSource();
    State.Panel2 = SeriesPanel(State.SeriesName);
    if (FDM.T1.RecordCount() > 0) {
        State.DataFlag = true;
        FDM.T1.First();
        if (FDM.T1.FieldByName(kSeriesLinkedField).AsBoolean())
            FHost.ReconnectLink();
    }
    FHost.FillFieldList();
    OpenInSeriesFolder(FDM.M1, State.DefinitionName);
    FHost.RebuildCanvas();
    State.Panel4 = FormatCount(RecordCount());
}

// ---- Save as ------------------------------------------------------------------------------

void TTemplateFiles::SaveAs() {
    FHost.ClearSelection();
    TFileDialogOptions options;
    options.Title = TTemplateFilesText::tr("Címke sablon [Mentés másként]");
    options.InitialDir = SeriesFolder();
    options.Filter = TTemplateFilesText::tr("Etikor címke file|*.ctv");
    options.DefaultExt = QStringLiteral("*.ctv");
    options.ChangesDir = false;
    const std::optional<QString> chosen = FModal.SaveFile(options);
    if (!chosen)
        return;
    const QString chosenName = FileNameOf(*chosen);
    if (chosenName.isEmpty() || chosenName == State.TemplateName)
        return;
    const QString newName = SaveAsTemplateName(chosenName);
    // "Sorozat0.txt" names the current template again; copying it onto itself would lose it.
    if (newName == State.TemplateName)
        return;
    // A name the file system cannot take is refused before anything is copied.
    const QString base = TemplateBaseName(newName);
    for (const QString& name : {newName, base + QStringLiteral(".sor"), base + QStringLiteral(".vks")})
        if (!NameFits(name))
            return;
    if (Exists(newName) &&
        !FModal.Message(QString(),
                        newName + TTemplateFilesText::tr(" file már létezik!") + kCr +
                            TTemplateFilesText::tr("Felülírja? (A file tartalma elveszik)"),
                        QStringLiteral("K")))
        return;

    const QString newBase = TemplateBaseName(newName);
    const QString newSeries = newBase + QStringLiteral(".sor");
    const QString newDefinition = newBase + QStringLiteral(".vks");
    // The template is copied from the file it was opened on (Open takes any folder).
    const std::string templatePath =
        FDM.Elemek.TableName().empty() ? Native(State.TemplateName) : FDM.Elemek.TableName();
    const QString prevTemplate = State.TemplateName;
    const QString prevSeries = State.SeriesName;
    const QString prevDefinition = State.DefinitionName;
    TSaveAsUndo undo;
    try {
        FDM.Elemek.Close();
        CopyNative(templatePath, newName, undo);
        State.TemplateName = newName;
        OpenInSeriesFolder(FDM.Elemek, State.TemplateName, true);
        WriteTable(FDM.Elemek);

        FDM.T1.Close();
        CopyNative(Native(prevSeries), newSeries, undo);
        State.SeriesName = newSeries;
        OpenInSeriesFolder(FDM.T1, State.SeriesName);
        WriteTable(FDM.T1);

        FDM.M1.Close();
        CopyNative(Native(prevDefinition), newDefinition, undo);
        State.DefinitionName = newDefinition;
        OpenInSeriesFolder(FDM.M1, State.DefinitionName);
        WriteTable(FDM.M1);
    } catch (const std::exception&) {
        // Nothing of the failed copy stays behind, and the template that was open stays the
        // current one, so the settings written at the end name files that exist.
        FDM.Elemek.Close();
        FDM.T1.Close();
        FDM.M1.Close();
        undo.RollBack();
        State.TemplateName = prevTemplate;
        State.SeriesName = prevSeries;
        State.DefinitionName = prevDefinition;
        try {
            OpenNative(FDM.Elemek, templatePath, true);
            OpenInSeriesFolder(FDM.T1, prevSeries);
            OpenInSeriesFolder(FDM.M1, prevDefinition);
        } catch (const std::exception&) {
            // The reason of the first failure is the one to report.
        }
        throw;
    }
    undo.Commit();

    State.Panel2 = SeriesPanel(State.SeriesName);
    FHost.RebuildCanvas();
}

bool TTemplateFiles::NameFits(const QString& fileName) {
    const long max = NameMax(SeriesFolder());
    if (QFile::encodeName(fileName).size() <= max)
        return true;
    Error(TTemplateFilesText::tr("A(z) ") + fileName + TTemplateFilesText::tr(" név túl hosszú!") + kCr +
          TTemplateFilesText::tr(
              "A file neve legfeljebb %1 bájt lehet (egy ékezetes betű 2 bájt). Válasszon rövidebb nevet!")
              .arg(max));
    return false;
}

} // namespace etikor
