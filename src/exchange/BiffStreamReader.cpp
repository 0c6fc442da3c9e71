// A worksheet written as a bare BIFF2 to BIFF5 record stream (no compound-file container), as
// this program's export and other small writers produce it. FreeXL reads only workbooks inside
// a compound file, so these are read here: number, integer, RK, boolean and text cells of the
// first worksheet, and the stored results of formula cells, up to its end-of-file record.

#include "exchange/Worksheet.h"
#include "exchange/WorksheetRecords.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <tuple>

namespace etikor {

namespace {

uint16_t word(std::string_view bytes, std::size_t at) {
    return BiffWord(bytes, at);
}

uint32_t dword(std::string_view bytes, std::size_t at) {
    return static_cast<uint32_t>(word(bytes, at)) | (static_cast<uint32_t>(word(bytes, at + 2)) << 16);
}

double ieee(std::string_view bytes, std::size_t at) {
    return BiffDouble(bytes, at);
}

// An RK value: a 30-bit integer or the high 30 bits of a double, optionally divided by 100.
double rk(uint32_t value) {
    double number = 0;
    if (value & 2) {
        number = static_cast<double>(static_cast<int32_t>(value) >> 2);
    } else {
        number = std::bit_cast<double>(static_cast<uint64_t>(value & 0xFFFFFFFCu) << 32);
    }
    return (value & 1) ? number / 100 : number;
}

struct Placed {
    uint16_t Row;
    uint16_t Column;
    TRawCell Cell;
};

} // namespace

bool IsBiffStream(std::string_view bytes) {
    if (bytes.size() < 4)
        return false;
    const uint16_t id = word(bytes, 0);
    return id == 0x0009 || id == 0x0209 || id == 0x0409 || id == 0x0809;
}

TWorksheet ReadBiffStream(std::string_view bytes) {
    if (!IsBiffStream(bytes))
        throw EWorksheetError("Not an Excel workbook");
    std::vector<Placed> cells;
    std::size_t at = 0;
    bool ended = false;
    const bool biff2 = word(bytes, 0) == 0x0009;
    // A formula whose result is a text: the STRING record that follows holds it.
    bool textResultPending = false;
    while (at + 4 <= bytes.size()) {
        const uint16_t id = word(bytes, at);
        const std::size_t length = word(bytes, at + 2);
        if (at + 4 + length > bytes.size())
            throw EWorksheetError("Damaged Excel workbook (record beyond the end of the file)");
        const std::string_view body = bytes.substr(at + 4, length);
        at += 4 + length;
        if (id == 0x000A) {
            ended = true;
            break;
        }
        if ((id == 0x0007 || id == 0x0207) && textResultPending && !cells.empty()) {
            const std::size_t from = id == 0x0007 ? 1 : 2;
            if (body.size() < from)
                throw EWorksheetError("Damaged Excel workbook (short text cell)");
            const std::size_t count = id == 0x0007 ? static_cast<unsigned char>(body[0]) : word(body, 0);
            if (body.size() < from + count)
                throw EWorksheetError("Damaged Excel workbook (short text cell)");
            cells.back().Cell.Text = std::string(body.substr(from, count));
            cells.back().Cell.What = count > 0 ? TRawCell::Kind::Text : TRawCell::Kind::Null;
            if (count == 0)
                cells.pop_back();
            textResultPending = false;
            continue;
        }
        textResultPending = false;
        if (body.size() < 4)
            continue;
        Placed placed{word(body, 0), word(body, 2), {}};
        TRawCell& cell = placed.Cell;
        switch (id) {
        case 0x0006:   // formula: BIFF2 (result after 3 attribute bytes) or BIFF5 (after the style)
        case 0x0206:   // BIFF3
        case 0x0406: { // BIFF4
            const std::size_t result = id == 0x0006 && biff2 ? 7 : 6;
            if (body.size() < result + 8)
                throw EWorksheetError("Damaged Excel workbook (short formula cell)");
            if (word(body, result + 6) != 0xFFFF) {
                cell.What = TRawCell::Kind::Number;
                cell.Number = ieee(body, result);
            } else if (body[result] == 1) {
                cell.What = TRawCell::Kind::Number;
                cell.Number = body[result + 2] != 0 ? 1 : 0;
            } else if (body[result] == 0) {
                // Placed now, its text comes with the next record.
                cell.What = TRawCell::Kind::Text;
                textResultPending = true;
            }
            break;
        }
        case 0x0002: // BIFF2 integer
            if (body.size() < 9)
                throw EWorksheetError("Damaged Excel workbook (short integer cell)");
            cell.What = TRawCell::Kind::Number;
            cell.Number = word(body, 7);
            break;
        case 0x0003: // BIFF2 number
            if (body.size() < 15)
                throw EWorksheetError("Damaged Excel workbook (short number cell)");
            cell.What = TRawCell::Kind::Number;
            cell.Number = ieee(body, 7);
            break;
        case 0x0203: // BIFF3-5 number
            if (body.size() < 14)
                throw EWorksheetError("Damaged Excel workbook (short number cell)");
            cell.What = TRawCell::Kind::Number;
            cell.Number = ieee(body, 6);
            break;
        case 0x027E: // RK number
            if (body.size() < 10)
                throw EWorksheetError("Damaged Excel workbook (short number cell)");
            cell.What = TRawCell::Kind::Number;
            cell.Number = rk(dword(body, 6));
            break;
        case 0x0004: { // BIFF2 text: 8-bit count
            if (body.size() < 8 || body.size() < 8u + static_cast<unsigned char>(body[7]))
                throw EWorksheetError("Damaged Excel workbook (short text cell)");
            cell.Text = std::string(body.substr(8, static_cast<unsigned char>(body[7])));
            break;
        }
        case 0x0204: { // BIFF3-5 text: 16-bit count
            if (body.size() < 8 || body.size() < 8u + word(body, 6))
                throw EWorksheetError("Damaged Excel workbook (short text cell)");
            cell.Text = std::string(body.substr(8, word(body, 6)));
            break;
        }
        case 0x0005:   // BIFF2 boolean or error
        case 0x0205: { // BIFF3-5
            const std::size_t valueAt = id == 0x0005 ? 7 : 6;
            if (body.size() < valueAt + 2)
                throw EWorksheetError("Damaged Excel workbook (short boolean cell)");
            if (body[valueAt + 1] == 0) { // a boolean; errors stay empty
                cell.What = TRawCell::Kind::Number;
                cell.Number = body[valueAt] != 0 ? 1 : 0;
            }
            break;
        }
        default:
            continue;
        }
        if (cell.What == TRawCell::Kind::Null && !cell.Text.empty())
            cell.What = TRawCell::Kind::Text;
        if (cell.What == TRawCell::Kind::Null ||
            (cell.What == TRawCell::Kind::Text && cell.Text.empty() && !textResultPending))
            continue;
        if (placed.Column >= kMaxWorksheetColumns)
            throw EWorksheetError("Too many columns (more than " + std::to_string(kMaxWorksheetColumns) +
                                  ")");
        if (cells.size() >= kMaxWorksheetCells)
            throw EWorksheetError("Worksheet too large (more than " + std::to_string(kMaxWorksheetCells) +
                                  " cells)");
        cells.push_back(std::move(placed));
    }
    if (!ended)
        throw EWorksheetError("Damaged Excel workbook (no end of file record)");
    // A text formula whose STRING record never came is empty.
    cells.erase(std::remove_if(cells.begin(), cells.end(),
                               [](const Placed& p) {
                                   return p.Cell.What == TRawCell::Kind::Text && p.Cell.Text.empty();
                               }),
                cells.end());
    // Later cells at the same place replace earlier ones.
    std::stable_sort(cells.begin(), cells.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.Row, a.Column) < std::tie(b.Row, b.Column);
    });
    TWorksheetBuilder builder;
    uint32_t nextRow = 0;
    for (std::size_t i = 0; i < cells.size();) {
        const uint32_t row = cells[i].Row;
        builder.AddEmptyRows(row - nextRow);
        builder.BeginRow();
        for (; i < cells.size() && cells[i].Row == row; ++i)
            builder.SetCell(cells[i].Column, cells[i].Cell);
        builder.EndRow();
        nextRow = row + 1;
    }
    return builder.Build();
}

} // namespace etikor
