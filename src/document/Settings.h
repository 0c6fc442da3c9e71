#pragma once

// The program's settings: the last template, the default page and label layout for templates
// that have none, the barcode defaults and the start-up switches, kept in "etikor.ini" beside
// the executable (or in the user's configuration folder when the program's folder cannot be
// written).

#include "data/PageSetup.h"

#include <QString>

#include <optional>

namespace etikor {

inline constexpr const char* kSettingsFileName = "etikor.ini";
inline constexpr const char* kDefaultTemplate = "Sorozat0.ctv";
// Names the user's configuration folder, whichever program reads it (etikor-print reads the
// program's).
inline constexpr const char* kSettingsFolderName = "Etikor";

// The values the settings dialog shows and the run-time flags of the same names.
struct TSettings {
    QString Utolso = QString::fromLatin1(kDefaultTemplate); // file name, no folder
    int AblakMagassag = 0; // outer size of the main window, frame included; never written as 0
    int AblakSzelesseg = 0;
    // The default page and label of templates that have no page-setup row.
    TPageSetup Page;
    // Flags.
    bool Security = true;
    bool AutoChd = true;
    bool AutoBetu = true;
    bool AutoVonal = true;
    bool AutoAdatforras = true;
    bool AutoOrsina = false;
    bool AutoSugo = true;
    // The print queue chosen last in the printer dialog (UTF-8); empty: the system's default.
    QString Nyomtato;
};

class IModal;

class TSettingsFile {
public:
    // `programFolder` is where the file belongs; `configFolder` is used instead when the
    // program's folder cannot be written (empty: the user's configuration folder).
    explicit TSettingsFile(QString programFolder, QString configFolder = {});
    // The settings file at `path` itself, wherever it is (a tool's --settings).
    static TSettingsFile At(QString path);

    // The file actually read and written.
    const QString& Path() const { return FPath; }

    // Missing, empty and unreadable values give their defaults. The window size is not read.
    TSettings Read() const;
    // Writes every value, one after the other, each replacing its value in the file at once.
    // The window size is left as it is in the file while it is not known (0). Throws
    // std::runtime_error when the file cannot be written.
    void Write(const TSettings& settings) const;
    // The same; when the file cannot be written the user is told so in a warning, once for
    // this file, and the program goes on. False when not written.
    bool WriteOrWarn(const TSettings& settings, IModal& modal) const;
    // Reset to defaults: deletes the file and reads it again. Nullopt when there was no file
    // to delete (nothing changes then).
    std::optional<TSettings> Reset() const;

private:
    TSettingsFile() = default;
    QString FPath;
    mutable bool FWarned = false;
};

} // namespace etikor
