// The .csv reader: records separated by CR, LF or CR LF; fields by ";" or "," (whichever the
// first line has more of outside quotes; ";" on a tie, as a Hungarian spreadsheet writes it);
// a field in double quotes may hold separators, line breaks and "" for a quote. Numbers with
// "." or (with ";" separators) "," as decimal mark become numbers, the rest text.

#include "data/Cp1250.h"
#include "exchange/Worksheet.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace etikor {

namespace {

bool validUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        int more = 0;
        if (b < 0x80)
            more = 0;
        else if (b >= 0xC2 && b <= 0xDF)
            more = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            more = 2;
        else if (b >= 0xF0 && b <= 0xF4)
            more = 3;
        else
            return false;
        if (i + static_cast<std::size_t>(more) >= text.size())
            return false;
        for (int k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

char detectSeparator(std::string_view text) {
    std::size_t semicolons = 0, commas = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n'))
            break;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == ',')
            ++commas;
    }
    return commas > semicolons ? ',' : ';';
}

bool parseNumber(std::string_view text, char separator, double& value) {
    std::size_t start = 0, end = text.size();
    while (start < end && text[start] == ' ')
        ++start;
    while (end > start && text[end - 1] == ' ')
        --end;
    std::string number(text.substr(start, end - start));
    if (number.empty() || number.size() > 64)
        return false;
    if (separator == ';')
        for (char& c : number)
            if (c == ',')
                c = '.';
    const char* first = number.data();
    if (*first == '+')
        ++first;
    // A leading zero before more digits is a code (article or barcode number), kept as text.
    const char* digits = *first == '-' ? first + 1 : first;
    if (digits[0] == '0' && std::isdigit(static_cast<unsigned char>(digits[1])))
        return false;
    const auto result = std::from_chars(first, number.data() + number.size(), value);
    return result.ec == std::errc() && result.ptr == number.data() + number.size() && std::isfinite(value);
}

} // namespace

TWorksheet ReadCsv(std::string_view bytes) {
    std::string text;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        text = Utf8ToCp1250(bytes.substr(3));
    else if (validUtf8(bytes))
        text = Utf8ToCp1250(bytes);
    else
        text = std::string(bytes);
    const char separator = detectSeparator(text);

    TWorksheetBuilder builder;
    TRawRow row;
    std::string field;
    bool quoted = false, wasQuoted = false, any = false;
    const auto endField = [&] {
        if (row.size() >= static_cast<std::size_t>(kMaxWorksheetColumns))
            throw EWorksheetError("Too many columns (more than " + std::to_string(kMaxWorksheetColumns) +
                                  ")");
        TRawCell cell;
        if (!field.empty()) {
            double number = 0;
            if (!wasQuoted && parseNumber(field, separator, number)) {
                cell.What = TRawCell::Kind::Number;
                cell.Number = number;
            } else {
                cell.What = TRawCell::Kind::Text;
                cell.Text = std::move(field);
            }
        }
        row.push_back(std::move(cell));
        field.clear();
        wasQuoted = false;
    };
    const auto endRow = [&] {
        endField();
        builder.AddRow(std::move(row));
        row.clear();
        any = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        any = true;
        if (c == '"' && field.empty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRow();
        } else {
            field += c;
        }
    }
    if (quoted)
        throw EWorksheetError("Unterminated quoted field");
    if (any || !field.empty() || !row.empty())
        endRow();
    return builder.Build();
}

} // namespace etikor
