#include "services/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

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
    paths.ProgramFolder = QCoreApplication::instance()
                              ? QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
                              : paths.WorkingFolder;
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
