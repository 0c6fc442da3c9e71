#include "tablestore/StoreCursor.h"

#include "data/Cp1250.h"
#include "tablestore/StoreBytes.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace etikor {

uint16_t StoreSlotWidth(TStoreFieldKind kind, uint16_t declaredSize) {
    switch (kind) {
    case TStoreFieldKind::SmallInt:
    case TStoreFieldKind::Boolean:
        return 2;
    case TStoreFieldKind::Integer:
    case TStoreFieldKind::Date:
    case TStoreFieldKind::Time:
    case TStoreFieldKind::AutoInc:
    case TStoreFieldKind::String: // one reference
        return 4;
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency:
    case TStoreFieldKind::DateTime:
    case TStoreFieldKind::BLOB: // reference + 32-bit length
    case TStoreFieldKind::Memo:
    case TStoreFieldKind::FmtMemo:
    case TStoreFieldKind::Graphic:
        return 8;
    case TStoreFieldKind::SmallStr:
        return static_cast<uint16_t>(declaredSize + 1);
    case TStoreFieldKind::Unknown:
        break;
    }
    return 0;
}

std::string StoreTypeCode(const TStoreField& field) {
    static constexpr char codes[] = {'?', 'l', 'i', 'b', 'f', 'c', 'd', 'v',
                                     't', 'a', '?', 's', 'o', 'm', 'r', 'g'};
    switch (field.FieldKind) {
    case TStoreFieldKind::SmallStr: {
        const int size = field.DeclaredSize;
        return std::string(1, static_cast<char>(size < 10 ? '0' + size : 'A' + size - 10));
    }
    case TStoreFieldKind::String:
        return "s" + std::to_string(field.DeclaredSize);
    case TStoreFieldKind::Unknown:
        return "s";
    default:
        return std::string(1, codes[static_cast<int>(field.FieldKind)]);
    }
}

// ---- TStoreValues ---------------------------------------------------------------------

namespace {

constexpr std::size_t kHeader = sizeof(uint32_t);
constexpr std::size_t kMaxBlock = 0x7FFFFFFF;

uint8_t* allocateBlock(std::size_t size) {
    if (size > kMaxBlock)
        throw std::length_error("record too large");
    auto* data = static_cast<uint8_t*>(::operator new(kHeader + size));
    StoreAt<uint32_t>(data, static_cast<uint32_t>(size));
    return data;
}

uint32_t header(const uint8_t* data) {
    return LoadAt<uint32_t>(data);
}

} // namespace

TStoreValues::TStoreValues(std::size_t recordSize) : FData(allocateBlock(recordSize)) {
    std::memset(FData + kHeader, 0, recordSize);
}

TStoreValues TStoreValues::FromBytes(std::string_view bytes) {
    TStoreValues values;
    values.FData = allocateBlock(bytes.size());
    if (!bytes.empty())
        std::memcpy(values.FData + kHeader, bytes.data(), bytes.size());
    return values;
}

TStoreValues::~TStoreValues() {
    Reset();
}

TStoreValues::TStoreValues(const TStoreValues& other) {
    if (other.FData) {
        const std::size_t size = other.Size();
        FData = allocateBlock(size);
        std::memcpy(FData + kHeader, other.Bytes(), size);
    }
}

TStoreValues& TStoreValues::operator=(const TStoreValues& other) {
    if (this != &other) {
        TStoreValues copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TStoreValues::TStoreValues(TStoreValues&& other) {
    if (other.InArena())
        *this = TStoreValues(static_cast<const TStoreValues&>(other));
    else
        FData = other.FData;
    other.FData = nullptr;
}

TStoreValues& TStoreValues::operator=(TStoreValues&& other) {
    if (this != &other) {
        if (other.InArena()) {
            TStoreValues copy(static_cast<const TStoreValues&>(other));
            Reset();
            FData = copy.FData;
            copy.FData = nullptr;
        } else {
            Reset();
            FData = other.FData;
        }
        other.FData = nullptr;
    }
    return *this;
}

bool TStoreValues::InArena() const {
    return FData && (header(FData) & kArenaFlag) != 0;
}

std::size_t TStoreValues::Size() const {
    return FData ? (header(FData) & ~kArenaFlag) : 0;
}

void TStoreValues::Reset() noexcept {
    if (FData && !InArena())
        ::operator delete(FData);
    FData = nullptr;
}

void TStoreCursor::AppendArenaRecord(std::string_view bytes, std::size_t hint, bool empty) {
    if (empty && FEmptyBlock) {
        TStoreRecord& entry = FEntries.emplace_back();
        entry.Index = static_cast<uint32_t>(FEntries.size() - 1);
        entry.Values.FData = FEmptyBlock;
        FRecords.push_back(&entry);
        return;
    }
    const std::size_t need = kHeader + bytes.size();
    if (bytes.size() > kMaxBlock)
        throw std::length_error("record too large");
    if (FArenaFree < need) {
        // Chunks of up to 256 KiB, smaller when the rest of the image cannot fill them; a value
        // larger than that gets a chunk of its own.
        constexpr std::size_t kChunk = 256 * 1024;
        const std::size_t size = std::max(need, std::min(kChunk, hint));
        FArena.push_back(std::make_unique_for_overwrite<uint8_t[]>(size));
        FArenaEnd = FArena.back().get() + size;
        FArenaFree = size;
    }
    uint8_t* block = FArenaEnd - FArenaFree;
    FArenaFree -= need;
    StoreAt<uint32_t>(block, static_cast<uint32_t>(bytes.size()) | TStoreValues::kArenaFlag);
    if (!bytes.empty())
        std::memcpy(block + kHeader, bytes.data(), bytes.size());
    TStoreRecord& entry = FEntries.emplace_back();
    entry.Index = static_cast<uint32_t>(FEntries.size() - 1);
    entry.Values.FData = block;
    FRecords.push_back(&entry);
    if (empty)
        FEmptyBlock = block;
}

// ---- field list ----------------------------------------------------------------------------

int TStoreCursor::FieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < FFields.size(); ++i)
        if (Cp1250SameText(FFields[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

const TStoreField* TStoreCursor::FindField(std::string_view name) const {
    const int index = FieldIndex(name);
    return index < 0 ? nullptr : &FFields[static_cast<std::size_t>(index)];
}

void TStoreCursor::SetFields(std::vector<TStoreField> fields) {
    ClearRecords();
    FFields = std::move(fields);
    Layout();
}

namespace {

// Values of a variable length in a block: a length in the slot, the bytes after the slots.
bool isVariable(TStoreFieldKind kind) {
    return kind == TStoreFieldKind::SmallStr || IsCountedKind(kind);
}

} // namespace

void TStoreCursor::Layout() {
    int32_t offset = 0;
    std::size_t slot = 0;
    for (std::size_t i = 0; i < FFields.size(); ++i) {
        TStoreField& field = FFields[i];
        if (field.FieldKind != TStoreFieldKind::SmallStr && field.FieldKind != TStoreFieldKind::String)
            field.DeclaredSize = 0;
        field.DataSize = StoreSlotWidth(field.FieldKind, field.DeclaredSize);
        field.SlotOffset = offset;
        offset += field.DataSize;
        field.ValueSlot = static_cast<uint32_t>(slot);
        slot += isVariable(field.FieldKind) ? 2 * sizeof(uint32_t) : field.DataSize;
    }
    FRecordSize = offset;
    FValueStart = slot;
}

void TStoreCursor::ResetOffsets(uint8_t* block) const {
    for (const TStoreField& field : FFields)
        if (isVariable(field.FieldKind))
            StoreAt<uint32_t>(block + field.ValueSlot + sizeof(uint32_t), static_cast<uint32_t>(FValueStart));
}

TStoreValues TStoreCursor::NewValues() const {
    TStoreValues values(FValueStart);
    ResetOffsets(values.Bytes());
    return values;
}

// ---- records -------------------------------------------------------------------------------

TStoreRecord* TStoreCursor::AppendRecord(TStoreValues values, TStoreRecordStatus status) {
    TStoreRecord& entry = FEntries.emplace_back();
    entry.Index = static_cast<uint32_t>(FEntries.size() - 1);
    entry.Values = std::move(values);
    entry.Status = status;
    FRecords.push_back(&entry);
    return &entry;
}

void TStoreCursor::RemoveRecords(const std::function<bool(const TStoreRecord&)>& remove) {
    auto kept = FRecords.begin();
    for (TStoreRecord* record : FRecords) {
        if (remove(*record)) {
            record->Values.Reset();
            FBackups.erase(record);
            record->Status = TStoreRecordStatus::Dropped;
        } else {
            *kept++ = record;
        }
    }
    FRecords.erase(kept, FRecords.end());
}

void TStoreCursor::ReorderRecords(std::vector<TStoreRecord*> order) {
    if (order.size() == FRecords.size())
        FRecords = std::move(order);
}

bool TStoreCursor::Contains(const TStoreRecord* record) const {
    return std::find(FRecords.begin(), FRecords.end(), record) != FRecords.end();
}

void TStoreCursor::MakeBackup(TStoreRecord* record) {
    if (!FBackups.contains(record))
        FBackups.emplace(record, record->Values);
}

bool TStoreCursor::RestoreBackup(TStoreRecord* record) {
    const auto found = FBackups.find(record);
    if (found == FBackups.end())
        return false;
    record->Values = std::move(found->second);
    FBackups.erase(found);
    return true;
}

void TStoreCursor::ClearRecords() {
    FBackups.clear();
    FEmptyBlock = nullptr;
    FRecords.clear();
    FRecords.shrink_to_fit();
    FEntries.clear();
    FEntries.shrink_to_fit();
    FArena.clear();
    FArena.shrink_to_fit();
    FArenaEnd = nullptr;
    FArenaFree = 0;
}

void TStoreCursor::Clear() {
    ClearRecords();
    FFields.clear();
    FRecordSize = 0;
    FValueStart = 0;
    Notes.clear();
}

void TStoreCursor::ReserveRecords(std::size_t count) {
    FRecords.reserve(count);
}

// ---- values --------------------------------------------------------------------------------

// A block smaller than the slot area belongs to no record of this field list: reading it gives
// zero values, writing to it starts from a fresh block.
bool TStoreCursor::Readable(const TStoreValues& values) const {
    return values.Size() >= FValueStart && !values.IsEmpty();
}

void TStoreCursor::MakeWritable(TStoreValues& values) const {
    if (!Readable(values) || (FEmptyBlock && values.FData == FEmptyBlock))
        values = NewValues();
}

void TStoreCursor::ClearValues(TStoreValues& values) const {
    if (values.IsEmpty() || values.Size() != FValueStart || (FEmptyBlock && values.FData == FEmptyBlock)) {
        values = NewValues();
    } else {
        std::memset(values.Bytes(), 0, FValueStart);
        ResetOffsets(values.Bytes());
    }
}

std::size_t TStoreCursor::CountedOffset(const TStoreValues& values, int field) const {
    const TStoreField& f = Field(field);
    if (!isVariable(f.FieldKind))
        return FValueStart;
    return LoadAt<uint32_t>(values.Bytes() + f.ValueSlot + sizeof(uint32_t));
}

int32_t TStoreCursor::GetInteger(const TStoreValues& values, int field) const {
    if (!Readable(values))
        return 0;
    const TStoreField& f = Field(field);
    const uint8_t* slot = values.Bytes() + f.ValueSlot;
    switch (f.FieldKind) {
    case TStoreFieldKind::SmallInt:
        return LoadAt<int16_t>(slot);
    case TStoreFieldKind::Boolean:
        return LoadAt<uint16_t>(slot) != 0 ? 1 : 0;
    case TStoreFieldKind::Integer:
    case TStoreFieldKind::AutoInc:
    case TStoreFieldKind::Date:
    case TStoreFieldKind::Time:
        return LoadAt<int32_t>(slot);
    default:
        return 0;
    }
}

void TStoreCursor::SetInteger(TStoreValues& values, int field, int32_t value) const {
    MakeWritable(values);
    const TStoreField& f = Field(field);
    uint8_t* slot = values.Bytes() + f.ValueSlot;
    switch (f.FieldKind) {
    case TStoreFieldKind::SmallInt:
        StoreAt<int16_t>(slot, static_cast<int16_t>(value));
        break;
    case TStoreFieldKind::Boolean:
        StoreAt<uint16_t>(slot, value != 0 ? 0xFFFF : 0);
        break;
    case TStoreFieldKind::Integer:
    case TStoreFieldKind::AutoInc:
    case TStoreFieldKind::Date:
    case TStoreFieldKind::Time:
        StoreAt<int32_t>(slot, value);
        break;
    default:
        break;
    }
}

double TStoreCursor::GetFloat(const TStoreValues& values, int field) const {
    if (!Readable(values))
        return 0;
    const TStoreField& f = Field(field);
    switch (f.FieldKind) {
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency:
    case TStoreFieldKind::DateTime:
        return LoadAt<double>(values.Bytes() + f.ValueSlot);
    default:
        return 0;
    }
}

void TStoreCursor::SetFloat(TStoreValues& values, int field, double value) const {
    MakeWritable(values);
    const TStoreField& f = Field(field);
    switch (f.FieldKind) {
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency:
    case TStoreFieldKind::DateTime:
        StoreAt<double>(values.Bytes() + f.ValueSlot, value);
        break;
    default:
        break;
    }
}

bool TStoreCursor::GetBoolean(const TStoreValues& values, int field) const {
    const TStoreField& f = Field(field);
    if (!Readable(values) || f.FieldKind != TStoreFieldKind::Boolean)
        return false;
    return LoadAt<uint16_t>(values.Bytes() + f.ValueSlot) != 0;
}

void TStoreCursor::SetBoolean(TStoreValues& values, int field, bool value) const {
    MakeWritable(values);
    const TStoreField& f = Field(field);
    if (f.FieldKind == TStoreFieldKind::Boolean)
        StoreAt<uint16_t>(values.Bytes() + f.ValueSlot, value ? 0xFFFF : 0);
}

std::string_view TStoreCursor::GetString(const TStoreValues& values, int field) const {
    if (!Readable(values))
        return {};
    const TStoreField& f = Field(field);
    const uint8_t* slot = values.Bytes() + f.ValueSlot;
    if (!isVariable(f.FieldKind))
        return {};
    const uint32_t length = LoadAt<uint32_t>(slot);
    if (length == 0)
        return {};
    const std::size_t offset = CountedOffset(values, field);
    if (offset < FValueStart || offset + length > values.Size())
        return {}; // not a block of this field list
    return {reinterpret_cast<const char*>(values.Bytes()) + offset, length};
}

void TStoreCursor::SetString(TStoreValues& values, int field, std::string_view value) const {
    MakeWritable(values);
    const TStoreField& f = Field(field);
    uint8_t* slot = values.Bytes() + f.ValueSlot;
    if (f.FieldKind == TStoreFieldKind::SmallStr) {
        // The characters up to the declared size and before a zero byte.
        std::size_t length = std::min<std::size_t>(value.size(), f.DeclaredSize);
        if (length > 0)
            if (const void* zero = std::memchr(value.data(), 0, length))
                length = static_cast<std::size_t>(static_cast<const char*>(zero) - value.data());
        value = value.substr(0, length);
    }
    if (!isVariable(f.FieldKind))
        return;
    if (f.FieldKind == TStoreFieldKind::String)
        value = value.substr(0, std::min<std::size_t>(f.DeclaredSize, kStoreMaxStringLength));
    const std::size_t oldLength = LoadAt<uint32_t>(slot);
    const std::size_t offset = CountedOffset(values, field);
    const std::size_t oldSize = values.Size();
    if (oldLength == value.size()) {
        if (!value.empty())
            std::memcpy(values.Bytes() + offset, value.data(), value.size());
        return;
    }
    if (offset < FValueStart || offset + oldLength > oldSize) {
        values = NewValues(); // not a block of this field list
        SetString(values, field, value);
        return;
    }
    // A new block: bytes before the value, the value, bytes after it; the values after this one
    // move by the difference.
    const std::string_view old = values.View();
    std::string bytes;
    bytes.reserve(oldSize - oldLength + value.size());
    bytes.append(old.substr(0, offset));
    bytes.append(value);
    bytes.append(old.substr(offset + oldLength));
    auto* block = reinterpret_cast<uint8_t*>(bytes.data());
    StoreAt<uint32_t>(block + f.ValueSlot, static_cast<uint32_t>(value.size()));
    const int64_t shift = static_cast<int64_t>(value.size()) - static_cast<int64_t>(oldLength);
    for (std::size_t later = static_cast<std::size_t>(field) + 1; later < FFields.size(); ++later) {
        if (!isVariable(FFields[later].FieldKind))
            continue;
        uint8_t* at = block + FFields[later].ValueSlot + sizeof(uint32_t);
        StoreAt<uint32_t>(at, static_cast<uint32_t>(static_cast<int64_t>(LoadAt<uint32_t>(at)) + shift));
    }
    values = TStoreValues::FromBytes(bytes);
}

bool TStoreCursor::IsEmptyValue(const TStoreValues& values, int field) const {
    if (!Readable(values))
        return true;
    const TStoreField& f = Field(field);
    const uint8_t* slot = values.Bytes() + f.ValueSlot;
    switch (f.FieldKind) {
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency:
    case TStoreFieldKind::DateTime:
        return LoadAt<double>(slot) == 0.0;
    case TStoreFieldKind::Unknown:
        return true;
    default:
        if (isVariable(f.FieldKind))
            return LoadAt<uint32_t>(slot) == 0;
        // Integers, booleans, dates and times.
        for (uint16_t i = 0; i < f.DataSize && i < 4; ++i)
            if (slot[i] != 0)
                return false;
        return true;
    }
}

void TStoreCursor::ClearValue(TStoreValues& values, int field) const {
    MakeWritable(values);
    const TStoreField& f = Field(field);
    if (isVariable(f.FieldKind))
        SetString(values, field, {});
    else
        std::memset(values.Bytes() + f.ValueSlot, 0, f.DataSize);
}

} // namespace etikor
