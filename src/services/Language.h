#pragma once

// The language of the windows and the tools' messages. The texts in the sources are Hungarian;
// the English ones come from resources/translations/etikor_en.ts, built into this library's
// resources. Numbers and dates keep following the desktop's formats whatever the language.

#include <QString>

#include <optional>

class QLocale;

namespace etikor {

enum class TLanguage { Hungarian, English };

// "hu" or "en"; nullopt for anything else (an empty code included).
std::optional<TLanguage> LanguageFromCode(const QString& code);
// The requested language (from --lang) when there is one, otherwise the desktop's: Hungarian
// when its first user-interface language is Hungarian, English for any other.
TLanguage ChooseLanguage(std::optional<TLanguage> requested, const QLocale& desktop);
// Puts the texts of a language into the running application, replacing those of an earlier
// call: English installs the program's English texts (Qt's own standard dialogs are English
// already); Hungarian installs Qt's Hungarian texts for its standard dialogs and buttons.
// False when a translation could not be loaded (the texts then stay the source's).
bool InstallLanguage(TLanguage language);
// Takes the translations of the last InstallLanguage out again: the texts are the source's.
void UninstallLanguage();

} // namespace etikor
