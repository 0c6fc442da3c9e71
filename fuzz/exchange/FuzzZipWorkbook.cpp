// Input: the bytes of an .xlsx or .ods workbook, given to both readers. Reading
// gives a worksheet whose rows all have one value per column, or stops with EWorksheetError.

#include "exchange/Worksheet.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Both readers see every input: the seeds are of both kinds.
    for (const bool xlsx : {true, false}) {
        try {
            const etikor::TWorksheet sheet = xlsx ? etikor::ReadXlsx(bytes) : etikor::ReadOds(bytes);
            for (const auto& row : sheet.Rows)
                if (row.size() != sheet.Columns.size()) {
                    std::fprintf(stderr, "zip workbook: a row of %zu values under %zu columns\n", row.size(),
                                 sheet.Columns.size());
                    std::abort();
                }
        } catch (const etikor::EWorksheetError&) {
        }
    }
    return 0;
}
