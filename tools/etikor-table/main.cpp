// etikor-table: inspect and script the program's table files.
//
//   etikor-table dump [--partial] FILE
//   etikor-table create FILE FIELDS
//   etikor-table export FILE OUT.xls|OUT.xlsx
//
// dump prints the fields as name:code, the note, and one tab-separated line per record in
// storage order (UTF-8). create builds a new table from name:code definitions and one record per
// line of standard input (an empty line is a record with every field empty). export writes the
// records as the program's Excel export does (header row, number and text cells, EAN-13 check
// digits), as an Excel 2.x worksheet or, for a name ending in .xlsx, an Excel workbook, replacing
// the file without asking; more records than the format holds are refused. Exit codes: 0 done,
// 1 the table store reported an error or the records do not fit, 2 bad usage.

#include "StandardOptions.h"
#include "data/Cp1250.h"
#include "data/DatabaseError.h"
#include "data/DateTime.h"
#include "data/Field.h"
#include "data/FormatSettings.h"
#include "exchange/ExcelExport.h"
#include "tablestore/StoreCursor.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"
#include "tablestore/StoreTable.h"

#include <cctype>
#include <cstdio>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace etikor;

constexpr int kExitOk = 0;
constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

void printUsage(std::FILE* out) {
    std::fputs("usage: etikor-table dump [--partial] FILE\n"
               "       etikor-table create FILE FIELDS   (FIELDS: name:code, comma- or tab-separated)\n"
               "       etikor-table export FILE OUT.xls|OUT.xlsx\n",
               out);
}

int usage(const std::string& problem = {}) {
    if (!problem.empty())
        std::cerr << "etikor-table: " << problem << "\n";
    std::cerr.flush();
    printUsage(stderr);
    return kExitUsage;
}

// Tab, carriage return and line feed as \t, \r, \n so that a value stays within its column; a
// backslash as \\ so that the escapes cannot be mistaken for text.
std::string escapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

std::string hex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

bool unhex(std::string_view text, std::string& bytes) {
    auto value = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    if (text.size() % 2 != 0)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = value(text[i]), low = value(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

// "HH:MM:SS", with ".zzz" when the milliseconds are not 0.
std::string timeText(TDateTime value, const TFormatSettings& fs) {
    int h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return FormatDateTime(z != 0 ? "hh:nn:ss.zzz" : "hh:nn:ss", value, fs);
}

std::string valueText(const TStoreCursor& cursor, const TStoreValues& values, int index) {
    const TFormatSettings fs = TFormatSettings::Invariant();
    const TStoreField& field = cursor.Field(index);
    if (cursor.IsNull(values, index))
        return {};
    switch (field.FieldKind) {
    case TStoreFieldKind::SmallInt:
    case TStoreFieldKind::Integer:
    case TStoreFieldKind::AutoInc:
        return std::to_string(cursor.GetInteger(values, index));
    case TStoreFieldKind::Boolean:
        return cursor.GetBoolean(values, index) ? "True" : "False";
    case TStoreFieldKind::Double:
    case TStoreFieldKind::Currency:
        return FloatToStr(cursor.GetFloat(values, index), fs);
    case TStoreFieldKind::Date:
        return FormatDateTime("yyyy-mm-dd", StoreDayToDateTime(cursor.GetInteger(values, index)), fs);
    case TStoreFieldKind::Time:
        return timeText(StoreTimeToDateTime(cursor.GetInteger(values, index)), fs);
    case TStoreFieldKind::DateTime: {
        const TDateTime value = StoreMSecsToDateTime(cursor.GetFloat(values, index));
        return FormatDateTime("yyyy-mm-dd", value, fs) + " " + timeText(value, fs);
    }
    case TStoreFieldKind::SmallStr:
    case TStoreFieldKind::String:
    case TStoreFieldKind::Memo:
    case TStoreFieldKind::FmtMemo:
        return escapeControls(Cp1250ToUtf8(cursor.GetString(values, index)));
    case TStoreFieldKind::BLOB:
    case TStoreFieldKind::Graphic:
        return hex(cursor.GetString(values, index));
    case TStoreFieldKind::Unknown:
        break;
    }
    return {};
}

// Writes the text out once it has grown, so a large table is never held twice.
void flushSome(std::string& out, bool all = false) {
    if (all || out.size() >= (1u << 20)) {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    }
}

int dump(const std::string& path, bool partial) {
    // The table is read straight into the store's cursor: a dump needs no dataset around it.
    TStoreCursor cursor;
    {
        std::string image;
        if (!ReadWholeFile(path, image)) {
            std::cerr << ErrorOpeningFileText(path) << "\n";
            return kExitError;
        }
        std::string reason;
        if (!cursor.ReadFromStream(image, reason, partial)) {
            std::cerr << StoreMsg::ErrorOpeningTable << reason << "\n";
            return kExitError;
        }
        if (!reason.empty())
            std::cerr << reason << "\n";
    }
    std::string out;
    for (int i = 0; i < cursor.FieldCount(); ++i) {
        if (i > 0)
            out += '\t';
        out += Cp1250ToUtf8(cursor.Field(i).Name) + ":" + StoreTypeCode(cursor.Field(i));
        flushSome(out);
    }
    out += '\n';
    if (!cursor.Notes.empty())
        out += "#notes: " + escapeControls(Cp1250ToUtf8(cursor.Notes)) + "\n";
    for (const TStoreRecord* record : cursor.Records()) {
        if (record->Status == TStoreRecordStatus::Deleted || record->Status == TStoreRecordStatus::Dropped)
            continue;
        for (int i = 0; i < cursor.FieldCount(); ++i) {
            if (i > 0)
                out += '\t';
            out += valueText(cursor, record->Values, i);
        }
        out += '\n';
        flushSome(out);
    }
    flushSome(out, true);
    return std::fflush(stdout) == 0 ? kExitOk : kExitError;
}

// One field of a FIELDS list: "name:code" with the descriptor type codes (one letter or digit,
// or "s" with up to five digits of size).
bool parseFieldDef(std::string_view item, TFieldDef& def) {
    const std::size_t colon = item.rfind(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 >= item.size())
        return false;
    const std::string_view code = item.substr(colon + 1);
    TStoreField field;
    if ((code.size() > 1 && code[0] != 's') || code.size() > 6 || !ParseStoreTypeCode(code, field))
        return false;
    // Short strings by the codes a table made here is written with.
    if (field.FieldKind == TStoreFieldKind::SmallStr && !std::isdigit(static_cast<unsigned char>(code[0])) &&
        (code[0] < 'A' || code[0] > 'Z'))
        return false;
    def = FieldDefOfStoreField(field);
    def.Name = Utf8ToCp1250(item.substr(0, colon));
    return true;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find_first_of(separators, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

int create(const std::string& path, std::string_view fields) {
    TFieldDefs defs;
    for (std::string_view item : split(fields, ",\t")) {
        if (item.empty())
            continue;
        TFieldDef def;
        if (!parseFieldDef(item, def))
            return usage("bad field definition '" + std::string(item) + "'");
        defs.push_back(std::move(def));
    }
    if (defs.empty())
        return usage("no fields given");

    // Values on standard input use "." for decimals and ISO dates, whatever the machine's locale.
    SetFormatSettings(TFormatSettings::Invariant());
    TStoreTable table;
    try {
        table.SetTableName("");
        table.FieldDefs = defs;
        table.Open();
        std::string line;
        int lineNumber = 0;
        while (std::getline(std::cin, line)) {
            ++lineNumber;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            // An empty line is a record whose fields are all empty.
            const std::vector<std::string_view> values = split(line, "\t");
            table.Append();
            for (std::size_t i = 0; i < values.size() && i < static_cast<std::size_t>(table.FieldCount());
                 ++i) {
                if (values[i].empty())
                    continue;
                TField& field = table.Fields(static_cast<int>(i));
                switch (field.DataType()) {
                case TFieldType::ftBlob:
                case TFieldType::ftGraphic: {
                    std::string bytes;
                    if (!unhex(values[i], bytes))
                        throw EStoreError(
                            "Line " + std::to_string(lineNumber) + ": '" + std::string(values[i]) +
                            "' is not a hexadecimal value for field '" + field.FieldName() + "'");
                    field.SetAsString(bytes);
                    break;
                }
                default:
                    field.SetAsString(Utf8ToCp1250(values[i]));
                    break;
                }
            }
            table.Post();
        }
        table.SaveTable(path);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return kExitError;
    }
    return kExitOk;
}

int exportXls(const std::string& path, const std::string& out) {
    TStoreTable table;
    try {
        table.SetTableName(path);
        table.Open();
        const int rows = WriteExportFile(table, out);
        std::cerr << rows << " records written to " << out << "\n";
    } catch (const std::out_of_range&) {
        const int most = ExportRowLimit(ExportFormatOf(out)) - 1;
        std::cerr << "etikor-table: " << table.RecordCount() << " records do not fit "
                  << (ExportFormatOf(out) == TExportFormat::Xlsx ? "an Excel worksheet"
                                                                 : "an Excel 2.x worksheet")
                  << " (at most " << most << ")"
                  << (ExportFormatOf(out) == TExportFormat::Xlsx ? "" : "; write an .xlsx file instead")
                  << "\n";
        return kExitError;
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return kExitError;
    }
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> done = StandardOption(argc, argv, "etikor-table", printUsage))
        return *done;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    if (args[0] == "dump") {
        bool partial = false;
        std::vector<std::string> rest;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--partial")
                partial = true;
            else
                rest.push_back(args[i]);
        }
        if (rest.size() != 1)
            return usage();
        return dump(rest[0], partial);
    }
    if (args[0] == "create") {
        if (args.size() != 3)
            return usage();
        return create(args[1], args[2]);
    }
    if (args[0] == "export") {
        if (args.size() != 3)
            return usage();
        return exportXls(args[1], args[2]);
    }
    return usage("unknown command '" + args[0] + "'");
}
