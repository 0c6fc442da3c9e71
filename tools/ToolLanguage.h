#pragma once

// The tools' messages from the program's shared code (series and page-setup problems, an empty
// data source) follow the desktop's language as the program's windows do: Hungarian on a
// Hungarian desktop, English on any other. The tools' own messages and usage are English.

#include "services/Language.h"

#include <QLocale>

namespace etikor {

// Needs the application object.
inline void UseDesktopLanguage() {
    InstallLanguage(ChooseLanguage(std::nullopt, QLocale::system()));
}

} // namespace etikor
