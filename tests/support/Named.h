#pragma once

// A window's control found by its component name, as the tests drive them; a name the window
// does not have fails the test instead of crashing it.

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

namespace etikor::test {

template <typename T>
T* Named(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        ADD_FAILURE() << "no control named " << name;
    return child;
}

template <typename T>
T* Named(const QObject* parent, const char* name) {
    return Named<T>(*parent, name);
}

} // namespace etikor::test
