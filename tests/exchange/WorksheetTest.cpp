#include "exchange/Worksheet.h"

#include "data/Cp1250.h"
#include "document/DataModule.h"
#include "exchange/FieldList.h"
#include "exchange/WorksheetDataSet.h"
#include "support/KilledSave.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

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

TEST(CsvReader, ColumnTypes) {
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
