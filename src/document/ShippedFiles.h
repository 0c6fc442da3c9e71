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

} // namespace etikor
