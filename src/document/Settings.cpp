#include "document/Settings.h"

#include "data/Cp1250Text.h"
#include "document/IniFile.h"
#include "document/TemplateModel.h"
#include "services/Modal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

namespace etikor {

namespace {

constexpr const char* kAdatbazis = "Adatbazis";
constexpr const char* kAblak = "Ablak";
constexpr const char* kEtikettC = "EtikettC";
constexpr const char* kVonalkod = "Vonalkod";
constexpr const char* kEgyeb = "Egyeb";
constexpr const char* kNyomtatas = "Nyomtatas";

// Whether files can be created in `folder`. A read-only settings file in a writable folder
// stays the file of the program: the user made it so, and edits of it must keep counting.
bool FolderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

// File names are written as UTF-8, so that every name the file system allows survives; a file
// from the Windows-1250 days (not valid UTF-8) still reads.
QString DecodeText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArray::fromStdString(bytes));
    if (!utf8.hasError())
        return text;
    return FromCp1250(bytes);
}

} // namespace

TPageSetup DefaultPageSetup(const TSettings& s) {
    TPageSetup p;
    p.OldalHMm = s.OldalMagassagMm;
    p.OldalSzMm = s.OldalSzelessegMm;
    p.HeightMm = s.CimkeMagassagMm;
    p.WidthMm = s.CimkeSzelessegMm;
    p.FmMm = s.FelsoMargoMm;
    p.BmMm = s.BalMargoMm;
    p.JmMm = s.JobbMargoMm;
    p.AmMm = s.AlsoMargoMm;
    p.TerkozMm = s.TerkozMm;
    p.Oszlopok = s.Oszlopok;
    return p;
}

TSettingsFile::TSettingsFile(QString programFolder, QString configFolder) {
    const QString beside = QDir(programFolder).filePath(QString::fromLatin1(kSettingsFileName));
    if (FolderWritable(programFolder)) {
        FPath = QDir::toNativeSeparators(beside);
        return;
    }
    if (configFolder.isEmpty())
        configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configFolder);
    FPath = QDir::toNativeSeparators(QDir(configFolder).filePath(QString::fromLatin1(kSettingsFileName)));
    // The first time, start from the settings installed with the program; the copy is the
    // user's own and must be writable even when the installed file is not.
    if (!QFileInfo::exists(FPath) && QFileInfo::exists(beside) && QFile::copy(beside, FPath))
        QFile::setPermissions(FPath, QFile::permissions(FPath) | QFile::ReadOwner | QFile::WriteOwner);
}

TSettingsFile TSettingsFile::At(QString path) {
    TSettingsFile file;
    file.FPath = QDir::toNativeSeparators(path);
    return file;
}

TSettings TSettingsFile::Read() const {
    const TIniFile ini(FPath);
    TSettings s;
    const std::string last = ini.ReadString(kAdatbazis, "Utolso", "");
    if (!last.empty())
        s.Utolso = DecodeText(last);
    s.OldalMagassagMm = ini.ReadFloat(kEtikettC, "Magassag mm", s.OldalMagassagMm);
    s.OldalSzelessegMm = ini.ReadFloat(kEtikettC, "Szelesseg mm", s.OldalSzelessegMm);
    s.FelsoMargoMm = ini.ReadFloat(kEtikettC, "Oldal - Felso m. mm", s.FelsoMargoMm);
    s.BalMargoMm = ini.ReadFloat(kEtikettC, "Oldal - Bal m. mm", s.BalMargoMm);
    s.JobbMargoMm = ini.ReadFloat(kEtikettC, "Oldal - Jobb m. mm", s.JobbMargoMm);
    s.AlsoMargoMm = ini.ReadFloat(kEtikettC, "Oldal - Also m. mm", s.AlsoMargoMm);
    s.CimkeMagassagMm = ini.ReadFloat(kEtikettC, "C Magassag mm", s.CimkeMagassagMm);
    s.TerkozMm = ini.ReadFloat(kEtikettC, "Terkoz mm", s.TerkozMm);
    s.Oszlopok = ini.ReadInteger(kEtikettC, "Oszlopok", s.Oszlopok);
    s.CimkeSzelessegMm = ini.ReadFloat(kEtikettC, "C Szelesseg mm", s.CimkeSzelessegMm);
    s.Security = ini.ReadBool(kVonalkod, "Security", s.Security);
    s.AutoChd = ini.ReadBool(kVonalkod, "Auto Chd", s.AutoChd);
    s.AutoBetu = ini.ReadBool(kVonalkod, "Auto betu", s.AutoBetu);
    s.AutoVonal = ini.ReadBool(kVonalkod, "Auto vonal", s.AutoVonal);
    s.AutoAdatforras = ini.ReadBool(kVonalkod, "Auto adatforras", s.AutoAdatforras);
    s.AutoOrsina = ini.ReadBool(kVonalkod, "Auto Orsina", s.AutoOrsina);
    s.AutoSugo = ini.ReadBool(kEgyeb, "Auto sugo", s.AutoSugo);
    s.Nyomtato = QString::fromStdString(ini.ReadString(kNyomtatas, "Nyomtato", ""));
    return s;
}

void TSettingsFile::Write(const TSettings& s) const {
    TIniFile ini(FPath);
    ini.WriteString(kAdatbazis, "Utolso", s.Utolso.toStdString());
    // No window has no size: a write without one keeps the values of the last close.
    if (s.AblakMagassag > 0 && s.AblakSzelesseg > 0) {
        ini.WriteInteger(kAblak, "Magassag", s.AblakMagassag);
        ini.WriteInteger(kAblak, "Szelesseg", s.AblakSzelesseg);
    }
    ini.WriteFloat(kEtikettC, "Magassag mm", s.OldalMagassagMm);
    ini.WriteFloat(kEtikettC, "Szelesseg mm", s.OldalSzelessegMm);
    ini.WriteFloat(kEtikettC, "Oldal - Felso m. mm", s.FelsoMargoMm);
    ini.WriteFloat(kEtikettC, "Oldal - Bal m. mm", s.BalMargoMm);
    ini.WriteFloat(kEtikettC, "Oldal - Jobb m. mm", s.JobbMargoMm);
    ini.WriteFloat(kEtikettC, "Oldal - Also m. mm", s.AlsoMargoMm);
    ini.WriteFloat(kEtikettC, "C Magassag mm", s.CimkeMagassagMm);
    ini.WriteFloat(kEtikettC, "Terkoz mm", s.TerkozMm);
    ini.WriteInteger(kEtikettC, "Oszlopok", s.Oszlopok);
    ini.WriteFloat(kEtikettC, "C Szelesseg mm", s.CimkeSzelessegMm);
    ini.WriteBool(kVonalkod, "Security", s.Security);
    ini.WriteBool(kVonalkod, "Auto Chd", s.AutoChd);
    ini.WriteBool(kVonalkod, "Auto betu", s.AutoBetu);
    ini.WriteBool(kVonalkod, "Auto vonal", s.AutoVonal);
    ini.WriteBool(kVonalkod, "Auto adatforras", s.AutoAdatforras);
    ini.WriteBool(kEgyeb, "Auto sugo", s.AutoSugo);
    ini.WriteBool(kVonalkod, "Auto Orsina", s.AutoOrsina);
    // Only once a printer was chosen: a file that never printed keeps its keys.
    if (!s.Nyomtato.isEmpty())
        ini.WriteString(kNyomtatas, "Nyomtato", s.Nyomtato.toStdString());
}

bool TSettingsFile::WriteOrWarn(const TSettings& settings, IModal& modal) const {
    try {
        Write(settings);
        return true;
    } catch (const std::exception&) {
        if (!FWarned) {
            FWarned = true;
            modal.Message(QString(),
                          QStringLiteral("A beállításokat nem lehet elmenteni a(z) ") + FPath +
                              QStringLiteral(" fileba!") + QStringLiteral("\r") +
                              QStringLiteral("Ellenőrizze, hogy a file és a mappája írható-e."),
                          QStringLiteral("F"));
        }
        return false;
    }
}

std::optional<TSettings> TSettingsFile::Reset() const {
    if (!QFile::remove(FPath))
        return std::nullopt;
    return Read();
}

} // namespace etikor
