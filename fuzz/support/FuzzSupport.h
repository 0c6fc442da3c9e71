#pragma once

// What the fuzz targets share: stopping on a broken property with its description, and the
// headless application the targets that draw text or use Qt's image readers need.

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace etikor::fuzz {

// Ends the run (a finding) with `target: what` when `condition` does not hold.
inline void Require(bool condition, const char* target, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "%s: %s\n", target, what);
        std::abort();
    }
}

// A headless QGuiApplication, made once per process.
inline void EnsureGuiApplication() {
    static int argc = 1;
    static char name[] = "etikor-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

} // namespace etikor::fuzz
