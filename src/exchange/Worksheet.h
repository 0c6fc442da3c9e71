#pragma once

// A linked worksheet as the program sees it: named, typed columns (from the first row) and one
// record per further row. Built from the raw cells a file reader delivers, so every reader
// (.xls through FreeXL, .csv, .xlsx, .ods) gives the same column names and types.
//
// Linked files are untrusted: readers stop with EWorksheetError (a short English reason) at
// anything they cannot read, and at sizes beyond the limits below, never allocating more than
// the limits allow. The cells are held compactly (24 bytes each, their text in one buffer), so a
// link costs little more than the text it keeps.

#include "data/FieldTypes.h"
#include "data/Variant.h"

#include <cstddef>
#include <cstdint>
#include <optional>
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
// Rows times the widest row: every row is presented as wide as the widest.
inline constexpr std::size_t kMaxWorksheetCells = 2'000'000;
// The text of all cells together (Windows-1250 bytes, a repeated cell counted every time): what
// a print run or an export may have to hold of one worksheet.
inline constexpr std::size_t kMaxWorksheetText = std::size_t(128) << 20;
// The uncompressed size of a workbook part (.xlsx, .ods) and of a .csv file.
inline constexpr std::size_t kMaxWorksheetPart = std::size_t(256) << 20;
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

struct TWorksheet;

// The rows of a worksheet. Each row presents one value per column (missing cells are null);
// values are made when they are read.
class TWorksheetRows {
public:
    struct Cell {
        double Number = 0;
        uint32_t Offset = 0; // of the text in the text buffer
        uint32_t Length = 0;
        TRawCell::Kind What = TRawCell::Kind::Null;
    };
    // A row's cells: Count cells from First (shared by repeated rows).
    struct Span {
        uint32_t First = 0;
        uint32_t Count = 0;
    };

    class Row {
    public:
        Row(const TWorksheetRows& rows, const Span& span) : FRows(&rows), FSpan(&span) {}
        std::size_t size() const { return FRows->FWidth; }
        TVariant operator[](std::size_t column) const { return FRows->Value(*FSpan, column); }
        TVariant at(std::size_t column) const;
        class iterator {
        public:
            iterator(const TWorksheetRows& rows, const Span& span, std::size_t at)
                : FRows(&rows), FSpan(&span), FAt(at) {}
            TVariant operator*() const { return FRows->Value(*FSpan, FAt); }
            iterator& operator++() {
                ++FAt;
                return *this;
            }
            bool operator!=(const iterator& other) const { return FAt != other.FAt; }

        private:
            const TWorksheetRows* FRows;
            const Span* FSpan;
            std::size_t FAt;
        };
        iterator begin() const { return {*FRows, *FSpan, 0}; }
        iterator end() const { return {*FRows, *FSpan, size()}; }

    private:
        const TWorksheetRows* FRows;
        const Span* FSpan;
    };

    std::size_t size() const { return FSpans.size(); }
    bool empty() const { return FSpans.empty(); }
    Row operator[](std::size_t row) const { return {*this, FSpans[row]}; }
    Row at(std::size_t row) const { return {*this, FSpans.at(row)}; }
    class iterator {
    public:
        iterator(const TWorksheetRows& rows, std::size_t at) : FRows(rows), FAt(at) {}
        Row operator*() const { return FRows[FAt]; }
        iterator& operator++() {
            ++FAt;
            return *this;
        }
        bool operator!=(const iterator& other) const { return FAt != other.FAt; }

    private:
        const TWorksheetRows& FRows;
        std::size_t FAt;
    };
    iterator begin() const { return {*this, 0}; }
    iterator end() const { return {*this, size()}; }

    // The row as a dataset record, and a value of it.
    const Span* RecordOf(std::size_t row) const { return &FSpans[row]; }
    TVariant Value(const Span& span, std::size_t column) const;

    // What the rows hold: cells, text bytes and row spans.
    std::size_t HeldBytes() const {
        return FCells.capacity() * sizeof(Cell) + FText.capacity() + FSpans.capacity() * sizeof(Span);
    }

private:
    friend class TWorksheetBuilder;
    friend std::string SerializeWorksheet(const TWorksheet& sheet);
    friend TWorksheet DeserializeWorksheet(std::string_view bytes);
    std::vector<Cell> FCells;
    std::vector<Span> FSpans;
    std::string FText;
    std::size_t FWidth = 0;
};

struct TWorksheet {
    TFieldDefs Columns; // names in Windows-1250; ftString, ftFloat or ftDateTime
    TWorksheetRows Rows;
    // A .csv read as UTF-8 that holds bytes no UTF-8 text has (they are read as Windows-1250):
    // the line of the first one, counted from 1; 0 when there is none.
    std::size_t BadByteLine = 0;
};

// The worksheet as bytes and back (the .xls reader's child process hands it over this way).
std::string SerializeWorksheet(const TWorksheet& sheet);
TWorksheet DeserializeWorksheet(std::string_view bytes);

// Gathers rows (the first one is the header) within the limits and builds the worksheet. Cells
// go straight into the compact store; a repeated cell or row shares its text.
class TWorksheetBuilder {
public:
    // Throws EWorksheetError beyond the limits. Trailing empty rows are dropped.
    void AddRow(const TRawRow& row);
    // A row cell by cell: columns from 0, in any order (a later cell replaces an earlier one);
    // `repeat` places the same cell in that many columns.
    void BeginRow();
    void SetCell(std::size_t column, const TRawCell& cell, std::size_t repeat = 1);
    // Ends the row; `repeat` adds it that many times.
    void EndRow(std::size_t repeat = 1);
    // Empty rows, counted only: they cost nothing unless a row with data follows them.
    void AddEmptyRows(std::size_t count);
    // Room for this much cell text at once (at most what a worksheet may hold), where a reader
    // knows it beforehand: the text store then never grows by copying itself.
    void ReserveText(std::size_t bytes);

    // Text kept once and placed into cells by reference (the shared strings of a workbook):
    // its index, or cells made of it.
    std::size_t AddSharedText(std::string_view text);
    std::size_t SharedTextCount() const { return FShared.size(); }
    void SetSharedCell(std::size_t column, std::size_t sharedIndex);

    TWorksheet Build();

private:
    void PlaceCell(std::size_t column, TWorksheetRows::Cell cell, std::size_t repeat);
    uint32_t KeepText(std::string_view text);

    TWorksheetRows FRows;
    std::vector<TWorksheetRows::Cell> FRow; // the row being built
    std::vector<TWorksheetRows::Span> FShared;
    std::size_t FPendingEmpty = 0;
    std::size_t FColumns = 0;
    std::size_t FHeldText = 0; // every cell's text, repeats counted
};

// A date/time text as FreeXL and our readers give it; false when it is none.
bool ParseWorksheetDateTime(std::string_view text, double& value);
// The text of a date/time value in that form: "YYYY-MM-DD" when `date`, "HH:MM:SS" when `time`,
// both with a space between.
std::string WorksheetDateTimeText(double value, bool date, bool time);

// Whether a number format code of a spreadsheet shows a date and/or a time (a custom format
// code such as "yyyy.mm.dd." or "[$-40E]h:mm", or one of the built-in format numbers).
struct TDateFormatKind {
    bool Date = false;
    bool Time = false;
    bool Any() const { return Date || Time; }
};
TDateFormatKind DateFormatKindOfCode(std::string_view code);
TDateFormatKind DateFormatKindOfBuiltIn(int formatId);
// A workbook's date serial (days since 1899-12-30 in the 1900 system, since 1904-01-01 in the
// 1904 system) as a cell: a date/time cell by `kind`, or a number when it is no date.
TRawCell SerialDateCell(double serial, bool system1904, TDateFormatKind kind);

// .xls: the first worksheet, by ReadBiffStream for a bare record stream, by ReadXlsWorkbook,
// or else through FreeXL.
TWorksheet ReadXlsFile(const std::string& path);
// A bare BIFF2-BIFF5 record stream (starts with a beginning-of-file record).
bool IsBiffStream(std::string_view bytes);
TWorksheet ReadBiffStream(std::string_view bytes);
// A BIFF5 or BIFF8 workbook in a compound file, read directly: the first worksheet with the
// stored results of its formula cells and the dates its cell styles show. Nothing when the
// bytes are no such workbook or one this reader does not follow (FreeXL is tried then).
std::optional<TWorksheet> ReadXlsWorkbook(std::string_view bytes);
// The same in two steps: the workbook stream out of the compound file, then its worksheet.
std::optional<std::string> XlsWorkbookStream(std::string_view bytes);
std::optional<TWorksheet> ReadXlsWorkbookStream(std::string_view stream);
// The first worksheet through FreeXL alone (in a child process).
TWorksheet ReadXlsFileWithFreeXl(const std::string& path);
// .csv: separator ";" or "," by the first line, double-quote quoting, UTF-8 (with or without
// byte order mark) or else Windows-1250 text. A value is a number only when the program shows
// that number exactly as written; everything else is text as written.
TWorksheet ReadCsv(std::string_view bytes);
// .xlsx (Office Open XML) and .ods (OpenDocument) workbooks: the first worksheet.
TWorksheet ReadXlsx(std::string_view bytes);
TWorksheet ReadOds(std::string_view bytes);
// The same from a file, which is read part by part and never held whole.
TWorksheet ReadXlsxFile(const std::string& path);
TWorksheet ReadOdsFile(const std::string& path);
// By the file's extension (case-insensitive): .csv, .xlsx, .ods, otherwise an .xls workbook.
TWorksheet ReadWorksheetFile(const std::string& path);

} // namespace etikor
