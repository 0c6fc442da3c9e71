#ifdef ETIKOR_TABLE_TOOL

#include "RunTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace etikor {
namespace {

using test::RunTool;
using test::TempDir;

std::string I32(int32_t v) {
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}
std::string I16(int16_t v) {
    std::string s(2, '\0');
    std::memcpy(s.data(), &v, 2);
    return s;
}

// A table image: header, the descriptor section, then `rest` (note block and records).
std::string image(int32_t records, const std::string& descriptors, int32_t fields, const std::string& rest) {
    const std::string section = descriptors + '\x14';
    return I32(static_cast<int32_t>(17 + section.size() + rest.size())) + "S" + I32(records) + I32(fields) +
           I32(static_cast<int32_t>(section.size())) + section + rest;
}

// One record of the table "Azon i, Nev 9": Azon, then Nev when not empty.
std::string record(int32_t azon, const std::string& nev) {
    std::string r;
    r += static_cast<char>(4);
    r += static_cast<char>(nev.size());
    return r + I32(azon) + nev;
}

const std::string kAzonNev = "XXX.Azon i\x12XXX.Nev 9\x12";

TEST(EtikorTableTool, CreateThenDumpEveryKind) {
    TempDir dir;
    const std::string path = dir.file("kinds.tbl");
    // Codes given as s20 come back as the short-string code K; "s" alone is a string of size 100.
    const std::string fields = "Small:l,Int:i,Bool:b,Dbl:f,Cur:c,Dat:d,Tim:v,DT:t,Auto:a,Short:s20,"
                               "Long:s50,Bin:o,Mem:m,Fmt:r,Pic:g,Def:s";
    const std::string input = "-5\t123456\tTrue\t1.25\t99.5\t2024-03-15\t13:05:07.250\t2024-03-15 "
                              "06:00:00\t7\t\xC3\x81rv\xC3\xADz\t"
                              "hossz\xC3\xBA sz\xC3\xB6veg\t00ff12\tsor1 sor2\t{\\rtf1}\t424D\tx\n"
                              "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n";
    const auto created = RunTool(ETIKOR_TABLE_TOOL, {"create", path, fields}, input);
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(created.err, "");

    const auto dumped = RunTool(ETIKOR_TABLE_TOOL, {"dump", path});
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
    // Auto-increment fields ignore writes, so Auto stays 0. In the empty record, absent numbers,
    // booleans and times read as 0, False and midnight; absent dates and texts are null.
    EXPECT_EQ(
        dumped.out,
        "Small:l\tInt:i\tBool:b\tDbl:f\tCur:c\tDat:d\tTim:v\tDT:t\tAuto:a\tShort:K\tLong:s50\tBin:o\tMem:m\t"
        "Fmt:r\tPic:g\tDef:s100\n"
        "-5\t123456\tTrue\t1.25\t99.5\t2024-03-15\t13:05:07.250\t2024-03-15 "
        "06:00:00\t0\t\xC3\x81rv\xC3\xADz\t"
        "hossz\xC3\xBA sz\xC3\xB6veg\t00ff12\tsor1 sor2\t{\\\\rtf1}\t424d\tx\n"
        "0\t0\tFalse\t0\t0\t\t00:00:00\t\t0\t\t\t\t\t\t\t\n");

    // Text is stored in Windows-1250: "Á" is the single byte C1.
    EXPECT_NE(test::ReadFileBytes(path).find("\xC1rv\xEDz"), std::string::npos);
}

TEST(EtikorTableTool, DumpShowsTheNoteAndEscapesControls) {
    TempDir dir;
    const std::string path = dir.file("notes.tbl");
    const std::string note = "Megjegyz\xE9s";
    test::WriteFileBytes(
        path, image(2, kAzonNev, 2,
                    "*" + I16(static_cast<int16_t>(note.size())) + note + record(1, "a\tb") + record(2, "")));
    const auto dumped = RunTool(ETIKOR_TABLE_TOOL, {"dump", path});
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
    EXPECT_EQ(dumped.out, "Azon:i\tNev:9\n#notes: Megjegyz\xC3\xA9s\n1\ta\\tb\n2\t\n");
}

// A backslash is printed as \\, so that \t, \r and \n always stand for the controls.
TEST(EtikorTableTool, DumpEscapesTheBackslash) {
    TempDir dir;
    const std::string path = dir.file("back.tbl");
    test::WriteFileBytes(path, image(2, kAzonNev, 2, record(1, "a\\tb") + record(2, "c\td\\")));
    const auto dumped = RunTool(ETIKOR_TABLE_TOOL, {"dump", path});
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
    EXPECT_EQ(dumped.out, "Azon:i\tNev:9\n1\ta\\\\tb\n2\tc\\td\\\\\n");
}

// An empty input line is a record whose fields are all empty: a one-field table can hold it.
TEST(EtikorTableTool, CreateReadsAnEmptyLineAsAnEmptyRecord) {
    TempDir dir;
    const std::string path = dir.file("one.tbl");
    const auto created = RunTool(ETIKOR_TABLE_TOOL, {"create", path, "Nev:9"}, "a\n\nb\n");
    ASSERT_EQ(created.exitCode, 0) << created.err;
    const auto dumped = RunTool(ETIKOR_TABLE_TOOL, {"dump", path});
    EXPECT_EQ(dumped.out, "Nev:9\na\n\nb\n");
    const auto again = RunTool(ETIKOR_TABLE_TOOL, {"create", dir.file("two.tbl"), "Nev:9"}, "a\n\nb\n");
    EXPECT_EQ(test::ReadFileBytes(dir.file("two.tbl")), test::ReadFileBytes(path));
}

TEST(EtikorTableTool, UnreadableTablesExitWithTheStoreError) {
    TempDir dir;
    const std::string path = dir.file("short.sor");
    std::string four;
    for (int i = 1; i <= 4; ++i)
        four += record(i, "n" + std::to_string(i));
    test::WriteFileBytes(path, image(5, kAzonNev, 2, four));

    const auto failed = RunTool(ETIKOR_TABLE_TOOL, {"dump", path});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err,
              "Error opening table: Number of records read (4) does not match declared record count (5)\n");

    const auto missing = RunTool(ETIKOR_TABLE_TOOL, {"dump", dir.file("x.sor")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Error opening file " + dir.file("x.sor") + "\n");

    // With --partial the reason goes to standard error and what was read is dumped.
    const auto partial = RunTool(ETIKOR_TABLE_TOOL, {"dump", "--partial", path});
    EXPECT_EQ(partial.exitCode, 0);
    EXPECT_EQ(partial.err, "Number of records read (4) does not match declared record count (5)\n");
    EXPECT_EQ(partial.out, "Azon:i\tNev:9\n1\tn1\n2\tn2\n3\tn3\n4\tn4\n");

    // An error image never opens, not even with --partial.
    test::WriteFileBytes(path, I32(14) + "EDisk full");
    const auto error = RunTool(ETIKOR_TABLE_TOOL, {"dump", "--partial", path});
    EXPECT_EQ(error.exitCode, 1);
    EXPECT_EQ(error.err, "Error opening table: Disk full\n");
}

TEST(EtikorTableTool, CreateFailuresAndBadUsage) {
    TempDir dir;
    // A value that does not convert, and a folder that does not exist: exit 1, no file left.
    const auto badValue = RunTool(ETIKOR_TABLE_TOOL, {"create", dir.file("a.tbl"), "Azon:i"}, "12x\n");
    EXPECT_EQ(badValue.exitCode, 1);
    EXPECT_NE(badValue.err, "");
    EXPECT_EQ(test::ReadFileBytes(dir.file("a.tbl")), "");
    const auto noFolder = RunTool(ETIKOR_TABLE_TOOL, {"create", dir.file("no/a.tbl"), "Azon:i"}, "1\n");
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_NE(noFolder.err, "");

    const std::vector<std::vector<std::string>> usages = {{},
                                                          {"dump"},
                                                          {"dump", "a", "b"},
                                                          {"create", "a"},
                                                          {"create", "a", "Azon:x"},
                                                          {"create", "a", "Azon"},
                                                          {"create", "a", "Azon:ix"},    // one letter only
                                                          {"create", "a", "Nev:s1x"},    // size digits only
                                                          {"create", "a", "Nev:s70000"}, // above 65535
                                                          {"list", "a"}};
    for (const auto& arguments : usages) {
        const auto result = RunTool(ETIKOR_TABLE_TOOL, arguments);
        EXPECT_EQ(result.exitCode, 2) << (arguments.empty() ? "" : arguments[0]);
        EXPECT_NE(result.err, "");
    }
}

TEST(EtikorTableTool, CreateAcceptsTabSeparatedFieldsAndEmptyTables) {
    TempDir dir;
    const std::string path = dir.file("empty.vks");
    const auto created = RunTool(ETIKOR_TABLE_TOOL, {"create", path, "Azon:i\tTipus:1"});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    // The empty table with Azon and Tipus is the 41-byte file of the format's worked example.
    EXPECT_EQ(test::ReadFileBytes(path),
              I32(41) + "S" + I32(0) + I32(2) + I32(24) + "XXX.Azon i\x12XXX.Tipus 1\x12\x14");
    const auto dumped = RunTool(ETIKOR_TABLE_TOOL, {"dump", path});
    EXPECT_EQ(dumped.out, "Azon:i\tTipus:1\n");
}

} // namespace
} // namespace etikor

#endif
