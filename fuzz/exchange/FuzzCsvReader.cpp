// Input: the bytes of a .csv file. The reader gives a worksheet whose rows all have one value
// per column, or stops with EWorksheetError.

#include "WorksheetShape.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const etikor::TWorksheet sheet =
            etikor::ReadCsv(std::string_view(reinterpret_cast<const char*>(data), size));
        etikor::fuzz::RequireRectangular(sheet, "csv");
    } catch (const etikor::EWorksheetError&) {
    }
    return 0;
}
