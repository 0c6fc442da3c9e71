#include "RunTool.h"

#include "support/TempDir.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>

namespace etikor::test {

pid_t StartTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& inPath, const std::string& outPath, const std::string& errPath,
                long fileSizeLimit) {
    const pid_t child = fork();
    if (child == 0) {
        if (fileSizeLimit > 0) {
            // Writes beyond the limit fail with EFBIG, as on a full disk (the signal that would
            // end the process instead stays ignored across exec).
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, SIG_IGN);
        }
        const int in = open(inPath.c_str(), O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return child;
}

ToolResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& input) {
    TempDir dir;
    const std::string inPath = dir.file("stdin"), outPath = dir.file("stdout"), errPath = dir.file("stderr");
    WriteFileBytes(inPath, input);

    ToolResult result;
    const pid_t child = StartTool(program, arguments, inPath, outPath, errPath, 0);
    int status = 0;
    waitpid(child, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFileBytes(outPath);
    result.err = ReadFileBytes(errPath);
    return result;
}

} // namespace etikor::test
