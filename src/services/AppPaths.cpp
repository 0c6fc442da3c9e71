#include "services/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace etikor {

QString TAppPaths::SeriesFolder() const {
    if (!SeriesOverride.isEmpty())
        return QDir::toNativeSeparators(SeriesOverride);
    return Join(WorkingFolder, QStringLiteral("Sorozat"));
}

QString TAppPaths::LockFolder() const {
    return SeriesOverride.isEmpty() ? WorkingFolder : QDir::toNativeSeparators(SeriesOverride);
}

QString TAppPaths::Join(const QString& folder, const QString& fileName) {
    if (folder.isEmpty())
        return fileName;
    QString native = QDir::toNativeSeparators(folder);
    if (native.endsWith(QDir::separator()))
        return native + fileName;
    return native + QDir::separator() + fileName;
}

TAppPaths TAppPaths::FromSystem() {
    TAppPaths paths;
    paths.WorkingFolder = QDir::toNativeSeparators(QDir::currentPath());
    // Without an application object there is no executable path; the current folder stands in.
    if (!QCoreApplication::instance()) {
        paths.ProgramFolder = paths.WorkingFolder;
        return paths;
    }
    const QString programFolder = QCoreApplication::applicationDirPath();
    paths.ProgramFolder = QDir::toNativeSeparators(programFolder);
    const QDir shared(QDir(programFolder).filePath(QStringLiteral("../share/etikor")));
    if (!QFileInfo(shared.filePath(QStringLiteral("Sorozat"))).isDir())
        return paths;
    paths.SharedFolder = QDir::toNativeSeparators(shared.canonicalPath());
    paths.WorkingFolder =
        QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    paths.ProgramFolder = paths.WorkingFolder;
    paths.SettingsFolder =
        QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    return paths;
}

namespace {
std::optional<TAppPaths>& Current() {
    static std::optional<TAppPaths> paths;
    return paths;
}
} // namespace

const TAppPaths& AppPaths() {
    auto& paths = Current();
    if (!paths)
        paths = TAppPaths::FromSystem();
    return *paths;
}

void SetAppPaths(const TAppPaths& paths) {
    Current() = paths;
}

} // namespace etikor
