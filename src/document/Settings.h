#pragma once

// The program's settings: the last template, the default page and label layout for templates
// that have none, the barcode defaults and the start-up switches, kept in "etikor.ini" beside
// the executable (or in the user's configuration folder when the program's folder cannot be
// written).

#include "data/PageSetup.h"

#include <QPointF>
#include <QString>

#include <map>
#include <optional>

namespace etikor {

inline constexpr const char* kSettingsFileName = "etikor.ini";
inline constexpr const char* kDefaultTemplate = "Sorozat0.ctv";
// Names the user's configuration folder, whichever program reads it (etikor-print reads the
// program's).
inline constexpr const char* kSettingsFolderName = "Etikor";

// How far a printer's calibration moves everything printed on it, mm: right and down are
// positive. Kept from -10 to +10 mm in 0.1 mm steps.
struct TPrintOffset {
    double X = 0;
    double Y = 0;

    static constexpr double kLimitMm = 10;
    // Rounded to the step and kept within the limits.
    static TPrintOffset Clamped(double x, double y);
    // "X,Y" in millimetres with a decimal point ("1.5,-0.5"), or "X;Y" where the decimal sign
    // may be a comma ("1,5;-0,5"). Nullopt when it is not two numbers or one is beyond the
    // limits.
    static std::optional<TPrintOffset> Parse(const QString& text);
    bool IsZero() const { return X == 0 && Y == 0; }
    // Where the device's origin lies on the paper so that the page moves by the offset, taken
    // to whole dots of a device of `dpiX` x `dpiY`: the page moves as a whole and the bars stay
    // on the printer's dots.
    QPointF DeviceOriginMm(double dpiX, double dpiY) const;
    bool operator==(const TPrintOffset& other) const { return X == other.X && Y == other.Y; }
    bool operator!=(const TPrintOffset& other) const { return !(*this == other); }
};

// The calibrations by print queue name (queue names are compared without regard to case, as the
// print system does).
struct TQueueNameLess {
    bool operator()(const QString& a, const QString& b) const {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }
};
using TPrintOffsets = std::map<QString, TPrintOffset, TQueueNameLess>;

// The offset of `queue` (none for an empty name: a PDF file, or a queue never calibrated).
TPrintOffset OffsetOfQueue(const TPrintOffsets& offsets, const QString& queue);

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
    // Each printer's calibration, by queue name.
    TPrintOffsets Eltolas;
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
