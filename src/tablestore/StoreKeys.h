#pragma once

// Key-level helpers of the table engine: record comparison on key fields, sorting a view, the
// conversion of texts into key slots, and searching a view for a key buffer. All of them take
// their key list and options as arguments; nothing here keeps state.

#include "tablestore/StoreCursor.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace etikor {

enum TStoreSortOption : uint8_t {
    ssoCaseInsensitive = 1 << 0,
    ssoDescendSort = 1 << 1,
};
using TStoreSortOptions = uint8_t;

struct TStoreKeyField {
    int FieldIndex = -1;
    // The framework field's display alignment is right-justified: SmallStr keys then sort
    // shorter texts first.
    bool RightAligned = false;
};
using TStoreKeyFields = std::vector<TStoreKeyField>;

// Compares two value blocks on the first `keyCount` key fields (all when negative). Negative
// when `a` sorts first. BLOB kinds always compare equal. With ssoCaseInsensitive texts compare
// by the locale's collation (CompareTextCI); with ssoDescendSort the sign is turned.
int CompareRecords(const TStoreCursor& cursor, const TStoreValues& a, const TStoreValues& b,
                   std::span<const TStoreKeyField> keys, TStoreSortOptions options, int keyCount = -1);

// Case-insensitive comparison of two whole Windows-1250 texts by the user's locale (the
// collation installed in data/TextCollation.h, or its fixed order). Returns <0, 0, >0.
int CompareTextCI(std::string_view a, std::string_view b);

// Sorts a view by the key fields (not stable, as the engine's sort never was).
void SortView(std::vector<TStoreRecord*>& view, const TStoreCursor& cursor,
              std::span<const TStoreKeyField> keys, TStoreSortOptions options);

// Stores a text into a key slot by the field's kind (integer, boolean word list, locale float
// and date/time, text truncated to the declared size). A text that does not convert, and an
// empty text, leave the slot zero.
void SetKeyFromText(const TStoreCursor& cursor, TStoreValues& key, int field, std::string_view text);

// Splits `text` at tab characters and stores one value per key field in order (a trailing tab is
// allowed); returns the number of values given (at most the number of key fields).
int SetKeysFromText(const TStoreCursor& cursor, TStoreValues& key, std::span<const TStoreKeyField> keys,
                    std::string_view text);

// True for the boolean key words: upper-cased "TRUE", "YES", "T", "1" or the bytes C4 C0.
bool IsTrueKeyText(std::string_view text);

// A view as a count and the entry at each place.
using TStoreEntryAt = std::function<const TStoreRecord*(std::size_t index)>;

// Binary search of a sorted view for the key on the first `keyCount` key fields, compared
// case-sensitively and in the direction of `options` (only ssoDescendSort is looked at).
// Returns the view index of the first record with an equal key, or -1.
int FindKeyBinary(const std::vector<TStoreRecord*>& view, const TStoreCursor& cursor, const TStoreValues& key,
                  std::span<const TStoreKeyField> keys, int keyCount, TStoreSortOptions options);

// The key fields' values as bytes that are equal exactly when CompareRecords (case-sensitive)
// finds the keys equal; for hashing records by key.
std::string KeyIdentity(const TStoreCursor& cursor, const TStoreValues& values,
                        std::span<const TStoreKeyField> keys);

int FindKeyBinary(std::size_t count, const TStoreEntryAt& entryAt, const TStoreCursor& cursor,
                  const TStoreValues& key, std::span<const TStoreKeyField> keys, int keyCount,
                  TStoreSortOptions options);

// Linear scan of the view from `start` for the first record whose first `keyCount` key fields
// equal the key (case-sensitively). Returns its view index, or -1.
int FindKeyLinear(const std::vector<TStoreRecord*>& view, int start, const TStoreCursor& cursor,
                  const TStoreValues& key, std::span<const TStoreKeyField> keys, int keyCount);
int FindKeyLinear(std::size_t count, const TStoreEntryAt& entryAt, int start, const TStoreCursor& cursor,
                  const TStoreValues& key, std::span<const TStoreKeyField> keys, int keyCount);

} // namespace etikor
