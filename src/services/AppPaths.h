#pragma once

// The folders the program works with, read through one injectable object so tests run in a
// temporary folder. Paths are kept with the platform's separators, because messages show them.

#include <QString>

namespace etikor {

struct TAppPaths {
    // The process's current folder when the main window is first shown.
    QString WorkingFolder;
    // The folder of the executable (settings file, scratch tables).
    QString ProgramFolder;
    // The folder of a template opened from the command line outside the working folder's
    // "Sorozat": its companions and the dialogs use it for this run. Empty otherwise.
    QString SeriesOverride;
    // An installed program's shipped files (<prefix>/share/etikor beside <prefix>/bin); empty
    // when it runs from its build folder.
    QString SharedFolder;
    // Where the settings file belongs; empty: the program folder.
    QString SettingsFolder;

    // Working folder + separator + "Sorozat" (or the override): templates and their series
    // files.
    QString SeriesFolder() const;
    // A file in a folder, joined with the platform's separator.
    // The folder one running program holds for itself: the series folder when overridden,
    // otherwise the working folder.
    QString LockFolder() const;
    static QString Join(const QString& folder, const QString& fileName);
    // The settings file's folder.
    QString SettingsLocation() const { return SettingsFolder.isEmpty() ? ProgramFolder : SettingsFolder; }
    // From the build folder: the current folder and the running executable's folder. Installed
    // (shipped files in <prefix>/share/etikor), where the program's folder belongs to the
    // system: the user's data folder is both the working folder and the folder of the scratch
    // tables, and the settings live in the user's configuration folder.
    static TAppPaths FromSystem();
};

// The process-wide paths. Until set they are taken from the system on first use.
const TAppPaths& AppPaths();
void SetAppPaths(const TAppPaths& paths);

} // namespace etikor
