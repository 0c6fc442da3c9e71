// Input: the bytes of an .xls file. Reading gives a worksheet whose rows all have one value per
// column, or stops with EWorksheetError.

#include "exchange/Worksheet.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void check(const etikor::TWorksheet& sheet) {
    for (const auto& row : sheet.Rows)
        if (row.size() != sheet.Columns.size()) {
            std::fprintf(stderr, "xls: a row of %zu values under %zu columns\n", row.size(),
                         sheet.Columns.size());
            std::abort();
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        char name[] = "/tmp/etikor-fuzz-xls-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0)
            std::abort();
        close(fd);
        return std::string(name);
    }();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        check(etikor::ReadBiffStream(bytes));
    } catch (const etikor::EWorksheetError&) {
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        check(etikor::ReadXlsFile(path));
    } catch (const etikor::EWorksheetError&) {
    }
    return 0;
}
