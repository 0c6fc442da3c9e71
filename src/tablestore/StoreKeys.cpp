#include "tablestore/StoreKeys.h"

#include "data/Cp1250.h"
#include "data/FormatSettings.h"
#include "data/TextCollation.h"
#include "tablestore/StoreBytes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace etikor {

namespace {

int sign(long long v) {
    return (v > 0) - (v < 0);
}

int compareFloats(double a, double b) {
    // NaN sorts after every number so the sort always sees a strict order.
    const bool aNan = std::isnan(a), bNan = std::isnan(b);
    if (aNan || bNan)
        return aNan - bNan;
    return (a > b) - (a < b);
}

int compareTexts(std::string_view a, std::string_view b, bool caseInsensitive) {
    if (a.empty() || b.empty())
        return static_cast<int>(!a.empty()) - static_cast<int>(!b.empty());
    // The locale's order is defined on whole texts (a letter may span two bytes, an accent may
    // count only after the rest); it puts a text before its own extensions like the byte order.
    if (caseInsensitive)
        return CompareTextCI(a, b);
    const std::size_t common = std::min(a.size(), b.size());
    int result = std::memcmp(a.data(), b.data(), common);
    if (result != 0)
        return result < 0 ? -1 : 1;
    return sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

int compareField(const TStoreCursor& cursor, const TStoreValues& a, const TStoreValues& b,
                 const TStoreKeyField& key, bool caseInsensitive) {
    const TStoreField& field = cursor.Field(key.FieldIndex);
    const uint8_t* sa = a.Bytes() + cursor.ValueSlot(key.FieldIndex);
    const uint8_t* sb = b.Bytes() + cursor.ValueSlot(key.FieldIndex);
    switch (field.FieldKind) {
    case TStoreFieldKind::SmallInt:
        return sign(static_cast<long long>(LoadAt<int16_t>(sa)) - LoadAt<int16_t>(sb));
    case TStoreFieldKind::Integer:
    case TStoreFieldKind::Date:
    case TStoreFieldKind::Time:
    case TStoreFieldKind::AutoInc:
        return sign(static_cast<long long>(LoadAt<int32_t>(sa)) - LoadAt<int32_t>(sb));
    case TStoreFieldKind::Boolean: {
        const bool ta = LoadAt<uint16_t>(sa) != 0, tb = LoadAt<uint16_t>(sb) != 0;
        return ta == tb ? 0 : (ta ? -1 : 1); // true sorts before false
    }
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency:
    case TStoreFieldKind::DateTime:
        return compareFloats(LoadAt<double>(sa), LoadAt<double>(sb));
    case TStoreFieldKind::SmallStr: {
        const std::string_view ta = cursor.GetString(a, key.FieldIndex),
                               tb = cursor.GetString(b, key.FieldIndex);
        if (key.RightAligned && ta.size() != tb.size())
            return ta.size() < tb.size() ? -1 : 1;
        return compareTexts(ta, tb, caseInsensitive);
    }
    case TStoreFieldKind::String:
    case TStoreFieldKind::Memo:
    case TStoreFieldKind::FmtMemo:
        return compareTexts(cursor.GetString(a, key.FieldIndex), cursor.GetString(b, key.FieldIndex),
                            caseInsensitive);
    default:
        return 0;
    }
}

} // namespace

int CompareTextCI(std::string_view a, std::string_view b) {
    return CollateTextCI(a, b);
}

int CompareRecords(const TStoreCursor& cursor, const TStoreValues& a, const TStoreValues& b,
                   std::span<const TStoreKeyField> keys, TStoreSortOptions options, int keyCount) {
    const std::size_t count =
        keyCount < 0 ? keys.size() : std::min(keys.size(), static_cast<std::size_t>(keyCount));
    const bool caseInsensitive = (options & ssoCaseInsensitive) != 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (keys[i].FieldIndex < 0 || keys[i].FieldIndex >= cursor.FieldCount())
            continue;
        const int result = compareField(cursor, a, b, keys[i], caseInsensitive);
        if (result != 0)
            return (options & ssoDescendSort) ? -result : result;
    }
    return 0;
}

void SortView(std::vector<TStoreRecord*>& view, const TStoreCursor& cursor,
              std::span<const TStoreKeyField> keys, TStoreSortOptions options) {
    if (keys.empty())
        return;
    std::sort(view.begin(), view.end(), [&](const TStoreRecord* a, const TStoreRecord* b) {
        return CompareRecords(cursor, a->Values, b->Values, keys, options) < 0;
    });
}

bool IsTrueKeyText(std::string_view text) {
    const std::string upper = Cp1250UpperCase(text);
    return upper == "TRUE" || upper == "YES" || upper == "T" || upper == "1" || upper == "\xC4\xC0";
}

void SetKeyFromText(const TStoreCursor& cursor, TStoreValues& key, int field, std::string_view text) {
    const TStoreField& f = cursor.Field(field);
    if (IsBlobKind(f.FieldKind) && f.FieldKind != TStoreFieldKind::Memo &&
        f.FieldKind != TStoreFieldKind::FmtMemo)
        return; // BLOB and Graphic values are not keys
    cursor.ClearValue(key, field);
    if (text.empty())
        return;
    switch (f.FieldKind) {
    case TStoreFieldKind::SmallInt: {
        int32_t value = 0;
        if (TryStrToInt(text, value) && value >= INT16_MIN && value <= INT16_MAX)
            cursor.SetInteger(key, field, value);
        break;
    }
    case TStoreFieldKind::Integer:
    case TStoreFieldKind::AutoInc: {
        int32_t value = 0;
        if (TryStrToInt(text, value))
            cursor.SetInteger(key, field, value);
        break;
    }
    case TStoreFieldKind::Boolean:
        cursor.SetBoolean(key, field, IsTrueKeyText(text));
        break;
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency: {
        double value = 0;
        if (TryStrToFloat(text, value))
            cursor.SetFloat(key, field, value);
        break;
    }
    case TStoreFieldKind::Date: {
        TDateTime value = 0;
        if (TryStrToDateTime(text, value))
            cursor.SetInteger(key, field, DateTimeToStoreDay(value));
        break;
    }
    case TStoreFieldKind::Time: {
        TDateTime value = 0;
        if (TryStrToDateTime(text, value))
            cursor.SetInteger(key, field, DateTimeToStoreTime(value));
        break;
    }
    case TStoreFieldKind::DateTime: {
        TDateTime value = 0;
        if (TryStrToDateTime(text, value))
            cursor.SetFloat(key, field, DateTimeToStoreMSecs(value));
        break;
    }
    case TStoreFieldKind::SmallStr:
    case TStoreFieldKind::String:
    case TStoreFieldKind::Memo:
    case TStoreFieldKind::FmtMemo:
        // SetString holds short strings and strings to their declared size.
        cursor.SetString(key, field, text);
        break;
    default:
        break;
    }
}

int SetKeysFromText(const TStoreCursor& cursor, TStoreValues& key, std::span<const TStoreKeyField> keys,
                    std::string_view text) {
    int given = 0;
    std::size_t pos = 0;
    while (pos < text.size() && static_cast<std::size_t>(given) < keys.size()) {
        const std::size_t tab = text.find('\t', pos);
        const std::size_t end = tab == std::string_view::npos ? text.size() : tab;
        SetKeyFromText(cursor, key, keys[static_cast<std::size_t>(given)].FieldIndex,
                       text.substr(pos, end - pos));
        ++given;
        if (tab == std::string_view::npos)
            break;
        pos = tab + 1;
    }
    return given;
}

int FindKeyBinary(std::size_t count, const TStoreEntryAt& entryAt, const TStoreCursor& cursor,
                  const TStoreValues& key, std::span<const TStoreKeyField> keys, int keyCount,
                  TStoreSortOptions options) {
    const TStoreSortOptions direction = options & ssoDescendSort; // always case-sensitive
    std::size_t lo = 0, hi = count;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (CompareRecords(cursor, entryAt(mid)->Values, key, keys, direction, keyCount) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < count && CompareRecords(cursor, entryAt(lo)->Values, key, keys, direction, keyCount) == 0)
        return static_cast<int>(lo);
    return -1;
}

int FindKeyBinary(const std::vector<TStoreRecord*>& view, const TStoreCursor& cursor, const TStoreValues& key,
                  std::span<const TStoreKeyField> keys, int keyCount, TStoreSortOptions options) {
    return FindKeyBinary(
        view.size(), [&view](std::size_t i) { return view[i]; }, cursor, key, keys, keyCount, options);
}

std::string KeyIdentity(const TStoreCursor& cursor, const TStoreValues& values,
                        std::span<const TStoreKeyField> keys) {
    std::string bytes;
    auto put = [&bytes](const auto& value) {
        char raw[sizeof value];
        std::memcpy(raw, &value, sizeof value);
        bytes.append(raw, sizeof value);
    };
    for (const TStoreKeyField& key : keys) {
        if (key.FieldIndex < 0 || key.FieldIndex >= cursor.FieldCount())
            continue;
        switch (cursor.Field(key.FieldIndex).FieldKind) {
        case TStoreFieldKind::SmallInt:
        case TStoreFieldKind::Integer:
        case TStoreFieldKind::Date:
        case TStoreFieldKind::Time:
        case TStoreFieldKind::AutoInc:
        case TStoreFieldKind::Boolean:
            put(cursor.GetInteger(values, key.FieldIndex));
            break;
        case TStoreFieldKind::Double:
        case TStoreFieldKind::Currency:
        case TStoreFieldKind::DateTime: {
            double value = cursor.GetFloat(values, key.FieldIndex);
            if (value == 0.0)
                value = 0.0; // -0 equals 0
            if (std::isnan(value))
                value = std::numeric_limits<double>::quiet_NaN(); // every NaN compares equal
            put(value);
            break;
        }
        case TStoreFieldKind::SmallStr:
        case TStoreFieldKind::String:
        case TStoreFieldKind::Memo:
        case TStoreFieldKind::FmtMemo: {
            const std::string_view text = cursor.GetString(values, key.FieldIndex);
            put(static_cast<uint32_t>(text.size()));
            bytes.append(text);
            break;
        }
        default:
            break; // BLOB kinds always compare equal
        }
    }
    return bytes;
}

int FindKeyLinear(std::size_t count, const TStoreEntryAt& entryAt, int start, const TStoreCursor& cursor,
                  const TStoreValues& key, std::span<const TStoreKeyField> keys, int keyCount) {
    for (std::size_t i = static_cast<std::size_t>(std::max(start, 0)); i < count; ++i)
        if (CompareRecords(cursor, entryAt(i)->Values, key, keys, 0, keyCount) == 0)
            return static_cast<int>(i);
    return -1;
}

int FindKeyLinear(const std::vector<TStoreRecord*>& view, int start, const TStoreCursor& cursor,
                  const TStoreValues& key, std::span<const TStoreKeyField> keys, int keyCount) {
    return FindKeyLinear(
        view.size(), [&view](std::size_t i) { return view[i]; }, start, cursor, key, keys, keyCount);
}

} // namespace etikor
