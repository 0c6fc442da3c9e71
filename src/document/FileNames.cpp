#include "document/FileNames.h"

#include "data/Cp1250Text.h"

#include <QFile>
#include <QStringDecoder>

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>

namespace etikor {

namespace {

std::string Join(const QString& folder, const std::string& name) {
    std::string path = QFile::encodeName(folder).toStdString();
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + name;
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool ValidUtf8(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoder is lazy: the conversion runs when the text is taken.
    const QString text = utf8.decode(QByteArray::fromStdString(bytes));
    return !utf8.hasError() && !text.isNull();
}

// The Windows-1250 bytes of a name; empty when a character has none.
std::string Cp1250Name(const QString& name) {
    const std::string utf8 = name.toStdString();
    const std::string bytes = Utf8ToCp1250(utf8, '\0');
    if (bytes.find('\0') != std::string::npos || Cp1250ToUtf8(bytes) != utf8)
        return {};
    return bytes;
}

bool IsLabelFile(const QString& name) {
    return name.endsWith(QStringLiteral(".ctv"), Qt::CaseInsensitive) ||
           name.endsWith(QStringLiteral(".sor"), Qt::CaseInsensitive) ||
           name.endsWith(QStringLiteral(".vks"), Qt::CaseInsensitive);
}

} // namespace

std::string NativeFilePath(const QString& folder, const QString& name) {
    const std::string utf8 = Join(folder, name.toStdString());
    if (Exists(utf8))
        return utf8;
    const std::string bytes = Cp1250Name(name);
    if (!bytes.empty() && bytes != name.toStdString()) {
        const std::string old = Join(folder, bytes);
        if (Exists(old))
            return old;
    }
    return utf8;
}

bool FileExistsIn(const QString& folder, const QString& name) {
    return IsFile(NativeFilePath(folder, name));
}

QStringList AdoptOldCodePageNames(const QString& folder) {
    QStringList adopted;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return adopted;
    std::vector<std::string> old;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!ValidUtf8(name))
            old.push_back(name);
    }
    ::closedir(dir);
    for (const std::string& bytes : old) {
        const QString name = FromCp1250(bytes);
        if (!IsLabelFile(name))
            continue;
        const std::string from = Join(folder, bytes);
        const std::string to = Join(folder, name.toStdString());
        if (!IsFile(from) || Exists(to))
            continue;
        if (std::rename(from.c_str(), to.c_str()) == 0)
            adopted << name;
    }
    return adopted;
}

} // namespace etikor
