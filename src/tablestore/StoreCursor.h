#pragma once

// The storage of one open table: its field list, its records and its note.
//
// A record's values live in one block (TStoreValues): first a slot per field (ValueSlot), then
// the bytes of the text and binary values (SmallStr and the counted kinds String, BLOB, Memo,
// FmtMemo, Graphic) one after another in field order. A fixed field's slot holds its value (2, 4
// or 8 bytes); a text or binary field's slot holds the byte length of its value and where in the
// block it starts (two 32-bit numbers). So an empty value costs at most 8 bytes whatever its
// declared size, and any value is found without walking the ones before it.
// (The file's slot widths, SlotOffset and RecordSize, describe the format, not this block.)
// Records read from an image keep their blocks packed in large arena chunks owned by the cursor
// (no allocation per record); a changed value gets a heap block of its own.
//
// Record entries never move once created: the view and bookmarks hold pointers to them.

#include "data/FieldTypes.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace etikor {

enum class TStoreFieldKind : uint8_t {
    Unknown,
    SmallInt,
    Integer,
    Boolean,
    Double,
    Currency,
    Date,
    Time,
    DateTime,
    AutoInc,
    SmallStr,
    String,
    BLOB,
    Memo,
    FmtMemo,
    Graphic,
};

// Kinds whose value has a variable length and is stored as a count and bytes.
constexpr bool IsCountedKind(TStoreFieldKind kind) {
    return kind >= TStoreFieldKind::String && kind != TStoreFieldKind::SmallStr;
}
// The kinds that never take part in key comparisons.
constexpr bool IsBlobKind(TStoreFieldKind kind) {
    return kind == TStoreFieldKind::BLOB || kind == TStoreFieldKind::Memo ||
           kind == TStoreFieldKind::FmtMemo || kind == TStoreFieldKind::Graphic;
}
// Kinds whose absent (zero, empty) value reads back as null; the others read back as 0/false.
constexpr bool IsNullWhenEmpty(TStoreFieldKind kind) {
    return kind == TStoreFieldKind::SmallStr || kind == TStoreFieldKind::Date ||
           kind == TStoreFieldKind::DateTime || IsCountedKind(kind);
}

// The longest value a String field can hold: the reader refuses counts above it.
constexpr uint32_t kStoreMaxStringLength = 8191;
// The longest BLOB value the reader accepts (2^30 - 1).
constexpr uint32_t kStoreMaxBlobLength = 1073741823;
// The most records a table without fields is read with: such records take no bytes, so the file
// cannot vouch for a larger count.
constexpr int32_t kStoreMaxEmptyRecords = 1000000;
// The longest note the 16-bit length of the note block can carry.
constexpr std::size_t kStoreMaxNotesLength = 32767;

struct TStoreField {
    std::string Name;
    std::string TableAlias = "XXX";
    uint16_t DataSize = 0;     // slot width
    uint16_t DeclaredSize = 0; // SmallStr and String only
    int32_t SlotOffset = 0;
    TStoreFieldKind FieldKind = TStoreFieldKind::Unknown;
    uint32_t ValueSlot = 0; // where the value lies in a record's value block (memory only)
};

// Slot width of a kind (SmallStr: declared size + 1).
uint16_t StoreSlotWidth(TStoreFieldKind kind, uint16_t declaredSize);

// Record status, with the values the dataset reports.
enum class TStoreRecordStatus : uint8_t {
    Unchanged = 0,
    Modified = 1,
    Inserted = 2,
    Deleted = 3,
    Dropped = 4,
};

// The values of one record (or of an edit or key buffer). Copying copies the bytes; moving
// moves the block. A default-constructed object holds no block ("no values": a dropped record,
// an absent backup).
class TStoreValues {
public:
    TStoreValues() noexcept = default;
    // Zeroed slots and no counted bytes.
    explicit TStoreValues(std::size_t recordSize);
    // A block with exactly these bytes (slot area followed by the counted bytes).
    static TStoreValues FromBytes(std::string_view bytes);
    ~TStoreValues();
    TStoreValues(const TStoreValues& other);
    TStoreValues& operator=(const TStoreValues& other);
    // Moving takes the block over; a block that lives in a cursor's arena (records read from an
    // image) is copied instead, so a moved-out value never depends on the cursor's lifetime.
    // The source is left empty either way.
    TStoreValues(TStoreValues&& other);
    TStoreValues& operator=(TStoreValues&& other);

    bool IsEmpty() const { return FData == nullptr; }
    std::size_t Size() const;
    uint8_t* Bytes() { return FData ? FData + kHeader : nullptr; }
    const uint8_t* Bytes() const { return FData ? FData + kHeader : nullptr; }
    std::string_view View() const { return {reinterpret_cast<const char*>(Bytes()), Size()}; }
    void Reset() noexcept;

private:
    friend class TStoreCursor;
    // The block: [uint32 header][bytes]; the header holds the size (below 2 GiB; the constructors
    // refuse more) and, in its top bit, whether the block lives in a cursor's arena.
    static constexpr std::size_t kHeader = sizeof(uint32_t);
    static constexpr uint32_t kArenaFlag = 0x80000000u;
    bool InArena() const;
    uint8_t* FData = nullptr;
};

// A record entry. Its backup (the values from before its first edit since load or commit) is
// kept by the cursor, as few records have one.
struct TStoreRecord {
    TStoreValues Values;
    TStoreRecordStatus Status = TStoreRecordStatus::Unchanged;
    uint32_t Index = 0; // its place among the cursor's entries (Entry), which never changes
};

// Progress in whole percent (0..100); called only when the value changes.
using TStoreProgress = std::function<void(int percent)>;

class TStoreCursor {
public:
    TStoreCursor() = default;
    TStoreCursor(const TStoreCursor&) = delete;
    TStoreCursor& operator=(const TStoreCursor&) = delete;

    // --- field list --------------------------------------------------------------------
    const std::vector<TStoreField>& Fields() const { return FFields; }
    int FieldCount() const { return static_cast<int>(FFields.size()); }
    const TStoreField& Field(int index) const { return FFields[static_cast<std::size_t>(index)]; }
    int32_t RecordSize() const { return FRecordSize; }
    // Index of the field with this name, compared without regard to letter case; -1 if none.
    int FieldIndex(std::string_view name) const;
    const TStoreField* FindField(std::string_view name) const;
    // Replaces the field list; slot offsets, slot widths and RecordSize are computed from the
    // kinds and declared sizes. Drops every record.
    void SetFields(std::vector<TStoreField> fields);

    std::string Notes;

    // --- records -----------------------------------------------------------------------
    // Storage order. Entries are owned by the cursor and keep their address until
    // ClearRecords/Clear/SetFields.
    const std::vector<TStoreRecord*>& Records() const { return FRecords; }
    int RecordCount() const { return static_cast<int>(FRecords.size()); }
    // Adds a record at the end of storage and returns its entry.
    TStoreRecord* AppendRecord(TStoreValues values,
                               TStoreRecordStatus status = TStoreRecordStatus::Unchanged);
    // Removes entries from the storage order for which `remove` is true (the entries stay
    // allocated, their values are freed, their status becomes Dropped), keeping the order of the
    // others. One pass.
    void RemoveRecords(const std::function<bool(const TStoreRecord&)>& remove);
    // Reorders storage (the caller passes a permutation of Records(), e.g. sorted by a key).
    void ReorderRecords(std::vector<TStoreRecord*> order);
    // The entry with this Index (views keep indices: half the size of pointers).
    TStoreRecord* Entry(uint32_t index) { return &FEntries[index]; }
    const TStoreRecord* Entry(uint32_t index) const { return &FEntries[index]; }
    std::size_t EntryCount() const { return FEntries.size(); }
    // True when the entry is in the storage order (a linear search; use for error checks only).
    bool Contains(const TStoreRecord* record) const;
    void ClearRecords();
    // Empties fields, records and note.
    void Clear();
    void ReserveRecords(std::size_t count);

    // --- backups -----------------------------------------------------------------------
    bool HasBackup(const TStoreRecord* record) const { return FBackups.contains(record); }
    // Copies the record's values as its backup unless it has one.
    void MakeBackup(TStoreRecord* record);
    void DropBackup(const TStoreRecord* record) { FBackups.erase(record); }
    // Gives the record its backup values back and forgets the backup; false when it had none.
    bool RestoreBackup(TStoreRecord* record);
    void DropAllBackups() { FBackups.clear(); }

    // --- values ------------------------------------------------------------------------
    // A zeroed value block for this field list (all values absent).
    TStoreValues NewValues() const;
    // Sets every value of the block to absent, keeping it the right size.
    void ClearValues(TStoreValues& values) const;

    // The typed accessors take the field's index. Reading a field of another kind gives 0 /
    // false / empty. Integers: SmallInt, Integer, AutoInc, Boolean (0/1), Date (day number,
    // day 1 = 1 January 0001), Time (milliseconds since midnight). Floats: Double, Currency,
    // DateTime (milliseconds since the start of day 1).
    int32_t GetInteger(const TStoreValues& values, int field) const;
    void SetInteger(TStoreValues& values, int field, int32_t value) const;
    double GetFloat(const TStoreValues& values, int field) const;
    void SetFloat(TStoreValues& values, int field, double value) const;
    bool GetBoolean(const TStoreValues& values, int field) const;
    void SetBoolean(TStoreValues& values, int field, bool value) const;
    // Text of SmallStr (up to the first zero byte) and the bytes of the counted kinds.
    std::string_view GetString(const TStoreValues& values, int field) const;
    // SmallStr keeps the characters up to its declared size and before a zero byte; String keeps
    // at most its declared size and never more than kStoreMaxStringLength; BLOB kinds keep every
    // byte. Other kinds are left unchanged.
    void SetString(TStoreValues& values, int field, std::string_view value) const;
    // True when the stored value is absent: zero, false or empty (the writer leaves it out).
    bool IsEmptyValue(const TStoreValues& values, int field) const;
    // Absent and of a kind that reads back as null.
    bool IsNull(const TStoreValues& values, int field) const {
        return IsNullWhenEmpty(Field(field).FieldKind) && IsEmptyValue(values, field);
    }
    void ClearValue(TStoreValues& values, int field) const;
    // Byte offset of a text or binary field's value inside the block (after the slots).
    std::size_t CountedOffset(const TStoreValues& values, int field) const;
    // Where a field's slot lies in a value block.
    std::size_t ValueSlot(int field) const { return Field(field).ValueSlot; }

    // --- file image (StoreFormat.cpp) --------------------------------------------------
    // Builds the field list from a descriptor section of `fieldCount` descriptors. On failure
    // `reason` is set, the fields parsed so far are kept and false is returned.
    bool ParseDescriptors(std::string_view section, int32_t fieldCount, std::string& reason);
    // Writes the image of the table (deleted and dropped records left out) into `image`,
    // replacing its content; returns the image's length. `reserveHint` bytes are reserved
    // first. Progress counts every record of storage, deleted ones included.
    std::size_t WriteToStream(std::string& image, const TStoreProgress& progress = {},
                              std::size_t reserveHint = 0) const;
    // Replaces fields, records and note by the image. Returns false with `reason` set on
    // failure; the cursor is then empty. With `partialOpen` a damaged image (not an "E" image)
    // keeps what was read and returns true with `reason` set.
    bool ReadFromStream(std::string_view image, std::string& reason, bool partialOpen = false,
                        const TStoreProgress& progress = {});

private:
    std::vector<TStoreField> FFields;
    int32_t FRecordSize = 0;
    std::size_t FValueStart = 0; // the slots of a value block: where the text and binary bytes begin
    void ResetOffsets(uint8_t* block) const;
    // Declared before the entries so that it outlives them: entries look at their block's header
    // when they go away.
    std::vector<std::unique_ptr<uint8_t[]>> FArena; // blocks of records read from an image
    uint8_t* FArenaEnd = nullptr;                   // end of the last chunk
    std::size_t FArenaFree = 0;                     // bytes left before it
    std::deque<TStoreRecord> FEntries;              // owns the entries; deque keeps their addresses
    std::vector<TStoreRecord*> FRecords;
    std::unordered_map<const TStoreRecord*, TStoreValues> FBackups;
    // One block in the arena shared by every record read with all values absent; a write to
    // such a record gives it a block of its own.
    uint8_t* FEmptyBlock = nullptr;

    // Adds a record read from an image, its values copied into the arena; `hint` is how many
    // more bytes the reader may still need. `empty`: every value absent (the shared block).
    void AppendArenaRecord(std::string_view bytes, std::size_t hint, bool empty = false);

    void Layout();
    bool Readable(const TStoreValues& values) const;
    void MakeWritable(TStoreValues& values) const;
};

// The descriptor type code of a field: "i", "Z", "s200", ...
std::string StoreTypeCode(const TStoreField& field);

} // namespace etikor
