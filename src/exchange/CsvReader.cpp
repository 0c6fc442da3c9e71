// The .csv reader: records separated by CR, LF or CR LF; fields by ";" or "," (whichever the
// first line has more of outside quotes; ";" on a tie, as a Hungarian spreadsheet writes it);
// a field in double quotes may hold separators, line breaks and "" for a quote. A value reaches
// the label exactly as written: it is a number only when the program shows that number with the
// same characters (so "12.50", "+36", "0599" or an 18-digit code stay text).

#include "data/Cp1250.h"
#include "data/FormatSettings.h"
#include "exchange/Worksheet.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace etikor {

namespace {

// The length of the UTF-8 sequence at `at`, 0 when the byte starts none.
std::size_t utf8Sequence(std::string_view text, std::size_t at) {
    const auto b = static_cast<unsigned char>(text[at]);
    std::size_t more = 0;
    if (b >= 0xC2 && b <= 0xDF)
        more = 1;
    else if (b >= 0xE0 && b <= 0xEF)
        more = 2;
    else if (b >= 0xF0 && b <= 0xF4)
        more = 3;
    else
        return 0;
    if (at + more >= text.size())
        return 0;
    for (std::size_t k = 1; k <= more; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
            return 0;
    // Overlong three- and four-byte forms, surrogates and code points beyond U+10FFFF.
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if ((b == 0xE0 && second < 0xA0) || (b == 0xED && second >= 0xA0) || (b == 0xF0 && second < 0x90) ||
        (b == 0xF4 && second >= 0x90))
        return 0;
    return more + 1;
}

struct Encoding {
    bool Utf8 = false;
    std::size_t BadByteLine = 0; // of the first byte that is no UTF-8, when read as UTF-8
};

// UTF-8 when the text has no bytes outside UTF-8 sequences, or more sequences than such bytes
// (a UTF-8 file with a few stray bytes); Windows-1250 otherwise.
Encoding detectEncoding(std::string_view text) {
    std::size_t sequences = 0, bad = 0, firstBad = std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = utf8Sequence(text, i);
        if (length == 0) {
            if (bad++ == 0)
                firstBad = i;
            ++i;
        } else {
            ++sequences;
            i += length;
        }
    }
    Encoding encoding;
    encoding.Utf8 = bad == 0 || sequences > bad;
    if (encoding.Utf8 && bad > 0) {
        encoding.BadByteLine = 1;
        for (std::size_t i = 0; i < firstBad; ++i)
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                ++encoding.BadByteLine;
    }
    return encoding;
}

// UTF-8 to Windows-1250; a byte outside any UTF-8 sequence is taken as the Windows-1250 byte it
// most likely was.
void appendDecoded(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            const std::size_t end = std::min(text.size(), i + 64);
            std::size_t j = i;
            while (j < end && static_cast<unsigned char>(text[j]) < 0x80)
                ++j;
            out.append(text.data() + i, j - i);
            i = j;
            continue;
        }
        const std::size_t length = utf8Sequence(text, i);
        if (length == 0) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        out += Utf8ToCp1250(text.substr(i, length));
        i += length;
    }
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

// A number the program shows with exactly these characters.
bool exactNumber(const std::string& text, double& value) {
    if (text.empty() || text.size() > 32)
        return false;
    char number[33];
    for (std::size_t i = 0; i < text.size(); ++i)
        number[i] = text[i] == ',' ? '.' : text[i];
    const char* end = number + text.size();
    const auto result = std::from_chars(number, end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value) && FloatToStr(value) == text;
}

} // namespace

TWorksheet ReadCsv(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    const Encoding encoding = detectEncoding(bytes);
    const char separator = detectSeparator(bytes);

    TWorksheetBuilder builder;
    // The values' text is never longer than the file.
    builder.ReserveText(bytes.size());
    builder.BeginRow();
    std::size_t column = 0;
    std::string field, decoded;
    TRawCell cell;
    const auto endField = [&](bool quoted) {
        if (column >= static_cast<std::size_t>(kMaxWorksheetColumns))
            throw EWorksheetError("Too many columns (more than " + std::to_string(kMaxWorksheetColumns) +
                                  ")");
        if (!field.empty()) {
            decoded.clear();
            if (encoding.Utf8)
                appendDecoded(decoded, field);
            else
                decoded = field;
            double number = 0;
            if (!quoted && exactNumber(decoded, number)) {
                cell.What = TRawCell::Kind::Number;
                cell.Number = number;
                cell.Text.clear();
            } else {
                cell.What = TRawCell::Kind::Text;
                cell.Text.swap(decoded);
            }
            builder.SetCell(column, cell);
        }
        ++column;
        field.clear();
    };
    const auto endRow = [&] {
        builder.EndRow();
        builder.BeginRow();
        column = 0;
    };

    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        // One field, then what ends it.
        bool quoted = false;
        if (bytes[i] == '"') {
            quoted = true;
            ++i;
            while (true) {
                const char* quote = static_cast<const char*>(std::memchr(bytes.data() + i, '"', size - i));
                if (!quote)
                    throw EWorksheetError("Unterminated quoted field");
                const std::size_t at = static_cast<std::size_t>(quote - bytes.data());
                field.append(bytes.data() + i, at - i);
                i = at + 1;
                if (i < size && bytes[i] == '"') {
                    field += '"';
                    ++i;
                } else {
                    break;
                }
            }
        }
        std::size_t end = i;
        while (end < size && bytes[end] != separator && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        field.append(bytes.data() + i, end - i);
        endField(quoted);
        i = end;
        if (i >= size)
            break;
        if (bytes[i] == separator) {
            ++i;
            if (i >= size)
                endField(false); // the empty last field of an unfinished line
            continue;
        }
        if (bytes[i] == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        ++i;
        endRow();
    }
    // A last line without a line break.
    if (size > 0 && bytes[size - 1] != '\n' && bytes[size - 1] != '\r')
        endRow();
    TWorksheet sheet = builder.Build();
    sheet.BadByteLine = encoding.BadByteLine;
    return sheet;
}

} // namespace etikor
