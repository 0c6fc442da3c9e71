#include "tablestore/StoreDataset.h"

#include "data/Cp1250.h"
#include "data/DateTime.h"
#include "data/FormatSettings.h"
#include "data/ScopeGuard.h"
#include "tablestore/StoreBlobStream.h"
#include "tablestore/StoreDatabase.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreFormat.h"
#include "tablestore/StoreMasterLink.h"
#include "tablestore/UniqueCode.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace etikor {

struct TStoreShared {
    TStoreCursor Cursor;
    TStoreDataset* Owner = nullptr;    // the dataset that reads the source
    std::vector<TStoreDataset*> Users; // every open dataset on this storage, owner first
    uint64_t Generation = 1;           // advances whenever record entries are freed
};

namespace {

TStoreWarningHandler& WarningHandler() {
    static TStoreWarningHandler handler;
    return handler;
}

TStoreExceptionHandler& ExceptionHandler() {
    static TStoreExceptionHandler handler;
    return handler;
}

bool IsGone(const TStoreRecord* entry) {
    return entry->Status == TStoreRecordStatus::Deleted || entry->Status == TStoreRecordStatus::Dropped ||
           entry->Values.IsEmpty();
}

// Sorts the view by the key fields. A leading text key compared byte by byte (the common case:
// a barcode column) is read once per record instead of once per comparison; its order is the
// plain lexicographic order of the bytes, which is the engine's rule for such keys.
void SortByKeys(std::vector<uint32_t>& view, const TStoreCursor& cursor, const TStoreKeyFields& keys,
                TStoreSortOptions options) {
    const TStoreField& first = cursor.Field(keys.front().FieldIndex);
    bool plainText = first.FieldKind == TStoreFieldKind::String ||
                     (first.FieldKind == TStoreFieldKind::SmallStr && !keys.front().RightAligned);
    if (!plainText || (options & ssoCaseInsensitive)) {
        std::sort(view.begin(), view.end(), [&](uint32_t a, uint32_t b) {
            return CompareRecords(cursor, cursor.Entry(a)->Values, cursor.Entry(b)->Values, keys, options) <
                   0;
        });
        return;
    }
    struct Item {
        std::string_view text;
        uint32_t entry;
    };
    std::vector<Item> items;
    items.reserve(view.size());
    for (uint32_t entry : view)
        items.push_back({cursor.GetString(cursor.Entry(entry)->Values, keys.front().FieldIndex), entry});
    std::span<const TStoreKeyField> rest(keys.data() + 1, keys.size() - 1);
    bool descending = options & ssoDescendSort;
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        int c = a.text.compare(b.text);
        if (c == 0 && !rest.empty())
            c = CompareRecords(cursor, cursor.Entry(a.entry)->Values, cursor.Entry(b.entry)->Values, rest, 0);
        return descending ? c > 0 : c < 0;
    });
    for (size_t i = 0; i < items.size(); ++i)
        view[i] = items[i].entry;
}

} // namespace

// ---------------------------------------------------------------- the view

TStoreRecord* TStoreView::at(std::size_t index) const {
    if (index >= size())
        throw std::out_of_range("view index");
    return (*this)[index];
}

void TStoreView::erase(std::size_t index) {
    if (index >= size())
        return;
    auto items = FItems.begin();
    using Offset = std::vector<uint32_t>::difference_type;
    auto at = [&](std::size_t i) { return items + static_cast<Offset>(i); };
    if (FGap == 0) {
        FGapStart = index;
    } else if (index < FGapStart) {
        // Entries between the place and the gap move to the gap's far side.
        std::move_backward(at(index), at(FGapStart), at(FGapStart + FGap));
        FGapStart = index;
    } else if (index > FGapStart) {
        std::move(at(FGapStart + FGap), at(index + FGap), at(FGapStart));
        FGapStart = index;
    }
    ++FGap; // the entry right after the gap joins it
    if (FGapStart + FGap == FItems.size()) {
        FItems.resize(FGapStart);
        FGap = 0;
        FGapStart = 0;
    }
}

void TStoreView::clear() {
    FItems.clear();
    FGapStart = FGap = 0;
}

void TStoreView::release() {
    clear();
    FItems.shrink_to_fit();
    FCursor = nullptr;
}

std::vector<uint32_t>& TStoreView::Items() {
    if (FGap > 0) {
        using Offset = std::vector<uint32_t>::difference_type;
        auto items = FItems.begin();
        std::move(items + static_cast<Offset>(FGapStart + FGap), FItems.end(),
                  items + static_cast<Offset>(FGapStart));
        FItems.resize(FItems.size() - FGap);
        FGapStart = FGap = 0;
    }
    return FItems;
}

int TStoreView::IndexOf(const TStoreRecord* entry) const {
    if (!FCursor || !entry || entry->Index >= FCursor->EntryCount() || FCursor->Entry(entry->Index) != entry)
        return -1;
    for (std::size_t i = 0, n = FItems.size(); i < n; ++i)
        if (FItems[i] == entry->Index && (i < FGapStart || i >= FGapStart + FGap))
            return static_cast<int>(i < FGapStart ? i : i - FGap);
    return -1;
}

// ----------------------------------------------------------------

std::string TooManyFieldsText(int64_t fields) {
    return "Too many fields (" + std::to_string(fields) + "); a table opens with at most " +
           std::to_string(kStoreMaxDatasetFields);
}

void SetStoreWarningHandler(TStoreWarningHandler handler) {
    WarningHandler() = std::move(handler);
}

void SetStoreExceptionHandler(TStoreExceptionHandler handler) {
    ExceptionHandler() = std::move(handler);
}

void ReportStoreException(const std::exception& error) {
    if (ExceptionHandler())
        ExceptionHandler()(error);
}

// ---------------------------------------------------------------- life cycle

TStoreDataset::TStoreDataset() : FMasterLink(std::make_unique<TStoreMasterLink>(*this)) {}

void TStoreDataset::CloseClones() {
    if (FShared && FShared->Owner == this)
        for (TStoreDataset* user : std::vector<TStoreDataset*>(FShared->Users))
            if (user != this)
                user->Close();
}

TStoreDataset::~TStoreDataset() {
    CloseClones();
    try {
        Close();
    } catch (...) {
        DetachStorage();
    }
    FMasterLink.reset();
    SetDatabase(nullptr);
}

void TStoreDataset::SetDatabase(TStoreDatabase* database) {
    if (database == FDatabase)
        return;
    if (FDatabase)
        FDatabase->Detach(this);
    FDatabase = database;
    if (FDatabase) {
        FDatabase->Attach(this);
        if (FChangeCount > 0)
            FDatabase->SetChanged(this, true);
    }
}

TStoreCursor* TStoreDataset::Cursor() const {
    return FShared ? &FShared->Cursor : nullptr;
}

bool TStoreDataset::HasClones() const {
    return FShared && FShared->Owner == this && FShared->Users.size() > 1;
}

void TStoreDataset::RaiseStoreError(const std::exception& error) const {
    DatabaseError(error.what());
}

TStoreProgress TStoreDataset::ProgressHandler() {
    if (!FProgress)
        return {};
    return [this](int percent) { FProgress(*this, percent); };
}

void TStoreDataset::ReadImage(TStoreCursor& cursor, std::string_view image) {
    // A dataset keeps an object of a few hundred bytes per field: a field count no table has
    // would take memory out of all proportion to the file.
    if (image.size() >= 13 && image[4] != 'E') {
        int32_t fields = 0;
        std::memcpy(&fields, image.data() + 9, sizeof fields);
        if (fields > kStoreMaxDatasetFields)
            DatabaseError(std::string(StoreMsg::ErrorOpeningTable) + TooManyFieldsText(fields));
    }
    std::string reason;
    if (!cursor.ReadFromStream(image, reason, PartialOpen, ProgressHandler()))
        DatabaseError(std::string(StoreMsg::ErrorOpeningTable) + reason);
    if (!reason.empty() && WarningHandler())
        WarningHandler()(reason);
}

void TStoreDataset::ReadSource(TStoreCursor& cursor) {
    std::string image = std::move(FPendingImage);
    FPendingImage = std::string();
    ReadImage(cursor, image);
}

void TStoreDataset::LoadFromStream(std::string image) {
    Close();
    FPendingImage = std::move(image);
    FOpeningFromImage = true;
    const TFailureGuard forget([this] {
        FOpeningFromImage = false;
        FPendingImage = std::string();
    });
    Open();
}

void TStoreDataset::ShareStorageOf(TStoreDataset& source) {
    if (!source.Active())
        source.DatabaseError("Cannot do this operation on closed dataset");
    FShared = source.FShared;
}

void TStoreDataset::InternalOpen() {
    FProgress = OnCallback;
    if (!FShared) {
        auto shared = std::make_shared<TStoreShared>();
        shared->Owner = this;
        ReadSource(shared->Cursor);
        FShared = std::move(shared);
    }
    FShared->Users.push_back(this);
    const TFailureGuard detach([this] { DetachStorage(); });
    BindCursorFields();
    BuildAllKeys();
    ApplyMasterRange(false);
    BuildView();
}

void TStoreDataset::BindCursorFields() {
    TFieldDefs defs;
    for (const TStoreField& field : FShared->Cursor.Fields())
        defs.push_back(FieldDefOfStoreField(field));
    BindFields(defs);
    for (int i = 0; i < FieldCount(); ++i)
        if (Fields(i).DataType() == TFieldType::ftFloat && Fields(i).DisplayFormat.empty())
            Fields(i).DisplayFormat = "0.######";
}

void TStoreDataset::InternalClose() {
    if (HasClones())
        DatabaseError("Cloned tables are not closed before source dataset is closed!");
    if (FShared)
        FNotes = FShared->Cursor.Notes;
    DetachStorage();
    FOpeningFromImage = false;
}

void TStoreDataset::DetachStorage() {
    if (FShared) {
        auto& users = FShared->Users;
        users.erase(std::remove(users.begin(), users.end(), this), users.end());
        FShared.reset();
    }
    FView.release();
    FViewSorted = false;
    for (KeyBuffer& key : FKeys)
        key = KeyBuffer();
    FRangeActive = false;
    FEditEntry = nullptr;
}

std::string TStoreDataset::Notes() const {
    return FShared ? FShared->Cursor.Notes : FNotes;
}

void TStoreDataset::SetNotes(std::string notes) {
    if (FShared)
        FShared->Cursor.Notes = notes;
    FNotes = std::move(notes);
}

// ---------------------------------------------------------------- values

TVariant TStoreDataset::ReadField(TRecordRef record, const TField& field) const {
    const auto* entry = static_cast<const TStoreRecord*>(record);
    const TStoreValues& values = entry->Values;
    if (values.IsEmpty() || field.DataIndex() < 0)
        return {};
    const TStoreCursor& cursor = FShared->Cursor;
    int index = field.DataIndex();
    switch (cursor.Field(index).FieldKind) {
    case TStoreFieldKind::SmallInt:
    case TStoreFieldKind::Integer:
    case TStoreFieldKind::AutoInc:
        return TVariant(cursor.GetInteger(values, index));
    case TStoreFieldKind::Boolean:
        return TVariant(cursor.GetBoolean(values, index));
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency:
        return TVariant(cursor.GetFloat(values, index));
    case TStoreFieldKind::Date:
        if (cursor.IsEmptyValue(values, index))
            return {};
        return TVariant::FromDateTime(StoreDayToDateTime(cursor.GetInteger(values, index)));
    case TStoreFieldKind::Time:
        return TVariant::FromDateTime(StoreTimeToDateTime(cursor.GetInteger(values, index)));
    case TStoreFieldKind::DateTime:
        if (cursor.IsEmptyValue(values, index))
            return {};
        return TVariant::FromDateTime(StoreMSecsToDateTime(cursor.GetFloat(values, index)));
    case TStoreFieldKind::Unknown:
        return {};
    default: {
        std::string_view text = cursor.GetString(values, index);
        if (text.empty())
            return {};
        return TVariant(text);
    }
    }
}

void TStoreDataset::StoreValue(TStoreValues& values, const TField& field, const TVariant& value) const {
    const TStoreCursor& cursor = FShared->Cursor;
    int index = field.DataIndex();
    if (value.IsNull()) {
        cursor.ClearValue(values, index);
        return;
    }
    switch (cursor.Field(index).FieldKind) {
    case TStoreFieldKind::SmallInt:
    case TStoreFieldKind::Integer:
    case TStoreFieldKind::AutoInc:
        cursor.SetInteger(values, index, static_cast<int32_t>(value.ToInt()));
        break;
    case TStoreFieldKind::Boolean:
        cursor.SetBoolean(values, index, value.ToBool());
        break;
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency:
        cursor.SetFloat(values, index, value.ToDouble());
        break;
    case TStoreFieldKind::Date:
        cursor.SetInteger(values, index, DateTimeToStoreDay(value.ToDateTime()));
        break;
    case TStoreFieldKind::Time:
        cursor.SetInteger(values, index, DateTimeToStoreTime(value.ToDateTime()));
        break;
    case TStoreFieldKind::DateTime:
        cursor.SetFloat(values, index, DateTimeToStoreMSecs(value.ToDateTime()));
        break;
    case TStoreFieldKind::Unknown:
        break;
    case TStoreFieldKind::String: {
        // A field declared longer than the reader accepts (from a file made elsewhere) keeps
        // what can be read back, and says so instead of cutting the text.
        const std::string text = value.ToString();
        if (text.size() > kStoreMaxStringLength && cursor.Field(index).DeclaredSize > kStoreMaxStringLength)
            DatabaseError("Field '" + field.DisplayName() + "' cannot hold more than " +
                          std::to_string(kStoreMaxStringLength) + " characters");
        cursor.SetString(values, index, text);
        break;
    }
    default:
        cursor.SetString(values, index, value.ToString());
        break;
    }
}

void TStoreDataset::WriteBuffer(TStoreValues& values, bool all) const {
    const std::vector<TVariant>& buffer = EditValues();
    for (int i = 0; i < static_cast<int>(buffer.size()); ++i)
        if (all || EditValueChanged(i))
            StoreValue(values, Fields(i), buffer[static_cast<size_t>(i)]);
}

// ---------------------------------------------------------------- change counter

void TStoreDataset::ChangeStarted() {
    if (FChangeCount++ == 0) {
        if (FDatabase)
            FDatabase->SetChanged(this, true);
        if (OnNeedToSaveChange)
            OnNeedToSaveChange(*this);
    }
}

void TStoreDataset::ChangeTakenBack() {
    if (FChangeCount > 0 && --FChangeCount == 0) {
        if (FDatabase)
            FDatabase->SetChanged(this, false);
        if (OnNeedToSaveChange)
            OnNeedToSaveChange(*this);
    }
}

void TStoreDataset::ResetChanges() {
    if (FChangeCount == 0)
        return;
    FChangeCount = 0;
    if (FDatabase)
        FDatabase->SetChanged(this, false);
    if (OnNeedToSaveChange)
        OnNeedToSaveChange(*this);
}

// ---------------------------------------------------------------- editing hooks

void TStoreDataset::InternalEdit(int index) {
    if (FReadOnly)
        DatabaseError("Read-only record cannot be changed");
    if (index < 0 || index >= ViewCount())
        DatabaseError("Number of records is equal to 0");
    TStoreRecord* entry = FView[static_cast<size_t>(index)];
    if (entry->Status == TStoreRecordStatus::Dropped || entry->Values.IsEmpty())
        DatabaseError("Record is not found");
    if (entry->Status == TStoreRecordStatus::Deleted)
        DatabaseError("Record has been deleted");
    FShared->Cursor.MakeBackup(entry);
    FEditEntry = entry;
    FEditGeneration = FShared->Generation;
    ChangeStarted();
}

void TStoreDataset::InternalInsert() {
    if (FReadOnly)
        DatabaseError("You have read only access, you can not add records!");
    ChangeStarted();
}

void TStoreDataset::InternalInitRecord() {
    for (int i = 0; i < FieldCount(); ++i) {
        TField& field = Fields(i);
        const std::string& expression = field.DefaultExpression;
        if (field.Calculated() || expression.empty())
            continue;
        TFieldType type = field.DataType();
        bool dateKind =
            type == TFieldType::ftDate || type == TFieldType::ftTime || type == TFieldType::ftDateTime;
        try {
            if (expression == "TODAY" && type == TFieldType::ftDate)
                field.SetAsDateTime(Date());
            else if (expression == "NOW" && dateKind)
                field.SetAsDateTime(Now());
            else if (expression == "UNICOD" && type == TFieldType::ftString)
                field.SetAsString(NewUniqueCode());
            else
                field.SetAsString(expression);
        } catch (const EDatabaseError&) {
            // A default that does not convert leaves the field empty rather than refusing the record.
        }
    }
    if (FMasterLink->Active()) {
        std::vector<TField*> masters = FMasterLink->MasterFieldList();
        const std::vector<TField*>& ranges = FKeys[2].Fields;
        for (size_t i = 0; i < masters.size() && i < ranges.size(); ++i)
            ranges[i]->SetValue(masters[i]->Value());
    }
}

int TStoreDataset::InternalPost(bool inserting, int index) {
    TStoreCursor& cursor = FShared->Cursor;
    if (inserting) {
        TStoreRecord* entry = nullptr;
        try {
            TStoreValues values = cursor.NewValues();
            WriteBuffer(values, true);
            entry = cursor.AppendRecord(std::move(values), TStoreRecordStatus::Inserted);
            FView.push_back(entry);
        } catch (const EDatabaseError&) {
            throw;
        } catch (const std::exception& error) {
            DatabaseError(std::string("Error saving new record: ") + error.what());
        }
        EndSortedViews();
        return ViewCount() - 1;
    }
    // A record that a commit or cancel took out of storage is gone for good; a deleted one is
    // still stored until then.
    if (!FEditEntry || FEditGeneration != FShared->Generation ||
        FEditEntry->Status == TStoreRecordStatus::Dropped || FEditEntry->Values.IsEmpty())
        DatabaseError("Error saving record: Record is not found");
    if (FEditEntry->Status == TStoreRecordStatus::Deleted)
        DatabaseError("Error saving record: Record has been deleted");
    WriteBuffer(FEditEntry->Values, false);
    if (FEditEntry->Status == TStoreRecordStatus::Unchanged)
        FEditEntry->Status = TStoreRecordStatus::Modified;
    FEditEntry = nullptr;
    EndSortedViews();
    return index;
}

// A post may change a key of a record that every view over the storage shows: none of them is
// in key order any more.
void TStoreDataset::EndSortedViews() {
    for (TStoreDataset* user : FShared->Users)
        user->FViewSorted = false;
}

bool TStoreDataset::EditedElsewhere(const TStoreRecord* entry) const {
    for (const TStoreDataset* user : FShared->Users)
        if (user != this && user->FEditEntry == entry && user->State() == TDataSetState::dsEdit)
            return true;
    return false;
}

void TStoreDataset::InternalCancel(bool inserting, int /*index*/) {
    // Nothing was changed: the record is as loaded, unless another table on the same records is
    // editing it too and needs the backup.
    if (!inserting && FEditEntry && FEditGeneration == FShared->Generation &&
        FEditEntry->Status == TStoreRecordStatus::Unchanged && !EditedElsewhere(FEditEntry))
        FShared->Cursor.DropBackup(FEditEntry);
    FEditEntry = nullptr;
    if (!FKeepChangeCount)
        ChangeTakenBack();
}

void TStoreDataset::CancelKeepingCount() {
    FKeepChangeCount = true;
    const TScopeGuard done([this] { FKeepChangeCount = false; });
    Cancel();
}

void TStoreDataset::InternalDelete(int index) {
    if (FReadOnly)
        DatabaseError("Read-only record cannot be deleted");
    if (index < 0 || index >= ViewCount())
        DatabaseError("Error deleting record: Record is not found");
    TStoreRecord* entry = FView[static_cast<size_t>(index)];
    if (entry->Status == TStoreRecordStatus::Dropped || entry->Values.IsEmpty())
        DatabaseError("Error deleting record: Record is not found");
    if (entry->Status == TStoreRecordStatus::Deleted)
        DatabaseError("Error deleting record: Record has been deleted");
    if (entry->Status == TStoreRecordStatus::Inserted) {
        entry->Status = TStoreRecordStatus::Dropped;
        entry->Values.Reset();
        FShared->Cursor.DropBackup(entry);
    } else {
        entry->Status = TStoreRecordStatus::Deleted;
    }
    FView.erase(static_cast<std::size_t>(index));
    ChangeStarted();
}

TUpdateStatus TStoreDataset::UpdateStatus() const {
    TRecordRef record = CurrentRecord();
    if (!record || State() == TDataSetState::dsInsert)
        return State() == TDataSetState::dsInsert ? TUpdateStatus::usInserted : TUpdateStatus::usUnmodified;
    switch (static_cast<const TStoreRecord*>(record)->Status) {
    case TStoreRecordStatus::Modified:
        return TUpdateStatus::usModified;
    case TStoreRecordStatus::Inserted:
        return TUpdateStatus::usInserted;
    case TStoreRecordStatus::Deleted:
        return TUpdateStatus::usDeleted;
    default:
        return TUpdateStatus::usUnmodified;
    }
}

// ---------------------------------------------------------------- keys and the view

void TStoreDataset::BuildKeys(KeyBuffer& buffer, std::string_view names) {
    KeyBuffer built;
    built.Fields = GetFieldList(names);
    for (TField* field : built.Fields) {
        if (field->Calculated() || IsBlobKind(FShared->Cursor.Field(field->DataIndex()).FieldKind))
            continue;
        built.Keys.push_back({field->DataIndex(), field->Alignment == TAlignment::taRightJustify});
    }
    if (built.Keys.size() != built.Fields.size())
        DatabaseError("There are calc or BLOB fields in list of key fields");
    built.Values = FShared->Cursor.NewValues();
    built.Count = static_cast<int>(built.Keys.size());
    buffer = std::move(built);
}

void TStoreDataset::BuildAllKeys() {
    BuildKeys(FKeys[0], FIndexFieldNames);
    FKeys[1] = KeyBuffer();
    FKeys[1].Values = FShared->Cursor.NewValues();
    BuildKeys(FKeys[2], FRangeFieldNames);
    BuildKeys(FKeys[3], FRangeFieldNames);
    FRangeActive = false;
}

void TStoreDataset::BuildView() {
    TStoreCursor& cursor = FShared->Cursor;
    FView.clear();
    FView.Bind(&cursor);
    FView.reserve(cursor.Records().size());
    bool filter = HasFilterHandler();
    for (TStoreRecord* entry : cursor.Records()) {
        if (IsGone(entry))
            continue;
        if (FRangeActive &&
            (CompareRecords(cursor, entry->Values, FKeys[2].Values, FKeys[2].Keys, 0, FKeys[2].Count) < 0 ||
             CompareRecords(cursor, entry->Values, FKeys[3].Values, FKeys[3].Keys, 0, FKeys[3].Count) > 0))
            continue;
        if (filter && !FilterRecord(entry))
            continue;
        FView.push_back(entry);
    }
    FViewSorted = !FKeys[0].Keys.empty();
    if (FViewSorted)
        SortByKeys(FView.Items(), cursor, FKeys[0].Keys, FSortOptions);
}

void TStoreDataset::RebuildView(bool keepPosition) {
    if (!Active())
        return;
    CheckBrowseMode();
    TRecordRef current = CurrentRecord();
    DisableControls();
    const TScopeGuard enable([this] { EnableControls(); });
    int index = 0;
    {
        const TFailureGuard resync([this] { Resync(0); });
        BuildView();
    }
    if (keepPosition && current)
        index = std::max(FView.IndexOf(static_cast<const TStoreRecord*>(current)), 0);
    Resync(index);
}

void TStoreDataset::FilterChanged() {
    RebuildView(true);
}

void TStoreDataset::SetIndexFieldNames(std::string names) {
    if (Active()) {
        CheckBrowseMode();
        KeyBuffer keys;
        BuildKeys(keys, names);
        FKeys[0] = std::move(keys);
        FIndexFieldNames = std::move(names);
        RebuildView(true);
    } else {
        FIndexFieldNames = std::move(names);
    }
}

void TStoreDataset::SetSortOptions(TStoreSortOptions options) {
    FSortOptions = options;
    RebuildView(true);
}

void TStoreDataset::SetRangeFieldNames(std::string names) {
    if (Active()) {
        CheckBrowseMode();
        KeyBuffer low, high;
        BuildKeys(low, names);
        BuildKeys(high, names);
        FKeys[2] = std::move(low);
        FKeys[3] = std::move(high);
        FRangeActive = false;
        FRangeFieldNames = std::move(names);
        ApplyMasterRange(true);
    } else {
        FRangeFieldNames = std::move(names);
    }
}

// ---------------------------------------------------------------- master-detail

TDataSource* TStoreDataset::MasterSource() const {
    return FMasterLink->DataSource();
}

void TStoreDataset::SetMasterSource(TDataSource* source) {
    if (source && source->DataSet() == this)
        DatabaseError("Circular data link");
    if (source && source->DataSet() && !dynamic_cast<TStoreDataset*>(source->DataSet()))
        DatabaseError("Use only TStoreDataset descendants for master-detail relationship");
    // The master's own masters, up the chain: this dataset among them would make every range
    // change go round for ever.
    if (source) {
        std::vector<const TDataSet*> seen;
        for (const TDataSet* master = source->DataSet(); master;) {
            if (master == this)
                DatabaseError("Circular data link");
            if (std::find(seen.begin(), seen.end(), master) != seen.end())
                break;
            seen.push_back(master);
            const auto* store = dynamic_cast<const TStoreDataset*>(master);
            const TDataSource* next = store ? store->MasterSource() : nullptr;
            master = next ? next->DataSet() : nullptr;
        }
    }
    FMasterLink->SetDataSource(source);
}

void TStoreDataset::SetMasterFields(std::string names) {
    FMasterFields = std::move(names);
    ApplyMasterRange(true);
}

void TStoreDataset::ApplyMasterRange(bool rebuild) {
    if (!Active() || !FShared)
        return;
    bool wasActive = FRangeActive;
    std::vector<TField*> masters =
        FMasterLink->Active() ? FMasterLink->MasterFieldList() : std::vector<TField*>();
    if (!masters.empty()) {
        std::string text;
        for (TField* field : masters) {
            text += field->AsString();
            text += '\t';
        }
        const TStoreCursor& cursor = FShared->Cursor;
        for (int k = 2; k <= 3; ++k) {
            cursor.ClearValues(FKeys[k].Values);
            FKeys[k].Count = SetKeysFromText(cursor, FKeys[k].Values, FKeys[k].Keys, text);
        }
        FRangeActive = true;
    } else {
        FRangeActive = false;
    }
    if (!rebuild || (!wasActive && !FRangeActive))
        return;
    CheckBrowseMode();
    {
        DisableControls();
        const TScopeGuard enable([this] { EnableControls(); });
        const TScopeGuard resync([this] { Resync(0); });
        BuildView();
    }
    First();
}

// ---------------------------------------------------------------- search

int TStoreDataset::SearchKey(int start, int keyCount, std::string_view names) {
    std::string searched = Cp1250UpperCase(names);
    std::string index = Cp1250UpperCase(FIndexFieldNames);
    bool indexPrefix = !searched.empty() && (index == searched || index.starts_with(searched + ";"));
    const TStoreCursor& cursor = FShared->Cursor;
    if (start == 0 && indexPrefix && !(FSortOptions & ssoCaseInsensitive) && FViewSorted) {
        FLastSearchPath = TStoreSearchPath::Binary;
        const std::vector<uint32_t>& view = FView.Items();
        return FindKeyBinary(
            view.size(), [&](std::size_t i) { return cursor.Entry(view[i]); }, cursor, FKeys[1].Values,
            FKeys[1].Keys, keyCount, FSortOptions);
    }
    FLastSearchPath = TStoreSearchPath::Linear;
    const std::vector<uint32_t>& view = FView.Items();
    return FindKeyLinear(
        view.size(), [&](std::size_t i) { return cursor.Entry(view[i]); }, start, cursor, FKeys[1].Values,
        FKeys[1].Keys, keyCount);
}

namespace {

// A key value as the text the key conversion reads, by the field's type.
std::string KeyText(const TVariant& value, const TField& field) {
    if (value.Type() == TVarType::varDate || value.Type() == TVarType::varDouble) {
        switch (field.DataType()) {
        case TFieldType::ftDate:
            return DateToStr(value.ToDouble());
        case TFieldType::ftTime:
            return TimeToStr(value.ToDouble());
        case TFieldType::ftDateTime:
            return DateTimeToStr(value.ToDouble());
        default:
            break;
        }
    }
    return value.ToString();
}

bool IsEmptyKey(const TVariant& value) {
    if (value.IsNull())
        return true;
    if (value.IsArray())
        return value.ArrayCount() == 0;
    return value.Type() == TVarType::varString && value.Text().empty();
}

} // namespace

int TStoreDataset::SearchKeyValues(std::string_view keyFields, const TVariant& keyValues) {
    const TStoreCursor& cursor = FShared->Cursor;
    KeyBuffer& key = FKeys[1];
    cursor.ClearValues(key.Values);
    for (size_t k = 0; k < key.Keys.size(); ++k) {
        // One value per key field; a single value is the first field's.
        const TVariant& value = keyValues[static_cast<int>(k)];
        if (!value.IsNull())
            SetKeyFromText(cursor, key.Values, key.Keys[k].FieldIndex, KeyText(value, *key.Fields[k]));
    }
    return SearchKey(0, key.Count, keyFields);
}

bool TStoreDataset::Locate(std::string_view keyFields, const TVariant& keyValues, TLocateOptions options) {
    CheckBrowseMode();
    FLastSearchPath = TStoreSearchPath::None;
    // Every text begins with the empty text: with the partial-key option it finds the first
    // record that has a value.
    const bool empty = (options & loPartialKey)
                           ? keyValues.IsNull() || (keyValues.IsArray() && keyValues.ArrayCount() == 0)
                           : IsEmptyKey(keyValues);
    if (FView.empty() || keyFields.empty() || empty)
        return false;
    BuildKeys(FKeys[1], keyFields);
    int index;
    if (options != 0) {
        FLastSearchPath = TStoreSearchPath::Scan;
        index = ScanForKeys(FKeys[1].Fields, keyValues, options);
    } else {
        index = SearchKeyValues(keyFields, keyValues);
    }
    if (index < 0)
        return false;
    ScrollTo(index);
    return true;
}

TVariant TStoreDataset::Lookup(std::string_view keyFields, const TVariant& keyValues,
                               std::string_view resultFields) {
    CheckBrowseMode();
    if (FView.empty() || keyFields.empty() || IsEmptyKey(keyValues))
        return {};
    BuildKeys(FKeys[1], keyFields);
    const int index = SearchKeyValues(keyFields, keyValues);
    if (index < 0)
        return {};
    return ValuesAt(index, resultFields);
}

int TStoreDataset::FindKeyIndex(std::string_view fieldNames, std::string_view values, int start) {
    FLastSearchPath = TStoreSearchPath::None;
    if (FView.empty())
        return -1;
    BuildKeys(FKeys[1], fieldNames);
    const TStoreCursor& cursor = FShared->Cursor;
    cursor.ClearValues(FKeys[1].Values);
    FKeys[1].Count = SetKeysFromText(cursor, FKeys[1].Values, FKeys[1].Keys, values);
    return SearchKey(start, FKeys[1].Count, fieldNames);
}

bool TStoreDataset::FindByKey(std::string_view fieldNames, std::string_view values, bool fromStart) {
    CheckBrowseMode();
    int index = FindKeyIndex(fieldNames, values, fromStart ? 0 : CurrentIndex() + 1);
    if (index < 0)
        return false;
    ScrollTo(index);
    return true;
}

// ---------------------------------------------------------------- whole-table operations

void TStoreDataset::SaveTable(const std::string& fileName) {
    CheckBrowseMode();
    TStoreCursor& cursor = FShared->Cursor;
    if (SaveOptions & savSortOnIndex) {
        // BLOB kinds are skipped as keys here rather than refused.
        TStoreKeyFields keys;
        for (TField* field : GetFieldList(FIndexFieldNames))
            if (!field->Calculated() && !IsBlobKind(cursor.Field(field->DataIndex()).FieldKind))
                keys.push_back({field->DataIndex(), field->Alignment == TAlignment::taRightJustify});
        if (!keys.empty()) {
            // Deleted and dropped entries are not written and a dropped one has no values to
            // compare: they go after the sorted records.
            std::vector<TStoreRecord*> order, gone;
            order.reserve(cursor.Records().size());
            for (TStoreRecord* entry : cursor.Records())
                (IsGone(entry) ? gone : order).push_back(entry);
            SortView(order, cursor, keys, FSortOptions & ssoCaseInsensitive);
            order.insert(order.end(), gone.begin(), gone.end());
            cursor.ReorderRecords(std::move(order));
        }
    }
    std::string path = ResolveTablePath(fileName, FDatabase ? FDatabase->DatabasePath() : std::string());
    try {
        SaveCursorToFile(cursor, path, SaveOptions, ProgressHandler());
    } catch (const EStoreFileError&) {
        throw;
    } catch (const EStoreError& error) {
        RaiseStoreError(error);
    }
}

void TStoreDataset::FlushTable() {
    CheckBrowseMode();
    if (FChangeCount <= 0)
        return;
    std::string path = OwnFileName();
    if (!path.empty())
        SaveTable(path);
}

void TStoreDataset::EmptyTable() {
    CheckActive();
    if (State() == TDataSetState::dsEdit || State() == TDataSetState::dsInsert)
        CancelKeepingCount();
    DisableControls();
    const TScopeGuard enable([this] { EnableControls(); });
    // No view may keep an entry that is about to be freed when the listeners run.
    ForgetViews();
    FShared->Cursor.ClearRecords();
    ++FShared->Generation;
    for (TStoreDataset* user : std::vector<TStoreDataset*>(FShared->Users))
        if (user != this)
            user->StorageReplaced();
    Resync(-1);
    First();
}

void TStoreDataset::ForgetViews() {
    for (TStoreDataset* user : FShared->Users) {
        user->FView.clear();
        user->FViewSorted = false;
        user->FEditEntry = nullptr;
        user->Resync(-1, false);
    }
}

void TStoreDataset::CommitChanges() {
    CheckBrowseMode();
    TStoreCursor& cursor = FShared->Cursor;
    cursor.RemoveRecords([](const TStoreRecord& entry) {
        return entry.Status == TStoreRecordStatus::Deleted || entry.Status == TStoreRecordStatus::Dropped;
    });
    for (TStoreRecord* entry : cursor.Records())
        entry->Status = TStoreRecordStatus::Unchanged;
    cursor.DropAllBackups();
    ResetChanges();
}

void TStoreDataset::CancelChanges() {
    CheckActive();
    Cancel();
    TStoreCursor& cursor = FShared->Cursor;
    cursor.RemoveRecords([](const TStoreRecord& entry) {
        return entry.Status == TStoreRecordStatus::Inserted || entry.Status == TStoreRecordStatus::Dropped;
    });
    for (TStoreRecord* entry : cursor.Records()) {
        cursor.RestoreBackup(entry);
        entry->Status = TStoreRecordStatus::Unchanged;
    }
    cursor.DropAllBackups();
    ResetChanges();
    for (TStoreDataset* user : std::vector<TStoreDataset*>(FShared->Users))
        if (user != this) {
            user->FView.clear();
            user->FEditEntry = nullptr;
            user->Resync(-1, false);
        }
    for (TStoreDataset* user : std::vector<TStoreDataset*>(FShared->Users))
        if (user != this)
            user->StorageReplaced();
    RebuildView(true);
}

void TStoreDataset::StorageReplaced() {
    if (!Active())
        return;
    if (State() == TDataSetState::dsEdit || State() == TDataSetState::dsInsert)
        CancelKeepingCount();
    BindCursorFields();
    BuildAllKeys();
    ApplyMasterRange(false);
    BuildView();
    Resync(0);
}

int TStoreDataset::InternalRefresh() {
    std::string unique;
    if (!UniqueFieldNames.empty() && CurrentRecord()) {
        for (TField* field : GetFieldList(UniqueFieldNames)) {
            unique += field->AsString();
            unique += '\t';
        }
    }
    if (FChangeCount > 0)
        FlushTable();
    if (CanReload()) {
        auto fresh = std::make_shared<TStoreShared>();
        fresh->Owner = FShared->Owner;
        fresh->Owner->ReadSource(fresh->Cursor);
        fresh->Users = FShared->Users;
        fresh->Generation = FShared->Generation + 1;
        std::shared_ptr<TStoreShared> old = FShared;
        for (TStoreDataset* user : fresh->Users)
            user->FShared = fresh;
        FEditEntry = nullptr;
        for (TStoreDataset* user : fresh->Users)
            if (user != this) {
                user->FView.clear();
                user->FEditEntry = nullptr;
                user->Resync(-1, false);
            }
        for (TStoreDataset* user : fresh->Users)
            if (user != this)
                user->StorageReplaced();
        BindCursorFields();
        BuildAllKeys();
    }
    ApplyMasterRange(false);
    BuildView();
    if (!unique.empty()) {
        int index = FindKeyIndex(UniqueFieldNames, unique, 0);
        if (index >= 0)
            return index;
    }
    return 0;
}

// ---------------------------------------------------------------- BLOB streams

std::unique_ptr<TStoreBlobStream> TStoreDataset::CreateBlobStream(TField& field, TBlobStreamMode mode) {
    CheckActive();
    std::string bytes;
    if (mode != TBlobStreamMode::bmWrite)
        bytes = field.Value().ToString();
    if (mode != TBlobStreamMode::bmRead && RecordCount() > 0) {
        if (field.ReadOnly)
            DatabaseError("Field '" + field.DisplayName() + "' is read only!");
        if (State() != TDataSetState::dsEdit && State() != TDataSetState::dsInsert)
            DatabaseError("Table is not in edit or insert mode");
    }
    return std::make_unique<TStoreBlobStream>(*this, field, mode, std::move(bytes));
}

void TStoreDataset::SetBlobValue(TField& field, std::string bytes) {
    field.SetValue(TVariant(std::move(bytes)));
}

} // namespace etikor
