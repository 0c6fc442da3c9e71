// Input: the bytes of an .xls file. Reading gives a worksheet whose rows all have one value per
// column, or stops with EWorksheetError.

#include "WorksheetShape.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {} // namespace

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
        etikor::fuzz::RequireRectangular(etikor::ReadBiffStream(bytes), "xls");
    } catch (const etikor::EWorksheetError&) {
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        etikor::fuzz::RequireRectangular(etikor::ReadXlsFile(path), "xls");
    } catch (const etikor::EWorksheetError&) {
    }
    return 0;
}
