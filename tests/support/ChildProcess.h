#pragma once

// Runs part of a test in a second process of the same test program: a program started as a
// user's desktop starts it (another locale in the environment), or a second copy of the
// program. A test file registers a child body by name; the test starts this program again with
// that name in ETIKOR_TEST_CHILD, and main() runs the body instead of the tests.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace etikor::test {

// The body gets the arguments after the name and returns the exit code.
using ChildBody = std::function<int(const QStringList& arguments)>;

struct ChildRegistration {
    ChildRegistration(const char* name, ChildBody body);
};

// In main(): runs the child named in ETIKOR_TEST_CHILD; false when this is no child.
bool RunChildIfAsked(int& exitCode);

// The environment of a child `name` with `arguments` (for QProcess), starting from this
// process's environment.
QProcessEnvironment ChildEnvironment(const QString& name, const QStringList& arguments = {});
// Runs a child to its end; its exit code, or -1 when it did not finish in time.
int RunChild(const QString& name, const QStringList& arguments, const QProcessEnvironment& extra = {},
             QString* output = nullptr, int timeoutMs = 60000);

} // namespace etikor::test
