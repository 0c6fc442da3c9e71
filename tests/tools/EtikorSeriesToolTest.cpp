#if defined(ETIKOR_SERIES_TOOL) && defined(ETIKOR_TABLE_TOOL)

#include "RunTool.h"
#include "SeriesDefinitionFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace etikor {
namespace {

using test::Definition;
using test::kDefinitionFields;
using test::ReadFileBytes;
using test::RunTool;
using test::TempDir;

// The series file's records as the table tool prints them (after its field line).
std::string Dump(const std::string& path) {
    const test::ToolResult dump = RunTool(ETIKOR_TABLE_TOOL, {"dump", path});
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    return dump.out.substr(dump.out.find('\n') + 1);
}

TEST(EtikorSeriesTool, GeneratesHorizontallyVerticallyAndWithADateLayout) {
    struct Case {
        const char* Why;
        std::string Rows;
        std::vector<std::string> Options;
        std::string Out;
        std::string Records;
    };
    const std::string abc = "K\t3\t1\tABC\nS\t4\t1\t1000\t1002\nK\t1\t1\tA\tC";
    const std::vector<Case> cases = {
        {"horizontal by default, Code 128",
         abc,
         {},
         "9\n",
         "ABC1000A\t5\t\t0\t\t0\tFalse\t\nABC1000B\t5\t\t0\t\t0\tFalse\t\nABC1000C\t5\t\t0\t\t0\tFalse\t\n"
         "ABC1001A\t5\t\t0\t\t0\tFalse\t\nABC1001B\t5\t\t0\t\t0\tFalse\t\nABC1001C\t5\t\t0\t\t0\tFalse\t\n"
         "ABC1002A\t5\t\t0\t\t0\tFalse\t\nABC1002B\t5\t\t0\t\t0\tFalse\t\nABC1002C\t5\t\t0\t\t0\tFalse\t\n"},
        {"vertical with the type index",
         abc,
         {"--vertical", "--type", "8"},
         "3\n",
         "ABC1000A\t8\t\t0\t\t0\tFalse\t\nABC1001B\t8\t\t0\t\t0\tFalse\t\nABC1002C\t8\t\t0\t\t0\tFalse\t\n"},
        {"a date counter in the chosen layout",
         "D\t10\t2\t30.01.2024\t02.02.2024",
         {"--date-format", "NN.HH.ÉÉÉÉ"},
         "3\n",
         "30.01.2024\t5\t\t0\t\t0\tFalse\t\n01.02.2024\t5\t\t0\t\t0\tFalse\t\n02.02."
         "2024\t5\t\t0\t\t0\tFalse\t\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TempDir dir;
        const std::string series = dir.file("s.sor"); // made by the tool
        std::vector<std::string> arguments = {"generate", "--definition", Definition(dir, c.Rows), "--series",
                                              series};
        arguments.insert(arguments.end(), c.Options.begin(), c.Options.end());
        const test::ToolResult result = RunTool(ETIKOR_SERIES_TOOL, arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.Out);
        EXPECT_EQ(Dump(series), c.Records);
    }
}

TEST(EtikorSeriesTool, DefinitionThatCannotBeGeneratedFailsAndLeavesTheSeriesValid) {
    TempDir dir;
    const std::string series = dir.file("s.sor");
    const std::string definition = Definition(dir, "S\t1\t1\t1\t3");
    ASSERT_EQ(
        RunTool(ETIKOR_SERIES_TOOL, {"generate", "--definition", definition, "--series", series}).exitCode,
        0);
    const std::string before = ReadFileBytes(series);

    const std::string bad = Definition(dir, "S\t3\t1\t1\t10");
    test::ToolResult result = [&] {
        test::DesktopLanguage hungarian("hu");
        return RunTool(ETIKOR_SERIES_TOOL, {"generate", "--definition", bad, "--series", series});
    }();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "A(z) 1. vonalkódrész (Szám, „1” – „10”): a 3 hosszú számláló a záró értéket „010” "
              "alakban írja, így „10” sosem lesz a szövege. Adja meg a záró értéket „010” alakban.\n");
    EXPECT_EQ(ReadFileBytes(series), before);

    // On any other desktop in English.
    test::DesktopLanguage english("en_US");
    result = RunTool(ETIKOR_SERIES_TOOL, {"generate", "--definition", bad, "--series", series});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Barcode part 1 (Number, “1” – “10”): a counter of length 3 writes the end value "
                          "as “010”, so its text is never “10”. Give the end value as “010”.\n");
    EXPECT_EQ(ReadFileBytes(series), before);
}

// Values the chosen type cannot encode are refused before the series is replaced.
TEST(EtikorSeriesTool, ValuesTheTypeCannotEncodeFailAndLeaveTheSeries) {
    TempDir dir;
    const std::string series = dir.file("s.sor");
    ASSERT_EQ(RunTool(ETIKOR_SERIES_TOOL,
                      {"generate", "--definition", Definition(dir, "S\t1\t1\t1\t3"), "--series", series})
                  .exitCode,
              0);
    const std::string before = ReadFileBytes(series);
    test::DesktopLanguage hungarian("hu");
    const test::ToolResult result =
        RunTool(ETIKOR_SERIES_TOOL, {"generate", "--definition", Definition(dir, "K\t3\t1\tABC"), "--series",
                                     series, "--type", "1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("A(z) 1. érték („ABC”) nem lehet ilyen vonalkód:"), std::string::npos)
        << result.err;
    EXPECT_EQ(ReadFileBytes(series), before);
}

// A table without the value field is no series file: generating into it would write empty
// records.
TEST(EtikorSeriesTool, SeriesFileWithoutVonalkod1IsRefused) {
    TempDir dir;
    const std::string table = dir.file("mas.sor");
    ASSERT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"create", table, "Nev:s20,Db:i"}, "alma\t3\n").exitCode, 0);
    const std::string before = ReadFileBytes(table);
    const test::ToolResult result =
        RunTool(ETIKOR_SERIES_TOOL,
                {"generate", "--definition", Definition(dir, "S\t1\t1\t1\t3"), "--series", table});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "etikor-series: " + table +
                              " is no series file: it has no Vonalkod1 field; nothing was written\n");
    EXPECT_EQ(ReadFileBytes(table), before);
}

TEST(EtikorSeriesTool, RefusesBadUsage) {
    TempDir dir;
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {},
             {"make"},
             {"generate", "--series", dir.file("s.sor")},
             {"generate", "--definition", "d.vks", "--series", "s.sor", "--type", "19"},
             {"generate", "--definition", "d.vks", "--series", "s.sor", "--date-format", "YYMMDD"},
         }) {
        const test::ToolResult result = RunTool(ETIKOR_SERIES_TOOL, arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find("usage: etikor-series generate"), std::string::npos);
    }
    const test::ToolResult missing =
        RunTool(ETIKOR_SERIES_TOOL,
                {"generate", "--definition", dir.file("none.vks"), "--series", dir.file("s.sor")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "etikor-series: M1: Error opening file " + dir.file("none.vks") + "\n");
}

} // namespace
} // namespace etikor

#endif
