#ifdef ETIKOR_TABLE_TOOL

#include "RunTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace etikor {
namespace {

using test::RunTool;
using test::TempDir;

// The environment of a user's Hungarian desktop for the programs this test starts.
class HungarianEnvironment {
public:
    HungarianEnvironment() {
        if (const char* all = std::getenv("LC_ALL"))
            FSaved = all, FHad = true;
        setenv("LC_ALL", "hu_HU.UTF-8", 1);
    }
    ~HungarianEnvironment() {
        if (FHad)
            setenv("LC_ALL", FSaved.c_str(), 1);
        else
            unsetenv("LC_ALL");
    }

private:
    std::string FSaved;
    bool FHad = false;
};

// The tools' output keeps its fixed formats ("." decimals, ISO dates) under any desktop locale,
// so scripts that read it do not depend on who runs them.
TEST(ToolLocale, TableToolKeepsItsFormatsUnderAHungarianDesktop) {
    TempDir dir;
    const std::string path = dir.file("szamok.tbl");
    const std::string fields = "Dbl:f,Cur:c,Dat:d,Tim:v,DT:t";
    const std::string input = "1234.25\t99.5\t2024-03-15\t13:05:07.250\t2024-03-15 06:00:00\n";
    const std::string expected = "Dbl:f\tCur:c\tDat:d\tTim:v\tDT:t\n"
                                 "1234.25\t99.5\t2024-03-15\t13:05:07.250\t2024-03-15 06:00:00\n";
    const auto plain = RunTool(ETIKOR_TABLE_TOOL, {"create", path, fields}, input);
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"dump", path}).out, expected);

    HungarianEnvironment hungarian;
    const std::string again = dir.file("ujra.tbl");
    const auto created = RunTool(ETIKOR_TABLE_TOOL, {"create", again, fields}, input);
    ASSERT_EQ(created.exitCode, 0) << created.err;
    const auto dumped = RunTool(ETIKOR_TABLE_TOOL, {"dump", again});
    EXPECT_EQ(dumped.out, expected);
    EXPECT_EQ(RunTool(ETIKOR_TABLE_TOOL, {"dump", path}).out, expected);
}

} // namespace
} // namespace etikor

#endif
