#include "EtikorVersion.h"
#include "RunTool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace etikor {
namespace {

using test::RunTool;

struct TTool {
    std::string Name;
    std::string Path;
};

std::vector<TTool> BuiltTools() {
    std::vector<TTool> tools;
#ifdef ETIKOR_TABLE_TOOL
    tools.push_back({"etikor-table", ETIKOR_TABLE_TOOL});
#endif
#ifdef ETIKOR_BARCODE_TOOL
    tools.push_back({"etikor-barcode", ETIKOR_BARCODE_TOOL});
#endif
#ifdef ETIKOR_SERIES_TOOL
    tools.push_back({"etikor-series", ETIKOR_SERIES_TOOL});
#endif
#ifdef ETIKOR_PRINT_TOOL
    tools.push_back({"etikor-print", ETIKOR_PRINT_TOOL});
#endif
    return tools;
}

// Every tool answers --help with its usage on standard output and --version with the project's
// version, both with success; a wrong command still fails with the usage on standard error.
TEST(StandardOptions, EveryToolAnswersHelpAndVersion) {
    for (const TTool& tool : BuiltTools()) {
        SCOPED_TRACE(tool.Name);
        for (const char* option : {"--help", "-h"}) {
            const auto help = RunTool(tool.Path, {option});
            EXPECT_EQ(help.exitCode, 0) << help.err;
            EXPECT_EQ(help.out.rfind("usage: " + tool.Name, 0), 0u) << help.out;
            EXPECT_EQ(help.err, "");
        }
        const auto version = RunTool(tool.Path, {"--version"});
        EXPECT_EQ(version.exitCode, 0) << version.err;
        EXPECT_EQ(version.out, tool.Name + " " + kVersion + "\n");

        const auto wrong = RunTool(tool.Path, {"--no-such-option"});
        EXPECT_EQ(wrong.exitCode, 2);
        EXPECT_EQ(wrong.out, "");
        EXPECT_NE(wrong.err.find("usage: " + tool.Name), std::string::npos) << wrong.err;
    }
}

} // namespace
} // namespace etikor
