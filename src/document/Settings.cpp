#include "document/Settings.h"

#include "data/Cp1250Text.h"
#include "document/IniFile.h"
#include "document/PageSetupValues.h"
#include "services/Modal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TSettingsText {
    Q_DECLARE_TR_FUNCTIONS(TSettingsText)
};
} // namespace

namespace {

constexpr const char* kAdatbazis = "Adatbazis";
constexpr const char* kAblak = "Ablak";
constexpr const char* kEtikettC = "EtikettC";
constexpr const char* kVonalkod = "Vonalkod";
constexpr const char* kEgyeb = "Egyeb";
constexpr const char* kNyomtatas = "Nyomtatas";
// One key per queue: "name=X;Y" in millimetres with a decimal point.
constexpr const char* kEltolas = "Eltolas";

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

TPrintOffset TPrintOffset::Clamped(double x, double y) {
    auto step = [](double mm) {
        const double limited = std::clamp(mm, -kLimitMm, kLimitMm);
        const double rounded = std::round(limited * 10) / 10;
        return rounded == 0 ? 0.0 : rounded; // no "-0.0"
    };
    return {step(x), step(y)};
}

std::optional<TPrintOffset> TPrintOffset::Parse(const QString& text) {
    const QString trimmed = text.trimmed();
    const QChar separator = trimmed.contains(';') ? QChar(';') : QChar(',');
    QStringList parts = trimmed.split(separator);
    if (parts.size() != 2)
        return std::nullopt;
    double values[2] = {};
    for (int i = 0; i < 2; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().replace(',', '.').toDouble(&ok);
        if (!ok || !std::isfinite(values[i]) || std::abs(values[i]) > kLimitMm + 1e-9)
            return std::nullopt;
    }
    return Clamped(values[0], values[1]);
}

QPointF TPrintOffset::DeviceOriginMm(double dpiX, double dpiY) const {
    auto dots = [](double mm, double dpi) {
        return dpi > 0 ? -std::round(mm * dpi / 25.4) * 25.4 / dpi : -mm;
    };
    return {dots(X, dpiX), dots(Y, dpiY)};
}

TPrintOffset OffsetOfQueue(const TPrintOffsets& offsets, const QString& queue) {
    if (queue.isEmpty())
        return {};
    const auto found = offsets.find(queue);
    return found != offsets.end() ? found->second : TPrintOffset{};
}

TSettingsFile::TSettingsFile(QString programFolder, QString configFolder) {
    const QString beside = QDir(programFolder).filePath(QString::fromLatin1(kSettingsFileName));
    if (FolderWritable(programFolder)) {
        FPath = QDir::toNativeSeparators(beside);
        return;
    }
    if (configFolder.isEmpty())
        configFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                           .filePath(QString::fromLatin1(kSettingsFolderName));
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
    for (const TPageValueInfo& info : PageSetupValues()) {
        const double fallback = s.Page.Value(info.Value);
        s.Page.SetValue(info.Value, info.Decimals == 0
                                        ? ini.ReadInteger(kEtikettC, info.IniKey, static_cast<int>(fallback))
                                        : ini.ReadFloat(kEtikettC, info.IniKey, fallback));
    }
    s.Security = ini.ReadBool(kVonalkod, "Security", s.Security);
    s.AutoChd = ini.ReadBool(kVonalkod, "Auto Chd", s.AutoChd);
    s.AutoBetu = ini.ReadBool(kVonalkod, "Auto betu", s.AutoBetu);
    s.AutoVonal = ini.ReadBool(kVonalkod, "Auto vonal", s.AutoVonal);
    s.AutoAdatforras = ini.ReadBool(kVonalkod, "Auto adatforras", s.AutoAdatforras);
    s.AutoOrsina = ini.ReadBool(kVonalkod, "Auto Orsina", s.AutoOrsina);
    s.AutoSugo = ini.ReadBool(kEgyeb, "Auto sugo", s.AutoSugo);
    s.Nyomtato = QString::fromStdString(ini.ReadString(kNyomtatas, "Nyomtato", ""));
    s.AblakMagassag = ini.ReadInteger(kAblak, "Magassag", 0);
    s.AblakSzelesseg = ini.ReadInteger(kAblak, "Szelesseg", 0);
    for (const auto& [queue, value] : ini.ReadSection(kEltolas)) {
        // A value the program did not write is left out, not guessed.
        if (const std::optional<TPrintOffset> offset = TPrintOffset::Parse(QString::fromStdString(value)))
            s.Eltolas[QString::fromStdString(queue)] = *offset;
    }
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
    for (const TPageValueInfo& info : PageSetupValues()) {
        if (info.Decimals == 0)
            ini.WriteInteger(kEtikettC, info.IniKey, static_cast<int>(s.Page.Value(info.Value)));
        else
            ini.WriteFloat(kEtikettC, info.IniKey, s.Page.Value(info.Value));
    }
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
    const std::vector<std::pair<std::string, std::string>> stored = ini.ReadSection(kEltolas);
    for (const auto& [queue, offset] : s.Eltolas) {
        const std::string key = queue.toStdString();
        const std::string value =
            (QString::number(offset.X, 'f', 1) + ';' + QString::number(offset.Y, 'f', 1)).toStdString();
        // A calibration that is already there is not written again.
        const bool same = std::any_of(stored.begin(), stored.end(), [&](const auto& kv) {
            return QString::fromStdString(kv.first).compare(queue, Qt::CaseInsensitive) == 0 &&
                   kv.second == value;
        });
        if (!same)
            ini.WriteString(kEltolas, key, value);
    }
}

bool TSettingsFile::WriteOrWarn(const TSettings& settings, IModal& modal) const {
    try {
        Write(settings);
        return true;
    } catch (const std::exception&) {
        if (!FWarned) {
            FWarned = true;
            modal.Message(QString(),
                          TSettingsText::tr("A beállításokat nem lehet elmenteni a(z) ") + FPath +
                              TSettingsText::tr(" fileba!") + QStringLiteral("\r") +
                              TSettingsText::tr("Ellenőrizze, hogy a file és a mappája írható-e."),
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
