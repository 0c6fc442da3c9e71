#pragma once

// A small INI file editor that keeps the file as the user left it: every write replaces the
// one value in place (or adds the key to its section, or the section at the end) and writes the
// whole file at once, so comments, blank lines, unknown keys and sections survive. Sections and
// keys are compared without regard to case; values are trimmed when read. Values are bytes as
// they stand in the file; the caller decides their encoding.

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace etikor {

class TIniFile {
public:
    // Reads the file if it exists; a missing or unreadable file reads as empty.
    explicit TIniFile(QString path);

    const QString& Path() const { return FPath; }
    // Reads the file again (after someone else changed or deleted it).
    void Reload();

    bool ValueExists(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Missing, empty or unreadable values give `def`.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    // With the locale's decimal separator; a value written under another locale (a point for a
    // comma or the other way round) reads too.
    double ReadFloat(std::string_view section, std::string_view key, double def) const;
    // True when the value reads as a non-zero integer.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    // The keys of `section` with their values, in file order (empty when there is no section).
    std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view section) const;

    // Each write updates the file at once (atomically: temporary file, then rename). Throws
    // std::runtime_error when the file cannot be written.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteFloat(std::string_view section, std::string_view key, double value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The file's lines as they are now (tests).
    const std::vector<std::string>& Lines() const { return FLines; }

private:
    struct Position {
        int SectionLine = -1; // the "[section]" line
        int KeyLine = -1;     // the "key=value" line
        int InsertAt = -1;    // where a new key of the section goes
    };
    Position Find(std::string_view section, std::string_view key) const;
    void Save() const;

    QString FPath;
    std::vector<std::string> FLines;
    bool FCrLf = false; // keep the file's own line ends
    bool FBom = false;
};

} // namespace etikor
