#pragma once

// Dates of a date counter, read and written by a layout of format letters: "É" (Windows-1250
// 0xC9) a year digit, "H" a month digit, "N" a day digit; any other character is a separator.

#include "data/DateTime.h"

#include <string>
#include <string_view>
#include <vector>

namespace etikor {

inline constexpr char kYearLetter = '\xC9'; // "É" in Windows-1250

// The chooser's eight layouts in their order (Windows-1250), the first being the default.
const std::vector<std::string>& DateLayouts();

// Reads a date: every run of equal format letters takes the characters at the same positions;
// a two-character year gets "20" in front. False when the text gives no valid date.
bool ReadDate(std::string_view text, std::string_view layout, TDateTime& out);
// Writes a date: "ÉÉÉÉ" the four-digit year, a run of "É" of another length its last two
// digits, "H" the two-digit month, "N" the two-digit day, any other run its character once.
std::string WriteDate(TDateTime date, std::string_view layout);

} // namespace etikor
