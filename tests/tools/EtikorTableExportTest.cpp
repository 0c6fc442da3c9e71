#ifdef ETIKOR_TABLE_TOOL

#include "RunTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace etikor {
namespace {

using test::ReadFileBytes;
using test::RunTool;
using test::TempDir;

// The worked example of the worksheet format: Nev/Db holding A1, 2.
const std::string
    kWorkedExample("\x09\x08\x06\x00\x00\x00\x10\x00\x00\x00"
                   "\x00\x00\x08\x00\x00\x00\xE8\x03\x00\x00\x64\x00"
                   "\x04\x00\x0B\x00\x00\x00\x00\x00\x00\x00\x00\x03Nev"
                   "\x04\x00\x0A\x00\x00\x00\x01\x00\x00\x00\x00\x02"
                   "Db"
                   "\x04\x00\x0A\x00\x01\x00\x00\x00\x00\x00\x00\x02"
                   "A1"
                   "\x03\x00\x0F\x00\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x40"
                   "\x0A\x00\x00\x00",
                   88);

TEST(EtikorTableTool, ExportWritesTheWorksheetAsTheProgramDoes) {
    TempDir dir;
    const std::string table = dir.file("a.tbl");
    ASSERT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"create", table, "Nev:9,Db:i"}, "A1\t2\n").exitCode, 0);
    const std::string out = dir.file("a.xls");
    const auto exported = RunTool(ETIKOR_TABLE_TOOL, {"export", table, out});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(ReadFileBytes(out), kWorkedExample);
    // Run again: the existing file is replaced without a question.
    EXPECT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"export", table, out}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(out), kWorkedExample);
}

TEST(EtikorTableTool, ExportAddsTheEan13CheckDigitForType9) {
    TempDir dir;
    const std::string table = dir.file("s.sor");
    ASSERT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"create", table, "Vonalkod1:s128,Tipus1:i"},
                      "590123412345\t9\n590123412345\t10\n")
                  .exitCode,
              0);
    ASSERT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"export", table, dir.file("s.xls")}).exitCode, 0);
    const std::string bytes = ReadFileBytes(dir.file("s.xls"));
    EXPECT_NE(bytes.find("\x0D"
                         "5901234123457"),
              std::string::npos);
    EXPECT_NE(bytes.find("\x0C"
                         "590123412345"),
              std::string::npos);
}

TEST(EtikorTableTool, ExportFailuresExitWithTheReason) {
    TempDir dir;
    const auto missing = RunTool(ETIKOR_TABLE_TOOL, {"export", dir.file("none.tbl"), dir.file("x.xls")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err, "");
    const std::string table = dir.file("a.tbl");
    ASSERT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"create", table, "Nev:9"}, "a\n").exitCode, 0);
    const auto noFolder = RunTool(ETIKOR_TABLE_TOOL, {"export", table, dir.file("no/x.xls")});
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_NE(noFolder.err, "");
    EXPECT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"export", table}).exitCode, 2);
}

// The output's extension chooses the format: an Excel 2.x worksheet holds a header and 16,383
// records, beyond that the tool refuses and names the way out; a workbook takes them all.
TEST(EtikorTableTool, ExportAsAWorkbookBeyondWhatExcel2Holds) {
    TempDir dir;
    const std::string table = dir.file("sok.tbl");
    std::string records;
    for (int i = 1; i <= 16384; ++i)
        records += "K" + std::to_string(i) + "\t" + std::to_string(i) + "\n";
    ASSERT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"create", table, "Nev:s20,Db:i"}, records).exitCode, 0);
    const auto refused = RunTool(ETIKOR_TABLE_TOOL, {"export", table, dir.file("sok.xls")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
              "etikor-table: 16384 records do not fit an Excel 2.x worksheet (at most 16383); write "
              "an .xlsx file instead\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "sok.xls"));
    const auto written = RunTool(ETIKOR_TABLE_TOOL, {"export", table, dir.file("sok.xlsx")});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.err, "16384 records written to " + dir.file("sok.xlsx") + "\n");
    if (RunTool("/usr/bin/python3", {"-c", "import openpyxl"}).exitCode != 0)
        GTEST_SKIP() << "/usr/bin/python3 with python3-openpyxl is not installed (scripts/deps.sh)";
    const auto read =
        RunTool("/usr/bin/python3", {"-c",
                                     "import sys, openpyxl\n"
                                     "s = openpyxl.load_workbook(sys.argv[1], read_only=True).worksheets[0]\n"
                                     "rows = list(s.iter_rows(values_only=True))\n"
                                     "print(len(rows), rows[0], rows[-1])\n",
                                     dir.file("sok.xlsx")});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "16385 ('Nev', 'Db') ('K16384', 16384)\n");
}

} // namespace
} // namespace etikor

#endif
