#pragma once

// A save cut off by a kill: a child process starts saving `size` bytes over `path` and is
// killed as soon as the first chunk is in the file. For the tests of what the next read or
// save makes of the file (header-only: its users link the table store).

#include "tablestore/StoreFile.h"

#include <csignal>
#include <functional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace etikor::test {

// Runs `write` in a child process with a probe that kills it as soon as the first chunk is in
// the file. True when the child was killed part-way, as intended.
inline bool KilledPartWay(const std::function<void(const TStoreWriteProbe&)>& write) {
    const pid_t child = fork();
    if (child == 0) {
        write([](std::size_t written) {
            if (written > 0)
                ::raise(SIGKILL);
            return true;
        });
        _exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status);
}

inline bool SaveKilledPartWay(const std::string& path, std::size_t size) {
    return KilledPartWay(
        [&](const TStoreWriteProbe& probe) { SaveImageToFile(path, std::string(size, 'x'), 0, probe); });
}

} // namespace etikor::test
