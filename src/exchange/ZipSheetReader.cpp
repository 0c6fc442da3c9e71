// .xlsx and .ods workbooks: a zip container (libzip) holding the sheets as XML, read token by
// token while the part is being unpacked, so a part is never held whole. Only what a
// link needs is read: the first worksheet's cells as a spreadsheet shows them (shared strings
// and date styles for .xlsx; spacing elements, several paragraphs and no annotations for .ods).
// The unpacked size of every part is limited, and repeated cells and rows share their text.

#include "data/Cp1250.h"
#include "exchange/Worksheet.h"
#include "exchange/XmlTokens.h"

#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <unordered_map>

namespace etikor {

namespace {

class Zip {
public:
    explicit Zip(std::string_view bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source)
            FZip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (source && !FZip)
            zip_source_free(source);
        zip_error_fini(&error);
        if (!FZip)
            throw EWorksheetError("Damaged workbook (not a zip container)");
    }
    explicit Zip(const std::string& path, bool) {
        int error = 0;
        FZip = zip_open(path.c_str(), ZIP_RDONLY, &error);
        if (!FZip && (error == ZIP_ER_NOENT || error == ZIP_ER_OPEN || error == ZIP_ER_READ))
            throw EWorksheetError("File not found or not readable");
        if (!FZip)
            throw EWorksheetError("Damaged workbook (not a zip container)");
    }
    ~Zip() { zip_discard(FZip); }
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    bool Has(const std::string& name) const { return zip_name_locate(FZip, name.c_str(), 0) >= 0; }
    zip_t* Handle() const { return FZip; }

private:
    zip_t* FZip = nullptr;
};

// One part of the container as XML tokens, unpacked piece by piece as the reader needs them.
class XmlPart {
public:
    XmlPart(const Zip& zip, const std::string& name)
        : Xml([this](std::string& buffer) { return Feed(buffer); }), FName(name) {
        FFile = zip_fopen(zip.Handle(), name.c_str(), 0);
        if (!FFile)
            throw EWorksheetError("Damaged workbook (" + name +
                                  (zip.Has(name) ? " unreadable)" : " missing)"));
    }
    ~XmlPart() { zip_fclose(FFile); }
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    TXmlTokens Xml;
    TXmlTokens::Token Token = TXmlTokens::Token::Done;

    // The next token; false at the end of the part. A damaged part throws; a part that ends
    // early gives what it holds.
    bool Next() {
        try {
            Token = Xml.Next();
        } catch (const EWorksheetError&) {
            throw; // the part's own reason (too large, unreadable), not a damage of its XML
        } catch (const std::runtime_error& error) {
            throw EWorksheetError("Damaged workbook (" + FName + ": " + error.what() + ")");
        }
        return Token != TXmlTokens::Token::Done;
    }
    bool Start(std::string_view name) const { return Xml.IsStart(name); }
    bool End(std::string_view name) const { return Xml.IsEnd(name); }
    bool IsStart() const { return Token == TXmlTokens::Token::Start; }
    bool IsEnd() const { return Token == TXmlTokens::Token::End; }
    bool IsText() const { return Token == TXmlTokens::Token::Text; }
    // Skips the element just started, with everything in it.
    void SkipElement() {
        try {
            Xml.SkipElement();
        } catch (const EWorksheetError&) {
            throw;
        } catch (const std::runtime_error& error) {
            throw EWorksheetError("Damaged workbook (" + FName + ": " + error.what() + ")");
        }
    }

private:
    bool Feed(std::string& buffer) {
        char piece[1 << 16];
        const zip_int64_t got = zip_fread(FFile, piece, sizeof piece);
        if (got < 0)
            throw EWorksheetError("Damaged workbook (" + FName + " unreadable)");
        if (got == 0)
            return false;
        FUnpacked += static_cast<std::size_t>(got);
        if (FUnpacked > kMaxWorksheetPart)
            throw EWorksheetError("Workbook too large (" + FName + " more than " +
                                  std::to_string(kMaxWorksheetPart >> 20) + " MB)");
        buffer.append(piece, static_cast<std::size_t>(got));
        return true;
    }

    std::string FName;
    zip_file_t* FFile = nullptr;
    std::size_t FUnpacked = 0;
};

// A cell's text may not outgrow what a whole worksheet may hold.
void checkCellText(std::size_t size) {
    if (size > kMaxWorksheetText)
        throw EWorksheetError("Worksheet too large (more than " + std::to_string(kMaxWorksheetText >> 20) +
                              " MB of text)");
}

bool parseDouble(std::string_view text, double& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '+'))
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size() &&
           std::isfinite(value);
}

bool parseInteger(std::string_view text, long long& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// ---- .xlsx --------------------------------------------------------------------------------

// "B12" -> column 1 (0-based); -1 when it is no cell reference.
int columnOf(std::string_view reference) {
    int column = 0, letters = 0;
    for (const char c : reference) {
        if (c < 'A' || c > 'Z')
            break;
        column = column * 26 + (c - 'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters == 0 ? -1 : column - 1;
}

int hexDigit(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

// Text as the sheet shows it, in Windows-1250: the "_x000D_" escapes of characters XML cannot
// hold (and "_x005F_" for an underscore that starts such a sequence) resolved.
void appendShownText(std::string& out, std::string_view utf8) {
    std::size_t from = 0;
    for (std::size_t at = utf8.find("_x"); at != std::string_view::npos; at = utf8.find("_x", at + 1)) {
        if (at + 7 > utf8.size() || utf8[at + 6] != '_')
            continue;
        int code = 0;
        bool ok = true;
        for (std::size_t k = 2; k < 6; ++k) {
            const int digit = hexDigit(utf8[at + k]);
            ok = ok && digit >= 0;
            code = code * 16 + std::max(digit, 0);
        }
        if (!ok)
            continue;
        out += Utf8ToCp1250(utf8.substr(from, at - from));
        unsigned char byte = '?';
        out += static_cast<char>(UnicodeToCp1250(static_cast<char32_t>(code), byte) ? byte : '?');
        from = at + 7;
        at += 6;
    }
    out += Utf8ToCp1250(utf8.substr(from));
}

// The text of a shared or inline string: its runs, without the phonetic guides.
void readStringItem(XmlPart& part, std::string_view end, std::string& text) {
    int phonetic = 0;
    bool inText = false;
    std::string utf8;
    while (part.Next()) {
        if (part.End(end))
            break;
        if (part.Start("rPh"))
            ++phonetic;
        else if (part.End("rPh"))
            --phonetic;
        else if (part.Start("t"))
            inText = true;
        else if (part.End("t"))
            inText = false;
        else if (inText && phonetic == 0 && part.IsText()) {
            utf8 += part.Xml.Text();
            checkCellText(utf8.size());
        }
    }
    appendShownText(text, utf8);
}

void readSharedStrings(const Zip& zip, TWorksheetBuilder& builder) {
    if (!zip.Has("xl/sharedStrings.xml"))
        return;
    XmlPart part(zip, "xl/sharedStrings.xml");
    std::string text;
    while (part.Next()) {
        if (part.Start("si")) {
            text.clear();
            readStringItem(part, "si", text);
            builder.AddSharedText(text);
        }
    }
}

struct Workbook {
    std::string SheetPart = "xl/worksheets/sheet1.xml";
    bool System1904 = false;
};

// The first sheet's part (by the workbook's first sheet and its relationship, else sheet1.xml)
// and the date system.
Workbook readWorkbook(const Zip& zip) {
    Workbook book;
    if (!zip.Has("xl/workbook.xml"))
        return book;
    std::string id;
    {
        XmlPart part(zip, "xl/workbook.xml");
        while (part.Next()) {
            if (part.Start("workbookPr")) {
                const std::string value = part.Xml.Attribute("date1904");
                book.System1904 = value == "1" || value == "true";
            } else if (part.Start("sheet")) {
                id = part.Xml.Attribute("id");
                break;
            }
        }
    }
    if (id.empty() || !zip.Has("xl/_rels/workbook.xml.rels"))
        return book;
    XmlPart part(zip, "xl/_rels/workbook.xml.rels");
    while (part.Next()) {
        if (part.Start("Relationship") && part.Xml.Attribute("Id") == id) {
            const std::string target = part.Xml.Attribute("Target");
            book.SheetPart = !target.empty() && target[0] == '/' ? target.substr(1) : "xl/" + target;
            break;
        }
    }
    return book;
}

// For each cell style (the "s" of a cell): whether its number format shows a date or a time.
std::vector<TDateFormatKind> readDateStyles(const Zip& zip) {
    std::vector<TDateFormatKind> styles;
    if (!zip.Has("xl/styles.xml"))
        return styles;
    XmlPart part(zip, "xl/styles.xml");
    std::unordered_map<long long, TDateFormatKind> custom;
    bool inCellXfs = false;
    while (part.Next()) {
        long long id = 0;
        if (part.Start("numFmt")) {
            if (parseInteger(part.Xml.Attribute("numFmtId"), id) && custom.size() < 100000)
                custom[id] = DateFormatKindOfCode(part.Xml.Attribute("formatCode"));
        } else if (part.Start("cellXfs")) {
            inCellXfs = true;
        } else if (part.End("cellXfs")) {
            break;
        } else if (inCellXfs && part.Start("xf")) {
            if (styles.size() >= 100000)
                throw EWorksheetError("Workbook too large (styles)");
            const bool ok = parseInteger(part.Xml.Attribute("numFmtId"), id);
            const auto found = custom.find(id);
            styles.push_back(!ok                     ? TDateFormatKind{}
                             : found != custom.end() ? found->second
                             : id >= 0 && id < 1000  ? DateFormatKindOfBuiltIn(static_cast<int>(id))
                                                     : TDateFormatKind{});
        }
    }
    return styles;
}

TWorksheet readXlsx(const Zip& zip) {
    TWorksheetBuilder builder;
    readSharedStrings(zip, builder);
    const Workbook book = readWorkbook(zip);
    const std::vector<TDateFormatKind> styles = readDateStyles(zip);
    XmlPart part(zip, book.SheetPart);
    long long nextRow = 1;
    bool inRow = false;
    int nextColumn = 0;
    std::string value, inlineText;
    TRawCell cell;
    while (part.Next()) {
        if (part.Start("row")) {
            long long number = 0;
            if (parseInteger(part.Xml.Attribute("r"), number) && number > nextRow) {
                if (number - nextRow > static_cast<long long>(kMaxWorksheetCells))
                    throw EWorksheetError("Too many rows");
                builder.AddEmptyRows(static_cast<std::size_t>(number - nextRow));
                nextRow = number;
            }
            builder.BeginRow();
            inRow = true;
            nextColumn = 0;
        } else if (part.End("row") && inRow) {
            builder.EndRow();
            ++nextRow;
            inRow = false;
        } else if (part.Start("c") && inRow) {
            const std::string type = part.Xml.Attribute("t");
            int column = columnOf(part.Xml.Attribute("r"));
            if (column < 0)
                column = nextColumn;
            if (column >= kMaxWorksheetColumns)
                throw EWorksheetError("Too many columns (more than " + std::to_string(kMaxWorksheetColumns) +
                                      ")");
            nextColumn = column + 1;
            long long style = -1;
            const TDateFormatKind dateKind = parseInteger(part.Xml.Attribute("s"), style) && style >= 0 &&
                                                     static_cast<unsigned long long>(style) < styles.size()
                                                 ? styles[static_cast<std::size_t>(style)]
                                                 : TDateFormatKind{};
            value.clear();
            inlineText.clear();
            bool inValue = false;
            while (part.Next()) {
                if (part.End("c"))
                    break;
                if (part.Start("v"))
                    inValue = true;
                else if (part.End("v"))
                    inValue = false;
                else if (part.Start("is"))
                    readStringItem(part, "is", inlineText);
                else if (inValue && part.IsText()) {
                    value += part.Xml.Text();
                    checkCellText(value.size());
                }
            }
            cell = TRawCell();
            if (type == "s") {
                long long index = 0;
                if (parseInteger(value, index) && index >= 0)
                    builder.SetSharedCell(static_cast<std::size_t>(column), static_cast<std::size_t>(index));
                continue;
            }
            double number = 0;
            if (type == "inlineStr" || type == "str") {
                if (type == "str")
                    appendShownText(inlineText, value);
                cell.What = TRawCell::Kind::Text;
                cell.Text.swap(inlineText);
            } else if (type == "d") {
                // An ISO 8601 date: "2024-05-01T10:20:30".
                cell.Text = value.substr(0, 19);
                std::replace(cell.Text.begin(), cell.Text.end(), 'T', ' ');
                if (ParseWorksheetDateTime(cell.Text, cell.Number))
                    cell.What = TRawCell::Kind::DateTime;
            } else if (type != "e" && parseDouble(value, number)) {
                if (type == "b") {
                    cell.What = TRawCell::Kind::Number;
                    cell.Number = number != 0 ? 1 : 0;
                } else {
                    cell = SerialDateCell(number, book.System1904, dateKind);
                }
            }
            builder.SetCell(static_cast<std::size_t>(column), cell);
        }
    }
    return builder.Build();
}

// ---- .ods ---------------------------------------------------------------------------------

bool odsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A paragraph's text as a spreadsheet shows it (UTF-8): white space in the XML collapsed to
// single spaces (none at the start or end), <text:s text:c="n"/> as n spaces, <text:tab/> and
// <text:line-break/>; annotations, notes and drawings inside it left out.
class ParagraphText {
public:
    explicit ParagraphText(std::string& out) : FOut(out), FStart(out.size()) {}
    void Characters(std::string_view text) {
        for (const char c : text) {
            if (odsWhite(c)) {
                if (FOut.size() > FStart && !FLastWhite)
                    FPendingSpace = true;
                continue;
            }
            Flush();
            FOut += c;
            FLastWhite = false;
        }
        checkCellText(FOut.size());
    }
    void Spaces(std::size_t count, char space) {
        Flush();
        checkCellText(FOut.size() + count);
        FOut.append(count, space);
        FLastWhite = true;
    }

private:
    void Flush() {
        if (FPendingSpace)
            FOut += ' ';
        FPendingSpace = false;
    }
    std::string& FOut;
    std::size_t FStart;
    bool FPendingSpace = false;
    bool FLastWhite = false;
};

// Parts of a cell that are not its text: its comment, notes, drawings.
bool leftOutOfText(const TXmlTokens& xml) {
    const std::string_view name = xml.Name();
    return name == "annotation" || name == "note-body" || name == "ruby-text" || xml.Prefix() == "draw";
}

// The text of the paragraph just started, appended to `out` (UTF-8).
void readParagraph(XmlPart& part, std::string& out) {
    ParagraphText text(out);
    int depth = 1;
    while (depth > 0 && part.Next()) {
        if (part.IsStart()) {
            if (leftOutOfText(part.Xml)) {
                part.SkipElement();
                continue;
            }
            ++depth;
            const std::string_view name = part.Xml.Name();
            if (name == "s") {
                long long count = 1;
                if (!parseInteger(part.Xml.Attribute("c"), count) || count < 1)
                    count = 1;
                if (static_cast<unsigned long long>(count) > kMaxWorksheetText)
                    checkCellText(kMaxWorksheetText + 1);
                text.Spaces(static_cast<std::size_t>(count), ' ');
            } else if (name == "tab") {
                text.Spaces(1, '\t');
            } else if (name == "line-break") {
                text.Spaces(1, '\n');
            }
        } else if (part.IsEnd()) {
            --depth;
        } else if (part.IsText()) {
            text.Characters(part.Xml.Text());
        }
    }
}

// "PT10H20M30S" (a time cell's value) as the part of a day; false beyond a day or when it is
// no such duration.
bool odsTime(std::string_view text, double& value) {
    if (text.substr(0, 2) != "PT")
        return false;
    double seconds = 0;
    std::size_t at = 2;
    bool any = false;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.'))
            ++end;
        if (end == at || end >= text.size())
            return false;
        double number = 0;
        if (!parseDouble(text.substr(at, end - at), number))
            return false;
        const char unit = text[end];
        if (unit != 'H' && unit != 'M' && unit != 'S')
            return false;
        seconds += number * (unit == 'H' ? 3600 : unit == 'M' ? 60 : 1);
        any = true;
        at = end + 1;
    }
    if (!any || seconds >= 86400)
        return false;
    value = std::round(seconds) / 86400;
    return true;
}

long long repeatOf(const TXmlTokens& xml, std::string_view name) {
    long long repeat = 1;
    if (!parseInteger(xml.Attribute(name), repeat) || repeat < 1)
        repeat = 1;
    return repeat;
}

TWorksheet readOds(const Zip& zip) {
    XmlPart part(zip, "content.xml");
    TWorksheetBuilder builder;
    int tables = 0;
    std::string text;
    while (part.Next()) {
        if (!part.IsStart())
            continue;
        if (part.Xml.Name() == "table") {
            if (++tables > 1)
                break; // the first sheet only
            continue;
        }
        if (tables != 1 || part.Xml.Name() != "table-row")
            continue;
        const long long rowRepeat = repeatOf(part.Xml, "number-rows-repeated");
        builder.BeginRow();
        std::size_t column = 0;
        while (part.Next()) {
            if (part.End("table-row"))
                break;
            if (!part.IsStart() ||
                (part.Xml.Name() != "table-cell" && part.Xml.Name() != "covered-table-cell"))
                continue;
            const long long repeat = repeatOf(part.Xml, "number-columns-repeated");
            const std::string type = part.Xml.Attribute("value-type");
            TRawCell cell;
            if (type == "float" || type == "percentage" || type == "currency") {
                if (parseDouble(part.Xml.Attribute("value"), cell.Number))
                    cell.What = TRawCell::Kind::Number;
            } else if (type == "boolean") {
                cell.What = TRawCell::Kind::Number;
                cell.Number = part.Xml.Attribute("boolean-value") == "true" ? 1 : 0;
            } else if (type == "date") {
                // "2024-05-01" or "2024-05-01T10:20:30[.123]".
                cell.Text = part.Xml.Attribute("date-value").substr(0, 19);
                std::replace(cell.Text.begin(), cell.Text.end(), 'T', ' ');
                if (ParseWorksheetDateTime(cell.Text, cell.Number))
                    cell.What = TRawCell::Kind::DateTime;
            } else if (type == "time") {
                if (odsTime(part.Xml.Attribute("time-value"), cell.Number)) {
                    cell.What = TRawCell::Kind::DateTime;
                    cell.Text = WorksheetDateTimeText(cell.Number, false, true);
                }
            }
            text.clear();
            int paragraphs = 0;
            while (part.Next()) {
                if (part.End("table-cell") || part.End("covered-table-cell"))
                    break;
                if (!part.IsStart())
                    continue;
                if (part.Xml.Name() == "p" || part.Xml.Name() == "h") {
                    if (paragraphs++ > 0)
                        text += '\n';
                    readParagraph(part, text);
                } else if (leftOutOfText(part.Xml)) {
                    part.SkipElement(); // annotations, drawings
                }
            }
            if (cell.What == TRawCell::Kind::Null && !text.empty()) {
                cell.What = TRawCell::Kind::Text;
                cell.Text = Utf8ToCp1250(text);
            } else if (cell.What != TRawCell::Kind::DateTime) {
                cell.Text.clear();
            }
            const auto columns =
                static_cast<std::size_t>(std::min<long long>(repeat, kMaxWorksheetColumns + 1));
            if (cell.What != TRawCell::Kind::Null)
                builder.SetCell(column, cell, columns);
            column = std::min(column + columns, static_cast<std::size_t>(kMaxWorksheetColumns) + 1);
        }
        // Trailing empty rows are often repeated a million times: counted, not kept.
        builder.EndRow(static_cast<std::size_t>(std::min<long long>(rowRepeat, kMaxWorksheetCells + 1)));
    }
    return builder.Build();
}

} // namespace

TWorksheet ReadXlsx(std::string_view bytes) {
    return readXlsx(Zip(bytes));
}

TWorksheet ReadOds(std::string_view bytes) {
    return readOds(Zip(bytes));
}

TWorksheet ReadXlsxFile(const std::string& path) {
    return readXlsx(Zip(path, true));
}

TWorksheet ReadOdsFile(const std::string& path) {
    return readOds(Zip(path, true));
}

} // namespace etikor
