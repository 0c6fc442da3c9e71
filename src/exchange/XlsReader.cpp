// The .xls reader: FreeXL opens the workbook (BIFF2 to BIFF8) and gives the first worksheet's
// cells; text comes back as UTF-8 and is stored as Windows-1250.

#include "data/Cp1250.h"
#include "exchange/Worksheet.h"

#include <freexl.h>

#include <cstdio>

namespace etikor {

namespace {

std::string freexlReason(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return "File not found or not readable";
    case FREEXL_INSUFFICIENT_MEMORY:
        return "Not enough memory for the workbook";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return "Not an Excel workbook";
    default:
        return "Damaged Excel workbook (FreeXL " + std::to_string(code) + ")";
    }
}

class Workbook {
public:
    explicit Workbook(const std::string& path) {
        const int result = freexl_open(path.c_str(), &FHandle);
        if (result != FREEXL_OK) {
            if (FHandle)
                freexl_close(FHandle);
            FHandle = nullptr;
            throw EWorksheetError(freexlReason(result));
        }
    }
    ~Workbook() {
        if (FHandle)
            freexl_close(FHandle);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;
    const void* Handle() const { return FHandle; }

private:
    const void* FHandle = nullptr;
};

void check(int result) {
    if (result != FREEXL_OK)
        throw EWorksheetError(freexlReason(result));
}

} // namespace

TWorksheet ReadXlsFile(const std::string& path) {
    {
        // A bare record stream is small by nature; a file too big for one is no such stream.
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file) {
            std::string bytes(4, '\0');
            const bool stream = std::fread(bytes.data(), 1, 4, file) == 4 && IsBiffStream(bytes);
            if (stream) {
                char buffer[65536];
                std::size_t got = 0;
                while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() < (256u << 20))
                    bytes.append(buffer, got);
            }
            std::fclose(file);
            if (stream)
                return ReadBiffStream(bytes);
        }
    }
    Workbook book(path);
    unsigned int info = 0;
    if (freexl_get_info(book.Handle(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED)
        throw EWorksheetError("The workbook is protected by a password");
    if (freexl_get_info(book.Handle(), FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0)
        throw EWorksheetError("The workbook has no worksheet");
    check(freexl_select_active_worksheet(book.Handle(), 0));
    unsigned int rows = 0;
    unsigned short columns = 0;
    check(freexl_worksheet_dimensions(book.Handle(), &rows, &columns));

    TWorksheetBuilder builder;
    for (unsigned int r = 0; r < rows; ++r) {
        TRawRow row;
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value{};
            check(freexl_get_cell_value(book.Handle(), r, c, &value));
            TRawCell cell;
            switch (value.type) {
            case FREEXL_CELL_INT:
                cell.What = TRawCell::Kind::Number;
                cell.Number = value.value.int_value;
                break;
            case FREEXL_CELL_DOUBLE:
                cell.What = TRawCell::Kind::Number;
                cell.Number = value.value.double_value;
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                if (value.value.text_value && *value.value.text_value) {
                    cell.What = TRawCell::Kind::Text;
                    cell.Text = Utf8ToCp1250(value.value.text_value);
                }
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (value.value.text_value) {
                    cell.Text = value.value.text_value;
                    cell.What = ParseWorksheetDateTime(cell.Text, cell.Number) ? TRawCell::Kind::DateTime
                                                                               : TRawCell::Kind::Text;
                }
                break;
            default:
                break;
            }
            if (cell.What != TRawCell::Kind::Null) {
                row.resize(c);
                row.push_back(std::move(cell));
            }
        }
        builder.AddRow(std::move(row));
    }
    return builder.Build();
}

} // namespace etikor
