#include "data/DataSet.h"

#include "data/Cp1250.h"
#include "data/ScopeGuard.h"

#include <algorithm>
#include <unordered_map>

namespace etikor {

namespace {

bool IsEditing(TDataSetState state) {
    return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
}

} // namespace

// ---------------------------------------------------------------- TDataLink, TDataSource

TDataLink::~TDataLink() {
    SetDataSource(nullptr);
}

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == FDataSource)
        return;
    if (FDataSource) {
        auto& links = FDataSource->FLinks;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    FDataSource = source;
    if (FDataSource)
        FDataSource->FLinks.push_back(this);
    ActiveChanged();
}

TDataSet* TDataLink::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

bool TDataLink::Active() const {
    TDataSet* dataSet = DataSet();
    return dataSet && dataSet->Active() && FDataSource->Enabled();
}

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
    for (TDataLink* link : std::vector<TDataLink*>(FLinks))
        link->FDataSource = nullptr;
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == FDataSet)
        return;
    if (FDataSet) {
        auto& sources = FDataSet->FSources;
        sources.erase(std::remove(sources.begin(), sources.end(), this), sources.end());
    }
    FDataSet = dataSet;
    if (FDataSet)
        FDataSet->FSources.push_back(this);
    Notify(TDataEvent::deActive, nullptr);
}

void TDataSource::SetEnabled(bool enabled) {
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    for (TDataLink* link : std::vector<TDataLink*>(FLinks))
        link->ActiveChanged();
}

TDataSetState TDataSource::State() const {
    return FDataSet && FEnabled ? FDataSet->State() : TDataSetState::dsInactive;
}

void TDataSource::Notify(TDataEvent event, const TField* field) {
    if (!FEnabled && event != TDataEvent::deActive)
        return;
    // A link may detach itself while being told.
    for (TDataLink* link : std::vector<TDataLink*>(FLinks)) {
        if (std::find(FLinks.begin(), FLinks.end(), link) == FLinks.end())
            continue;
        switch (event) {
        case TDataEvent::deActive:
            link->ActiveChanged();
            break;
        case TDataEvent::deLayout:
            link->LayoutChanged();
            break;
        case TDataEvent::deCurrent:
            link->CurrentChanged();
            break;
        case TDataEvent::deDataSet:
            link->DataSetChanged();
            break;
        case TDataEvent::deRecord:
            link->RecordChanged(field);
            break;
        case TDataEvent::deState:
            link->StateChanged();
            break;
        }
    }
    if (event == TDataEvent::deState || event == TDataEvent::deActive) {
        if (OnStateChange)
            OnStateChange(*this);
    } else if (event != TDataEvent::deLayout && OnDataChange) {
        OnDataChange(*this, event == TDataEvent::deRecord ? field : nullptr);
    }
}

// ---------------------------------------------------------------- TDataSet

TDataSet::TDataSet() = default;

TDataSet::~TDataSet() {
    for (TDataSource* source : std::vector<TDataSource*>(FSources))
        source->SetDataSet(nullptr);
}

void TDataSet::DatabaseError(std::string_view message) const {
    throw EDatabaseError(DatabaseErrorText(Name, message));
}

void TDataSet::CheckActive() const {
    if (!Active())
        DatabaseError("Cannot do this operation on closed dataset");
}

void TDataSet::Open() {
    if (Active())
        return;
    DoEvent(BeforeOpen);
    InternalOpen();
    FState = TDataSetState::dsBrowse;
    FModified = false;
    FBuffer.assign(FDataFieldCount, TVariant());
    FChanged.assign(FDataFieldCount, 0);
    FCurrent = -1;
    MoveTo(ViewCount() > 0 ? 0 : -1, ViewCount() == 0, true);
    Notify(TDataEvent::deActive);
    Notify(TDataEvent::deLayout);
    DoEvent(AfterOpen);
    DoEvent(AfterScroll);
}

void TDataSet::Close() {
    if (!Active())
        return;
    DoEvent(BeforeClose);
    if (IsEditing(FState))
        Cancel(); // closing writes nothing: a pending edit is dropped
    InternalClose();
    FState = TDataSetState::dsInactive;
    FCurrent = -1;
    FEof = FBof = true;
    FModified = false;
    std::fill(FBuffer.begin(), FBuffer.end(), TVariant());
    std::fill(FCalc.begin(), FCalc.end(), TVariant());
    Notify(TDataEvent::deActive);
    Notify(TDataEvent::deLayout);
    DoEvent(AfterClose);
}

void TDataSet::BindFields(const TFieldDefs& defs) {
    std::vector<std::unique_ptr<TField>> old;
    old.swap(FFields);
    std::vector<std::unique_ptr<TField>> calc;
    for (auto& field : old)
        if (field && field->Calculated())
            calc.push_back(std::move(field));
    // The old object of a field is usually at the same place; otherwise it is looked up by name,
    // so that binding stays linear in the number of fields.
    auto matches = [](const TField& candidate, const TFieldDef& def) {
        return candidate.FType == def.DataType && candidate.FSize == def.Size &&
               Cp1250SameText(candidate.FName, def.Name);
    };
    std::unordered_multimap<std::string, std::size_t> byName;
    bool indexed = false;
    FFields.reserve(defs.size() + calc.size());
    for (std::size_t d = 0; d < defs.size(); ++d) {
        const TFieldDef& def = defs[d];
        std::unique_ptr<TField> field;
        if (d < old.size() && old[d] && matches(*old[d], def)) {
            field = std::move(old[d]);
        } else if (!old.empty()) {
            if (!indexed) {
                for (std::size_t i = 0; i < old.size(); ++i)
                    if (old[i])
                        byName.emplace(Cp1250UpperCase(old[i]->FName), i);
                indexed = true;
            }
            const auto [first, last] = byName.equal_range(Cp1250UpperCase(def.Name));
            for (auto it = first; it != last; ++it)
                if (old[it->second] && matches(*old[it->second], def)) {
                    field = std::move(old[it->second]);
                    break;
                }
        }
        if (!field)
            field = std::make_unique<TField>(*this, def.Name, def.DataType, def.Size, TFieldKind::fkData);
        FFields.push_back(std::move(field));
    }
    FDataFieldCount = static_cast<int>(FFields.size());
    FCalcFields.clear();
    for (auto& field : calc) {
        FCalcFields.push_back(field.get());
        FFields.push_back(std::move(field));
    }
    for (size_t i = 0; i < FFields.size(); ++i) {
        TField& field = *FFields[i];
        field.FIndex = static_cast<int>(i);
        field.FDataIndex = field.Calculated() ? -1 : static_cast<int>(i);
        field.FCalcIndex = field.Calculated() ? static_cast<int>(i) - FDataFieldCount : -1;
    }
    FBuffer.assign(FDataFieldCount, TVariant());
    FChanged.assign(FDataFieldCount, 0);
    FCalc.assign(FCalcFields.size(), TVariant());
    FCalcWork.assign(FCalcFields.size(), TVariant());
    if (Active())
        Notify(TDataEvent::deLayout);
}

TField& TDataSet::AddCalcField(std::string name, TFieldType type, int size) {
    if (Active())
        DatabaseError("Cannot perform this operation on an open dataset");
    if (FindField(name))
        DatabaseError("Duplicate field name '" + name + "'");
    FFields.push_back(std::make_unique<TField>(*this, std::move(name), type, size, TFieldKind::fkCalculated));
    TField& field = *FFields.back();
    field.FIndex = static_cast<int>(FFields.size()) - 1;
    field.FCalcIndex = static_cast<int>(FCalcFields.size());
    FCalcFields.push_back(&field);
    FCalc.assign(FCalcFields.size(), TVariant());
    FCalcWork.assign(FCalcFields.size(), TVariant());
    return field;
}

TField* TDataSet::FindField(std::string_view name) const {
    for (const auto& field : FFields)
        if (Cp1250SameText(field->FName, name))
            return field.get();
    return nullptr;
}

TField& TDataSet::FieldByName(std::string_view name) const {
    TField* field = FindField(name);
    if (!field)
        DatabaseError("Field '" + std::string(name) + "' not found");
    return *field;
}

std::vector<TField*> TDataSet::GetFieldList(std::string_view names) const {
    std::vector<TField*> list;
    size_t start = 0;
    while (start <= names.size()) {
        size_t end = names.find(';', start);
        if (end == std::string_view::npos)
            end = names.size();
        std::string_view name = names.substr(start, end - start);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        if (!name.empty())
            list.push_back(&FieldByName(name));
        start = end + 1;
    }
    return list;
}

std::vector<std::string> TDataSet::GetFieldNames() const {
    std::vector<std::string> names;
    names.reserve(FFields.size());
    for (const auto& field : FFields)
        names.push_back(field->FName);
    return names;
}

// ---------------------------------------------------------------- navigation

bool TDataSet::IsEmpty() const {
    return !Active() || (ViewCount() == 0 && FState != TDataSetState::dsInsert);
}

int TDataSet::RecordCount() const {
    return Active() ? ViewCount() : 0;
}

int TDataSet::RecNo() const {
    if (!Active() || FState == TDataSetState::dsInsert)
        return 0;
    return FCurrent + 1;
}

void TDataSet::MoveTo(int index, bool eof, bool bof) {
    FCurrent = index;
    FEof = eof;
    FBof = bof;
    CalculateFields(CurrentRecord(), false);
}

void TDataSet::First() {
    CheckBrowseMode();
    DoEvent(BeforeScroll);
    int count = ViewCount();
    MoveTo(count > 0 ? 0 : -1, count == 0, true);
    Notify(TDataEvent::deCurrent);
    DoEvent(AfterScroll);
}

void TDataSet::Last() {
    CheckBrowseMode();
    DoEvent(BeforeScroll);
    int count = ViewCount();
    MoveTo(count - 1, true, count == 0);
    Notify(TDataEvent::deCurrent);
    DoEvent(AfterScroll);
}

int TDataSet::MoveBy(int distance) {
    CheckBrowseMode();
    if (distance == 0)
        return 0;
    DoEvent(BeforeScroll);
    int count = ViewCount();
    int from = FCurrent;
    int target = FCurrent + distance;
    bool eof = false;
    bool bof = false;
    if (count == 0) {
        target = -1;
        eof = bof = true;
    } else if (target >= count) {
        target = count - 1;
        eof = true;
    } else if (target < 0) {
        target = 0;
        bof = true;
    }
    MoveTo(target, eof, bof);
    if (target != from)
        Notify(TDataEvent::deCurrent);
    DoEvent(AfterScroll);
    return target - from;
}

void TDataSet::Next() {
    MoveBy(1);
}

void TDataSet::Prior() {
    MoveBy(-1);
}

void TDataSet::SetRecNo(int recNo) {
    CheckBrowseMode();
    int count = ViewCount();
    if (count == 0)
        return;
    recNo = std::clamp(recNo, 1, count);
    if (recNo - 1 == FCurrent)
        return;
    DoEvent(BeforeScroll);
    MoveTo(recNo - 1, false, false);
    Notify(TDataEvent::deCurrent);
    DoEvent(AfterScroll);
}

TBookmark TDataSet::RecordBookmark(int index) const {
    return reinterpret_cast<TBookmark>(ViewRecord(index));
}

int TDataSet::BookmarkIndex(TBookmark bookmark) const {
    if (bookmark == 0)
        return -1;
    for (int i = 0, n = ViewCount(); i < n; ++i)
        if (RecordBookmark(i) == bookmark)
            return i;
    return -1;
}

TBookmark TDataSet::GetBookmark() const {
    if (!Active() || FCurrent < 0 || FState == TDataSetState::dsInsert)
        return 0;
    return RecordBookmark(FCurrent);
}

bool TDataSet::BookmarkValid(TBookmark bookmark) const {
    return Active() && BookmarkIndex(bookmark) >= 0;
}

void TDataSet::GotoBookmark(TBookmark bookmark) {
    CheckBrowseMode();
    int index = BookmarkIndex(bookmark);
    if (index < 0)
        DatabaseError("Record not found");
    DoEvent(BeforeScroll);
    MoveTo(index, false, false);
    Notify(TDataEvent::deCurrent);
    DoEvent(AfterScroll);
}

void TDataSet::ScrollTo(int index) {
    DoEvent(BeforeScroll);
    MoveTo(index, false, false);
    Notify(TDataEvent::deCurrent);
    DoEvent(AfterScroll);
}

void TDataSet::Resync(int index, bool notify) {
    int count = ViewCount();
    if (count == 0)
        MoveTo(-1, true, true);
    else
        MoveTo(std::clamp(index, 0, count - 1), false, index <= 0);
    if (notify)
        Notify(TDataEvent::deDataSet);
}

// ---------------------------------------------------------------- editing

void TDataSet::SetState(TDataSetState state) {
    if (state == FState)
        return;
    FState = state;
    FModified = false;
    Notify(TDataEvent::deState);
}

TDataSetState TDataSet::SetTempState(TDataSetState state) {
    TDataSetState previous = FState;
    FState = state;
    return previous;
}

void TDataSet::LoadBuffer(TRecordRef record) {
    for (int i = 0; i < FDataFieldCount; ++i) {
        FBuffer[i] = record ? ReadField(record, *FFields[i]) : TVariant();
        FChanged[i] = 0;
    }
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (IsEditing(FState))
        Post();
    else if (FState == TDataSetState::dsSetKey)
        Cancel();
}

void TDataSet::Edit() {
    if (IsEditing(FState))
        return;
    CheckActive();
    if (ViewCount() == 0) {
        Append();
        return;
    }
    CheckBrowseMode();
    DoEvent(BeforeEdit);
    InternalEdit(FCurrent);
    LoadBuffer(CurrentRecord());
    SetState(TDataSetState::dsEdit);
    CalculateFields(nullptr, true);
    Notify(TDataEvent::deRecord);
    DoEvent(AfterEdit);
}

void TDataSet::Insert() {
    Append();
}

void TDataSet::Append() {
    CheckBrowseMode();
    DoEvent(BeforeInsert);
    DoEvent(BeforeScroll);
    InternalInsert();
    LoadBuffer(nullptr);
    FState = TDataSetState::dsInsert;
    FModified = false;
    {
        const TFailureGuard cancel([this] {
            InternalCancel(true, FCurrent);
            FState = TDataSetState::dsBrowse;
        });
        InternalInitRecord();
        DoEvent(OnNewRecord);
    }
    FModified = false;
    Notify(TDataEvent::deState);
    CalculateFields(nullptr, true);
    Notify(TDataEvent::deDataSet);
    DoEvent(AfterInsert);
    DoEvent(AfterScroll);
}

void TDataSet::Post() {
    CheckActive();
    if (!IsEditing(FState))
        return;
    DoEvent(BeforePost);
    for (int i = 0; i < FDataFieldCount; ++i)
        if (FFields[i]->Required && FBuffer[i].IsNull())
            DatabaseError("Field '" + FFields[i]->DisplayName() + "' must have a value");
    bool inserting = FState == TDataSetState::dsInsert;
    int index = InternalPost(inserting, FCurrent);
    SetState(TDataSetState::dsBrowse);
    Resync(index, false);
    Notify(TDataEvent::deDataSet);
    DoEvent(AfterPost);
}

void TDataSet::InternalEdit(int /*index*/) {
    if (!InternalCanModify())
        DatabaseError("Cannot modify a read-only dataset");
}

void TDataSet::InternalInsert() {
    if (!InternalCanModify())
        DatabaseError("Cannot modify a read-only dataset");
}

int TDataSet::InternalPost(bool /*inserting*/, int /*index*/) {
    DatabaseError("Cannot modify a read-only dataset");
}

void TDataSet::InternalDelete(int /*index*/) {
    DatabaseError("Cannot modify a read-only dataset");
}

void TDataSet::Cancel() {
    CheckActive();
    if (FState == TDataSetState::dsSetKey) {
        SetState(TDataSetState::dsBrowse);
        return;
    }
    if (!IsEditing(FState))
        return;
    DoEvent(BeforeCancel);
    bool inserting = FState == TDataSetState::dsInsert;
    InternalCancel(inserting, FCurrent);
    SetState(TDataSetState::dsBrowse);
    Resync(FCurrent, false);
    Notify(TDataEvent::deDataSet);
    DoEvent(AfterCancel);
    if (inserting)
        DoEvent(AfterScroll);
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (FState == TDataSetState::dsEdit)
        Cancel();
    DoEvent(BeforeDelete);
    DoEvent(BeforeScroll);
    int index = FCurrent;
    InternalDelete(index);
    // The position stays on the same view index, the next record moving into it.
    int count = ViewCount();
    if (count == 0)
        MoveTo(-1, true, true);
    else if (index >= count)
        MoveTo(count - 1, true, count == 1);
    else
        MoveTo(std::max(index, 0), false, false);
    Notify(TDataEvent::deDataSet);
    DoEvent(AfterDelete);
    DoEvent(AfterScroll);
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    DoEvent(BeforeRefresh);
    int index = InternalRefresh();
    Resync(index < 0 ? 0 : index, false);
    Notify(TDataEvent::deDataSet);
    DoEvent(AfterRefresh);
}

// ---------------------------------------------------------------- field values

TVariant TDataSet::GetFieldValue(const TField& field) const {
    if (!Active())
        return {};
    if (field.Calculated()) {
        if (FState == TDataSetState::dsCalcFields)
            return FCalcWork[field.FCalcIndex];
        if (FState == TDataSetState::dsFilter)
            return {};
        return FCalc[field.FCalcIndex];
    }
    switch (FState) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
    case TDataSetState::dsSetKey:
        return FBuffer[field.FDataIndex];
    case TDataSetState::dsFilter:
        return FTempRecord ? ReadField(FTempRecord, field) : TVariant();
    case TDataSetState::dsCalcFields:
        if (FTempFromBuffer)
            return FBuffer[field.FDataIndex];
        return FTempRecord ? ReadField(FTempRecord, field) : TVariant();
    default: {
        TRecordRef record = CurrentRecord();
        return record ? ReadField(record, field) : TVariant();
    }
    }
}

void TDataSet::SetFieldValue(TField& field, const TVariant& value) {
    CheckActive();
    switch (FState) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
    case TDataSetState::dsSetKey:
    case TDataSetState::dsCalcFields:
    case TDataSetState::dsFilter:
        break;
    default:
        DatabaseError("Table is not in edit or insert mode");
    }
    bool keyOrFilter = FState == TDataSetState::dsSetKey || FState == TDataSetState::dsFilter;
    if (FState == TDataSetState::dsCalcFields) {
        if (!field.Calculated())
            DatabaseError("Cannot edit CalcFields");
        FCalcWork[field.FCalcIndex] = field.Convert(value);
        return;
    }
    if (field.ReadOnly && !keyOrFilter)
        DatabaseError("Field '" + field.DisplayName() + "' is read only!");
    if (field.Calculated()) {
        FCalc[field.FCalcIndex] = field.Convert(value);
        return;
    }
    if (field.DataType() == TFieldType::ftAutoInc && !keyOrFilter)
        return; // the engine assigns no numbers; writes outside keys are ignored
    if (FState == TDataSetState::dsFilter)
        return;
    FBuffer[field.FDataIndex] = field.Convert(value);
    FChanged[field.FDataIndex] = 1;
    if (IsEditing(FState)) {
        FModified = true;
        CalculateFields(nullptr, true);
    }
    Notify(TDataEvent::deRecord, &field);
}

void TDataSet::CalculateFields(TRecordRef record, bool fromBuffer) {
    if (FCalcFields.empty())
        return;
    std::fill(FCalcWork.begin(), FCalcWork.end(), TVariant());
    if (OnCalcFields && (record || fromBuffer) && Active()) {
        TDataSetState previous = SetTempState(TDataSetState::dsCalcFields);
        TRecordRef previousRecord = FTempRecord;
        bool previousFromBuffer = FTempFromBuffer;
        FTempRecord = record;
        FTempFromBuffer = fromBuffer;
        const TScopeGuard restore([&] {
            FTempRecord = previousRecord;
            FTempFromBuffer = previousFromBuffer;
            RestoreState(previous);
        });
        OnCalcFields(*this);
    }
    FCalc.swap(FCalcWork);
}

TVariant TDataSet::ValueAt(int viewIndex, const TField& field) {
    if (!Active() || viewIndex < 0 || viewIndex >= ViewCount())
        return {};
    if (viewIndex == FCurrent && (FState == TDataSetState::dsEdit || field.Calculated()))
        return GetFieldValue(field);
    TRecordRef record = ViewRecord(viewIndex);
    if (!field.Calculated())
        return ReadField(record, field);
    std::vector<TVariant> saved = FCalc;
    CalculateFields(record, false);
    TVariant value = FCalc[field.FCalcIndex];
    FCalc.swap(saved);
    return value;
}

bool TDataSet::FilterRecord(TRecordRef record) {
    if (!HasFilterHandler())
        return true;
    TDataSetState previous = SetTempState(TDataSetState::dsFilter);
    TRecordRef previousRecord = FTempRecord;
    FTempRecord = record;
    bool accept = true;
    {
        const TScopeGuard restore([&] {
            FTempRecord = previousRecord;
            RestoreState(previous);
        });
        OnFilterRecord(*this, accept);
    }
    return accept;
}

void TDataSet::SetFiltered(bool filtered) {
    if (filtered == FFiltered)
        return;
    if (Active())
        CheckBrowseMode();
    FFiltered = filtered;
    if (Active())
        FilterChanged();
}

void TDataSet::SetFilter(std::string filter) {
    FFilter = std::move(filter);
}

// ---------------------------------------------------------------- notifications

void TDataSet::DataEvent(TDataEvent event, const TField* field) {
    for (TDataSource* source : std::vector<TDataSource*>(FSources))
        source->Notify(event, field);
}

void TDataSet::Notify(TDataEvent event, const TField* field) {
    if (FDisableCount > 0) {
        if (event == TDataEvent::deLayout || event == TDataEvent::deActive)
            FPendingLayout = true;
        else if (event != TDataEvent::deState)
            FPendingData = true;
        return;
    }
    DataEvent(event, field);
}

void TDataSet::DisableControls() {
    if (FDisableCount++ == 0) {
        FPendingLayout = false;
        FPendingData = false;
        FDisableState = FState;
    }
}

void TDataSet::EnableControls() {
    if (FDisableCount == 0 || --FDisableCount > 0)
        return;
    if (FDisableState != FState) {
        DataEvent(TDataEvent::deState, nullptr);
        if (Active() != (FDisableState != TDataSetState::dsInactive))
            DataEvent(TDataEvent::deActive, nullptr);
    }
    if (FPendingLayout)
        DataEvent(TDataEvent::deLayout, nullptr);
    else if (FPendingData)
        DataEvent(TDataEvent::deDataSet, nullptr);
    FPendingLayout = FPendingData = false;
}

// ---------------------------------------------------------------- search

namespace {

// A record value matches a key when both are present and the record value, converted to the
// key's type, equals it. Options apply to text fields only.
bool KeyMatches(const TField& field, const TVariant& key, const TVariant& value, TLocateOptions options) {
    if (key.IsNull() || value.IsNull())
        return false;
    bool text = field.DataType() == TFieldType::ftString || field.DataType() == TFieldType::ftMemo ||
                field.DataType() == TFieldType::ftFmtMemo;
    if (text) {
        std::string want = key.ToString();
        std::string have = value.ToString();
        if (options & loCaseInsensitive) {
            want = Cp1250UpperCase(want);
            have = Cp1250UpperCase(have);
        }
        if (options & loPartialKey)
            return have.compare(0, want.size(), want) == 0;
        return have == want;
    }
    try {
        switch (key.Type()) {
        case TVarType::varString:
            return field.FormatValue(value) == key.Text();
        case TVarType::varBoolean:
            return value.ToBool() == key.ToBool();
        case TVarType::varDate:
            return value.ToDateTime() == key.ToDateTime();
        default:
            return value.ToDouble() == key.ToDouble();
        }
    } catch (const EVariantError&) {
        return false;
    }
}

} // namespace

int TDataSet::ScanForKeys(const std::vector<TField*>& fields, const TVariant& keyValues,
                          TLocateOptions options) {
    if (fields.empty() || keyValues.IsNull())
        return -1;
    TDataSetState previous = SetTempState(TDataSetState::dsFilter);
    TRecordRef previousRecord = FTempRecord;
    int found = -1;
    for (int i = 0, n = ViewCount(); i < n && found < 0; ++i) {
        TRecordRef record = ViewRecord(i);
        bool match = true;
        for (size_t k = 0; k < fields.size() && match; ++k) {
            const TVariant& key = keyValues.IsArray() ? keyValues[static_cast<int>(k)] : keyValues;
            match = KeyMatches(*fields[k], key, ReadField(record, *fields[k]), options);
        }
        if (match)
            found = i;
    }
    FTempRecord = previousRecord;
    RestoreState(previous);
    return found;
}

bool TDataSet::Locate(std::string_view keyFields, const TVariant& keyValues, TLocateOptions options) {
    CheckBrowseMode();
    int index = ScanForKeys(GetFieldList(keyFields), keyValues, options);
    if (index < 0)
        return false;
    ScrollTo(index);
    return true;
}

TVariant TDataSet::Lookup(std::string_view keyFields, const TVariant& keyValues,
                          std::string_view resultFields) {
    CheckBrowseMode();
    int index = ScanForKeys(GetFieldList(keyFields), keyValues, 0);
    if (index < 0)
        return {};
    return ValuesAt(index, resultFields);
}

TVariant TDataSet::ValuesAt(int viewIndex, std::string_view fieldNames) {
    std::vector<TField*> fields = GetFieldList(fieldNames);
    if (fields.size() == 1)
        return ValueAt(viewIndex, *fields[0]);
    std::vector<TVariant> values;
    values.reserve(fields.size());
    for (TField* field : fields)
        values.push_back(ValueAt(viewIndex, *field));
    return TVariant(std::move(values));
}

} // namespace etikor
