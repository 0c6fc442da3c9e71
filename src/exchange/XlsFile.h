#pragma once

// A minimal worksheet writer in the BIFF2 record format (Excel 2.x): a beginning-of-file
// record, a fixed dimensions record, text and number cells in the order they were added, and
// the end-of-file record. Every record is a 16-bit identifier, a 16-bit body length and the
// body, all integers little-endian.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace etikor {

// Little-endian integers, doubles and raw bytes into a growing buffer; a record's length is
// patched in after its body.
class TMyWriter {
public:
    void WriteByte(uint8_t value) { FBytes.push_back(static_cast<char>(value)); }
    void WriteWord(uint16_t value);
    void WriteDouble(double value);
    void WriteBytes(std::string_view bytes) { FBytes.append(bytes); }
    std::size_t Position() const { return FBytes.size(); }
    void PatchWord(std::size_t position, uint16_t value);
    const std::string& Bytes() const { return FBytes; }

private:
    std::string FBytes;
};

// One record: its identifier and its body.
class TData {
public:
    explicit TData(uint16_t recordId) : FRecordId(recordId) {}
    virtual ~TData() = default;
    uint16_t RecordId() const { return FRecordId; }
    virtual void WriteBody(TMyWriter& writer) const = 0;

private:
    uint16_t FRecordId;
};

class TBOF final : public TData {
public:
    TBOF() : TData(0x0809) {}
    void WriteBody(TMyWriter& writer) const override;
};

// Always the same: rows 0 to 1000, columns 0 to 100, whatever the cells hold.
class TDimension final : public TData {
public:
    TDimension() : TData(0x0000) {}
    void WriteBody(TMyWriter& writer) const override;
};

// A cell at a 0-based row and column with three attribute bytes (all 0: no format).
class TCell : public TData {
public:
    TCell(uint16_t recordId, uint16_t row, uint16_t column) : TData(recordId), FRow(row), FColumn(column) {}
    uint16_t Row() const { return FRow; }
    uint16_t Column() const { return FColumn; }

protected:
    void WriteCellHeader(TMyWriter& writer) const;

private:
    uint16_t FRow;
    uint16_t FColumn;
};

// Text in the 8-bit code page; the count is one byte, so a longer text keeps its first 255.
class TStrCell final : public TCell {
public:
    static constexpr std::size_t kMaxLength = 255;
    TStrCell(uint16_t row, uint16_t column, std::string_view text);
    const std::string& Text() const { return FText; }
    void WriteBody(TMyWriter& writer) const override;

private:
    std::string FText;
};

class TDoubleCell final : public TCell {
public:
    TDoubleCell(uint16_t row, uint16_t column, double value) : TCell(0x0003, row, column), FValue(value) {}
    double Value() const { return FValue; }
    void WriteBody(TMyWriter& writer) const override;

private:
    double FValue;
};

// The records in the order they were added; writes each with its header, then end of file.
class TDispatcher {
public:
    static constexpr uint16_t kEofRecordId = 0x000A;
    void Add(std::unique_ptr<TData> record) { FRecords.push_back(std::move(record)); }
    void Clear() { FRecords.clear(); }
    std::size_t Count() const { return FRecords.size(); }
    void Write(TMyWriter& writer) const;

private:
    std::vector<std::unique_ptr<TData>> FRecords;
};

// Where the export puts its cells: text and number cells, coordinates counted from 1, column
// first; rows from the first on. Text is Windows-1250.
class TExportSheet {
public:
    virtual ~TExportSheet() = default;
    // The rows every reader of the format reads, the header row included.
    virtual int RowsReadWhole() const = 0;
    virtual void AddStrCell(int column, int row, std::string_view text) = 0;
    virtual void AddDoubleCell(int column, int row, double value) = 0;
};

class TXLSfile final : public TExportSheet {
public:
    // Rows and columns addressable in a cell record, counted from 1.
    static constexpr int kMaxRows = 65536;
    static constexpr int kMaxColumns = 65536;
    // Excel 2.x and the readers that follow it stop at 16,384 rows (or refuse the file beyond),
    // though a cell record could address more.
    static constexpr int kRowsReadWhole = 16384;

    TXLSfile() { Reset(); }

    std::string FileName;

    int RowsReadWhole() const override { return kRowsReadWhole; }
    // Throws std::out_of_range outside the addressable rows and columns.
    void AddStrCell(int column, int row, std::string_view text) override;
    void AddDoubleCell(int column, int row, double value) override;
    // The whole file as it would be written.
    std::string Image() const;
    // Writes the file atomically (a temporary file renamed over FileName), then resets, also
    // when writing failed. Throws EStoreFileError with the platform's reason.
    void Write();
    // Empties the record list down to the beginning-of-file and dimensions records.
    void Reset();

private:
    TDispatcher FDispatcher;
};

} // namespace etikor
