#pragma once

// A linked worksheet as the program sees it: named, typed columns (from the first row) and one
// record per further row. Built from the raw cells a file reader delivers, so every reader
// (.xls through FreeXL, .csv) gives the same column names and types.
//
// Linked files are untrusted: readers stop with EWorksheetError (a short English reason) at
// anything they cannot read, and at sizes beyond the limits below, never allocating more than
// the limits allow.

#include "data/FieldTypes.h"
#include "data/Variant.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace etikor {

class EWorksheetError : public std::runtime_error {
public:
    explicit EWorksheetError(const std::string& reason) : std::runtime_error(reason) {}
};

inline constexpr int kMaxWorksheetColumns = 1024;
// Every row is held as wide as the widest, some 72 bytes a cell: at most about 150 MB.
inline constexpr std::size_t kMaxWorksheetCells = 2'000'000;
// Text columns are reported with the size a text column of a workbook driver has.
inline constexpr int kWorksheetTextSize = 255;

// One cell as a reader found it. Text is Windows-1250; a date/time keeps the text a reader
// gave ("YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS") next to its value.
struct TRawCell {
    enum class Kind : uint8_t { Null, Number, Text, DateTime };
    Kind What = Kind::Null;
    double Number = 0;
    std::string Text;
};
using TRawRow = std::vector<TRawCell>;

struct TWorksheet {
    TFieldDefs Columns; // names in Windows-1250; ftString, ftFloat or ftDateTime
    std::vector<std::vector<TVariant>> Rows;
};

// Gathers rows (the first one is the header) within the limits and builds the worksheet.
class TWorksheetBuilder {
public:
    // Throws EWorksheetError beyond the limits. Trailing empty rows are dropped.
    void AddRow(TRawRow row);
    // Empty rows, counted only: they cost nothing unless a row with data follows them.
    void AddEmptyRows(std::size_t count);
    TWorksheet Build();

private:
    std::vector<TRawRow> FRows;
    std::size_t FPendingEmpty = 0;
    std::size_t FColumns = 0;
};

// A date/time text as FreeXL and our readers give it; false when it is none.
bool ParseWorksheetDateTime(std::string_view text, double& value);

// .xls: the first worksheet, through FreeXL, or by ReadBiffStream for a bare record stream.
TWorksheet ReadXlsFile(const std::string& path);
// A bare BIFF2-BIFF5 record stream (starts with a beginning-of-file record).
bool IsBiffStream(std::string_view bytes);
TWorksheet ReadBiffStream(std::string_view bytes);
// .csv: separator ";" or "," by the first line, double-quote quoting, UTF-8 (with or without
// byte order mark) or else Windows-1250 text.
TWorksheet ReadCsv(std::string_view bytes);
// .xlsx (Office Open XML) and .ods (OpenDocument) workbooks: the first worksheet.
TWorksheet ReadXlsx(std::string_view bytes);
TWorksheet ReadOds(std::string_view bytes);
// By the file's extension (case-insensitive): .csv, .xlsx, .ods, otherwise an .xls workbook.
TWorksheet ReadWorksheetFile(const std::string& path);

} // namespace etikor
