// A worksheet written as a bare BIFF2 to BIFF5 record stream (no compound-file container), as
// this program's export and other small writers produce it. FreeXL reads only workbooks inside
// a compound file, so these are read here: number, integer, RK, boolean and text cells of the
// first worksheet, up to its end-of-file record.

#include "exchange/Worksheet.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <tuple>

namespace etikor {

namespace {

uint16_t word(std::string_view bytes, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

uint32_t dword(std::string_view bytes, std::size_t at) {
    return static_cast<uint32_t>(word(bytes, at)) | (static_cast<uint32_t>(word(bytes, at + 2)) << 16);
}

double ieee(std::string_view bytes, std::size_t at) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return std::bit_cast<double>(bits);
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
        if (body.size() < 4)
            continue;
        Placed placed{word(body, 0), word(body, 2), {}};
        TRawCell& cell = placed.Cell;
        switch (id) {
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
        if (cell.What == TRawCell::Kind::Null)
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
    // Later cells at the same place replace earlier ones.
    std::stable_sort(cells.begin(), cells.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.Row, a.Column) < std::tie(b.Row, b.Column);
    });
    TWorksheetBuilder builder;
    std::size_t i = 0;
    for (uint32_t row = 0; i < cells.size(); ++row) {
        TRawRow raw;
        for (; i < cells.size() && cells[i].Row == row; ++i) {
            if (raw.size() > cells[i].Column)
                raw[cells[i].Column] = std::move(cells[i].Cell);
            else {
                raw.resize(cells[i].Column);
                raw.push_back(std::move(cells[i].Cell));
            }
        }
        builder.AddRow(std::move(raw));
    }
    return builder.Build();
}

} // namespace etikor
