#pragma once

// Prepared pages saved to a file and loaded back unchanged: the band items with every
// setting they paint with, then each page's placed items with their rectangles and values.

#include "pageengine/Report.h"

#include <QString>

#include <optional>

namespace etikor {

// False when the file cannot be written. Pages are taken from `pages` one at a time.
bool SavePrepared(TPageSource& pages, const QString& path);
bool SavePrepared(const TPreparedReport& report, const QString& path);
// Nothing for a file that cannot be read or is not a saved report.
std::optional<TPreparedReport> LoadPrepared(const QString& path);

} // namespace etikor
