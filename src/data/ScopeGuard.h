#pragma once

// Undoing a temporary change however a scope is left. TScopeGuard runs its cleanup on every
// exit; TFailureGuard only when the scope is left by an exception (for what belongs to the
// failure path alone). A cleanup that throws while an exception is already on its way is
// dropped, so the first failure is the one the caller sees; otherwise its exception goes on.

#include <exception>
#include <utility>

namespace etikor {

template <class Cleanup>
class TScopeGuard {
public:
    explicit TScopeGuard(Cleanup cleanup) : FCleanup(std::move(cleanup)) {}
    TScopeGuard(const TScopeGuard&) = delete;
    TScopeGuard& operator=(const TScopeGuard&) = delete;
    ~TScopeGuard() noexcept(false) {
        if (std::uncaught_exceptions() > FUncaught) {
            try {
                FCleanup();
            } catch (...) {
            }
        } else {
            FCleanup();
        }
    }

private:
    Cleanup FCleanup;
    int FUncaught = std::uncaught_exceptions();
};

template <class Cleanup>
class TFailureGuard {
public:
    explicit TFailureGuard(Cleanup cleanup) : FCleanup(std::move(cleanup)) {}
    TFailureGuard(const TFailureGuard&) = delete;
    TFailureGuard& operator=(const TFailureGuard&) = delete;
    ~TFailureGuard() {
        if (std::uncaught_exceptions() > FUncaught) {
            try {
                FCleanup();
            } catch (...) {
            }
        }
    }

private:
    Cleanup FCleanup;
    int FUncaught = std::uncaught_exceptions();
};

} // namespace etikor
