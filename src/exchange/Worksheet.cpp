#include "exchange/Worksheet.h"

#include "data/Cp1250.h"
#include "data/DateTime.h"
#include "data/FormatSettings.h"
#include "tablestore/StoreFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace etikor {

void TWorksheetBuilder::AddRow(TRawRow row) {
    while (!row.empty() && row.back().What == TRawCell::Kind::Null)
        row.pop_back();
    if (row.size() > static_cast<std::size_t>(kMaxWorksheetColumns))
        throw EWorksheetError("Too many columns (more than " + std::to_string(kMaxWorksheetColumns) + ")");
    if (row.empty() && !FRows.empty()) {
        // Kept only when a later row has data.
        AddEmptyRows(1);
        return;
    }
    // The dataset holds every row at the width of the widest one: that is what is limited.
    const std::size_t rows = FRows.size() + FPendingEmpty + 1;
    const std::size_t columns = std::max<std::size_t>({FColumns, row.size(), 1});
    if (rows > kMaxWorksheetCells / columns)
        throw EWorksheetError("Worksheet too large (more than " + std::to_string(kMaxWorksheetCells) +
                              " cells)");
    for (; FPendingEmpty > 0; --FPendingEmpty)
        FRows.emplace_back();
    FColumns = std::max(FColumns, row.size());
    FRows.push_back(std::move(row));
}

void TWorksheetBuilder::AddEmptyRows(std::size_t count) {
    if (count == 0)
        return;
    if (FRows.empty()) {
        FRows.emplace_back();
        --count;
    }
    FPendingEmpty = std::min(FPendingEmpty + std::min(count, kMaxWorksheetCells), kMaxWorksheetCells + 1);
}

namespace {

std::string numberText(double value) {
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < 1e15) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
        return std::string(buffer, result.ptr);
    }
    return FloatToStr(value);
}

std::string cellText(const TRawCell& cell) {
    switch (cell.What) {
    case TRawCell::Kind::Null:
        return {};
    case TRawCell::Kind::Number:
        return numberText(cell.Number);
    case TRawCell::Kind::Text:
    case TRawCell::Kind::DateTime:
        return cell.Text;
    }
    return {};
}

TFieldType columnType(const std::vector<TRawRow>& rows, std::size_t column) {
    bool any = false, numbers = true, dates = true;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (column >= rows[r].size() || rows[r][column].What == TRawCell::Kind::Null)
            continue;
        any = true;
        numbers = numbers && rows[r][column].What == TRawCell::Kind::Number;
        dates = dates && rows[r][column].What == TRawCell::Kind::DateTime;
    }
    if (any && numbers)
        return TFieldType::ftFloat;
    if (any && dates)
        return TFieldType::ftDateTime;
    return TFieldType::ftString;
}

} // namespace

TWorksheet TWorksheetBuilder::Build() {
    TWorksheet sheet;
    const TRawRow header = FRows.empty() ? TRawRow{} : FRows.front();
    for (std::size_t c = 0; c < FColumns; ++c) {
        TFieldDef def;
        if (c < header.size())
            def.Name = cellText(header[c]);
        // Unnamed and repeated columns get the driver's F1, F2, ... names.
        const bool repeated =
            std::any_of(sheet.Columns.begin(), sheet.Columns.end(),
                        [&def](const TFieldDef& other) { return Cp1250SameText(other.Name, def.Name); });
        if (def.Name.empty() || repeated)
            def.Name = "F" + std::to_string(c + 1);
        def.DataType = columnType(FRows, c);
        def.Size = def.DataType == TFieldType::ftString ? kWorksheetTextSize : 0;
        sheet.Columns.push_back(std::move(def));
    }
    sheet.Rows.reserve(FRows.empty() ? 0 : FRows.size() - 1);
    for (std::size_t r = 1; r < FRows.size(); ++r) {
        std::vector<TVariant> values(FColumns);
        for (std::size_t c = 0; c < FRows[r].size(); ++c) {
            const TRawCell& cell = FRows[r][c];
            if (cell.What == TRawCell::Kind::Null)
                continue;
            switch (sheet.Columns[c].DataType) {
            case TFieldType::ftFloat:
                values[c] = TVariant(cell.Number);
                break;
            case TFieldType::ftDateTime:
                values[c] = TVariant::FromDateTime(cell.Number);
                break;
            default:
                values[c] = TVariant(cellText(cell));
                break;
            }
        }
        sheet.Rows.push_back(std::move(values));
    }
    FRows.clear();
    return sheet;
}

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

TWorksheet ReadWorksheetFile(const std::string& path) {
    // An exported workbook whose in-place write was cut off reads as it was before.
    RestoreInterruptedWrite(path);
    const std::size_t dot = path.find_last_of('.');
    const std::string ext = dot == std::string::npos ? std::string() : Cp1250LowerCase(path.substr(dot));
    if (ext == ".csv" || ext == ".xlsx" || ext == ".ods") {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
            throw EWorksheetError("File not found or not readable");
        std::string bytes;
        char buffer[65536];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, got);
            // A text file of this size cannot stay within the cell limit anyway.
            if (bytes.size() > 512u * 1024 * 1024) {
                std::fclose(file);
                throw EWorksheetError("File too large");
            }
        }
        std::fclose(file);
        if (ext == ".xlsx")
            return ReadXlsx(bytes);
        if (ext == ".ods")
            return ReadOds(bytes);
        return ReadCsv(bytes);
    }
    return ReadXlsFile(path);
}

} // namespace etikor
