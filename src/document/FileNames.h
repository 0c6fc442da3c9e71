#pragma once

// File names on disk are bytes. Qt reads them as UTF-8, and skips names that are not valid
// UTF-8, such as the Windows-1250 names of label files copied from an old Windows disk
// ("C\xEDmke.ctv"). These helpers find such files by the name the user knows and give them
// names that every dialog can list.

#include <QString>
#include <QStringList>

#include <string>

namespace etikor {

// The path of `name` in `folder` as the bytes the table store opens: the UTF-8 spelling, or the
// Windows-1250 one when only that exists on disk.
std::string NativeFilePath(const QString& folder, const QString& name);
// Whether a plain file of that name (either spelling) is in the folder.
bool FileExistsIn(const QString& folder, const QString& name);
// Renames the label files (".ctv", ".sor", ".vks") of `folder` whose names are Windows-1250
// bytes to the same name in UTF-8, unless a file of that name is already there. Returns the new
// names. Files that cannot be renamed stay as they are (NativeFilePath still finds them).
QStringList AdoptOldCodePageNames(const QString& folder);

} // namespace etikor
