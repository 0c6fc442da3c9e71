#include "document/TemplateFiles.h"

#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "services/Modal.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreTable.h"

#include <QFile>
#include <QFileInfo>

namespace etikor {

namespace {

const QString kCr = QStringLiteral("\r");
const QString kDefault = QString::fromLatin1(kDefaultTemplate);
const QString kSorozat = QStringLiteral("Sorozat: ");

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
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
    return QFileInfo(InSeriesFolder(fileName)).isFile();
}

bool TTemplateFiles::Error(const QString& text) {
    return FModal.Message(QString(), text, QStringLiteral("H"));
}

void TTemplateFiles::OpenTable(TStoreTable& table, const QString& path, bool sortByName) {
    table.Close();
    table.SetTableName(LocalPath(path));
    if (sortByName)
        table.SetIndexFieldNames("Elemnev");
    table.Open();
}

void TTemplateFiles::WriteTable(TStoreTable& table) {
    table.SaveTable(table.FilePath());
}

void TTemplateFiles::CopyFile(const QString& fromName, const QString& toName) {
    CopyPath(InSeriesFolder(fromName), toName);
}

void TTemplateFiles::CopyPath(const QString& from, const QString& toName) {
    const QString to = InSeriesFolder(toName);
    // Copying a file onto itself would delete it first.
    if (QFileInfo(from).absoluteFilePath() == QFileInfo(to).absoluteFilePath())
        return;
    if (!QFileInfo(from).isFile())
        throw EStoreFileError("Cannot open file \"" + LocalPath(from) + "\". No such file or directory");
    if (QFileInfo::exists(to) && !QFile::remove(to))
        throw EStoreFileError("Cannot delete file \"" + LocalPath(to) + "\"");
    if (!QFile::copy(from, to))
        throw EStoreFileError("Cannot create file \"" + LocalPath(to) + "\"");
}

void TTemplateFiles::FallBackToDefault() {
    State.TemplateName = kDefault;
    FSettings.Utolso = State.TemplateName;
    FSettingsFile.Write(FSettings);
}

int TTemplateFiles::RecordCount() {
    const int count = FHost.DataSourceRecordCount();
    if (count >= 0)
        return count;
    return FDM.T1.Active() ? FDM.T1.RecordCount() : 0;
}

QString TTemplateFiles::FormatCount(int count) const {
    // Grouped thousands; zero shows as "0", not as an empty panel.
    return QString::fromStdString(FormatFloat("#,##0", count));
}

// ---- start-up ---------------------------------------------------------------------------

bool TTemplateFiles::StartupOpen() {
    State.TemplateName = FSettings.Utolso;
    State.ClosingFlag = true;
    if (State.TemplateName.isEmpty() || !Exists(State.TemplateName))
        State.TemplateName = kDefault;
    if (!Exists(State.TemplateName)) {
        Error(QStringLiteral("Hiányzik a(z) ") + InSeriesFolder(State.TemplateName) +
              QStringLiteral(" file! (.ctv)"));
        FHost.CloseMainWindow();
        return false;
    }
    try {
        OpenTable(FDM.Elemek, InSeriesFolder(State.TemplateName), true);
    } catch (const std::exception&) {
        Error(QStringLiteral("A megnyitni kívánt címketerv (") + State.TemplateName +
              QStringLiteral(") hiányzik, vagy az előző verzióval készült.") + kCr +
              QStringLiteral("Ebben a verzióban nem nyitható meg!") + kCr +
              QStringLiteral(
                  "Most a program visszaáll az alap címketervre (Sorozat0.ctv). Indítsa újra a programot!"));
        FallBackToDefault();
        FHost.CloseMainWindow();
        return false;
    }
    const QString base = TemplateBaseName(State.TemplateName);
    State.SeriesName = base + QStringLiteral(".sor");
    if (!Exists(State.SeriesName)) {
        Error(QStringLiteral("Hiányzik a(z) ") + InSeriesFolder(State.SeriesName) +
              QStringLiteral(" file! (.sor)"));
        FHost.CloseMainWindow();
        return false;
    }
    // A damaged companion ends the program with the store's reason rather than leaving it
    // running without its series (the error handler drops errors while the closing flag is
    // set).
    try {
        OpenTable(FDM.T1, InSeriesFolder(State.SeriesName));
        if (FDM.T1.RecordCount() > 0)
            State.DataFlag = true;
        FHost.SeriesBecomesDataSource();
        State.DefinitionName = base + QStringLiteral(".vks");
        if (!Exists(State.DefinitionName)) {
            Error(QStringLiteral("Hiányzik a(z) ") + InSeriesFolder(State.DefinitionName) +
                  QStringLiteral(" file (.vks)!"));
            FHost.CloseMainWindow();
            return false;
        }
        OpenTable(FDM.M1, InSeriesFolder(State.DefinitionName));
    } catch (const std::exception& e) {
        Error(QString::fromLocal8Bit(e.what()));
        FHost.CloseMainWindow();
        return false;
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
            QStringLiteral("Most egy üres sablont fog létrehozni a Sorozat0.ctv sablon helyett.") + kCr +
                QStringLiteral("Folytatja?"),
            QStringLiteral("K")))
        return;
    auto empty = [this](TStoreTable& table, const QString& name) {
        table.Close();
        OpenTable(table, InSeriesFolder(name), &table == &FDM.Elemek);
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
    State.Panel2 = kSorozat + State.SeriesName;
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
    const QString prevTemplatePath =
        FDM.Elemek.TableName().empty() ? InSeriesFolder(prevTemplate)
                                       : QFile::decodeName(QByteArray::fromStdString(FDM.Elemek.TableName()));

    TFileDialogOptions options;
    options.Title = QStringLiteral("Etikor címke file");
    options.InitialDir = SeriesFolder();
    options.Filter = QStringLiteral("CIMKE fileok|*.ctv");
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
        Error(QStringLiteral("Hibás file, vagy a megnyitni kívánt címketerv (") + State.TemplateName +
              QStringLiteral(") hiányzik, vagy az előző verzióval készült.") + kCr +
              QStringLiteral("Ebben a verzióban nem nyitható meg!") + kCr +
              QStringLiteral(
                  "Most a program visszaáll az alap címketervre (Sorozat0.ctv). Indítsa újra a programot!"));
        FallBackToDefault();
        State.ClosingFlag = true;
        FHost.CloseMainWindow();
        return;
    }

    const QString base = TemplateBaseName(State.TemplateName);
    auto restore = [&](const QString& missing) {
        Error(QStringLiteral("Hiányzik a(z) ") + InSeriesFolder(missing) + QStringLiteral(" file!"));
        FDM.Elemek.Close();
        State.TemplateName = prevTemplate;
        State.SeriesName = prevSeries;
        State.DefinitionName = prevDefinition;
        OpenTable(FDM.Elemek, prevTemplatePath, true);
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

    OpenTable(FDM.T1, InSeriesFolder(State.SeriesName));
    FHost.SeriesBecomesDataSource();
    State.Panel2 = kSorozat + State.SeriesName;
    if (FDM.T1.RecordCount() > 0) {
        State.DataFlag = true;
        FDM.T1.First();
        if (FDM.T1.FieldByName("ODBC").AsBoolean())
            FHost.ReconnectLink();
    }
    FHost.FillFieldList();
    OpenTable(FDM.M1, InSeriesFolder(State.DefinitionName));
    FHost.RebuildCanvas();
    State.Panel4 = FormatCount(RecordCount());
}

// ---- Save as ------------------------------------------------------------------------------

void TTemplateFiles::SaveAs() {
    FHost.ClearSelection();
    TFileDialogOptions options;
    options.Title = QStringLiteral("Címke sablon [Mentés másként]");
    options.InitialDir = SeriesFolder();
    options.Filter = QStringLiteral("Etikor címke file|*.ctv");
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
    if (Exists(newName) && !FModal.Message(QString(),
                                           newName + QStringLiteral(" file már létezik!") + kCr +
                                               QStringLiteral("Felülírja? (A file tartalma elveszik)"),
                                           QStringLiteral("K")))
        return;

    const QString newBase = TemplateBaseName(newName);
    // The template is copied from the file it was opened on (Open takes any folder).
    const QString templatePath = FDM.Elemek.TableName().empty()
                                     ? InSeriesFolder(State.TemplateName)
                                     : QFile::decodeName(QByteArray::fromStdString(FDM.Elemek.TableName()));
    FDM.Elemek.Close();
    CopyPath(templatePath, newName);
    State.TemplateName = newName;
    OpenTable(FDM.Elemek, InSeriesFolder(State.TemplateName), true);
    WriteTable(FDM.Elemek);

    FDM.T1.Close();
    const QString prevSeries = State.SeriesName;
    State.SeriesName = newBase + QStringLiteral(".sor");
    CopyFile(prevSeries, State.SeriesName);
    OpenTable(FDM.T1, InSeriesFolder(State.SeriesName));
    WriteTable(FDM.T1);

    FDM.M1.Close();
    const QString prevDefinition = State.DefinitionName;
    State.DefinitionName = newBase + QStringLiteral(".vks");
    CopyFile(prevDefinition, State.DefinitionName);
    OpenTable(FDM.M1, InSeriesFolder(State.DefinitionName));
    WriteTable(FDM.M1);

    State.Panel2 = kSorozat + State.SeriesName;
    FHost.RebuildCanvas();
}

} // namespace etikor
