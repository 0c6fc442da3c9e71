#pragma once

// The program's locale object taken from the desktop: decimal and grouping characters, the
// short date and time formats, the AM/PM texts and the month and day names, read from Qt's
// system locale once at start-up. The command-line tools never call this: their output keeps
// its fixed formats.

#include "data/FormatSettings.h"

class QLocale;
class QTranslator;

namespace etikor {

// The formats of a Qt locale. The C locale (no language set) gives the invariant formats.
TFormatSettings FormatSettingsFromLocale(const QLocale& locale);
// Makes the system locale's formats the process-wide ones.
void UseSystemLocale();
// Loads Qt's own translations of its standard dialogs and buttons ("qtbase_hu.qm") for a
// locale into the running application; the installed translator (owned by the application),
// or null when none is installed for its language.
QTranslator* InstallQtTranslations(const QLocale& locale);

} // namespace etikor
