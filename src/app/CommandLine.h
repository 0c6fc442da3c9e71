#pragma once

// The program's command line: `etikor [OPTIONS] [TEMPLATE]`. Read before the application
// object exists, so that --help and --version answer without a display.

#include <QString>
#include <QStringList>

namespace etikor {

struct TCommandLine {
    bool Help = false;
    bool Version = false;
    // End the program once start-up has opened the template (a check that it comes up).
    bool QuitAfterStart = false;
    // "hu" or "en" from --lang; empty: the desktop's language decides.
    QString Language;
    // A template (.ctv) or series (.sor) to open instead of the last one.
    QString File;
    // Not empty when the arguments cannot be used; says why.
    QString Error;

    // `arguments` without the program's name.
    static TCommandLine Parse(const QStringList& arguments);
    static QString Usage();
};

struct TAppPaths;
// The template file name to open for `file` (a .ctv, or a .sor whose template has the same
// base name). A file outside the series folder of `paths` makes its own folder the series
// folder of this run.
QString StartTemplate(const QString& file, TAppPaths& paths);

} // namespace etikor
