// Input: the bytes of an .xlsx or .ods workbook, given to both readers. Reading
// gives a worksheet whose rows all have one value per column, or stops with EWorksheetError.

#include "WorksheetShape.h"

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
            etikor::fuzz::RequireRectangular(sheet, "zip workbook");
        } catch (const etikor::EWorksheetError&) {
        }
    }
    return 0;
}
