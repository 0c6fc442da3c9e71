#pragma once

// The files that ship with the program, written with the program's own table store: the
// default set (the template "Sorozat0.ctv" with just its page-setup row, its empty series
// "Sorozat0.sor" and definition "Sorozat0.vks") and the print scratch tables "nytemp.tmp" and
// "Temp.tmp" (the series data's structure, no records).

#include "document/Settings.h"

#include <QString>

namespace etikor {

inline constexpr const char* kSelectionTableFile = "nytemp.tmp";
inline constexpr const char* kPrintTableFile = "Temp.tmp";

// Writes the three default files into `seriesFolder` (created when missing), with the page
// and label of `settings`. With `keepExisting` a file that is already there is left alone (it
// may hold the user's own label by now).
void WriteDefaultSet(const QString& seriesFolder, const TSettings& settings = {}, bool keepExisting = false);
// Writes the two scratch tables into `programFolder`.
void WriteScratchTables(const QString& programFolder);

struct TAppPaths;
// An installed program's user folders, made on its first start: the working folder with the
// shipped default set in its series folder, the scratch tables, and the settings folder. Each
// file is copied from the shipped ones only when missing (the user's own work stays) and made
// writable for its owner. Nothing happens for a program run from its build folder.
void PrepareUserFolders(const TAppPaths& paths);

} // namespace etikor
