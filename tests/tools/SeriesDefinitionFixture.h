#pragma once

// A series definition file (.vks) made with the table tool, for the series tool's tests.

#include "RunTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace etikor::test {

inline const std::string kDefinitionFields =
    "Azon:i,Hossz:i,Tipus:1,Szamlalo:b,Szorzo:i,Ertek1:s200,Ertek2:s200,Vktip:i,AI:4";

// A definition file from rows "Tipus Hossz Szorzo Ertek1 Ertek2" (tab-separated).
inline std::string Definition(const TempDir& dir, const std::string& rows) {
    const std::string path = dir.file("d.vks");
    std::string input;
    std::size_t start = 0;
    while (start < rows.size()) {
        const std::size_t end = rows.find('\n', start);
        const std::string row = rows.substr(start, end - start);
        const std::size_t t1 = row.find('\t'), t2 = row.find('\t', t1 + 1), t3 = row.find('\t', t2 + 1),
                          t4 = row.find('\t', t3 + 1);
        input += "1\t" + row.substr(t1 + 1, t2 - t1 - 1) + "\t" + row.substr(0, t1) + "\tFalse\t" +
                 row.substr(t2 + 1, t3 - t2 - 1) + "\t" + row.substr(t3 + 1, t4 - t3 - 1) + "\t" +
                 (t4 == std::string::npos ? "" : row.substr(t4 + 1)) + "\t5\t\n";
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    const ToolResult made = RunTool(ETIKOR_TABLE_TOOL, {"create", path, kDefinitionFields}, input);
    EXPECT_EQ(made.exitCode, 0) << made.err;
    return path;
}

} // namespace etikor::test
