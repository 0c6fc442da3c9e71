#include "exchange/ExcelExport.h"

#include "data/FormatSettings.h"
#include "exchange/Worksheet.h"
#include "exchange/WorksheetDataSet.h"
#include "exchange/XlsFile.h"
#include "exchange/XlsxFile.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreTable.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace etikor {
namespace {

using test::ReadFileBytes;
using test::ScriptedModal;
using test::TempDir;
using test::WriteFileBytes;

std::string fromHex(std::string_view hex) {
    std::string bytes;
    int high = -1;
    for (const char c : hex) {
        const int v = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            bytes += static_cast<char>(high * 16 + v);
            high = -1;
        }
    }
    return bytes;
}

// The records of a worksheet, with their identifier and body, for readable failures.
const std::string kBof = fromHex("09 08 06 00 00 00 10 00 00 00");
const std::string kDimensions = fromHex("00 00 08 00 00 00 E8 03 00 00 64 00");
const std::string kEof = fromHex("0A 00 00 00");

// An in-memory table with these fields and rows (values as text; "" leaves a field null).
struct MemoryTable {
    TStoreTable table;
    MemoryTable(const TFieldDefs& defs, const std::vector<std::vector<std::string>>& rows) {
        table.SetTableName("");
        table.FieldDefs = defs;
        table.Open();
        for (const auto& row : rows) {
            table.Append();
            for (std::size_t i = 0; i < row.size(); ++i)
                if (!row[i].empty())
                    table.Fields(static_cast<int>(i)).SetAsString(row[i]);
            table.Post();
        }
    }
};

const TFieldDefs kNevDb = {{"Nev", TFieldType::ftString, 20}, {"Db", TFieldType::ftInteger, 0}};

// The worked example of the format: Nev/Db with one record A1, 2 is exactly these 88 bytes.
const std::string kWorkedExample = fromHex("09 08 06 00 00 00 10 00 00 00"
                                           "00 00 08 00 00 00 E8 03 00 00 64 00"
                                           "04 00 0B 00 00 00 00 00 00 00 00 03 4E 65 76"
                                           "04 00 0A 00 00 00 01 00 00 00 00 02 44 62"
                                           "04 00 0A 00 01 00 00 00 00 00 00 02 41 31"
                                           "03 00 0F 00 01 00 01 00 00 00 00 00 00 00 00 00 00 00 40"
                                           "0A 00 00 00");

QString q(const std::string& path) {
    return QString::fromStdString(path);
}

TEST(XlsFile, WorkedExampleByteForByte) {
    ASSERT_EQ(kWorkedExample.size(), 88u);
    MemoryTable data(kNevDb, {{"A1", "2"}});
    TXLSfile xls;
    EXPECT_EQ(AddDataSetCells(xls, data.table), 1);
    EXPECT_EQ(xls.Image(), kWorkedExample);
    EXPECT_TRUE(data.table.Eof()) << "left after its last record";
}

TEST(XlsFile, ResetKeepsOnlyTheFileHeaderRecords) {
    TXLSfile xls;
    EXPECT_EQ(xls.Image(), kBof + kDimensions + kEof);
    xls.AddStrCell(1, 1, "x");
    xls.AddDoubleCell(2, 1, 1.5);
    xls.Reset();
    EXPECT_EQ(xls.Image(), kBof + kDimensions + kEof);
}

TEST(XlsFile, CellsOutsideTheSheetAreRefused) {
    TXLSfile xls;
    EXPECT_THROW(xls.AddStrCell(0, 1, "x"), std::out_of_range);
    EXPECT_THROW(xls.AddStrCell(1, TXLSfile::kMaxRows + 1, "x"), std::out_of_range);
    xls.AddStrCell(1, TXLSfile::kMaxRows, "x"); // the last row is stored as 0xFFFF
    EXPECT_EQ(xls.Image().substr(22, 6), fromHex("04 00 09 00 FF FF"));
}

TEST(XlsFile, TextOver255BytesKeepsItsFirst255) {
    TXLSfile xls;
    const std::string longText = std::string(255, 'a') + "bcd";
    xls.AddStrCell(1, 1, longText);
    const std::string image = xls.Image();
    const std::string cell = image.substr(kBof.size() + kDimensions.size(), 4 + 8 + 255);
    EXPECT_EQ(cell.substr(0, 4), fromHex("04 00 07 01")); // body 8 + 255 = 263 bytes
    EXPECT_EQ(static_cast<unsigned char>(cell[11]), 255);
    EXPECT_EQ(cell.substr(12), std::string(255, 'a'));
    EXPECT_EQ(image.substr(image.size() - 4), kEof);
}

// Column 1 under the EAN-13 rule: the second field, read as a number, is 9.
TEST(ExcelExport, Ean13RuleForColumnOne) {
    struct Row {
        const char* value;
        const char* type;
        const char* expected;
        const char* why;
    } rows[] = {
        {"590123412345", "9", "5901234123457", "12 digits gain their check digit"},
        {"5901234123450", "9", "5901234123457", "a wrong 13th digit is replaced"},
        {"59012341234599", "9", "59012341234579", "only the 13th character is replaced"},
        {"0123", "9", "0123", "shorter values stay as they are"},
        {"012345678901", "9", "0123456789012", "a leading zero is kept: a text cell"},
        {"590123412345", "10", "590123412345", "type 10 is stored as it is"},
        {"590123412345", "", "590123412345", "no type"},
    };
    const TFieldDefs defs = {{"Vonalkod1", TFieldType::ftString, 128}, {"Tipus1", TFieldType::ftInteger, 0}};
    for (const Row& row : rows) {
        MemoryTable data(defs, {{row.value, row.type}});
        TXLSfile xls;
        AddDataSetCells(xls, data.table);
        const TWorksheet back = [&] {
            TempDir dir;
            xls.FileName = dir.file("e.xls");
            xls.Write();
            return ReadXlsFile(dir.file("e.xls"));
        }();
        ASSERT_EQ(back.Rows.size(), 1u) << row.why;
        ASSERT_EQ(back.Columns[0].DataType, TFieldType::ftString) << row.why;
        EXPECT_EQ(back.Rows[0][0].ToString(), row.expected) << row.why;
    }
}

TEST(ExcelExport, TheRuleReadsTheSecondFieldAsANumberAndNeedsOne) {
    // A text "9" counts, a text that is no number does not; a single field has no second one.
    MemoryTable textType({{"Kod", TFieldType::ftString, 20}, {"T", TFieldType::ftString, 5}},
                         {{"590123412345", "9"}, {"590123412345", "kilenc"}});
    TXLSfile xls;
    AddDataSetCells(xls, textType.table);
    const std::string image = xls.Image();
    EXPECT_NE(image.find("5901234123457"), std::string::npos);
    EXPECT_NE(image.find(std::string("\x0C") + "590123412345" + "\x04"), std::string::npos);

    MemoryTable single({{"Kod", TFieldType::ftString, 20}}, {{"590123412345"}});
    TXLSfile one;
    AddDataSetCells(one, single.table);
    EXPECT_EQ(one.Image().find("5901234123457"), std::string::npos);
}

// Number cells for small integer, integer, floating point and currency; text for the rest.
TEST(ExcelExport, NumberAndTextCellsByFieldType) {
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(TFormatSettings::Invariant());
    const TFieldDefs defs = {{"S", TFieldType::ftSmallint, 0}, {"I", TFieldType::ftInteger, 0},
                             {"F", TFieldType::ftFloat, 0},    {"C", TFieldType::ftCurrency, 0},
                             {"B", TFieldType::ftBoolean, 0},  {"T", TFieldType::ftString, 10}};
    MemoryTable data(defs, {{"3", "-70000", "2.25", "12.5", "True", "12"}});
    TempDir dir;
    TXLSfile xls;
    xls.FileName = dir.file("t.xls");
    AddDataSetCells(xls, data.table);
    xls.Write();
    const TWorksheet back = ReadXlsFile(dir.file("t.xls"));
    ASSERT_EQ(back.Columns.size(), 6u);
    const TFieldType expected[] = {TFieldType::ftFloat, TFieldType::ftFloat,  TFieldType::ftFloat,
                                   TFieldType::ftFloat, TFieldType::ftString, TFieldType::ftString};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(back.Columns[i].DataType, expected[i]) << "column " << i + 1;
    ASSERT_EQ(back.Rows.size(), 1u);
    EXPECT_EQ(back.Rows[0][0].ToDouble(), 3);
    EXPECT_EQ(back.Rows[0][1].ToDouble(), -70000);
    EXPECT_EQ(back.Rows[0][2].ToDouble(), 2.25);
    EXPECT_EQ(back.Rows[0][3].ToDouble(), 12.5);
    EXPECT_EQ(back.Rows[0][4].ToString(), "True") << "a boolean is text";
    EXPECT_EQ(back.Rows[0][5].ToString(), "12") << "a text of digits stays text";
    SetFormatSettings(saved);
}

// A linked sheet exported and linked again: the same cells; an empty number cell stays empty.
TEST(ExcelExport, LinkedSheetRoundTrip) {
    TempDir dir;
    WriteFileBytes(dir.path() / "be.csv", "Kod;Ar\n0599;1.5\nx;\n");
    TWorksheetDataSet linked;
    linked.FileName = dir.file("be.csv");
    linked.Open();
    TXLSfile xls;
    xls.FileName = dir.file("ki.xls");
    EXPECT_EQ(AddDataSetCells(xls, linked), 2);
    xls.Write();
    const TWorksheet back = ReadXlsFile(dir.file("ki.xls"));
    ASSERT_EQ(back.Rows.size(), 2u);
    EXPECT_EQ(back.Columns[1].DataType, TFieldType::ftFloat);
    EXPECT_EQ(back.Rows[0][0].ToString(), "0599");
    EXPECT_EQ(back.Rows[0][1].ToDouble(), 1.5);
    EXPECT_TRUE(back.Rows[1][1].IsNull()) << "an empty number is an empty cell, not 0";
}

TEST(ExcelExport, FileNameFromTheTemplate) {
    EXPECT_EQ(ExportFileName("Sorozat0.ctv"), "Sorozat0.xls");
    EXPECT_EQ(ExportFileName("/home/a.b/Cimke.v2.ctv"), "Cimke.xls");
    EXPECT_EQ(ExportFileName("C:\\Etikor\\Minta.ctv"), "Minta.xls");
    EXPECT_EQ(ExportFileName("NoExt"), "NoExt.xls");
}

TEST(ExcelExport, WorkedExampleThroughTheExportWithItsMessage) {
    TempDir dir;
    const QString file = q(dir.file("Sorozat0.xls"));
    MemoryTable data(kNevDb, {{"A1", "2"}});
    ScriptedModal modal;
    modal.ExpectMessage("I", "Excel export sikerült.\r(" + file + ")\r1 sor.");
    EXPECT_TRUE(ExportDataSet(data.table, file));
    modal.Verify();
    EXPECT_EQ(ReadFileBytes(dir.file("Sorozat0.xls")), kWorkedExample);
    // Nothing else is left in the folder (no temporary file).
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ExcelExport, EmptyDataSetGivesTheHeaderRowAndZeroRows) {
    TempDir dir;
    const QString file = q(dir.file("ures.xls"));
    MemoryTable data(kNevDb, {});
    ScriptedModal modal;
    modal.ExpectMessage("I", "Excel export sikerült.\r(" + file + ")\r0 sor.");
    EXPECT_TRUE(ExportDataSet(data.table, file));
    modal.Verify();
    EXPECT_EQ(ReadFileBytes(dir.file("ures.xls")),
              kBof + kDimensions + fromHex("04 00 0B 00 00 00 00 00 00 00 00 03 4E 65 76") +
                  fromHex("04 00 0A 00 00 00 01 00 00 00 00 02 44 62") + kEof);
}

TEST(ExcelExport, FifteenHundredRecordsAllWrittenDimensionsStill1000) {
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(TFormatSettings::Hungarian());
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 1500; ++i)
        rows.push_back({"K" + std::to_string(i), std::to_string(i)});
    MemoryTable data(kNevDb, rows);
    TempDir dir;
    const QString file = q(dir.file("sok.xls"));
    ScriptedModal modal;
    modal.ExpectMessageStartingWith("I", "Excel export sikerült.\r(" + file + ")\r1");
    EXPECT_TRUE(ExportDataSet(data.table, file));
    modal.Verify();
    EXPECT_TRUE(modal.Log().back().endsWith("500 sor.")) << modal.Log().back().toStdString();
    const std::string bytes = ReadFileBytes(dir.file("sok.xls"));
    EXPECT_EQ(bytes.substr(kBof.size(), kDimensions.size()), kDimensions);
    const TWorksheet back = ReadXlsFile(dir.file("sok.xls"));
    ASSERT_EQ(back.Rows.size(), 1500u);
    EXPECT_EQ(back.Rows[1499][0].ToString(), "K1500");
    EXPECT_EQ(back.Rows[1499][1].ToDouble(), 1500);
    SetFormatSettings(saved);
}

TEST(ExcelExport, OverwriteDeclinedKeepsTheFileThenAcceptedReplacesIt) {
    TempDir dir;
    const QString file = q(dir.file("x.xls"));
    WriteFileBytes(dir.file("x.xls"), "old content");
    MemoryTable data(kNevDb, {{"A1", "2"}});
    const QString question = "Már létező file! (" + file + ")\rFelülírja a létező file-t?";
    {
        ScriptedModal modal;
        modal.ExpectMessage("K", question, false);
        EXPECT_FALSE(ExportDataSet(data.table, file));
        modal.Verify();
        EXPECT_EQ(ReadFileBytes(dir.file("x.xls")), "old content");
    }
    {
        ScriptedModal modal;
        modal.ExpectMessage("K", question, true);
        modal.ExpectMessage("I", "Excel export sikerült.\r(" + file + ")\r1 sor.");
        EXPECT_TRUE(ExportDataSet(data.table, file));
        modal.Verify();
        // One header row: the declined export's cells are not carried over.
        EXPECT_EQ(ReadFileBytes(dir.file("x.xls")), kWorkedExample);
    }
}

TEST(ExcelExport, FileThatCannotBeDeletedEndsTheExport) {
    TempDir dir;
    // A folder of that name: it exists and cannot be removed as a file.
    std::filesystem::create_directory(dir.path() / "foglalt.xls");
    WriteFileBytes(dir.path() / "foglalt.xls" / "inside", "x");
    const QString file = q(dir.file("foglalt.xls"));
    MemoryTable data(kNevDb, {{"A1", "2"}});
    ScriptedModal modal;
    modal.ExpectMessage("K", "Már létező file! (" + file + ")\rFelülírja a létező file-t?", true);
    modal.ExpectMessage("H", "Nem lehet törölni a file-t! -- Használatban van?");
    EXPECT_FALSE(ExportDataSet(data.table, file));
    modal.Verify();
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "foglalt.xls"));
}

TEST(ExcelExport, WriteFailureShowsAnErrorAndLeavesNoFile) {
    TempDir dir;
    const QString file = q(dir.file("nincs/x.xls"));
    MemoryTable data(kNevDb, {{"A1", "2"}});
    ScriptedModal modal;
    modal.ExpectMessageStartingWith("H", "Az Excel file nem írható! (" + file + ")\r");
    EXPECT_FALSE(ExportDataSet(data.table, file));
    modal.Verify();
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "nincs"));
}

TEST(ExcelExport, RelativeNameLandsInTheCurrentFolder) {
    TempDir dir;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(q(dir.path().string())));
    MemoryTable data(kNevDb, {{"A1", "2"}});
    {
        ScriptedModal modal;
        modal.ExpectMessage("I", "Excel export sikerült.\r(Sorozat0.xls)\r1 sor.");
        EXPECT_TRUE(ExportDataSet(data.table, QString::fromStdString(ExportFileName("Sorozat0.ctv"))));
    }
    QDir::setCurrent(before);
    EXPECT_EQ(ReadFileBytes(dir.path() / "Sorozat0.xls"), kWorkedExample);
}

// An independent reader (xlrd) sees the same cells, accented text included.
TEST(ExcelExport, ReadBackWithXlrd) {
    if (QProcess::execute("/usr/bin/python3", {"-c", "import xlrd"}) != 0)
        GTEST_SKIP() << "/usr/bin/python3 with python3-xlrd is not installed (scripts/deps.sh)";
    TempDir dir;
    MemoryTable data({{"N\xE9v", TFieldType::ftString, 30}, {"Db", TFieldType::ftInteger, 0}},
                     {{"\xC1rv\xEDzt\xFBr\xF5", "7"}, {"590123412345", "9"}}); // Windows-1250
    TXLSfile xls;
    xls.FileName = dir.file("r.xls");
    AddDataSetCells(xls, data.table);
    xls.Write();
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, xlrd\n"
                  "s = xlrd.open_workbook(sys.argv[1], encoding_override='cp1250').sheet_by_index(0)\n"
                  "for r in range(s.nrows):\n"
                  "    print('|'.join(repr(c.value) for c in s.row(r)))\n",
                  q(dir.file("r.xls"))});
    ASSERT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()),
              QString::fromUtf8("'Név'|'Db'\n'Árvíztűrő'|7.0\n'5901234123457'|9.0\n"));
}

TEST(ExcelExport, FormatByTheFileNamesExtension) {
    const std::pair<const char*, TExportFormat> rows[] = {
        {"a.xlsx", TExportFormat::Xlsx},
        {"/tmp/Cimke.XLSX", TExportFormat::Xlsx},
        {"a.xls", TExportFormat::Biff2},
        {"a.xlsx.bak", TExportFormat::Biff2},
        {"xlsx", TExportFormat::Biff2},
        {"Sorozat0", TExportFormat::Biff2},
        {"mappa.xlsx/a.xls", TExportFormat::Biff2},
    };
    for (const auto& [name, format] : rows)
        EXPECT_EQ(ExportFormatOf(name), format) << name;
}

// Records numbered 1.. in a Kod/Db table.
MemoryTable numberedRecords(int count) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i)
        rows.push_back({"K" + std::to_string(i), std::to_string(i)});
    return MemoryTable(kNevDb, rows);
}

// An Excel 2.x worksheet holds 16,384 rows for every reader: a header and 16,383 records. One
// more is refused with the way out, and nothing is written; a workbook takes them.
TEST(ExcelExport, Biff2RefusesMoreRowsThanItHoldsAndOffersTheWorkbook) {
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(TFormatSettings::HungarianSpace());
    TempDir dir;
    {
        MemoryTable fits = numberedRecords(16383);
        EXPECT_EQ(WriteExportFile(fits.table, dir.file("fits.xls")), 16383);
        const TWorksheet back = ReadXlsFile(dir.file("fits.xls"));
        ASSERT_EQ(back.Rows.size(), 16383u);
        EXPECT_EQ(back.Rows[16382][0].ToString(), "K16383");
    }
    MemoryTable over = numberedRecords(16384);
    EXPECT_THROW(WriteExportFile(over.table, dir.file("over.xls")), std::out_of_range);
    {
        const QString file = q(dir.file("over.xls"));
        ScriptedModal modal;
        modal.ExpectMessage("H",
                            QStringLiteral("Túl sok rekord egy Excel 2.x (.xls) munkalaphoz! (legfeljebb "
                                           "16 383)\rMentse Excel munkafüzetként (.xlsx kiterjesztéssel): "
                                           "abban 1 048 575 rekord is elfér."));
        EXPECT_FALSE(ExportDataSet(over.table, file));
        modal.Verify();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "over.xls"));
    {
        const QString file = q(dir.file("over.xlsx"));
        ScriptedModal modal;
        modal.ExpectMessage("I", "Excel export sikerült.\r(" + file + ")\r16 384 sor.");
        EXPECT_TRUE(ExportDataSet(over.table, file));
        modal.Verify();
        const TWorksheet back = ReadXlsxFile(dir.file("over.xlsx"));
        ASSERT_EQ(back.Rows.size(), 16384u);
        EXPECT_EQ(back.Rows[16383][0].ToString(), "K16384");
        EXPECT_EQ(back.Rows[16383][1].ToDouble(), 16384);
    }
    SetFormatSettings(saved);
}

// The cells of an exported workbook as openpyxl reads them: per row, each cell's type, value
// and number format.
std::string readWithOpenpyxl(const std::string& path) {
    QProcess python;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PYTHONIOENCODING", "utf-8");
    python.setProcessEnvironment(environment);
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, openpyxl\n"
                  "s = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                  "for row in s.iter_rows():\n"
                  "    print('|'.join(c.data_type + repr(c.value) + ('@' if c.number_format == '@' else '')\n"
                  "                   for c in row))\n",
                  q(path)});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return python.readAllStandardOutput().toStdString();
}

// The same columns and cell rules as the Excel 2.x export, read back by an independent reader:
// numbers stay numbers, long codes and codes with a leading zero stay text (formatted as text,
// so editing keeps them), accented text arrives whole, a text over 255 characters too.
TEST(XlsxExport, ReadBackWithOpenpyxl) {
    if (QProcess::execute("/usr/bin/python3", {"-c", "import openpyxl"}) != 0)
        GTEST_SKIP() << "/usr/bin/python3 with python3-openpyxl is not installed (scripts/deps.sh)";
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(TFormatSettings::Invariant());
    const TFieldDefs defs = {{"Vonalkod1", TFieldType::ftString, 128}, {"Tipus1", TFieldType::ftInteger, 0},
                             {"N\xE9v", TFieldType::ftString, 400},    {"Ar", TFieldType::ftCurrency, 0},
                             {"Suly", TFieldType::ftFloat, 0},         {"Db", TFieldType::ftSmallint, 0},
                             {"Ok", TFieldType::ftBoolean, 0}};
    const std::string longText = std::string(300, 'a') + "\xE1";
    MemoryTable data(defs,
                     {{"123456789012345678", "10", "\xC1rv\xEDzt\xFBr\xF5", "12.5", "0.125", "-3", "True"},
                      {"590123412345", "9", longText, "", "", "", ""},
                      {"0123", "", "a < b & c", "1500", "2", "0", "False"}});
    TempDir dir;
    EXPECT_EQ(WriteExportFile(data.table, dir.file("e.xlsx")), 3);
    const std::string expected = "s'Vonalkod1'@|s'Tipus1'@|s'Név'@|s'Ar'@|s'Suly'@|s'Db'@|s'Ok'@\n"
                                 "s'123456789012345678'@|n10|s'Árvíztűrő'@|n12.5|n0.125|n-3|s'True'@\n"
                                 "s'5901234123457'@|n9|s'" +
                                 std::string(300, 'a') +
                                 "á'@|n0|n0|n0|s'False'@\n"
                                 "s'0123'@|n0|s'a < b & c'@|n1500|n2|n0|s'False'@\n";
    EXPECT_EQ(readWithOpenpyxl(dir.file("e.xlsx")), expected);
    SetFormatSettings(saved);
}

// Written beside the target and put in its place whole: a new file with the usual permissions
// and no temporary file left; a file that cannot be written leaves nothing, an old one stays.
TEST(XlsxExport, WrittenWholeOrNotAtAll) {
    TempDir dir;
    MemoryTable data(kNevDb, {{"A1", "2"}});
    EXPECT_EQ(WriteExportFile(data.table, dir.file("uj.xlsx")), 1);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(std::filesystem::status(dir.path() / "uj.xlsx").permissions(),
              static_cast<std::filesystem::perms>(0666 & ~mask));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    const TWorksheet back = ReadXlsxFile(dir.file("uj.xlsx"));
    ASSERT_EQ(back.Rows.size(), 1u);
    EXPECT_EQ(back.Rows[0][0].ToString(), "A1");

    const QString missing = q(dir.file("nincs/x.xlsx"));
    ScriptedModal modal;
    modal.ExpectMessageStartingWith("H", "Az Excel file nem írható! (" + missing + ")\r");
    EXPECT_FALSE(ExportDataSet(data.table, missing));
    modal.Verify();
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "nincs"));

    // A sheet cut off before its end leaves the old file as it was.
    WriteFileBytes(dir.path() / "regi.xlsx", "old content");
    {
        TXlsxFile cut(dir.file("regi.xlsx"));
        cut.AddStrCell(1, 1, "x");
    }
    EXPECT_EQ(ReadFileBytes(dir.file("regi.xlsx")), "old content");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

} // namespace
} // namespace etikor
