#include "exchange/Worksheet.h"

#include "data/Cp1250.h"
#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "exchange/ChildProcessLimits.h"
#include "exchange/FieldList.h"
#include "exchange/WorksheetDataSet.h"
#include "support/KilledSave.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace etikor {
namespace {

using test::ScriptedModal;
using test::TempDir;
using test::WriteFileBytes;

const std::string kFixture = std::string(ETIKOR_EXCHANGE_FIXTURES) + "/linked.xls";

// linked.xls (made by fixtures/make_linked_xls.py): 25 rows under a header row, the first sheet
// of two.
TEST(LinkedWorkbook, FirstSheetAsReadOnlyDataSet) {
    TWorksheetDataSet sheet;
    sheet.Name = "KT1";
    sheet.FileName = kFixture;
    sheet.Open();
    EXPECT_EQ(sheet.RecordCount(), 25);
    ASSERT_EQ(sheet.FieldCount(), 4);
    EXPECT_EQ(sheet.Fields(0).FieldName(), "Cikkszam");
    EXPECT_EQ(sheet.Fields(1).FieldName(), "Megnevez\xE9s");
    EXPECT_EQ(sheet.Fields(3).FieldName(), "Raktarikeszletszamok");
    EXPECT_FALSE(sheet.CanModify());
    EXPECT_THROW(sheet.Edit(), EDatabaseError);
    sheet.Last();
    EXPECT_EQ(sheet.Fields(0).AsString(), "5990000000025");
    EXPECT_EQ(sheet.Fields(1).AsString(), Utf8ToCp1250("Árvíztűrő tükörfúrógép 25"));
    EXPECT_EQ(sheet.Fields(2).AsFloat(), 262.5);
    EXPECT_EQ(sheet.Fields(3).AsInteger(), 25);
}

TEST(LinkedWorkbook, FieldListEntries) {
    TDM dm;
    TWorksheetDataSet sheet;
    sheet.FileName = kFixture;
    ScriptedModal modal;
    ASSERT_TRUE(RebuildFieldList(dm, sheet));
    const std::vector<TFieldListEntry> list = dm.FieldList();
    ASSERT_EQ(list.size(), 4u);
    const struct {
        std::string name, type;
        int size;
    } expected[] = {
        {"Cikkszam       ", "ftString", 255},    // padded to 15
        {"Megnevez\xE9s     ", "ftString", 255}, // accented header, Windows-1250
        {"Ar             ", "ftFloat", 0},       // numeric column
        {"Raktarikeszlets", "ftFloat", 0},       // 20 characters cut to 15
    };
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].Name, expected[i].name) << i;
        EXPECT_EQ(list[i].Type, expected[i].type) << i;
        EXPECT_EQ(list[i].Size, expected[i].size) << i;
    }
}

TEST(LinkedWorkbook, BrokenWorkbookGivesTheMessageAndAnEmptyList) {
    TempDir dir;
    TDM dm;
    TWorksheetDataSet good;
    good.FileName = kFixture;
    {
        ScriptedModal modal;
        ASSERT_TRUE(RebuildFieldList(dm, good));
    }
    const struct {
        std::string bytes;
        const char* why;
    } cases[] = {
        {"", "empty file"},
        {"this is not a workbook", "text"},
        {std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'), "a damaged container"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(dir.path() / "rossz.xls", c.bytes);
        TWorksheetDataSet sheet;
        sheet.Name = "KT1";
        sheet.FileName = dir.file("rossz.xls");
        ScriptedModal modal;
        modal.ExpectMessageStartingWith("H", "Hibás tábla file! (Hibakód: KT1: ");
        EXPECT_FALSE(RebuildFieldList(dm, sheet)) << c.why;
        modal.Verify();
        EXPECT_TRUE(modal.Log().back().endsWith(")")) << c.why;
        EXPECT_TRUE(dm.FieldList().empty()) << c.why;
    }
}

TEST(LinkedWorkbook, MissingFileIsADatabaseError) {
    TWorksheetDataSet sheet;
    sheet.Name = "KT1";
    sheet.FileName = "/nonexistent/folder/x.xls";
    try {
        sheet.Open();
        FAIL() << "opened";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(std::string(error.what()), "KT1: File not found or not readable");
    }
    EXPECT_FALSE(sheet.Active());
}

std::vector<std::string> texts(const TWorksheet& sheet, std::size_t row) {
    std::vector<std::string> out;
    for (const TVariant& v : sheet.Rows.at(row))
        out.push_back(v.ToString());
    return out;
}

std::vector<std::string> names(const TWorksheet& sheet) {
    std::vector<std::string> out;
    for (const TFieldDef& def : sheet.Columns)
        out.push_back(def.Name);
    return out;
}

using Strings = std::vector<std::string>;

TEST(CsvReader, SeparatorsQuotingAndLineEnds) {
    const struct {
        std::string csv;
        Strings header;
        std::vector<Strings> rows;
        const char* why;
    } cases[] = {
        {"a;b\r\n1x;2y\r\n", {"a", "b"}, {{"1x", "2y"}}, "semicolons, CR LF"},
        {"a,b\nx,y\n", {"a", "b"}, {{"x", "y"}}, "commas, LF"},
        {"a,b;c,d\rx,y;z,w",
         {"a", "b;c", "d"},
         {{"x", "y;z", "w"}},
         "more commas than semicolons; CR; no final break"},
        {"a;b,c\nx;y,z\n", {"a", "b,c"}, {{"x", "y,z"}}, "a tie goes to semicolons"},
        {"\"a;1\";\"b\"\"q\"\"\"\n\"two\nlines\";x\n",
         {"a;1", "b\"q\""},
         {{"two\nlines", "x"}},
         "quoted separator, doubled quote, line break in quotes"},
        {"only\nx\n", {"only"}, {{"x"}}, "no separator at all"},
        {"a;b\n\n\nx;y\n\n",
         {"a", "b"},
         {{"", ""}, {"", ""}, {"x", "y"}},
         "inner empty lines kept, trailing ones dropped"},
        {"a;;c\nx\n", {"a", "F2", "c"}, {{"x", "", ""}}, "unnamed column and a short row"},
        {"a;a\n1x;2x\n", {"a", "F2"}, {{"1x", "2x"}}, "a repeated name"},
    };
    for (const auto& c : cases) {
        const TWorksheet sheet = ReadCsv(c.csv);
        EXPECT_EQ(names(sheet), c.header) << c.why;
        ASSERT_EQ(sheet.Rows.size(), c.rows.size()) << c.why;
        for (std::size_t r = 0; r < c.rows.size(); ++r)
            EXPECT_EQ(texts(sheet, r), c.rows[r]) << c.why << " row " << r;
    }
}

TEST(CsvReader, EncodingUtf8OrWindows1250) {
    const std::string expected = "\xC1rv\xEDzt\xFBr\xF5";
    EXPECT_EQ(ReadCsv("N\n\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91\n").Rows.at(0).at(0).ToString(), expected)
        << "UTF-8";
    EXPECT_EQ(ReadCsv("\xEF\xBB\xBFN\n\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91\n").Columns.at(0).Name, "N")
        << "byte order mark dropped";
    EXPECT_EQ(ReadCsv("N\n" + expected + "\n").Rows.at(0).at(0).ToString(), expected) << "Windows-1250";
}

// Number formats for one test; the previous ones afterwards.
class FormatsScope {
public:
    explicit FormatsScope(const TFormatSettings& formats) : FSaved(FormatSettings()) {
        SetFormatSettings(formats);
    }
    ~FormatsScope() { SetFormatSettings(FSaved); }
    FormatsScope(const FormatsScope&) = delete;
    FormatsScope& operator=(const FormatsScope&) = delete;

private:
    TFormatSettings FSaved;
};

TEST(CsvReader, ColumnTypes) {
    // A Hungarian desktop shows 12.5 as "12,5": written so, it is a number.
    const FormatsScope hungarian(TFormatSettings::Hungarian());
    const TWorksheet sheet = ReadCsv("Kod;Ar;Db;Vegyes;Idezett\n"
                                     "0123;12,5;3;1;\"4\"\n"
                                     "0456;-1;4;x;\"5\"\n");
    ASSERT_EQ(sheet.Columns.size(), 5u);
    EXPECT_EQ(sheet.Columns[0].DataType, TFieldType::ftString) << "leading zeros: codes stay text";
    EXPECT_EQ(sheet.Columns[1].DataType, TFieldType::ftFloat) << "decimal comma with ; separators";
    EXPECT_EQ(sheet.Columns[2].DataType, TFieldType::ftFloat);
    EXPECT_EQ(sheet.Columns[3].DataType, TFieldType::ftString) << "mixed";
    EXPECT_EQ(sheet.Columns[4].DataType, TFieldType::ftString) << "quoted numbers are text";
    EXPECT_EQ(sheet.Rows[0][1].ToDouble(), 12.5);
    EXPECT_EQ(sheet.Rows[0][0].ToString(), "0123");
    EXPECT_EQ(sheet.Rows[0][3].ToString(), "1");
    EXPECT_EQ(sheet.Columns[0].Size, kWorksheetTextSize);
}

// A value reaches the label exactly as written: a column is a number column only when every
// value in it is the number the program shows with the same characters.
TEST(CsvReader, ValuesArriveAsWritten) {
    const struct {
        TFormatSettings formats;
        std::string value;
        bool number;
        const char* why;
    } cases[] = {
        {TFormatSettings::Invariant(), "123456789012345678", false, "an 18-digit SSCC"},
        {TFormatSettings::Invariant(), "1234567890123456", false, "16 digits"},
        {TFormatSettings::Invariant(), "123456789012345", true, "15 digits show as written"},
        {TFormatSettings::Invariant(), "12.50", false, "a trailing zero"},
        {TFormatSettings::Invariant(), "+36", false, "a plus sign"},
        {TFormatSettings::Invariant(), "-0", false, "a negative zero"},
        {TFormatSettings::Invariant(), "1e5", false, "an exponent"},
        {TFormatSettings::Invariant(), "0599", false, "a leading zero"},
        {TFormatSettings::Invariant(), " 12", false, "a leading space"},
        {TFormatSettings::Invariant(), "12.5", true, "a decimal point where the program shows one"},
        {TFormatSettings::Invariant(), "-7", true, "a negative integer"},
        {TFormatSettings::Invariant(), "12,5", false, "a decimal comma where the program shows a point"},
        {TFormatSettings::Hungarian(), "12,5", true, "a decimal comma on a Hungarian desktop"},
        {TFormatSettings::Hungarian(), "12.5", false, "a decimal point on a Hungarian desktop"},
    };
    for (const auto& c : cases) {
        const FormatsScope formats(c.formats);
        const TWorksheet sheet = ReadCsv("Kod;Db\n" + c.value + ";1\n");
        ASSERT_EQ(sheet.Rows.size(), 1u) << c.why;
        EXPECT_EQ(sheet.Columns[0].DataType, c.number ? TFieldType::ftFloat : TFieldType::ftString) << c.why;
        EXPECT_EQ(sheet.Rows[0][0].ToString(), c.value) << c.why;
    }
    // One value that a number would change makes the whole column text, every value as written.
    const FormatsScope formats(TFormatSettings::Invariant());
    const TWorksheet mixed = ReadCsv("Ar\n3\n12.50\n-1\n");
    EXPECT_EQ(mixed.Columns[0].DataType, TFieldType::ftString);
    EXPECT_EQ(texts(mixed, 0), Strings{"3"});
    EXPECT_EQ(texts(mixed, 1), Strings{"12.50"});
    EXPECT_EQ(texts(mixed, 2), Strings{"-1"});
}

// "Név" is UTF-8 throughout, one "ö" was typed in Windows-1250: the file stays UTF-8 and the
// line of that byte is kept for the message.
TEST(CsvReader, Utf8WithAFewBadBytesStaysUtf8) {
    const struct {
        std::string csv;
        Strings header;
        Strings last;
        std::size_t badLine;
        const char* why;
    } cases[] = {
        {"N\xC3\xA9v;K\xC3\xB3"
         "d\nAlma;\xC3\xA9les\nK\xF6rte;\xC3\xA1ll\n",
         {"N\xE9v", "K\xF3"
                    "d"},
         {"K\xF6rte", "\xE1ll"},
         3,
         "one Windows-1250 byte on line 3"},
        {"N\xC3\xA9v\r\n\x96\r\n\xC3\xA9\r\n\xC3\xA9\r\n", {"N\xE9v"}, {"\xE9"}, 2, "CR LF lines"},
        {"N\xE9v;K\xF3"
         "d\nK\xF6rte;\xE1ll\n",
         {"N\xE9v", "K\xF3"
                    "d"},
         {"K\xF6rte", "\xE1ll"},
         0,
         "Windows-1250 throughout"},
        {"N\xC3\xA9v;K\xC3\xB3"
         "d\nK\xC3\xB6rte;\xC3\xA1ll\n",
         {"N\xE9v", "K\xF3"
                    "d"},
         {"K\xF6rte", "\xE1ll"},
         0,
         "UTF-8 throughout"},
    };
    for (const auto& c : cases) {
        const TWorksheet sheet = ReadCsv(c.csv);
        EXPECT_EQ(names(sheet), c.header) << c.why;
        ASSERT_GE(sheet.Rows.size(), 1u) << c.why;
        EXPECT_EQ(texts(sheet, sheet.Rows.size() - 1), c.last) << c.why;
        EXPECT_EQ(sheet.BadByteLine, c.badLine) << c.why;
    }
}

TEST(CsvReader, NulBytesStayInTheValue) {
    const std::string nul(1, '\0');
    const TWorksheet sheet = ReadCsv("Kod;Db\nA" + nul + "B;\"x" + nul + "y\"\n");
    ASSERT_EQ(sheet.Rows.size(), 1u);
    EXPECT_EQ(texts(sheet, 0), (Strings{"A" + nul + "B", "x" + nul + "y"}));
}

TEST(CsvReader, HostileInputsStopWithAReason) {
    EXPECT_THROW(ReadCsv("a\n\"never closed"), EWorksheetError);
    EXPECT_THROW(ReadCsv(std::string(kMaxWorksheetColumns + 1, ';')), EWorksheetError);
    std::string tall = "a;b;c;d\n";
    const std::string line = "1;2;3;4\n";
    for (std::size_t i = 0; i < kMaxWorksheetCells / 4 + 1; ++i)
        tall += line;
    EXPECT_THROW(ReadCsv(tall), EWorksheetError);
    // Few cells, but every row is held as wide as the widest: one wide header over many rows.
    std::string wide = std::string(999, ';') + "z\n";
    for (std::size_t i = 0; i < kMaxWorksheetCells / 1000 + 1; ++i)
        wide += "x\n";
    EXPECT_THROW(ReadCsv(wide), EWorksheetError);
    EXPECT_EQ(ReadCsv("").Columns.size(), 0u);
}

TEST(CsvReader, LinkedAsADataSetByItsExtension) {
    TempDir dir;
    WriteFileBytes(dir.path() / "adat.CSV", "Cikkszam;Ar\n599;10\n600;11\n");
    TWorksheetDataSet sheet;
    sheet.FileName = dir.file("adat.CSV");
    sheet.Open();
    EXPECT_EQ(sheet.RecordCount(), 2);
    EXPECT_EQ(sheet.FieldByName("Ar").AsFloat(), 10);
}

// A worksheet written in place (it has another hard link) by a process killed part-way reads as
// it was before the write: the rollback copy left beside it is put back first.
TEST(WorksheetFile, WriteCutOffByAKillReadsAsTheOldSheet) {
    TempDir dir;
    const std::string path = dir.file("adat.csv");
    SaveImageToFile(path, "Cikkszam;Ar\n599;10\n");
    std::filesystem::create_hard_link(path, dir.path() / "masik.csv");
    ASSERT_TRUE(test::SaveKilledPartWay(path, 3u << 20));
    const TWorksheet sheet = ReadWorksheetFile(path);
    ASSERT_EQ(sheet.Columns.size(), 2u);
    ASSERT_EQ(sheet.Rows.size(), 1u);
}

// The .xls reader's child hands its worksheet over as bytes: a sheet without cells (no
// columns, or columns and no rows) crosses too. Its empty cell and row lists were copied from
// a null pointer, which the undefined-behaviour sanitizer reports.
TEST(WorksheetTransfer, ASheetWithoutCellsCrossesFromTheReadersChild) {
    for (const int columns : {0, 2}) {
        SCOPED_TRACE(columns);
        TWorksheet sheet;
        for (int c = 0; c < columns; ++c)
            sheet.Columns.push_back({"Oszlop" + std::to_string(c), TFieldType::ftString, 20});
        const TWorksheet back = DeserializeWorksheet(SerializeWorksheet(sheet));
        EXPECT_EQ(back.Columns.size(), static_cast<std::size_t>(columns));
        EXPECT_TRUE(back.Rows.empty());
    }
}

TEST(WorksheetDateTime, FormatsTheReadersGive) {
    double v = 0;
    EXPECT_TRUE(ParseWorksheetDateTime("1899-12-31", v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(ParseWorksheetDateTime("1899-12-30 12:00:00", v));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(ParseWorksheetDateTime("06:00:00", v));
    EXPECT_EQ(v, 0.25);
    for (const char* bad : {"", "2024-13-01", "2024-01-01x", "12:00", "2024-02-30"})
        EXPECT_FALSE(ParseWorksheetDateTime(bad, v)) << bad;
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

std::string rec(uint16_t id, const std::string& body) {
    std::string r;
    r += static_cast<char>(id & 0xFF);
    r += static_cast<char>(id >> 8);
    r += static_cast<char>(body.size() & 0xFF);
    r += static_cast<char>(body.size() >> 8);
    return r + body;
}

std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// A BIFF5 stream as small writers produce it: 16-bit text counts, RK and boolean cells.
TEST(BiffStream, Biff5CellKinds) {
    const std::string cell00 = le(0, 2) + le(0, 2) + le(0, 2);
    const std::string stream =
        rec(0x0809, le(0x0500, 2) + le(0x10, 2) + le(0, 4)) + rec(0x0204, cell00 + le(3, 2) + "Kod") +
        rec(0x0204, le(0, 2) + le(1, 2) + le(0, 2) + le(2, 2) + "Db") +
        rec(0x027E, le(1, 2) + le(0, 2) + le(0, 2) + le((1234u << 2) | 2, 4)) +                // integer RK
        rec(0x0203, le(1, 2) + le(1, 2) + le(0, 2) + std::string("\0\0\0\0\0\0\x04\x40", 8)) + // 2.5
        rec(0x027E, le(2, 2) + le(0, 2) + le(0, 2) + le((12345u << 2) | 3, 4)) +               // 123.45
        rec(0x0205, le(2, 2) + le(1, 2) + le(0, 2) + std::string("\x01\x00", 2)) +             // TRUE
        rec(0x000A, "") + rec(0x0204, cell00 + le(1, 2) + "X"); // after the end
    const TWorksheet sheet = ReadBiffStream(stream);
    EXPECT_EQ(names(sheet), (Strings{"Kod", "Db"}));
    ASSERT_EQ(sheet.Rows.size(), 2u);
    EXPECT_EQ(sheet.Rows[0][0].ToDouble(), 1234);
    EXPECT_EQ(sheet.Rows[0][1].ToDouble(), 2.5);
    EXPECT_DOUBLE_EQ(sheet.Rows[1][0].ToDouble(), 123.45);
    EXPECT_EQ(sheet.Rows[1][1].ToDouble(), 1);
}

// A BIFF8 workbook stream whose cells come out of row order (allowed, if rare): sorted, and a
// later cell at the same place replaces the earlier one.
TEST(XlsWorkbookStream, CellsOutOfRowOrder) {
    const auto number = [](uint16_t row, double value) {
        std::string bits(8, '\0');
        std::memcpy(bits.data(), &value, 8);
        return rec(0x0203, le(row, 2) + le(0, 2) + le(0, 2) + bits);
    };
    const std::string bof = rec(0x0809, le(0x0600, 2) + le(0x0010, 2) + std::string(12, '\0'));
    const std::string sheet =
        bof + number(2, 3) +
        rec(0x0204, le(0, 2) + le(0, 2) + le(0, 2) + le(3, 2) + std::string(1, '\0') + "Kod") +
        rec(0x027E, le(1, 2) + le(0, 2) + le(0, 2) + le((7u << 2) | 2, 4)) + number(2, 5) + rec(0x000A, "");
    const std::string name = le(1, 1) + std::string(1, '\0') + "A";
    const std::size_t globalsSize = bof.size() + 4 + 6 + name.size() + 4;
    const std::string globals =
        bof + rec(0x0085, le(static_cast<uint32_t>(globalsSize), 4) + le(0, 2) + name) + rec(0x000A, "");
    ASSERT_EQ(globals.size(), globalsSize);
    const std::optional<TWorksheet> read = ReadXlsWorkbookStream(globals + sheet);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(names(*read), Strings{"Kod"});
    ASSERT_EQ(read->Rows.size(), 2u);
    EXPECT_EQ(read->Rows[0][0].ToDouble(), 7);
    EXPECT_EQ(read->Rows[1][0].ToDouble(), 5);
}

TEST(BiffStream, DamagedStreamsStopWithAReason) {
    const std::string bof = rec(0x0009, le(0, 2) + le(0x10, 2));
    const std::string label = rec(0x0004, le(0, 2) + le(0, 2) + std::string(3, '\0') + "\x02" + "ab");
    const struct {
        std::string bytes;
        const char* why;
    } cases[] = {
        {bof + label, "no end of file record"},
        {bof + label.substr(0, label.size() - 1) + rec(0x000A, ""), "a record longer than the file"},
        {bof + rec(0x0004, le(0, 2) + le(0, 2) + std::string(3, '\0') + "\x09" + "ab") + rec(0x000A, ""),
         "a text count beyond its record"},
        {bof + rec(0x0003, le(0, 2) + le(0, 2) + std::string(3, '\0') + "1234") + rec(0x000A, ""),
         "a short number"},
        {bof + rec(0x0004, le(0, 2) + le(5000, 2) + std::string(3, '\0') + "\x01" + "a") + rec(0x000A, ""),
         "a column beyond the limit"},
        {"\x01\x02\x03\x04", "no beginning of file"},
    };
    for (const auto& c : cases)
        EXPECT_THROW(ReadBiffStream(c.bytes), EWorksheetError) << c.why;
    EXPECT_EQ(names(ReadBiffStream(bof + label + rec(0x000A, ""))), Strings{"ab"});
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

std::string fixtureBytes(const char* name) {
    return test::ReadFileBytes(std::string(ETIKOR_EXCHANGE_FIXTURES) + "/" + name);
}

// linked.xlsx (fixtures/make_zip_sheets.py): the workbook's first sheet is sheet2.xml.
TEST(ZipWorkbooks, XlsxFirstSheetSharedStringsAndGaps) {
    const TWorksheet sheet = ReadXlsx(fixtureBytes("linked.xlsx"));
    EXPECT_EQ(names(sheet), (Strings{"Cikkszam", "Megnevez\xE9s", "Ar"}));
    ASSERT_EQ(sheet.Rows.size(), 4u);
    EXPECT_EQ(texts(sheet, 0), (Strings{"0599", "Alma piros", "12.5"}))
        << "rich text runs joined, phonetic left out";
    EXPECT_EQ(texts(sheet, 1), (Strings{"", "", ""})) << "the skipped row";
    EXPECT_EQ(texts(sheet, 2), (Strings{"0600", "", "3"}));
    EXPECT_TRUE(sheet.Rows[3][1].IsNull()) << "an error cell is empty";
    EXPECT_EQ(sheet.Columns[2].DataType, TFieldType::ftFloat);
    EXPECT_EQ(sheet.Columns[0].DataType, TFieldType::ftString);
}

TEST(ZipWorkbooks, OdsRepeatedCellsAndRowsAndDates) {
    const TWorksheet sheet = ReadOds(fixtureBytes("linked.ods"));
    EXPECT_EQ(names(sheet), (Strings{"Cikkszam", "Megnevez\xE9s", "Ar", "Nap"}));
    ASSERT_EQ(sheet.Rows.size(), 3u) << "the repeated row twice, the million empty ones dropped";
    EXPECT_EQ(sheet.Columns[2].DataType, TFieldType::ftFloat);
    EXPECT_EQ(sheet.Columns[3].DataType, TFieldType::ftDateTime);
    EXPECT_EQ(sheet.Rows[0][2].ToDouble(), 12.5);
    EXPECT_EQ(sheet.Rows[0][0].ToString(), "0599");
    EXPECT_EQ(texts(sheet, 1), texts(sheet, 2));
    EXPECT_TRUE(sheet.Rows[1][1].IsNull());
    double may2 = 0;
    ASSERT_TRUE(ParseWorksheetDateTime("2024-05-02 10:20:30", may2));
    EXPECT_DOUBLE_EQ(sheet.Rows[1][3].ToDateTime(), may2);
}

TEST(ZipWorkbooks, LinkedByExtensionAndDamagedOnesStopWithAReason) {
    TempDir dir;
    std::filesystem::copy_file(std::string(ETIKOR_EXCHANGE_FIXTURES) + "/linked.xlsx", dir.path() / "a.XLSX");
    TWorksheetDataSet sheet;
    sheet.FileName = dir.file("a.XLSX");
    sheet.Open();
    EXPECT_EQ(sheet.RecordCount(), 4);
    const std::string ods = fixtureBytes("linked.ods");
    const struct {
        std::string bytes;
        bool xlsx;
        const char* why;
    } cases[] = {
        {"", true, "empty"},
        {"PK\x03\x04 not really", true, "a broken zip"},
        {ods, true, "a zip without the sheet"},
        {fixtureBytes("linked.xlsx"), false, "a zip without content.xml"},
        {ods.substr(0, ods.size() / 2), false, "cut in half"},
    };
    for (const auto& c : cases)
        EXPECT_THROW(c.xlsx ? ReadXlsx(c.bytes) : ReadOds(c.bytes), EWorksheetError) << c.why;
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

double dateOf(const char* text) {
    double value = 0;
    EXPECT_TRUE(ParseWorksheetDateTime(text, value)) << text;
    return value;
}

std::vector<TFieldType> types(const TWorksheet& sheet) {
    std::vector<TFieldType> out;
    for (const TFieldDef& def : sheet.Columns)
        out.push_back(def.DataType);
    return out;
}

// formulas.xls (fixtures/make_value_sheets.py): formula cells saved with their results, which
// xlrd and every spreadsheet program show.
TEST(XlsWorkbook, FormulaCellsGiveTheirStoredResults) {
    const TWorksheet sheet = ReadXlsFile(std::string(ETIKOR_EXCHANGE_FIXTURES) + "/formulas.xls");
    EXPECT_EQ(names(sheet),
              (Strings{"Szam", "Dupla", "Kod", "Nagy", "Nap", "Hosszu", "Datum", "Pontos", "Ido"}));
    const TFieldType f = TFieldType::ftFloat, s = TFieldType::ftString, d = TFieldType::ftDateTime;
    EXPECT_EQ(types(sheet), (std::vector<TFieldType>{f, f, s, f, d, s, d, d, d}));
    ASSERT_EQ(sheet.Rows.size(), 3u);
    for (std::size_t r = 0; r < 3; ++r) {
        const double n = static_cast<double>(r + 1);
        EXPECT_EQ(sheet.Rows[r][1].ToDouble(), 2 * n) << "a number result, row " << r;
        EXPECT_EQ(sheet.Rows[r][2].ToString(), "X" + std::to_string(r + 1)) << "a text result, row " << r;
        EXPECT_EQ(sheet.Rows[r][3].ToDouble(), r > 0 ? 1 : 0) << "a boolean result, row " << r;
    }
    EXPECT_EQ(sheet.Rows[0][4].ToDateTime(), dateOf("2024-05-01")) << "a date result by its cell's format";
    EXPECT_EQ(sheet.Rows[2][4].ToDateTime(), dateOf("2024-05-03"));
    EXPECT_EQ(sheet.Rows[1][6].ToDateTime(), dateOf("2024-05-02")) << "a date cell";
    EXPECT_DOUBLE_EQ(sheet.Rows[1][7].ToDateTime(), dateOf("2024-05-02 10:20:30")) << "a date-time cell";
    EXPECT_DOUBLE_EQ(sheet.Rows[1][8].ToDateTime(), dateOf("02:30:00")) << "a time cell";
}

// The same workbooks through FreeXL give the same columns and values, but for formula cells,
// which FreeXL leaves empty.
TEST(XlsWorkbook, ReadsAsFreeXlDoesBesideFormulas) {
    const struct {
        const char* file;
        std::vector<std::size_t> formulaColumns;
    } cases[] = {{"linked.xls", {}}, {"formulas.xls", {1, 2, 3, 4}}};
    for (const auto& c : cases) {
        const std::string path = std::string(ETIKOR_EXCHANGE_FIXTURES) + "/" + c.file;
        const std::optional<TWorksheet> own = ReadXlsWorkbook(test::ReadFileBytes(path));
        ASSERT_TRUE(own.has_value()) << c.file;
        const TWorksheet freexl = ReadXlsFileWithFreeXl(path);
        EXPECT_EQ(names(*own), names(freexl)) << c.file;
        ASSERT_EQ(own->Rows.size(), freexl.Rows.size()) << c.file;
        for (std::size_t r = 0; r < own->Rows.size(); ++r)
            for (std::size_t col = 0; col < own->Columns.size(); ++col) {
                const bool formula = std::count(c.formulaColumns.begin(), c.formulaColumns.end(), col) > 0;
                if (formula)
                    EXPECT_TRUE(freexl.Rows[r][col].IsNull()) << c.file << " " << r << "," << col;
                else
                    EXPECT_EQ(own->Rows[r][col].ToString(), freexl.Rows[r][col].ToString())
                        << c.file << " " << r << "," << col;
            }
    }
}

TEST(XlsWorkbook, SharedStringsGoOnInContinueRecords) {
    const TWorksheet sheet = ReadXlsFile(std::string(ETIKOR_EXCHANGE_FIXTURES) + "/formulas.xls");
    std::string expected;
    for (int i = 0; i < 4500; ++i)
        expected += '\xF5'; // "ő", two bytes a character in the file
    expected += "v\xE9ge";
    EXPECT_EQ(sheet.Rows.at(0).at(5).ToString(), expected);
}

TEST(XlsWorkbook, DamagedContainersAreLeftToFreeXl) {
    const std::string good = fixtureBytes("formulas.xls");
    ASSERT_TRUE(ReadXlsWorkbook(good).has_value());
    for (const std::size_t cut : {std::size_t(0), std::size_t(600), good.size() / 2, good.size() - 1})
        EXPECT_FALSE(ReadXlsWorkbook(good.substr(0, cut)).has_value()) << cut;
    // Every sector pointer of the header at its largest: no chain can be followed.
    std::string damaged = good;
    for (std::size_t at = 0x2C; at < 0x200; ++at)
        damaged[at] = '\xFF';
    EXPECT_FALSE(ReadXlsWorkbook(damaged).has_value());
    // A sheet whose FreeXL reading fails gives FreeXL's reason.
    TempDir dir;
    WriteFileBytes(dir.path() / "rossz.xls", damaged);
    try {
        ReadXlsFile(dir.file("rossz.xls"));
        FAIL() << "read";
    } catch (const EWorksheetError& error) {
        EXPECT_NE(std::string(error.what()).find("Excel workbook"), std::string::npos) << error.what();
    }
}

// dates.xlsx: serial numbers under date formats are dates (built-in and custom formats), under
// number formats numbers.
TEST(ZipWorkbooks, XlsxDateFormatsGiveDates) {
    const TWorksheet sheet = ReadXlsx(fixtureBytes("dates.xlsx"));
    EXPECT_EQ(names(sheet), (Strings{"Nap", "Pont", "Ido", "Ora", "Ar", "Osszeg", "Honap", "Szam"}));
    const TFieldType d = TFieldType::ftDateTime, f = TFieldType::ftFloat;
    EXPECT_EQ(types(sheet), (std::vector<TFieldType>{d, d, d, d, f, f, d, f}));
    ASSERT_EQ(sheet.Rows.size(), 2u);
    const struct {
        std::size_t row, column;
        const char* expected;
        const char* why;
    } cells[] = {
        {0, 0, "2024-05-01", "built-in date format 14"},
        {0, 1, "2024-05-01", "custom yyyy.mm.dd."},
        {1, 1, "2024-05-02", "a date format shows no time of the day"},
        {0, 2, "2024-05-01 10:20:30", "date and time"},
        {1, 2, "2024-05-02 00:00:00", "date and time at midnight"},
        {0, 3, "10:20:30", "built-in time format 20"},
        {1, 3, "12:00:00", "noon"},
        {0, 6, "2024-05-01", "a month name under a locale tag"},
    };
    for (const auto& c : cells)
        EXPECT_DOUBLE_EQ(sheet.Rows[c.row][c.column].ToDateTime(), dateOf(c.expected)) << c.why;
    EXPECT_EQ(sheet.Rows[0][4].ToDouble(), 12.5) << "0.00 is a number format";
    EXPECT_EQ(sheet.Rows[0][5].ToDouble(), 1500) << "a quoted currency is no date";
    EXPECT_EQ(sheet.Rows[0][7].ToDouble(), 45413) << "General";
    const TWorksheet book1904 = ReadXlsx(fixtureBytes("dates1904.xlsx"));
    ASSERT_EQ(book1904.Rows.size(), 1u);
    EXPECT_EQ(book1904.Rows[0][0].ToDateTime(), dateOf("2024-05-01")) << "the 1904 date system";
}

TEST(WorksheetDateTime, NumberFormatCodes) {
    const struct {
        const char* code;
        bool date, time;
    } cases[] = {
        {"General", false, false},
        {"0.00", false, false},
        {"#,##0 \"Ft\"", false, false},
        {"0.00E+00", false, false},
        {"@", false, false},
        {"[Red]0.00;[Blue]-0.00", false, false},
        {"\"day\" 0", false, false}, // quoted letters
        {"yyyy.mm.dd.", true, false},
        {"yyyy\\.mm\\.dd\\.", true, false},
        {"d/m/yy", true, false},
        {"[$-40E]mmmm d.", true, false},
        {"mmm-yy", true, false},
        {"h:mm", false, true},
        {"mm:ss", false, true}, // minutes before seconds
        {"[h]:mm:ss", false, true},
        {"hh:mm:ss.000", false, true},
        {"h:mm AM/PM", false, true},
        {"yyyy-mm-dd hh:mm", true, true},
        {"dd/mm/yyyy;@", true, false},
    };
    for (const auto& c : cases) {
        const TDateFormatKind kind = DateFormatKindOfCode(c.code);
        EXPECT_EQ(kind.Date, c.date) << c.code;
        EXPECT_EQ(kind.Time, c.time) << c.code;
    }
    EXPECT_TRUE(DateFormatKindOfBuiltIn(14).Date);
    EXPECT_TRUE(DateFormatKindOfBuiltIn(22).Date && DateFormatKindOfBuiltIn(22).Time);
    EXPECT_FALSE(DateFormatKindOfBuiltIn(2).Any());
    EXPECT_FALSE(DateFormatKindOfBuiltIn(49).Any()); // text
}

// spacing.ods: the cell text as a spreadsheet shows it.
TEST(ZipWorkbooks, OdsTextAsShown) {
    const TWorksheet sheet = ReadOds(fixtureBytes("spacing.ods"));
    EXPECT_EQ(names(sheet), (Strings{"Ertek", "Megjegyzes"}));
    const Strings expected[] = {
        {"A   B", "egy"},           {"A\tB", "tab"},
        {"sor1\nsor2", "sortores"}, {"elso\nmasodik", "bekezdesek"},
        {"12345", "annotacio"},     {" X ", "tobb sorban is"},
    };
    ASSERT_EQ(sheet.Rows.size(), std::size(expected));
    for (std::size_t r = 0; r < std::size(expected); ++r)
        EXPECT_EQ(texts(sheet, r), expected[r]) << r;
}

// fixtures/make_hostile_sheets.py: a kilobyte or two of zip asking for a gigabyte of text or
// more. Refused at the bound on the text a link may hold, before holding it.
TEST(ZipWorkbooks, TextBeyondTheBoundIsRefused) {
    const std::string text = "Worksheet too large (more than 128 MB of text)";
    const struct {
        const char* file;
        bool xlsx;
        std::string reason;
    } cases[] = {
        {"big_cells.ods", false, text},
        {"huge_repeat.ods", false, "Worksheet too large (more than 2000000 cells)"},
        {"shared_big.xlsx", true, text},
    };
    for (const auto& c : cases) {
        const std::string bytes = fixtureBytes(c.file);
        try {
            c.xlsx ? ReadXlsx(bytes) : ReadOds(bytes);
            ADD_FAILURE() << c.file << " read";
        } catch (const EWorksheetError& error) {
            EXPECT_EQ(error.what(), c.reason) << c.file;
        }
    }
}

// unpacks_big.xlsx (fixtures/make_hostile_sheets.py): 260 KB whose sheet part unpacks to 257 MB.
// Refused once the part has unpacked beyond the bound, without holding what it unpacked.
TEST(ZipWorkbooks, PartsUnpackingBeyondTheBoundAreRefused) {
    try {
        ReadXlsxFile(std::string(ETIKOR_EXCHANGE_FIXTURES) + "/unpacks_big.xlsx");
        ADD_FAILURE() << "read";
    } catch (const EWorksheetError& error) {
        EXPECT_STREQ(error.what(), "Workbook too large (xl/worksheets/sheet1.xml more than 256 MB)");
    }
}

// A workbook file past the bound is refused before anything is copied out of it (sparse here:
// nothing of it is on the disk).
TEST(LinkedWorkbook, XlsFilesBeyondTheBoundAreRefused) {
    TempDir dir;
    std::string start = fixtureBytes("formulas.xls");
    WriteFileBytes(dir.path() / "nagy.xls", start);
    std::filesystem::resize_file(dir.path() / "nagy.xls", kMaxWorksheetPart + 1);
    try {
        ReadXlsFile(dir.file("nagy.xls"));
        ADD_FAILURE() << "read";
    } catch (const EWorksheetError& error) {
        EXPECT_STREQ(error.what(), "File too large (more than 256 MB)");
    }
}

// Memory running out while a worksheet is read (here: a process allowed little) is the reader's
// "not enough memory" reason, which the link shows as a broken file, never an escaping
// std::bad_alloc.
TEST(LinkedWorkbook, RunningOutOfMemoryIsADatabaseError) {
    TempDir dir;
    {
        // 64 MB of text: within the bound, beyond the reading process below.
        std::string text = "Nev\n";
        const std::string line = std::string(65535, 'x') + "\n";
        for (int i = 0; i < 1024; ++i)
            text += line;
        WriteFileBytes(dir.path() / "nagy.csv", text);
    }
    const pid_t child = fork();
    if (child == 0) {
        if (!LimitAddressSpaceGrowth(std::size_t(48) << 20))
            _exit(2);
        TWorksheetDataSet sheet;
        sheet.Name = "KT1";
        sheet.FileName = dir.file("nagy.csv");
        try {
            sheet.Open();
            _exit(3);
        } catch (const EDatabaseError& error) {
            _exit(std::string(error.what()) == "KT1: Not enough memory for the worksheet" ? 0 : 4);
        } catch (...) {
            _exit(5);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "no address-space limit under this build (address sanitizer)";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace etikor
