#pragma once

// The message of the error an action raises, so that a table of cases can compare texts.

#include <exception>
#include <string>

namespace etikor::test {

// The message of the exception of type E that `action` raises, "(none)" when it raises nothing.
// An exception of another type escapes and fails the test.
template <typename E = std::exception, typename Action>
std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const E& e) {
        return e.what();
    }
    return "(none)";
}

} // namespace etikor::test
