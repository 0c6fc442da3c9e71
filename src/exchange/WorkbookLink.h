#pragma once

// The worksheet link: linking a workbook (or .csv file) as the current data source through the
// open dialog, removing the link by cancelling that dialog, and reconnecting the link stored in
// the first record of the series data. The main window keeps the run-time state and shows it;
// this class changes it through the host.

#include "exchange/WorksheetDataSet.h"

#include <QString>

namespace etikor {

class TDM;
class TDataSet;
struct TDocumentState;

class TWorkbookLinkHost {
public:
    virtual ~TWorkbookLinkHost() = default;
    virtual TDocumentState& LinkState() = 0; // flags and status panels
    virtual void SetDataSource(TDataSet* source) = 0;
    virtual int LinkHelpContext() const = 0;
    virtual void SetLinkHelpContext(int topic) = 0;
    // The field list was rebuilt, or the status panels changed.
    virtual void FieldListRebuilt() = 0;
    virtual void StatusChanged() = 0;
};

class TWorkbookLink {
public:
    static constexpr int kHelpContext = 38;
    // The help topic of the broken-file message.
    static constexpr int kBrokenFileHelpContext = 22;

    TWorkbookLink(TDM& dm, TWorkbookLinkHost& host);

    // The main cursor on the linked sheet; the current data source while linked.
    TWorksheetDataSet KT1;

    // The dialog filter: the workbook kinds that link.
    static QString DialogFilter();

    // Linking through the open dialog (initial folder: the series folder); Cancel removes
    // the link. The series record is saved when the link changes.
    void LinkFromDialog(const QString& seriesFolder);
    // The stored link after a template's series data was loaded: connects when `autoOpen` and
    // the file is in the series folder; otherwise warns or reminds.
    void Reconnect(const QString& seriesFolder, bool autoOpen);
    // Opens `path` as the current data source (status, field list, data and link flags); a
    // .csv with stray bytes in its UTF-8 says where the first is. A file that cannot be read
    // shows "Hibás tábla file!" and changes nothing (the old link stays, or none); false then.
    bool Connect(const QString& path);
    // Connects the workbook `table` of the series folder; a missing file gives the "nem
    // található" warning and false.
    bool ConnectInFolder(const QString& seriesFolder, const QString& table);

private:
    void StoreLink(bool linked, const std::string& table);
    TDM& FDM;
    TWorkbookLinkHost& FHost;
};

} // namespace etikor
