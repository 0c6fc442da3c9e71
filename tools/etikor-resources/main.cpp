// Writes the table files that ship with the program, with the program's own table store:
//   etikor-resources --program-folder DIR --series-folder DIR
// The scratch tables "nytemp.tmp" and "Temp.tmp" go into the program folder (always rewritten:
// the program empties them on every use); the default set "Sorozat0.ctv/.sor/.vks" goes into
// the series folder, each file only when it is missing, so a rebuild never replaces a label
// the user has been working on.

#include "document/Settings.h"
#include "document/ShippedFiles.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString programFolder, seriesFolder;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QStringLiteral("--program-folder"))
            programFolder = args[i + 1];
        else if (args[i] == QStringLiteral("--series-folder"))
            seriesFolder = args[i + 1];
    }
    if (programFolder.isEmpty() || seriesFolder.isEmpty()) {
        std::fprintf(stderr, "usage: etikor-resources --program-folder DIR --series-folder DIR\n");
        return 2;
    }
    try {
        etikor::WriteScratchTables(programFolder);
        etikor::WriteDefaultSet(seriesFolder, etikor::TSettings{}, true);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "etikor-resources: %s\n", e.what());
        return 1;
    }
    return 0;
}
