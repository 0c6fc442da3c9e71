#pragma once

// Case-insensitive order of Windows-1250 texts as the user's locale sorts them. The program
// installs its locale's collation at start-up (services/LocaleCollation.h, Qt's collator for the
// system locale); this layer stays free of Qt and only keeps the function. Without one installed
// (command-line tools, most tests) a fixed order close to the Hungarian one is used: blanks and
// punctuation first, then digits, then letters; accents count only between texts that are
// otherwise equal (a = á < b), except that ö/ő and ü/ű are letters of their own after o and u;
// the digraphs (cs, gy, sz, ...) are not treated as letters.

#include <functional>
#include <string_view>

namespace etikor {

// <0 when `a` sorts first, 0 when the texts are equal regardless of letter case, >0 otherwise.
using TTextCollation = std::function<int(std::string_view a, std::string_view b)>;

// Installs the process-wide collation; an empty function restores the fixed order.
void SetTextCollation(TTextCollation collation);
bool HasTextCollation();

// Compares two whole texts case-insensitively by the installed collation.
int CollateTextCI(std::string_view a, std::string_view b);

// The fixed order described above.
int FixedCollateTextCI(std::string_view a, std::string_view b);

} // namespace etikor
