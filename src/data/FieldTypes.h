#pragma once

// Field types of the dataset framework and the definition of one field, as tables and other
// data sources declare their structure.

#include <cstdint>
#include <string>
#include <vector>

namespace etikor {

enum class TFieldType : uint8_t {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord, // 16-bit unsigned
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD, // fixed-point decimal
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftLargeint,
};

struct TFieldDef {
    std::string Name;
    TFieldType DataType = TFieldType::ftUnknown;
    int Size = 0; // declared size of string fields, 0 otherwise
};

using TFieldDefs = std::vector<TFieldDef>;

} // namespace etikor
