#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace etikor::test {

// The tools started while it lives run on a desktop whose message language is `language` ("hu",
// "en"): LANGUAGE, which they read first for their messages' language, is set meanwhile.
class DesktopLanguage {
public:
    explicit DesktopLanguage(const char* language) {
        if (const char* saved = std::getenv("LANGUAGE"))
            FSaved = saved;
        setenv("LANGUAGE", language, 1);
    }
    ~DesktopLanguage() {
        if (FSaved)
            setenv("LANGUAGE", FSaved->c_str(), 1);
        else
            unsetenv("LANGUAGE");
    }
    DesktopLanguage(const DesktopLanguage&) = delete;
    DesktopLanguage& operator=(const DesktopLanguage&) = delete;

private:
    std::optional<std::string> FSaved;
};

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell), feeding `input` to its standard input.
ToolResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& input = {});

// Starts a program with arguments (no shell) reading standard input from `inPath` and writing
// its output into the two files; returns its process id without waiting for it. With a
// `fileSizeLimit` (bytes) no file the program writes can grow beyond it: a full disk.
pid_t StartTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& inPath, const std::string& outPath, const std::string& errPath,
                long fileSizeLimit = 0);

} // namespace etikor::test
