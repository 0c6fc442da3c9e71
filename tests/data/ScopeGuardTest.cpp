#include "data/ScopeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace etikor {
namespace {

// The guards as the dataset code leans on them: the cleanup runs on every way out (or only on
// a failure), and a cleanup that fails while a failure is on its way never hides the first one.
TEST(ScopeGuard, CleansUpOnEveryWayOutAndKeepsTheFirstFailure) {
    int cleanups = 0;
    {
        const TScopeGuard guard([&] { ++cleanups; });
    }
    EXPECT_EQ(cleanups, 1);

    EXPECT_THROW(
        {
            const TScopeGuard guard([&] { ++cleanups; });
            throw std::runtime_error("first");
        },
        std::runtime_error);
    EXPECT_EQ(cleanups, 2);

    try {
        const TScopeGuard guard([] { throw std::logic_error("cleanup"); });
        throw std::runtime_error("first");
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "first");
    }

    // Without a failure on its way, a failing cleanup is the failure.
    EXPECT_THROW({ const TScopeGuard guard([] { throw std::logic_error("cleanup"); }); }, std::logic_error);
}

TEST(ScopeGuard, FailureGuardRunsOnlyWhenTheScopeFails) {
    int cleanups = 0;
    {
        const TFailureGuard guard([&] { ++cleanups; });
    }
    EXPECT_EQ(cleanups, 0);

    EXPECT_THROW(
        {
            const TFailureGuard guard([&] { ++cleanups; });
            throw std::runtime_error("failed");
        },
        std::runtime_error);
    EXPECT_EQ(cleanups, 1);
}

} // namespace
} // namespace etikor
