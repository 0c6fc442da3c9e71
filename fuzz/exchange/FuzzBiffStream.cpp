// Input: a bare BIFF record stream (the .xls files small writers, ours included, produce). The
// reader gives a worksheet whose rows all have one value per column, or stops with
// EWorksheetError.

#include "WorksheetShape.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const etikor::TWorksheet sheet =
            etikor::ReadBiffStream(std::string_view(reinterpret_cast<const char*>(data), size));
        etikor::fuzz::RequireRectangular(sheet, "biff");
    } catch (const etikor::EWorksheetError&) {
    }
    return 0;
}
