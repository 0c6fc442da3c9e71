#pragma once

// The user's order of texts: Qt's collator for a locale, installed as the table store's
// case-insensitive collation (data/TextCollation.h).

#include "data/TextCollation.h"

#include <QLocale>

namespace etikor {

// Case-insensitive comparison of Windows-1250 texts by the locale's collation.
TTextCollation LocaleCollation(const QLocale& locale);

// Installs the collation of the system locale (under the C locale: the fixed order); the program
// calls it once at start-up.
void InstallSystemCollation();

} // namespace etikor
