#pragma once

// The table file format: descriptors, field kinds and field types, the empty-table image.
// Reading and writing a whole image are members of TStoreCursor (StoreCursor.h) and live in
// StoreFormat.cpp.

#include "data/FieldTypes.h"
#include "tablestore/StoreCursor.h"

#include <string>
#include <string_view>

namespace etikor {

// Reader and engine messages, used exactly as the store reports them.
namespace StoreMsg {
inline constexpr std::string_view BufferCorruption = "Buffer structure corruption!";
inline constexpr std::string_view DescriptorSection = "Error in buffer structure (field description section)";
inline constexpr std::string_view UnexpectedEnd = "Unexpected end of buffer";
inline constexpr std::string_view NoFieldDescriptions = "Error creating table (no field descriptions)";
inline constexpr std::string_view ErrorOpeningTable = "Error opening table: ";
inline constexpr std::string_view ErrorOpeningFile = "Error opening file %s";
} // namespace StoreMsg

// The descriptor section for these field definitions (each descriptor followed by 0x12, then
// 0x14). String fields of size 35 or less become SmallStr, longer ones String; 16-bit signed and
// unsigned integers become SmallInt; types without a kind are written as "s" without digits.
std::string BuildDescriptors(const TFieldDefs& defs);

// The kind a field type is stored as (string: by size). Unlisted types give Unknown.
TStoreFieldKind StoreKindOfFieldType(TFieldType type, int size);

// The field definition a stored field reads back as: SmallInt → ftSmallint, SmallStr and
// String → ftString of the declared size, Unknown → ftUnknown, others → their own type.
TFieldDef FieldDefOfStoreField(const TStoreField& field);
TFieldType FieldTypeOfStoreKind(TStoreFieldKind kind);

// Reads a descriptor's type code ("i", "Z", "s200", "s" = size 100) into the field's kind and
// declared size. Only the first character counts, but for "s" whose digits follow it. False for a
// code that names no kind or a size above 65535.
bool ParseStoreTypeCode(std::string_view code, TStoreField& field);

// The image the writer would produce for an empty table without a note.
std::string BuildEmptyTableImage(const TFieldDefs& defs);

// Why these definitions cannot make a table (empty when they can): a string field longer than
// kStoreMaxStringLength, whose values the reader would refuse.
std::string CheckFieldDefs(const TFieldDefs& defs);

// Creates an empty table in `cursor` from field definitions by reading the empty image back
// through the ordinary reader (lmClear). Throws EStoreError "Error creating table (no field
// descriptions)" when `defs` is empty, and the CheckFieldDefs text for a field it refuses.
void CreateEmptyTable(TStoreCursor& cursor, const TFieldDefs& defs);

// "Error opening file <path>".
std::string ErrorOpeningFileText(std::string_view path);

} // namespace etikor
