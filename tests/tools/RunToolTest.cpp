#include "RunTool.h"

#include <gtest/gtest.h>

namespace etikor::test {
namespace {

TEST(RunTool, CapturesOutputErrorsAndExitCode) {
    const auto result = RunTool("/bin/sh", {"-c", "cat; echo oops >&2; exit 3"}, "hello\n");
    EXPECT_EQ(result.out, "hello\n");
    EXPECT_EQ(result.err, "oops\n");
    EXPECT_EQ(result.exitCode, 3);
}

} // namespace
} // namespace etikor::test
