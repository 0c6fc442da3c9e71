#pragma once

// The three files of a label: the template (".ctv"), its series data (".sor") and its series
// definition (".vks"), sharing a base name in the series folder. Start-up open, New, Open and
// Save as with their dialogs, checks and messages. The service asks its questions through the
// modal seam and keeps the names, flags and status texts it sets; what the main window does
// around it (canvas, selection, data source, closing) goes through TTemplateFilesHost.

#include "document/Settings.h"
#include "services/AppPaths.h"

#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace etikor {

class IModal;
class TDM;
class TStoreTable;

// The main window's side.
class TTemplateFilesHost {
public:
    virtual ~TTemplateFilesHost();
    virtual void ClearSelection() {}
    virtual void ShowDataSourceTab() {}
    virtual void RebuildCanvas() {}
    // The program must end (after the message the service already showed).
    virtual void CloseMainWindow() {}
    // The series table `T1` becomes the current data source.
    virtual void SeriesBecomesDataSource() {}
    // Refill the field list of the current data source.
    virtual void FillFieldList() {}
    // The opened series was last used with a linked worksheet (first record's `ODBC`):
    // reconnect or remind, as at start-up.
    virtual void ReconnectLink() {}
    // Records of the current data source; -1: the service counts the series table.
    virtual int DataSourceRecordCount() { return -1; }
};

// What the main window shows and holds.
struct TDocumentState {
    QString TemplateName; // file names, no folder
    QString SeriesName;
    QString DefinitionName;
    bool DataFlag = false;
    bool LinkFlag = false;
    bool ClosingFlag = false;
    QString Panel2; // "Sorozat: " + series file name
    QString Panel3; // linked worksheet
    QString Panel4; // record count
};

// The base name: the file name up to its first ".".
QString TemplateBaseName(const QString& fileName);
// The name Save as gives a chosen file name: kept when it contains ".ctv", otherwise its part
// before the first "." followed by ".ctv".
QString SaveAsTemplateName(const QString& chosenFileName);

class TTemplateFiles {
public:
    TTemplateFiles(TDM& dm, TSettings& settings, const TSettingsFile& settingsFile, IModal& modal,
                   TTemplateFilesHost& host, TAppPaths paths);

    TDocumentState State;

    QString SeriesFolder() const { return FPaths.SeriesFolder(); }
    // Series folder + separator + file name.
    QString InSeriesFolder(const QString& fileName) const;

    // Opens the template named in the settings (or the default one) with its companions.
    // False when the program must end (the host has been asked to close the main window).
    bool StartupOpen();
    // Empties the default files and makes them current (after confirmation).
    void New();
    // A file dialog, then the chosen template with its companions; the previous template is
    // restored when a companion is missing.
    void Open();
    // A file dialog, then copies of the three files under the new base name, which become
    // current. A name too long for the folder is refused with a message. File-system failures
    // raise EStoreFileError after the files made so far are removed (and replaced ones put
    // back) and the template that was open is open again.
    void SaveAs();

private:
    // Files a Save as replaced (kept aside) and created, to undo it when it fails part-way.
    struct TSaveAsUndo {
        std::vector<std::string> Created;
        std::vector<std::pair<std::string, std::string>> Aside; // original, kept-aside name
        void RollBack();
        void Commit();
    };

    void OpenTable(TStoreTable& table, const QString& path, bool sortByName = false);
    void OpenInSeriesFolder(TStoreTable& table, const QString& fileName, bool sortByName = false);
    void OpenNative(TStoreTable& table, const std::string& path, bool sortByName);
    void WriteTable(TStoreTable& table);
    // Copies a file to a name in the series folder; an existing target is kept aside in `undo`.
    void CopyNative(const std::string& from, const QString& toName, TSaveAsUndo& undo);
    // Whether the series folder takes a file of this name; says why not otherwise.
    bool NameFits(const QString& fileName);
    void FallBackToDefault(); // names the default template and writes the settings
    int RecordCount();
    QString FormatCount(int count) const;
    bool Exists(const QString& fileName) const;
    // The path of a series-folder file as the table store opens it.
    std::string Native(const QString& fileName) const;
    bool Error(const QString& text);

    TDM& FDM;
    TSettings& FSettings;
    const TSettingsFile& FSettingsFile;
    IModal& FModal;
    TTemplateFilesHost& FHost;
    TAppPaths FPaths;
};

} // namespace etikor
