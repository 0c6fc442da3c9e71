#include "tablestore/StoreFormat.h"

#include "tablestore/StoreBytes.h"
#include "tablestore/StoreErrors.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace etikor {

namespace {

constexpr char kFieldEnd = 0x12;
constexpr char kSectionEnd = 0x14;
constexpr char kImageStatus = 'S';
constexpr char kErrorStatus = 'E';
constexpr char kNotesMark = '*';
constexpr std::size_t kHeaderSize = 17;

template <typename T>
void append(std::string& out, T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

// Percent of done / total rounded to the nearest integer, ties to even.
int roundedPercent(int64_t done, int64_t total) {
    if (total <= 0)
        return 100;
    const int64_t scaled = done * 100;
    int64_t quotient = scaled / total;
    const int64_t twiceRest = 2 * (scaled % total);
    if (twiceRest > total || (twiceRest == total && (quotient & 1) != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

// Reports a percentage only when it differs from the last one reported.
class ProgressReporter {
public:
    explicit ProgressReporter(const TStoreProgress& progress) : FProgress(progress) {}
    void Report(int64_t done, int64_t total) {
        if (!FProgress)
            return;
        const int percent = roundedPercent(done, total);
        if (percent != FLast) {
            FLast = percent;
            FProgress(percent);
        }
    }

private:
    const TStoreProgress& FProgress;
    int FLast = -1;
};

std::string formatMessage(std::string_view pattern, std::string_view name, int64_t length, int64_t record) {
    // The patterns hold '%s' then two '%d'.
    std::string text;
    text.reserve(pattern.size() + name.size() + 24);
    int number = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            const char directive = pattern[++i];
            if (directive == 's') {
                text.append(name);
            } else if (directive == 'd') {
                text += std::to_string(number++ == 0 ? length : record);
            } else {
                text += directive;
            }
        } else {
            text += pattern[i];
        }
    }
    return text;
}

constexpr std::string_view kWrongLength = "Field '%s' has wrong length %d in record %d";
constexpr std::string_view kWrongStringLength = "String field '%s' has wrong length %d in record %d";
constexpr std::string_view kWrongBlobLength = "BLOB field '%s' has wrong length %d in record %d";

void appendDescriptor(std::string& out, std::string_view name, std::string_view code) {
    out += "XXX.";
    for (char c : name)
        out += (c == ' ' || c == kFieldEnd) ? '_' : c;
    out += ' ';
    out.append(code);
    out += kFieldEnd;
}

std::string codeOfFieldDef(const TFieldDef& def) {
    const TStoreFieldKind kind = StoreKindOfFieldType(def.DataType, def.Size);
    TStoreField field;
    field.FieldKind = kind;
    const int size = std::clamp(def.Size, 0, 65535);
    field.DeclaredSize = static_cast<uint16_t>(size);
    return StoreTypeCode(field);
}

} // namespace

// ---- kinds and field types ------------------------------------------------------------------

TStoreFieldKind StoreKindOfFieldType(TFieldType type, int size) {
    switch (type) {
    case TFieldType::ftString:
        return size <= 35 ? TStoreFieldKind::SmallStr : TStoreFieldKind::String;
    case TFieldType::ftSmallint:
    case TFieldType::ftWord:
        return TStoreFieldKind::SmallInt;
    case TFieldType::ftInteger:
        return TStoreFieldKind::Integer;
    case TFieldType::ftBoolean:
        return TStoreFieldKind::Boolean;
    case TFieldType::ftFloat:
        return TStoreFieldKind::Double;
    case TFieldType::ftCurrency:
        return TStoreFieldKind::Currency;
    case TFieldType::ftDate:
        return TStoreFieldKind::Date;
    case TFieldType::ftTime:
        return TStoreFieldKind::Time;
    case TFieldType::ftDateTime:
        return TStoreFieldKind::DateTime;
    case TFieldType::ftAutoInc:
        return TStoreFieldKind::AutoInc;
    case TFieldType::ftBlob:
        return TStoreFieldKind::BLOB;
    case TFieldType::ftMemo:
        return TStoreFieldKind::Memo;
    case TFieldType::ftFmtMemo:
        return TStoreFieldKind::FmtMemo;
    case TFieldType::ftGraphic:
        return TStoreFieldKind::Graphic;
    default:
        return TStoreFieldKind::Unknown;
    }
}

TFieldType FieldTypeOfStoreKind(TStoreFieldKind kind) {
    switch (kind) {
    case TStoreFieldKind::SmallInt:
        return TFieldType::ftSmallint;
    case TStoreFieldKind::Integer:
        return TFieldType::ftInteger;
    case TStoreFieldKind::Boolean:
        return TFieldType::ftBoolean;
    case TStoreFieldKind::Double:
        return TFieldType::ftFloat;
    case TStoreFieldKind::Currency:
        return TFieldType::ftCurrency;
    case TStoreFieldKind::Date:
        return TFieldType::ftDate;
    case TStoreFieldKind::Time:
        return TFieldType::ftTime;
    case TStoreFieldKind::DateTime:
        return TFieldType::ftDateTime;
    case TStoreFieldKind::AutoInc:
        return TFieldType::ftAutoInc;
    case TStoreFieldKind::SmallStr:
    case TStoreFieldKind::String:
        return TFieldType::ftString;
    case TStoreFieldKind::BLOB:
        return TFieldType::ftBlob;
    case TStoreFieldKind::Memo:
        return TFieldType::ftMemo;
    case TStoreFieldKind::FmtMemo:
        return TFieldType::ftFmtMemo;
    case TStoreFieldKind::Graphic:
        return TFieldType::ftGraphic;
    case TStoreFieldKind::Unknown:
        break;
    }
    return TFieldType::ftUnknown;
}

TFieldDef FieldDefOfStoreField(const TStoreField& field) {
    TFieldDef def;
    def.Name = field.Name;
    def.DataType = FieldTypeOfStoreKind(field.FieldKind);
    if (def.DataType == TFieldType::ftString)
        def.Size = field.DeclaredSize;
    return def;
}

// ---- descriptors ----------------------------------------------------------------------------

std::string BuildDescriptors(const TFieldDefs& defs) {
    std::string section;
    for (const TFieldDef& def : defs)
        appendDescriptor(section, def.Name, codeOfFieldDef(def));
    section += kSectionEnd;
    return section;
}

bool ParseStoreTypeCode(std::string_view code, TStoreField& field) {
    if (code.empty())
        return false;
    const char c = code[0];
    switch (c) {
    case 'a':
        field.FieldKind = TStoreFieldKind::AutoInc;
        return true;
    case 'b':
        field.FieldKind = TStoreFieldKind::Boolean;
        return true;
    case 'c':
        field.FieldKind = TStoreFieldKind::Currency;
        return true;
    case 'd':
        field.FieldKind = TStoreFieldKind::Date;
        return true;
    case 'f':
        field.FieldKind = TStoreFieldKind::Double;
        return true;
    case 'g':
        field.FieldKind = TStoreFieldKind::Graphic;
        return true;
    case 'i':
        field.FieldKind = TStoreFieldKind::Integer;
        return true;
    case 'l':
        field.FieldKind = TStoreFieldKind::SmallInt;
        return true;
    case 'm':
        field.FieldKind = TStoreFieldKind::Memo;
        return true;
    case 'o':
        field.FieldKind = TStoreFieldKind::BLOB;
        return true;
    case 'r':
        field.FieldKind = TStoreFieldKind::FmtMemo;
        return true;
    case 't':
        field.FieldKind = TStoreFieldKind::DateTime;
        return true;
    case 'v':
        field.FieldKind = TStoreFieldKind::Time;
        return true;
    case 's': {
        field.FieldKind = TStoreFieldKind::String;
        const std::string_view digits = code.substr(1);
        if (digits.empty()) {
            field.DeclaredSize = 100;
            return true;
        }
        uint32_t size = 0;
        for (char d : digits) {
            if (d < '0' || d > '9')
                return false;
            size = size * 10 + static_cast<uint32_t>(d - '0');
            if (size > 65535)
                return false; // not a size a field can have
        }
        field.DeclaredSize = static_cast<uint16_t>(size);
        return true;
    }
    default: {
        // Any other character is a short string's size: c - '0' for a digit, c - 'A' + 10
        // otherwise ("Z" 35, "x" 65, "[" 36). A character below "A" that is no digit gives no size.
        const int code = static_cast<unsigned char>(c);
        const int size = (c >= '0' && c <= '9') ? code - '0' : code - 'A' + 10;
        if (size < 0)
            return false;
        field.DeclaredSize = static_cast<uint16_t>(size);
        field.FieldKind = TStoreFieldKind::SmallStr;
        return true;
    }
    }
}

bool TStoreCursor::ParseDescriptors(std::string_view section, int32_t fieldCount, std::string& reason) {
    ClearRecords();
    FFields.clear();
    // A descriptor takes at least three bytes: reserve no more than the section can hold.
    FFields.reserve(
        std::min<std::size_t>(static_cast<std::size_t>(std::max(fieldCount, 0)), section.size() / 3));
    std::size_t p = 0;
    bool ok = true;
    for (int32_t i = 0; i < fieldCount; ++i) {
        if (p >= section.size())
            break;
        const std::size_t end = section.find(kFieldEnd, p);
        if (end == std::string_view::npos || end == p) {
            ok = false;
            break;
        }
        const std::string_view text = section.substr(p, end - p);
        p = end + 1;

        const std::size_t space = text.find(' ');
        if (space == std::string_view::npos || space + 1 >= text.size()) {
            ok = false; // no type code
            break;
        }
        TStoreField field;
        const std::string_view head = text.substr(0, space);
        const std::size_t dot = head.find('.');
        if (dot == std::string_view::npos) {
            field.Name = std::string(head);
        } else {
            field.TableAlias = std::string(head.substr(0, dot));
            field.Name = std::string(head.substr(dot + 1));
        }
        if (!ParseStoreTypeCode(text.substr(space + 1), field)) {
            ok = false;
            break;
        }
        FFields.push_back(std::move(field));
    }
    Layout();
    if (!ok)
        reason = std::string(StoreMsg::DescriptorSection);
    return ok;
}

// ---- writer ---------------------------------------------------------------------------------

std::size_t TStoreCursor::WriteToStream(std::string& image, const TStoreProgress& progress,
                                        std::size_t reserveHint) const {
    image.clear();
    std::string section;
    for (const TStoreField& field : FFields)
        appendDescriptor(section, field.Name, StoreTypeCode(field));
    section += kSectionEnd;

    image.reserve(std::max(reserveHint, kHeaderSize + section.size() + Notes.size() + 3));
    append<int32_t>(image, 0);
    image += kImageStatus;
    append<int32_t>(image, 0);
    append<int32_t>(image, static_cast<int32_t>(FFields.size()));
    append<int32_t>(image, static_cast<int32_t>(section.size()));
    image += section;

    if (!Notes.empty()) {
        const std::size_t length = std::min(Notes.size(), kStoreMaxNotesLength);
        image += kNotesMark;
        append<int16_t>(image, static_cast<int16_t>(length));
        image.append(Notes, 0, length);
    }

    const std::size_t fieldCount = FFields.size();
    ProgressReporter reporter(progress);
    const int64_t total = static_cast<int64_t>(FRecords.size());
    int32_t written = 0;
    for (std::size_t position = 0; position < FRecords.size(); ++position) {
        const TStoreRecord& record = *FRecords[position];
        if (record.Status != TStoreRecordStatus::Deleted && record.Status != TStoreRecordStatus::Dropped &&
            !record.Values.IsEmpty()) {
            const std::size_t lengths = image.size();
            image.append(fieldCount, '\0');
            const TStoreValues& values = record.Values;
            const char* slots = reinterpret_cast<const char*>(values.Bytes());
            for (std::size_t f = 0; f < fieldCount; ++f) {
                const TStoreField& field = FFields[f];
                const char* slot = slots + field.ValueSlot;
                uint8_t length = 0;
                switch (field.FieldKind) {
                case TStoreFieldKind::SmallInt:
                    if (LoadAt<int16_t>(slot) != 0) {
                        image.append(slot, 2);
                        length = 2;
                    }
                    break;
                case TStoreFieldKind::Boolean:
                    if (LoadAt<uint16_t>(slot) != 0) {
                        append<uint16_t>(image, 0xFFFF);
                        length = 2;
                    }
                    break;
                case TStoreFieldKind::Integer:
                case TStoreFieldKind::Date:
                case TStoreFieldKind::Time:
                case TStoreFieldKind::AutoInc:
                    if (LoadAt<int32_t>(slot) != 0) {
                        image.append(slot, 4);
                        length = 4;
                    }
                    break;
                case TStoreFieldKind::Double:
                case TStoreFieldKind::Currency:
                case TStoreFieldKind::DateTime:
                    if (LoadAt<double>(slot) != 0.0) {
                        image.append(slot, 8);
                        length = 8;
                    }
                    break;
                case TStoreFieldKind::SmallStr: {
                    std::string_view text = GetString(values, static_cast<int>(f));
                    text = text.substr(0, std::min<std::size_t>(text.find('\0'), field.DataSize));
                    image.append(text);
                    length = static_cast<uint8_t>(text.size());
                    break;
                }
                case TStoreFieldKind::String:
                case TStoreFieldKind::BLOB:
                case TStoreFieldKind::Memo:
                case TStoreFieldKind::FmtMemo:
                case TStoreFieldKind::Graphic: {
                    const std::string_view bytes = GetString(values, static_cast<int>(f));
                    uint32_t count = static_cast<uint32_t>(bytes.size());
                    // Never write what the reader refuses.
                    if (field.FieldKind == TStoreFieldKind::String)
                        count = std::min(count, kStoreMaxStringLength);
                    else
                        count = std::min(count, kStoreMaxBlobLength);
                    if (count != 0) {
                        append<uint32_t>(image, count);
                        image.append(bytes.data(), count);
                        length = 4;
                    }
                    break;
                }
                case TStoreFieldKind::Unknown:
                    break;
                }
                image[lengths + f] = static_cast<char>(length);
            }
            ++written;
        }
        reporter.Report(static_cast<int64_t>(position) + 1, total);
    }

    StoreAt<int32_t>(image.data() + 5, written);
    StoreAt<uint32_t>(image.data(), static_cast<uint32_t>(image.size()));
    return image.size();
}

// ---- reader ---------------------------------------------------------------------------------

bool TStoreCursor::ReadFromStream(std::string_view image, std::string& reason, bool partialOpen,
                                  const TStoreProgress& progress) {
    Clear();
    reason.clear();
    auto fail = [&](std::string text) {
        reason = std::move(text);
        if (!partialOpen)
            Clear();
        return partialOpen;
    };

    if (image.size() < 5)
        return fail(std::string(StoreMsg::BufferCorruption));
    if (image[4] == kErrorStatus) {
        reason = std::string(image.substr(5));
        Clear();
        return false; // an error image never opens
    }
    if (image.size() < kHeaderSize)
        return fail(std::string(StoreMsg::BufferCorruption));
    const int32_t declaredRecords = LoadAt<int32_t>(image.data() + 5);
    const int32_t declaredFields = LoadAt<int32_t>(image.data() + 9);
    const int32_t sectionLength = LoadAt<int32_t>(image.data() + 13);
    if (declaredFields < 0 || sectionLength < 0 ||
        static_cast<std::size_t>(sectionLength) > image.size() - kHeaderSize)
        return fail(std::string(StoreMsg::BufferCorruption));

    std::string parseReason;
    if (!ParseDescriptors(image.substr(kHeaderSize, static_cast<std::size_t>(sectionLength)), declaredFields,
                          parseReason))
        return fail(std::move(parseReason));

    std::size_t pos = kHeaderSize + static_cast<std::size_t>(sectionLength);
    const std::size_t end = image.size();
    const std::size_t fieldCount = FFields.size();
    auto remaining = [&] { return end - pos; };

    // The note block, looked for only where a record could begin (at least F bytes left).
    if (remaining() >= std::max<std::size_t>(fieldCount, 1) && image[pos] == kNotesMark) {
        if (remaining() < 3)
            return fail(std::string(StoreMsg::BufferCorruption));
        const int16_t length = LoadAt<int16_t>(image.data() + pos + 1);
        if (length < 0 || static_cast<std::size_t>(length) > remaining() - 3)
            return fail(std::string(StoreMsg::BufferCorruption));
        Notes.assign(image.data() + pos + 3, static_cast<std::size_t>(length));
        pos += 3 + static_cast<std::size_t>(length);
    }

    // Every record starts with one length byte per field the header declares, so the bytes left
    // hold no more records than that; a section that ends before its declared fields would
    // otherwise let a 17-byte file make a million records of no bytes. A table declared without
    // fields has records of no bytes, as many as declared; nothing in the file vouches for them,
    // so at most kStoreMaxEmptyRecords are made. The count check reports the rest.
    const int32_t recordLimit = declaredFields > 0
                                    ? static_cast<int32_t>(std::min<std::size_t>(
                                          static_cast<std::size_t>(std::max(declaredRecords, 0)),
                                          remaining() / static_cast<std::size_t>(declaredFields)))
                                    : std::min(declaredRecords, kStoreMaxEmptyRecords);
    if (declaredRecords > 0) {
        // Each record takes at least its length bytes: reserve no more than the bytes can hold.
        ReserveRecords(fieldCount > 0 ? std::min<std::size_t>(static_cast<std::size_t>(declaredRecords),
                                                              remaining() / fieldCount)
                                      : static_cast<std::size_t>(std::max(recordLimit, 0)));
    }

    ProgressReporter reporter(progress);
    std::string scratch;
    int32_t read = 0;
    std::string readReason;
    while (remaining() >= fieldCount && read < recordLimit) {
        const char* lengths = image.data() + pos;
        pos += fieldCount;
        const int32_t recordNumber = read + 1;
        scratch.assign(FValueStart, '\0');
        bool complete = true;
        bool anyValue = false;
        for (std::size_t f = 0; f < fieldCount && complete; ++f) {
            const uint8_t length = static_cast<uint8_t>(lengths[f]);
            if (length == 0)
                continue;
            anyValue = true;
            const TStoreField& field = FFields[f];
            if (!IsCountedKind(field.FieldKind)) {
                if (length > field.DataSize) {
                    readReason = formatMessage(kWrongLength, field.Name, length, recordNumber);
                    break;
                }
                if (remaining() < length) {
                    complete = false;
                    break;
                }
                if (field.FieldKind == TStoreFieldKind::SmallStr) {
                    // The characters before the first zero byte.
                    std::string_view text(image.data() + pos, length);
                    text = text.substr(0, text.find('\0'));
                    StoreAt<uint32_t>(scratch.data() + field.ValueSlot, static_cast<uint32_t>(text.size()));
                    scratch.append(text);
                } else {
                    std::memcpy(scratch.data() + field.ValueSlot, image.data() + pos, length);
                }
                pos += length;
                continue;
            }
            if (length != 4) {
                readReason = formatMessage(kWrongLength, field.Name, length, recordNumber);
                break;
            }
            if (remaining() < 4) {
                complete = false;
                break;
            }
            const int32_t count = LoadAt<int32_t>(image.data() + pos);
            pos += 4;
            if (field.FieldKind == TStoreFieldKind::String) {
                if (count < 0 || static_cast<uint32_t>(count) > kStoreMaxStringLength) {
                    readReason = formatMessage(kWrongStringLength, field.Name, count, recordNumber);
                    break;
                }
            } else if (count < 0 || static_cast<uint32_t>(count) > kStoreMaxBlobLength) {
                readReason = formatMessage(kWrongBlobLength, field.Name, count, recordNumber);
                break;
            }
            // Checked before anything is allocated for it.
            if (remaining() < static_cast<std::size_t>(count)) {
                complete = false;
                break;
            }
            StoreAt<uint32_t>(scratch.data() + field.ValueSlot, static_cast<uint32_t>(count));
            scratch.append(image.data() + pos, static_cast<std::size_t>(count));
            pos += static_cast<std::size_t>(count);
        }
        // A record with a wrong length, or one that the file ends inside, is dropped and
        // reading stops; the count check below reports the latter.
        if (!readReason.empty() || !complete)
            break;
        // Where each counted value starts, in one pass: they were appended in field order.
        {
            auto* block = reinterpret_cast<uint8_t*>(scratch.data());
            std::size_t next = FValueStart;
            for (const TStoreField& field : FFields) {
                if (field.FieldKind != TStoreFieldKind::SmallStr && !IsCountedKind(field.FieldKind))
                    continue;
                StoreAt<uint32_t>(block + field.ValueSlot + sizeof(uint32_t), static_cast<uint32_t>(next));
                next += LoadAt<uint32_t>(block + field.ValueSlot);
            }
        }
        // Whatever the remaining records need: at most the rest of the image plus a slot area
        // for each record that the rest can still hold.
        const std::size_t recordsLeft =
            std::min<std::size_t>(static_cast<std::size_t>(declaredRecords - read),
                                  remaining() / std::max<std::size_t>(fieldCount, 1) + 1);
        AppendArenaRecord(scratch, scratch.size() + 4 + remaining() + recordsLeft * (FValueStart + 4),
                          !anyValue);
        ++read;
        reporter.Report(read, declaredRecords);
    }

    if (readReason.empty() && read != declaredRecords)
        readReason = "Number of records read (" + std::to_string(read) +
                     ") does not match declared record count (" + std::to_string(declaredRecords) + ")";
    if (!readReason.empty())
        return fail(std::move(readReason));
    return true;
}

// ---- empty tables ---------------------------------------------------------------------------

std::string BuildEmptyTableImage(const TFieldDefs& defs) {
    const std::string section = BuildDescriptors(defs);
    std::string image;
    image.reserve(kHeaderSize + section.size());
    append<int32_t>(image, static_cast<int32_t>(kHeaderSize + section.size()));
    image += kImageStatus;
    append<int32_t>(image, 0);
    append<int32_t>(image, static_cast<int32_t>(defs.size()));
    append<int32_t>(image, static_cast<int32_t>(section.size()));
    image += section;
    return image;
}

std::string CheckFieldDefs(const TFieldDefs& defs) {
    for (const TFieldDef& def : defs)
        if (def.DataType == TFieldType::ftString && def.Size > static_cast<int>(kStoreMaxStringLength))
            return "Error creating table: string field '" + def.Name + "' has size " +
                   std::to_string(def.Size) + "; the largest is " + std::to_string(kStoreMaxStringLength);
    return {};
}

void CreateEmptyTable(TStoreCursor& cursor, const TFieldDefs& defs) {
    if (defs.empty())
        throw EStoreError(std::string(StoreMsg::NoFieldDescriptions));
    if (std::string problem = CheckFieldDefs(defs); !problem.empty())
        throw EStoreError(problem);
    std::string reason;
    if (!cursor.ReadFromStream(BuildEmptyTableImage(defs), reason))
        throw EStoreError(std::string(StoreMsg::ErrorOpeningTable) + reason);
}

std::string ErrorOpeningFileText(std::string_view path) {
    return "Error opening file " + std::string(path);
}

} // namespace etikor
