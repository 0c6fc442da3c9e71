#pragma once

// The property every worksheet reader keeps: each row has one value per column.

#include "exchange/Worksheet.h"

#include <cstdio>
#include <cstdlib>

namespace etikor::fuzz {

inline void RequireRectangular(const TWorksheet& sheet, const char* reader) {
    for (const auto& row : sheet.Rows)
        if (row.size() != sheet.Columns.size()) {
            std::fprintf(stderr, "%s: a row of %zu values under %zu columns\n", reader, row.size(),
                         sheet.Columns.size());
            std::abort();
        }
}

} // namespace etikor::fuzz
