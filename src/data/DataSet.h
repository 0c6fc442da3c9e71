#pragma once

// The generic dataset: states, a current record in an ordered list of visible records (the
// view), navigation, bookmarks, editing through an edit buffer, field access, events and the
// notifications that data-aware controls listen to.
//
// A concrete dataset (a store table, a worksheet, a print sequence) supplies the records
// through a few hooks:
//   InternalOpen     load the data and call BindFields with the structure
//   InternalClose    free the data
//   ViewCount        number of visible records
//   ViewRecord       identity of the visible record at an index (stable while it is stored)
//   ReadField        value of a data field of a record
// and, when it can be changed, InternalEdit/InternalInsert/InternalPost/InternalCancel/
// InternalDelete (a read-only dataset leaves CanModify false). Everything else (position,
// Eof/Bof, states, edit buffer, calculated fields, events, notifications) is done here.

#include "data/DatabaseError.h"
#include "data/Field.h"
#include "data/FieldTypes.h"
#include "data/Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace etikor {

class TDataSet;
class TDataSource;

enum class TDataSetState : uint8_t {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter
};

enum class TUpdateStatus : uint8_t { usUnmodified, usModified, usInserted, usDeleted };

// Locate options, combined with |.
enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

// Identifies a stored record for as long as it is stored; 0 is no bookmark.
using TBookmark = std::uintptr_t;
// A concrete dataset's handle of one stored record (never dereferenced here).
using TRecordRef = const void*;

using TDataSetNotifyEvent = std::function<void(TDataSet&)>;
using TFilterRecordEvent = std::function<void(TDataSet& dataSet, bool& accept)>;

// Listener of one data source: grids and data-aware controls derive from it. While the
// dataset's controls are disabled, notifications are held back and replaced by one
// DataSetChanged (or LayoutChanged) when they are enabled again.
class TDataLink {
public:
    TDataLink() = default;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;
    virtual ~TDataLink();

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    bool Active() const; // linked to an open dataset

protected:
    friend class TDataSource;
    virtual void ActiveChanged() {}                        // opened or closed
    virtual void LayoutChanged() {}                        // fields or their display changed
    virtual void CurrentChanged() {}                       // another record became current
    virtual void DataSetChanged() {}                       // records added, removed, reordered, reloaded
    virtual void RecordChanged(const TField* /*field*/) {} // current record's data; null: whole record
    virtual void StateChanged() {}                         // browse, edit, insert, ...

private:
    TDataSource* FDataSource = nullptr;
};

enum class TDataEvent : uint8_t { deActive, deLayout, deCurrent, deDataSet, deRecord, deState };

// Connects links (controls, master-detail) to a dataset.
class TDataSource {
public:
    TDataSource() = default;
    explicit TDataSource(TDataSet* dataSet) { SetDataSet(dataSet); }
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;
    ~TDataSource();

    std::string Name;
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    TDataSetState State() const;

    std::function<void(TDataSource&, const TField*)> OnDataChange; // record, current or dataset changed
    std::function<void(TDataSource&)> OnStateChange;

private:
    friend class TDataSet;
    friend class TDataLink;
    void Notify(TDataEvent event, const TField* field);
    TDataSet* FDataSet = nullptr;
    bool FEnabled = true;
    std::vector<TDataLink*> FLinks;
};

class TDataSet {
public:
    TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;
    virtual ~TDataSet();

    std::string Name; // component name, prefixes every database error

    // Opening and state.
    void Open();
    void Close();
    bool Active() const { return FState != TDataSetState::dsInactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    TDataSetState State() const { return FState; }

    // Navigation on the view. RecNo is 1-based (0 when empty or inserting).
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    bool IsEmpty() const;
    int RecordCount() const;
    int RecNo() const;
    void SetRecNo(int recNo);

    TBookmark GetBookmark() const;
    void GotoBookmark(TBookmark bookmark); // raises "Record not found" for a stale bookmark
    bool BookmarkValid(TBookmark bookmark) const;

    // Editing.
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    void CheckBrowseMode(); // posts a pending edit or insert
    bool Modified() const { return FModified; }
    bool CanModify() const { return Active() && InternalCanModify(); }
    virtual TUpdateStatus UpdateStatus() const { return TUpdateStatus::usUnmodified; }

    // Search. The defaults scan the view; a dataset with indexes overrides them. Values is one
    // value or an array with one value per key field. Locate moves to the record found.
    virtual bool Locate(std::string_view keyFields, const TVariant& keyValues, TLocateOptions options);
    // Values of the result fields (an array for several) of the first record matching the
    // keys, without moving; null when nothing matches.
    virtual TVariant Lookup(std::string_view keyFields, const TVariant& keyValues,
                            std::string_view resultFields);

    // Notifications to controls.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    // Filtering. The filter text is stored only: records are filtered through OnFilterRecord.
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool filtered);
    const std::string& Filter() const { return FFilter; }
    void SetFilter(std::string filter);

    // Fields, in order: data fields in the order of the structure, then calculated fields.
    int FieldCount() const { return static_cast<int>(FFields.size()); }
    TField& Fields(int index) const { return *FFields.at(index); }
    TField* FindField(std::string_view name) const;
    TField& FieldByName(std::string_view name) const; // "Field '%s' not found"
    // Fields named in a ";"-separated list, in its order.
    std::vector<TField*> GetFieldList(std::string_view names) const;
    std::vector<std::string> GetFieldNames() const;
    // A calculated field; kept across close and reopen. Only while closed.
    TField& AddCalcField(std::string name, TFieldType type, int size = 0);

    // The value of a field at a view row without moving the current record (grids).
    TVariant ValueAt(int viewIndex, const TField& field);

    // Events.
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
    TDataSetNotifyEvent OnNewRecord, OnCalcFields;
    TFilterRecordEvent OnFilterRecord;

    // Raises EDatabaseError with this dataset's name before the message.
    [[noreturn]] void DatabaseError(std::string_view message) const;

protected:
    // ---- hooks of a concrete dataset ----
    virtual void InternalOpen() = 0;  // must call BindFields
    virtual void InternalClose() = 0; // may raise to refuse; nothing is changed then
    virtual int ViewCount() const = 0;
    virtual TRecordRef ViewRecord(int index) const = 0;
    virtual TVariant ReadField(TRecordRef record, const TField& field) const = 0;
    // Bookmarks: by default the record identity, found again by a scan of the view.
    virtual TBookmark RecordBookmark(int index) const;
    virtual int BookmarkIndex(TBookmark bookmark) const; // -1 when not in the view
    virtual bool InternalCanModify() const { return false; }
    // Checks and bookkeeping before the edit buffer is filled; raise to refuse. The defaults
    // refuse unless InternalCanModify.
    virtual void InternalEdit(int index);
    virtual void InternalInsert();
    // Defaults of a new record, written through the fields (insert state); then OnNewRecord.
    virtual void InternalInitRecord() {}
    // Store the edit buffer (EditValues); returns the view index of the posted record.
    virtual int InternalPost(bool inserting, int index);
    virtual void InternalCancel(bool /*inserting*/, int /*index*/) {}
    virtual void InternalDelete(int index);
    // Reload; returns the view index to make current (-1: the first).
    virtual int InternalRefresh() { return CurrentIndex(); }
    // A field value was written in the edit buffer.
    virtual void DataEvent(TDataEvent event, const TField* field);

    // ---- services for a concrete dataset ----
    // Creates or reuses the field objects for this structure (data fields keep their objects
    // and settings when name and type match).
    void BindFields(const TFieldDefs& defs);
    int CurrentIndex() const { return FCurrent; }
    TRecordRef CurrentRecord() const { return FCurrent >= 0 ? ViewRecord(FCurrent) : nullptr; }
    // After the view changed: make `index` current (clamped), recalculate, notify.
    void Resync(int index, bool notify = true);
    // "Cannot do this operation on closed dataset" unless open.
    void CheckActive() const;
    // Moves to a view index as navigation does (scroll events, notification).
    void ScrollTo(int index);
    // Runs OnFilterRecord with `record` active; true when no handler or it accepts.
    bool FilterRecord(TRecordRef record);
    bool HasFilterHandler() const { return FFiltered && static_cast<bool>(OnFilterRecord); }
    virtual void FilterChanged() {}
    const std::vector<TVariant>& EditValues() const { return FBuffer; }
    bool EditValueChanged(int dataIndex) const { return FChanged.at(dataIndex); }
    // Temporary states (filter, set key, calculating) without notifying controls.
    TDataSetState SetTempState(TDataSetState state);
    void RestoreState(TDataSetState previous) { FState = previous; }
    void SetFieldReadRecord(TRecordRef record) { FTempRecord = record; }

    // Generic scan used by Locate/Lookup: first view index matching, -1 when none.
    int ScanForKeys(const std::vector<TField*>& fields, const TVariant& keyValues, TLocateOptions options);
    // The result of Lookup at a view row: the one field's value, or an array for several.
    TVariant ValuesAt(int viewIndex, std::string_view fieldNames);

private:
    friend class TField;
    friend class TDataSource;
    TVariant GetFieldValue(const TField& field) const;
    void SetFieldValue(TField& field, const TVariant& value);
    void SetState(TDataSetState state);
    void Notify(TDataEvent event, const TField* field = nullptr);
    void MoveTo(int index, bool eof, bool bof);
    void CalculateFields(TRecordRef record, bool fromBuffer);
    void LoadBuffer(TRecordRef record);
    void DoEvent(const TDataSetNotifyEvent& event) {
        if (event)
            event(*this);
    }

    TDataSetState FState = TDataSetState::dsInactive;
    int FCurrent = -1;
    bool FEof = true;
    bool FBof = true;
    bool FModified = false;
    bool FFiltered = false;
    std::string FFilter;
    std::vector<std::unique_ptr<TField>> FFields;
    std::vector<TField*> FCalcFields;
    int FDataFieldCount = 0;
    std::vector<TVariant> FBuffer;   // edit buffer, one value per data field
    std::vector<char> FChanged;      // edit buffer values written
    std::vector<TVariant> FCalc;     // calculated values of the current record
    std::vector<TVariant> FCalcWork; // calculated values being computed
    TRecordRef FTempRecord = nullptr;
    bool FTempFromBuffer = false;
    int FDisableCount = 0;
    bool FPendingLayout = false;
    bool FPendingData = false;
    TDataSetState FDisableState = TDataSetState::dsInactive;
    std::vector<TDataSource*> FSources;
};

} // namespace etikor
