#include "document/IniFile.h"

#include "data/Cp1250.h"
#include "data/FormatSettings.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace etikor {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool IsComment(std::string_view line) {
    return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// The section name of a "[name]" line.
bool SectionOf(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line.
bool KeyOf(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || IsComment(trimmed))
        return false;
    const size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trim(trimmed.substr(0, eq));
    value = Trim(trimmed.substr(eq + 1));
    return true;
}

} // namespace

TIniFile::TIniFile(QString path) : FPath(std::move(path)) {
    Reload();
}

void TIniFile::Reload() {
    FLines.clear();
    FCrLf = false;
    FBom = false;
    QFile file(FPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
    FCrLf = text.find("\r\n") != std::string_view::npos;
    // An editor may have put a UTF-8 byte order mark first; keep it, but not in the first line.
    FBom = text.starts_with("\xEF\xBB\xBF");
    if (FBom)
        text.remove_prefix(3);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        FLines.emplace_back(line);
        pos = end + 1;
    }
}

TIniFile::Position TIniFile::Find(std::string_view section, std::string_view key) const {
    Position pos;
    bool inSection = false;
    int lastContent = -1;
    for (int i = 0; i < static_cast<int>(FLines.size()); ++i) {
        std::string_view name;
        if (SectionOf(FLines[i], name)) {
            if (inSection)
                break; // the wanted section ended
            if (Cp1250SameText(name, section)) {
                inSection = true;
                pos.SectionLine = i;
                lastContent = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!Trim(FLines[i]).empty())
            lastContent = i;
        std::string_view k, v;
        if (KeyOf(FLines[i], k, v) && Cp1250SameText(k, key)) {
            pos.KeyLine = i;
            return pos;
        }
    }
    if (pos.SectionLine >= 0)
        pos.InsertAt = lastContent + 1;
    return pos;
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSection(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> values;
    bool inSection = false;
    for (const std::string& line : FLines) {
        std::string_view name;
        if (SectionOf(line, name)) {
            if (inSection)
                break;
            inSection = Cp1250SameText(name, section);
            continue;
        }
        std::string_view k, v;
        if (inSection && KeyOf(line, k, v))
            values.emplace_back(std::string(Trim(k)), std::string(Trim(v)));
    }
    return values;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return Find(section, key).KeyLine >= 0;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const Position pos = Find(section, key);
    if (pos.KeyLine < 0)
        return std::string(def);
    std::string_view k, v;
    KeyOf(FLines[pos.KeyLine], k, v);
    return std::string(v);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    const std::string text = ReadString(section, key, "");
    int32_t value;
    return TryStrToInt(text, value) ? value : def;
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
    const std::string text = ReadString(section, key, "");
    double value;
    if (TryStrToFloat(text, value))
        return value;
    // A file written under another locale: the other of the two usual decimal separators.
    TFormatSettings other = FormatSettings();
    other.DecimalSeparator = other.DecimalSeparator == '.' ? ',' : '.';
    return TryStrToFloat(text, value, other) ? value : def;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    const Position pos = Find(section, key);
    if (pos.KeyLine >= 0) {
        // Keep the key as the user spelled it.
        std::string_view k, v;
        KeyOf(FLines[pos.KeyLine], k, v);
        FLines[pos.KeyLine] = std::string(k) + "=" + std::string(value);
    } else if (pos.SectionLine >= 0) {
        FLines.insert(FLines.begin() + pos.InsertAt, std::move(line));
    } else {
        if (!FLines.empty() && !Trim(FLines.back()).empty())
            FLines.emplace_back();
        FLines.push_back("[" + std::string(section) + "]");
        FLines.push_back(std::move(line));
    }
    Save();
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
    WriteString(section, key, FloatToStr(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::Save() const {
    const char* eol = FCrLf ? "\r\n" : "\n";
    QByteArray bytes;
    if (FBom)
        bytes.append("\xEF\xBB\xBF");
    for (const auto& line : FLines) {
        bytes.append(line.data(), static_cast<qsizetype>(line.size()));
        bytes.append(eol);
    }
    QSaveFile file(FPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Cannot write " + FPath.toStdString() + ": " +
                                 file.errorString().toStdString());
}

} // namespace etikor
