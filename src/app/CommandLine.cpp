#include "app/CommandLine.h"

#include "document/TemplateFiles.h"
#include "services/AppPaths.h"

#include <QDir>
#include <QFileInfo>

namespace etikor {

TCommandLine TCommandLine::Parse(const QStringList& arguments) {
    TCommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            line.Help = true;
        } else if (!optionsEnded && arg == QLatin1String("--version")) {
            line.Version = true;
        } else if (!optionsEnded && arg == QLatin1String("--quit-after-start")) {
            line.QuitAfterStart = true;
        } else if (!optionsEnded &&
                   (arg == QLatin1String("--lang") || arg.startsWith(QLatin1String("--lang=")))) {
            const bool joined = arg.size() > 6;
            if (!joined && i + 1 == arguments.size()) {
                line.Error = QStringLiteral("--lang needs hu or en");
                return line;
            }
            line.Language = joined ? arg.mid(7) : arguments[++i];
            if (line.Language != QLatin1String("hu") && line.Language != QLatin1String("en")) {
                line.Error = QStringLiteral("unknown language '%1' (hu or en)").arg(line.Language);
                return line;
            }
        } else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            line.Error = QStringLiteral("unknown option '%1'").arg(arg);
            return line;
        } else if (line.File.isEmpty()) {
            line.File = arg;
        } else {
            line.Error = QStringLiteral("only one template can be opened");
            return line;
        }
    }
    return line;
}

QString StartTemplate(const QString& file, TAppPaths& paths) {
    const QFileInfo info(file);
    QString name = info.fileName();
    if (name.endsWith(QLatin1String(".sor"), Qt::CaseInsensitive))
        name = TemplateBaseName(name) + QStringLiteral(".ctv");
    const QString folder = info.absolutePath();
    const QString series = QFileInfo(paths.SeriesFolder()).canonicalFilePath();
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || canonical != series)
        paths.SeriesOverride = QDir::toNativeSeparators(canonical.isEmpty() ? folder : canonical);
    return name;
}

QString TCommandLine::Usage() {
    return QStringLiteral("usage: etikor [--lang hu|en] [--quit-after-start] [TEMPLATE.ctv | SERIES.sor]\n"
                          "       etikor --help | --version\n"
                          "  TEMPLATE            open this label template (with its series beside it)\n"
                          "                      instead of the last one\n"
                          "  --lang hu|en        the language of the windows (default: Hungarian on a\n"
                          "                      Hungarian desktop, English otherwise)\n"
                          "  --quit-after-start  end once the template is open (checks that the program\n"
                          "                      comes up; exit status 0 when it did)\n");
}

} // namespace etikor
