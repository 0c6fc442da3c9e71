#pragma once

// --help and --version, answered the same way by every command-line tool: given as the only
// argument they print to standard output and end the tool with success.

#include "EtikorVersion.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string_view>

namespace etikor {

// The exit code when the arguments were a standard option; nullopt otherwise. `printUsage`
// writes the usage text to the stream it is given.
inline std::optional<int> StandardOption(int argc, char** argv, const char* toolName,
                                         const std::function<void(std::FILE*)>& printUsage) {
    if (argc != 2)
        return std::nullopt;
    const std::string_view arg = argv[1];
    if (arg == "--help" || arg == "-h") {
        printUsage(stdout);
        return 0;
    }
    if (arg == "--version") {
        std::printf("%s %s\n", toolName, kVersion);
        return 0;
    }
    return std::nullopt;
}

} // namespace etikor
