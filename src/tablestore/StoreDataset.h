#pragma once

// The table store's dataset: one table held in memory (a TStoreCursor), shown through a view
// (an ordered list of record entries) with filter, range and sort; record statuses, backups
// and the change counter; key search; master-detail; default values; BLOB streams.
//
// Every error is an EDatabaseError whose text is "<Name>: <message>" (just the message when
// the dataset has no name). File-system failures of a save pass on as EStoreFileError.

#include "data/DataSet.h"
#include "tablestore/StoreBlobStream.h"
#include "tablestore/StoreCursor.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreKeys.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace etikor {

class TStoreDatabase;
class TStoreDataset;
class TStoreMasterLink;

// Progress of reading and writing in whole percent, only on change.
using TCallbackEvent = std::function<void(TStoreDataset& sender, int percent)>;

// The warning of a table opened with PartialOpen despite a damaged file. The application shows
// it as a message box captioned with its title; without a handler the warning is dropped.
using TStoreWarningHandler = std::function<void(const std::string& text)>;
void SetStoreWarningHandler(TStoreWarningHandler handler);
// Errors raised while a released BLOB stream stores its bytes (a destructor cannot raise); the
// application passes them to its error handler. Without a handler they are dropped.
using TStoreExceptionHandler = std::function<void(const std::exception& error)>;
void SetStoreExceptionHandler(TStoreExceptionHandler handler);
void ReportStoreException(const std::exception& error);

// The most fields a dataset opens a table with (the store's cursor alone reads any number).
inline constexpr int32_t kStoreMaxDatasetFields = 100000;
// "Too many fields (N); a table opens with at most 100000".
std::string TooManyFieldsText(int64_t fields);

// How the last key search of a dataset ran (diagnostics for tests and benchmarks).
enum class TStoreSearchPath : uint8_t { None, Binary, Linear, Scan };

// The storage shared by a table and its clones.
struct TStoreShared;

// The records a dataset shows, in view order, as the entries' indices in their cursor (half the
// size of pointers). Deleting leaves a gap where the record was; the next delete at or near the
// same place only moves the few entries between, so deleting every record from the first (or
// the current one, over and over) costs one pass in all. Operations that need the entries side
// by side close the gap first.
class TStoreView {
public:
    // The cursor whose entries the view shows (set before anything is added).
    void Bind(TStoreCursor* cursor) { FCursor = cursor; }
    std::size_t size() const { return FItems.size() - FGap; }
    bool empty() const { return size() == 0; }
    TStoreRecord* operator[](std::size_t index) const {
        return FCursor->Entry(index < FGapStart ? FItems[index] : FItems[index + FGap]);
    }
    TStoreRecord* at(std::size_t index) const;
    void push_back(const TStoreRecord* entry) { FItems.push_back(entry->Index); }
    void erase(std::size_t index);
    void clear();
    void release(); // clears, frees the memory and forgets the cursor
    void reserve(std::size_t count) { FItems.reserve(count); }
    // View position of an entry; -1 when it is not shown.
    int IndexOf(const TStoreRecord* entry) const;
    // The entries' indices side by side (the gap closed).
    std::vector<uint32_t>& Items();

private:
    TStoreCursor* FCursor = nullptr;
    std::vector<uint32_t> FItems;
    std::size_t FGapStart = 0;
    std::size_t FGap = 0;
};

class TStoreDataset : public TDataSet {
public:
    TStoreDataset();
    ~TStoreDataset() override;

    // ---- published properties ----
    TStoreDatabase* Database() const { return FDatabase; }
    virtual void SetDatabase(TStoreDatabase* database);
    const std::string& IndexFieldNames() const { return FIndexFieldNames; }
    void SetIndexFieldNames(std::string names);
    const std::string& MasterFields() const { return FMasterFields; }
    void SetMasterFields(std::string names);
    TDataSource* MasterSource() const;
    void SetMasterSource(TDataSource* source); // "Circular data link", "Use only TStoreDataset ..."
    std::string Notes() const;
    void SetNotes(std::string notes);
    bool PartialOpen = false;
    const std::string& RangeFieldNames() const { return FRangeFieldNames; }
    void SetRangeFieldNames(std::string names);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }
    TStoreSaveOptions SaveOptions = 0;
    TStoreSortOptions SortOptions() const { return FSortOptions; }
    void SetSortOptions(TStoreSortOptions options);
    std::string UniqueFieldNames;
    std::string Version() const { return "ZazazIR Engine v4.5"; }
    void SetVersion(std::string_view) {}
    TDataSetNotifyEvent OnNeedToSaveChange;
    TCallbackEvent OnCallback; // takes effect when assigned before opening

    // ---- operations ----
    // Opens the dataset on a table image (the image is consumed). "Error opening table: " + reason.
    void LoadFromStream(std::string image);
    // Writes the table to a file honouring SaveOptions (a pending edit is posted first).
    void SaveTable(const std::string& fileName);
    void EmptyTable();
    // Posts a pending edit; writes the table to its own file when the change counter is above 0.
    void FlushTable();
    void CommitChanges();
    void CancelChanges();
    void RebuildView(bool keepPosition = true);
    // Positions on the first record whose leading key fields equal the tab-separated values.
    bool FindByKey(std::string_view fieldNames, std::string_view values, bool fromStart = true);
    bool Locate(std::string_view keyFields, const TVariant& keyValues, TLocateOptions options) override;
    TVariant Lookup(std::string_view keyFields, const TVariant& keyValues,
                    std::string_view resultFields) override;
    TUpdateStatus UpdateStatus() const override;
    // A memory stream over a BLOB (or any) field's value; see TStoreBlobStream.
    std::unique_ptr<TStoreBlobStream> CreateBlobStream(TField& field, TBlobStreamMode mode);

    int ChangeCount() const { return FChangeCount; }
    bool ViewSorted() const { return FViewSorted; }
    TStoreSearchPath LastSearchPath() const { return FLastSearchPath; }
    // The open table's storage (null while closed).
    TStoreCursor* Cursor() const;
    // The record entry of a view row (tools that need the raw values).
    const TStoreRecord* ViewEntry(int index) const { return FView.at(static_cast<size_t>(index)); }
    // A CopyFrom in update mode that found its records through its own key index (diagnostics).
    bool LastCopyIndexed() const { return FLastCopyIndexed; }

protected:
    // Fills `cursor` from the table's source. The base reads the image given to LoadFromStream.
    // Returns the reason of a partial read (empty when none).
    virtual void ReadSource(TStoreCursor& cursor);
    // Reads an image into the cursor with PartialOpen, progress and the error texts.
    void ReadImage(TStoreCursor& cursor, std::string_view image);
    // Opens on another table's storage instead of reading (clones).
    void ShareStorageOf(TStoreDataset& source);
    // The file FlushTable writes; empty when the table has none.
    virtual std::string OwnFileName() const { return {}; }
    // Whether a refresh can read the source again (a file); otherwise it keeps storage.
    virtual bool CanReload() const { return false; }
    bool HasClones() const;
    void CloseClones(); // before destruction: clones only detach
    void RaiseStoreError(const std::exception& error) const;
    std::string FPendingImage;
    bool FOpeningFromImage = false;

    // TDataSet hooks.
    void InternalOpen() override;
    void InternalClose() override;
    int ViewCount() const override { return static_cast<int>(FView.size()); }
    TRecordRef ViewRecord(int index) const override { return FView[static_cast<size_t>(index)]; }
    TVariant ReadField(TRecordRef record, const TField& field) const override;
    bool InternalCanModify() const override { return !FReadOnly; }
    void InternalEdit(int index) override;
    void InternalInsert() override;
    void InternalInitRecord() override;
    int InternalPost(bool inserting, int index) override;
    void InternalCancel(bool inserting, int index) override;
    void InternalDelete(int index) override;
    int InternalRefresh() override;
    void FilterChanged() override;

private:
    friend class TStoreMasterLink;
    friend class TStoreBlobStream;
    friend class TStoreTable;

    struct KeyBuffer {
        TStoreKeyFields Keys;
        std::vector<TField*> Fields;
        TStoreValues Values;
        int Count = 0;
    };
    void BuildKeys(KeyBuffer& buffer, std::string_view names);
    void BuildAllKeys();
    void ApplyMasterRange(bool rebuild);
    void BuildView();
    int SearchKey(int start, int keyCount, std::string_view names);
    // Stores the values (one, or an array with one per field) into key buffer 1, which must be
    // built for `keyFields`, and searches it over every key field.
    int SearchKeyValues(std::string_view keyFields, const TVariant& keyValues);
    int FindKeyIndex(std::string_view fieldNames, std::string_view values, int start);
    void ChangeStarted();
    void ChangeTakenBack();
    void ResetChanges();
    void StoreValue(TStoreValues& values, const TField& field, const TVariant& value) const;
    void WriteBuffer(TStoreValues& values, bool all) const;
    void DetachStorage();
    // Binds the field objects to the cursor's field list; floating fields without a display
    // format get "0.######".
    void BindCursorFields();
    // The progress handler taken at open, for the reader and the writer (empty when none).
    TStoreProgress ProgressHandler();
    void StorageReplaced(); // another user of the shared storage reloaded or emptied it
    // Empties the view of every user of the shared storage without telling anyone, so that no
    // view holds an entry about to be freed while listeners run.
    void ForgetViews();
    // Cancels a pending edit or insert without touching the change counter.
    void CancelKeepingCount();
    // True when another dataset on the same storage is editing this entry.
    bool EditedElsewhere(const TStoreRecord* entry) const;
    void EndSortedViews();
    void SetBlobValue(TField& field, std::string bytes);

    TStoreDatabase* FDatabase = nullptr;
    std::string FIndexFieldNames, FMasterFields, FRangeFieldNames, FNotes;
    bool FReadOnly = false;
    TStoreSortOptions FSortOptions = 0;
    std::shared_ptr<TStoreShared> FShared;
    TStoreView FView;
    bool FViewSorted = false;
    bool FKeepChangeCount = false; // a cancel forced by emptying leaves the change counter alone
    bool FLastCopyIndexed = false;
    KeyBuffer FKeys[4];
    bool FRangeActive = false;
    int FChangeCount = 0;
    TStoreRecord* FEditEntry = nullptr;
    uint64_t FEditGeneration = 0;
    TStoreSearchPath FLastSearchPath = TStoreSearchPath::None;
    TCallbackEvent FProgress;
    std::unique_ptr<TStoreMasterLink> FMasterLink;
};

} // namespace etikor
