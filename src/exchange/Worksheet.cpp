#include "exchange/Worksheet.h"

#include "data/Cp1250.h"
#include "data/DateTime.h"
#include "data/FormatSettings.h"
#include "tablestore/StoreFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace etikor {

namespace {

using Cell = TWorksheetRows::Cell;
using Span = TWorksheetRows::Span;
using Kind = TRawCell::Kind;

std::string tooMuchText() {
    return "Worksheet too large (more than " + std::to_string(kMaxWorksheetText >> 20) + " MB of text)";
}

std::string tooManyCells() {
    return "Worksheet too large (more than " + std::to_string(kMaxWorksheetCells) + " cells)";
}

std::string tooManyColumns() {
    return "Too many columns (more than " + std::to_string(kMaxWorksheetColumns) + ")";
}

// Grows by half of what is held, never doubling a large buffer at once.
template <typename Vector>
void makeRoom(Vector& vector, std::size_t more) {
    const std::size_t needed = vector.size() + more;
    if (needed > vector.capacity())
        vector.reserve(std::max(needed, vector.size() + vector.size() / 2 + 64));
}

std::string numberText(double value) {
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < 1e15) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
        return std::string(buffer, result.ptr);
    }
    return FloatToStr(value);
}

} // namespace

TVariant TWorksheetRows::Row::at(std::size_t column) const {
    if (column >= size())
        throw std::out_of_range("worksheet column");
    return (*this)[column];
}

TVariant TWorksheetRows::Value(const Span& span, std::size_t column) const {
    if (column >= span.Count)
        return {};
    const Cell& cell = FCells[span.First + column];
    switch (cell.What) {
    case Kind::Null:
        return {};
    case Kind::Number:
        return TVariant(cell.Number);
    case Kind::DateTime:
        return TVariant::FromDateTime(cell.Number);
    case Kind::Text:
        return TVariant(std::string_view(FText.data() + cell.Offset, cell.Length));
    }
    return {};
}

// ---- building -----------------------------------------------------------------------------

uint32_t TWorksheetBuilder::KeepText(std::string_view text) {
    std::string& store = FRows.FText;
    if (text.size() > kMaxWorksheetText || store.size() + text.size() > kMaxWorksheetText)
        throw EWorksheetError(tooMuchText());
    makeRoom(store, text.size());
    const auto offset = static_cast<uint32_t>(store.size());
    store.append(text);
    return offset;
}

void TWorksheetBuilder::BeginRow() {
    FRow.clear();
}

void TWorksheetBuilder::PlaceCell(std::size_t column, Cell cell, std::size_t repeat) {
    if (repeat == 0)
        return;
    if (column >= static_cast<std::size_t>(kMaxWorksheetColumns) ||
        repeat > static_cast<std::size_t>(kMaxWorksheetColumns) - column)
        throw EWorksheetError(tooManyColumns());
    if (FRow.size() < column + repeat)
        FRow.resize(column + repeat);
    std::fill_n(FRow.begin() + static_cast<std::ptrdiff_t>(column), repeat, cell);
}

void TWorksheetBuilder::SetCell(std::size_t column, const TRawCell& raw, std::size_t repeat) {
    if (raw.What == Kind::Null)
        return;
    Cell cell;
    cell.What = raw.What;
    cell.Number = raw.Number;
    if (raw.What == Kind::Text || raw.What == Kind::DateTime) {
        if (raw.What == Kind::Text && raw.Text.empty())
            return;
        if (column < static_cast<std::size_t>(kMaxWorksheetColumns) && repeat > 0) {
            cell.Offset = KeepText(raw.Text);
            cell.Length = static_cast<uint32_t>(raw.Text.size());
        }
    }
    PlaceCell(column, cell, repeat);
}

void TWorksheetBuilder::ReserveText(std::size_t bytes) {
    FRows.FText.reserve(std::min(bytes, kMaxWorksheetText));
}

std::size_t TWorksheetBuilder::AddSharedText(std::string_view text) {
    if (FShared.size() >= kMaxWorksheetCells)
        throw EWorksheetError(tooManyCells());
    makeRoom(FShared, 1);
    FShared.push_back({KeepText(text), static_cast<uint32_t>(text.size())});
    return FShared.size() - 1;
}

void TWorksheetBuilder::SetSharedCell(std::size_t column, std::size_t sharedIndex) {
    if (sharedIndex >= FShared.size() || FShared[sharedIndex].Count == 0)
        return;
    Cell cell;
    cell.What = Kind::Text;
    cell.Offset = FShared[sharedIndex].First;
    cell.Length = FShared[sharedIndex].Count;
    PlaceCell(column, cell, 1);
}

void TWorksheetBuilder::EndRow(std::size_t repeat) {
    while (!FRow.empty() && FRow.back().What == Kind::Null)
        FRow.pop_back();
    if (repeat == 0)
        return;
    std::vector<Span>& spans = FRows.FSpans;
    if (FRow.empty()) {
        AddEmptyRows(repeat);
        return;
    }
    // The dataset presents every row at the width of the widest one: that is what is limited.
    const std::size_t columns = std::max<std::size_t>({FColumns, FRow.size(), 1});
    const std::size_t before = spans.size() + FPendingEmpty;
    if (repeat > kMaxWorksheetCells || before + repeat > kMaxWorksheetCells / columns)
        throw EWorksheetError(tooManyCells());
    std::size_t text = 0;
    for (const Cell& cell : FRow)
        text += cell.Length;
    if (text > 0 && (repeat > kMaxWorksheetText / text || FHeldText + text * repeat > kMaxWorksheetText))
        throw EWorksheetError(tooMuchText());
    FHeldText += text * repeat;

    makeRoom(spans, FPendingEmpty + repeat);
    for (; FPendingEmpty > 0; --FPendingEmpty)
        spans.push_back({0, 0});
    std::vector<Cell>& cells = FRows.FCells;
    makeRoom(cells, FRow.size());
    const Span span{static_cast<uint32_t>(cells.size()), static_cast<uint32_t>(FRow.size())};
    cells.insert(cells.end(), FRow.begin(), FRow.end());
    spans.insert(spans.end(), repeat, span);
    FColumns = std::max(FColumns, FRow.size());
    FRow.clear();
}

void TWorksheetBuilder::AddRow(const TRawRow& row) {
    BeginRow();
    for (std::size_t c = 0; c < row.size(); ++c)
        SetCell(c, row[c]);
    EndRow();
}

void TWorksheetBuilder::AddEmptyRows(std::size_t count) {
    if (count == 0)
        return;
    if (FRows.FSpans.empty()) {
        FRows.FSpans.push_back({0, 0}); // an empty header
        --count;
    }
    FPendingEmpty = std::min(FPendingEmpty + std::min(count, kMaxWorksheetCells), kMaxWorksheetCells + 1);
}

TWorksheet TWorksheetBuilder::Build() {
    TWorksheet sheet;
    std::vector<Span>& spans = FRows.FSpans;
    std::vector<Cell>& cells = FRows.FCells;
    const auto textOf = [this](const Cell& cell) -> std::string {
        switch (cell.What) {
        case Kind::Null:
            return {};
        case Kind::Number:
            return numberText(cell.Number);
        case Kind::Text:
        case Kind::DateTime:
            return std::string(FRows.FText.data() + cell.Offset, cell.Length);
        }
        return {};
    };
    // What each column holds: any value, only numbers, only dates.
    std::vector<uint8_t> any(FColumns, 0), numbers(FColumns, 1), dates(FColumns, 1);
    uint32_t last = UINT32_MAX;
    for (std::size_t r = 1; r < spans.size(); ++r) {
        if (spans[r].Count == 0 || spans[r].First == last)
            continue; // a repeated row says nothing new
        last = spans[r].First;
        for (std::size_t c = 0; c < spans[r].Count; ++c) {
            const Kind kind = cells[spans[r].First + c].What;
            if (kind == Kind::Null)
                continue;
            any[c] = 1;
            numbers[c] = numbers[c] && kind == Kind::Number;
            dates[c] = dates[c] && kind == Kind::DateTime;
        }
    }
    const Span header = spans.empty() ? Span{} : spans.front();
    for (std::size_t c = 0; c < FColumns; ++c) {
        TFieldDef def;
        if (c < header.Count)
            def.Name = textOf(cells[header.First + c]);
        // Unnamed and repeated columns get the driver's F1, F2, ... names.
        const bool repeated =
            std::any_of(sheet.Columns.begin(), sheet.Columns.end(),
                        [&def](const TFieldDef& other) { return Cp1250SameText(other.Name, def.Name); });
        if (def.Name.empty() || repeated) {
            char name[24];
            std::snprintf(name, sizeof name, "F%zu", c + 1);
            def.Name = std::string(name);
        }
        def.DataType = any[c] && numbers[c] ? TFieldType::ftFloat
                       : any[c] && dates[c] ? TFieldType::ftDateTime
                                            : TFieldType::ftString;
        def.Size = def.DataType == TFieldType::ftString ? kWorksheetTextSize : 0;
        sheet.Columns.push_back(std::move(def));
    }
    // Numbers in text columns become the text they show.
    last = UINT32_MAX;
    for (std::size_t r = 1; r < spans.size(); ++r) {
        if (spans[r].Count == 0 || spans[r].First == last)
            continue;
        last = spans[r].First;
        for (std::size_t c = 0; c < spans[r].Count; ++c) {
            Cell& cell = cells[spans[r].First + c];
            if (sheet.Columns[c].DataType != TFieldType::ftString)
                continue;
            if (cell.What == Kind::Number) {
                const std::string text = numberText(cell.Number);
                makeRoom(FRows.FText, text.size());
                cell.Offset = static_cast<uint32_t>(FRows.FText.size());
                cell.Length = static_cast<uint32_t>(text.size());
                FRows.FText.append(text);
            }
            if (cell.What != Kind::Null)
                cell.What = Kind::Text;
        }
    }
    if (!spans.empty())
        spans.erase(spans.begin());
    FRows.FWidth = FColumns;
    sheet.Rows = std::move(FRows);
    FRows = TWorksheetRows();
    FShared.clear();
    FRow.clear();
    FPendingEmpty = 0;
    FColumns = 0;
    FHeldText = 0;
    return sheet;
}

// ---- handing over -------------------------------------------------------------------------

namespace {

template <typename T>
void put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putText(std::string& out, std::string_view text) {
    put(out, static_cast<uint64_t>(text.size()));
    out.append(text);
}

class Input {
public:
    explicit Input(std::string_view bytes) : FBytes(bytes) {}
    template <typename T>
    T Get() {
        T value;
        Need(sizeof value);
        std::memcpy(&value, FBytes.data() + FAt, sizeof value);
        FAt += sizeof value;
        return value;
    }
    std::string_view Bytes(uint64_t size) {
        Need(size);
        const std::string_view bytes = FBytes.substr(FAt, size);
        FAt += size;
        return bytes;
    }
    std::string_view Text() { return Bytes(Get<uint64_t>()); }

private:
    void Need(uint64_t size) const {
        if (size > FBytes.size() - FAt)
            throw EWorksheetError("Damaged Excel workbook (the reader stopped)");
    }
    std::string_view FBytes;
    std::size_t FAt = 0;
};

} // namespace

std::string SerializeWorksheet(const TWorksheet& sheet) {
    const TWorksheetRows& rows = sheet.Rows;
    std::string out;
    out.reserve(64 + rows.FCells.size() * sizeof(Cell) + rows.FSpans.size() * sizeof(Span) +
                rows.FText.size());
    put(out, static_cast<uint32_t>(sheet.Columns.size()));
    for (const TFieldDef& def : sheet.Columns) {
        putText(out, def.Name);
        put(out, static_cast<uint8_t>(def.DataType));
        put(out, def.Size);
    }
    put(out, static_cast<uint64_t>(sheet.BadByteLine));
    putText(out, std::string_view(reinterpret_cast<const char*>(rows.FCells.data()),
                                  rows.FCells.size() * sizeof(Cell)));
    putText(out, std::string_view(reinterpret_cast<const char*>(rows.FSpans.data()),
                                  rows.FSpans.size() * sizeof(Span)));
    putText(out, rows.FText);
    return out;
}

TWorksheet DeserializeWorksheet(std::string_view bytes) {
    const auto damaged = [] { return EWorksheetError("Damaged Excel workbook (the reader stopped)"); };
    Input in(bytes);
    TWorksheet sheet;
    const auto columns = in.Get<uint32_t>();
    if (columns > static_cast<uint32_t>(kMaxWorksheetColumns))
        throw damaged();
    for (uint32_t c = 0; c < columns; ++c) {
        TFieldDef def;
        def.Name = std::string(in.Text());
        const auto type = static_cast<TFieldType>(in.Get<uint8_t>());
        if (type != TFieldType::ftString && type != TFieldType::ftFloat && type != TFieldType::ftDateTime)
            throw damaged();
        def.DataType = type;
        def.Size = in.Get<decltype(def.Size)>();
        sheet.Columns.push_back(std::move(def));
    }
    sheet.BadByteLine = static_cast<std::size_t>(in.Get<uint64_t>());
    TWorksheetRows& rows = sheet.Rows;
    const std::string_view cells = in.Text();
    const std::string_view spans = in.Text();
    const std::string_view text = in.Text();
    if (cells.size() % sizeof(Cell) != 0 || spans.size() % sizeof(Span) != 0 || text.size() > UINT32_MAX)
        throw damaged();
    // An empty vector's data() may be null, which memcpy must not get even for no bytes.
    rows.FCells.resize(cells.size() / sizeof(Cell));
    if (!cells.empty())
        std::memcpy(rows.FCells.data(), cells.data(), cells.size());
    rows.FSpans.resize(spans.size() / sizeof(Span));
    if (!spans.empty())
        std::memcpy(rows.FSpans.data(), spans.data(), spans.size());
    rows.FText.assign(text);
    rows.FWidth = columns;
    for (const Cell& cell : rows.FCells)
        if (cell.What > Kind::DateTime || cell.Offset > text.size() ||
            cell.Length > text.size() - cell.Offset)
            throw damaged();
    for (const Span& span : rows.FSpans)
        if (span.Count > columns || span.First > rows.FCells.size() ||
            span.Count > rows.FCells.size() - span.First)
            throw damaged();
    return sheet;
}

// ---- dates --------------------------------------------------------------------------------

bool ParseWorksheetDateTime(std::string_view text, double& value) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    const std::string copy(text);
    char tail = 0;
    TDateTime date = 0, time = 0;
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) == 6 &&
        copy.size() == 19) {
        if (!TryEncodeDate(y, mo, d, date) || !TryEncodeTime(h, mi, s, 0, time))
            return false;
        value = date + (date < 0 ? -time : time);
        return true;
    }
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2d%c", &y, &mo, &d, &tail) == 3 && copy.size() == 10) {
        if (!TryEncodeDate(y, mo, d, date))
            return false;
        value = date;
        return true;
    }
    if (std::sscanf(copy.c_str(), "%2d:%2d:%2d%c", &h, &mi, &s, &tail) == 3 && copy.size() == 8) {
        if (!TryEncodeTime(h, mi, s, 0, time))
            return false;
        value = time;
        return true;
    }
    return false;
}

std::string WorksheetDateTimeText(double value, bool date, bool time) {
    // To the second, as a spreadsheet shows it.
    const auto seconds = static_cast<long long>(std::llround(value * 86400.0));
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    char buffer[48];
    std::string text;
    if (date) {
        int y = 0, m = 0, d = 0;
        DecodeDate(static_cast<double>(days), y, m, d);
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", y, m, d);
        text = buffer;
    }
    if (time) {
        std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", rest / 3600, rest / 60 % 60, rest % 60);
        if (date)
            text += ' ';
        text += buffer;
    }
    return text;
}

TDateFormatKind DateFormatKindOfBuiltIn(int id) {
    // The built-in number formats of the file formats: 14-17 dates, 18-21 times, 22 both, 45-47
    // minutes and seconds; 27-36 and 50-58 the East Asian dates.
    TDateFormatKind kind;
    kind.Date = (id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 31) || (id >= 34 && id <= 36) ||
                (id >= 50 && id <= 58);
    kind.Time = (id >= 18 && id <= 22) || id == 32 || id == 33 || (id >= 45 && id <= 47);
    return kind;
}

TDateFormatKind DateFormatKindOfCode(std::string_view code) {
    // Only the first section counts; quoted text, escaped characters, bracketed colours and
    // locales, and the fill and padding characters say nothing about dates.
    TDateFormatKind kind;
    bool hour = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(code[i])));
        if (c == ';')
            break;
        if (c == '"') {
            const std::size_t close = code.find('"', i + 1);
            if (close == std::string_view::npos)
                break;
            i = close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const std::size_t close = code.find(']', i + 1);
            if (close == std::string_view::npos)
                break;
            // Elapsed time: [h], [mm], [ss].
            const std::string_view inside = code.substr(i + 1, close - i - 1);
            if (!inside.empty() && inside.find_first_not_of("hHmMsS") == std::string_view::npos)
                kind.Time = true;
            i = close;
        } else if (c == 'd' || c == 'y') {
            kind.Date = true;
        } else if (c == 'h' || c == 's') {
            kind.Time = true;
            hour = hour || c == 'h';
        } else if (c == 'm') {
            // Minutes after an hour or before seconds, otherwise a month.
            std::size_t next = i;
            while (next < code.size() && std::tolower(static_cast<unsigned char>(code[next])) == 'm')
                ++next;
            std::size_t after = next;
            while (after < code.size() && std::strchr(":. ", code[after]) && code[after] != '\0')
                ++after;
            const bool beforeSeconds =
                after < code.size() && std::tolower(static_cast<unsigned char>(code[after])) == 's';
            if (hour || beforeSeconds)
                kind.Time = true;
            else
                kind.Date = true;
            i = next - 1;
        } else if (c == '0' || c == '#' || c == '?') {
            // A digit placeholder: a number format (except fractions of seconds, "ss.000").
            if (!kind.Time)
                return {};
        }
    }
    return kind;
}

TRawCell SerialDateCell(double serial, bool system1904, TDateFormatKind kind) {
    TRawCell cell;
    cell.What = Kind::Number;
    cell.Number = serial;
    if (!kind.Any() || !std::isfinite(serial) || serial < 0)
        return cell;
    double value = serial;
    if (system1904) {
        value += 1462;
    } else if (kind.Date && value >= 1 && value < 61) {
        // The 1900 system counts a 29 February 1900 that never was.
        if (value >= 60)
            return cell;
        value += 1;
    }
    if (value >= 2958466) // beyond 9999-12-31
        return cell;
    // As shown: to the second, without the part the format leaves out.
    value = std::round(value * 86400) / 86400;
    if (!kind.Time)
        value = std::floor(value);
    else if (!kind.Date)
        value -= std::floor(value);
    cell.What = Kind::DateTime;
    cell.Number = value;
    cell.Text = WorksheetDateTimeText(value, kind.Date, kind.Time);
    return cell;
}

// ---- files --------------------------------------------------------------------------------

TWorksheet ReadWorksheetFile(const std::string& path) {
    // An exported workbook whose in-place write was cut off reads as it was before.
    RestoreInterruptedWrite(path);
    const std::size_t dot = path.find_last_of('.');
    const std::string ext = dot == std::string::npos ? std::string() : Cp1250LowerCase(path.substr(dot));
    if (ext == ".xlsx")
        return ReadXlsxFile(path);
    if (ext == ".ods")
        return ReadOdsFile(path);
    if (ext == ".csv") {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
            throw EWorksheetError("File not found or not readable");
        std::string bytes;
        // Read at its size at once: a string growing by halves would hold old and new copies.
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (!error && size <= kMaxWorksheetPart)
            bytes.reserve(static_cast<std::size_t>(size) + 1);
        char buffer[65536];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            if (bytes.size() + got > kMaxWorksheetPart) {
                std::fclose(file);
                throw EWorksheetError("File too large (more than " + std::to_string(kMaxWorksheetPart >> 20) +
                                      " MB)");
            }
            makeRoom(bytes, got);
            bytes.append(buffer, got);
        }
        std::fclose(file);
        return ReadCsv(bytes);
    }
    return ReadXlsFile(path);
}

} // namespace etikor
