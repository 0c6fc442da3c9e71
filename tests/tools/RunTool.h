#pragma once

#include <string>
#include <vector>

namespace etikor::test {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell), feeding `input` to its standard input.
ToolResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& input = {});

} // namespace etikor::test
