#include "exchange/ChildProcessLimits.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace etikor {
namespace {

// Runs `allocate` in a child limited to 64 MiB of growth: exit 0 when the allocation
// succeeded, 1 when it failed, 2 when no limit could be set.
int AllocateInLimitedChild(std::size_t bytes) {
    const pid_t child = fork();
    if (child == 0) {
        if (!LimitAddressSpaceGrowth(std::size_t(64) << 20))
            _exit(2);
        try {
            std::vector<char> block(bytes, 1);
            _exit(block[bytes / 2] == 1 ? 0 : 3);
        } catch (const std::bad_alloc&) {
            _exit(1);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The .xls reader's child sets this limit: a workbook that makes FreeXL allocate without end
// fails inside the child instead of taking the machine's memory.
TEST(ChildProcessLimits, GrowthBeyondTheBudgetFails) {
    const int small = AllocateInLimitedChild(std::size_t(16) << 20);
    if (small == 2)
        GTEST_SKIP() << "no address-space limit under this build (address sanitizer)";
    EXPECT_EQ(small, 0);
    EXPECT_EQ(AllocateInLimitedChild(std::size_t(512) << 20), 1);
}

} // namespace
} // namespace etikor
