#pragma once

// Locale formats for numbers, dates and times: separators, the short date and long time
// formats, and the formatting and parsing routines that display texts and key conversions use.
// One process-wide current settings object; tests set it explicitly.
//
// Format pictures follow the classic conventions:
// - numbers: "0" digit, "#" optional digit, "." decimal point, "," thousands grouping anywhere
//   before the point, "E+"/"E-" exponent, quoted literals, up to three sections
//   "positive;negative;zero";
// - dates and times: "yyyy"/"yy", "m"/"mm"/"mmm"/"mmmm", "d"/"dd"/"ddd"/"dddd", "ddddd" (short
//   date), "h"/"hh", "n"/"nn" (and "m"/"mm" right after an hour), "s"/"ss", "z"/"zzz", "am/pm",
//   "ampm", "t"/"tt" (short/long time), "c" (short date and long time), "/" the date separator,
//   ":" the time separator, quoted literals.

#include "data/DateTime.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace etikor {

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '-';
    std::string ShortDateFormat = "yyyy-mm-dd";
    char TimeSeparator = ':';
    std::string LongTimeFormat = "hh:nn:ss";
    std::string ShortTimeFormat = "hh:nn";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    // Names for "mmm", "mmmm", "ddd", "dddd" (Windows-1250 bytes); days start on Sunday.
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};

    // Hungarian: decimal comma, thousands separated by a no-break space (0xA0 in Windows-1250),
    // dates "yyyy.mm.dd.", times "h:nn:ss".
    static TFormatSettings Hungarian();
    // The same with a plain space as thousands separator.
    static TFormatSettings HungarianSpace();
    // Decimal point, comma grouping, ISO dates "yyyy-mm-dd", times "hh:nn:ss".
    static TFormatSettings Invariant();
};

// The process-wide settings (Invariant until set).
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);

// ---- numbers --------------------------------------------------------------------------
// Up to 15 significant digits, no grouping, exponent form for very large or small values
// ("1E20", "1.5E-7").
std::string FloatToStr(double value, const TFormatSettings& fs = FormatSettings());
// A format picture (see above); "" formats as FloatToStr.
std::string FormatFloat(std::string_view format, double value, const TFormatSettings& fs = FormatSettings());
std::string IntToStr(int64_t value);
// Leading and trailing blanks allowed; an optional sign, digits, the decimal separator, an
// exponent. No grouping characters.
bool TryStrToFloat(std::string_view text, double& out, const TFormatSettings& fs = FormatSettings());
// Decimal, optional sign, leading and trailing blanks allowed; false on overflow.
bool TryStrToInt(std::string_view text, int64_t& out);
bool TryStrToInt(std::string_view text, int32_t& out);

// ---- dates and times ------------------------------------------------------------------
std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& fs = FormatSettings());
std::string DateToStr(TDateTime value, const TFormatSettings& fs = FormatSettings());
std::string TimeToStr(TDateTime value, const TFormatSettings& fs = FormatSettings());
// Date and long time; the time is left out when it is midnight.
std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs = FormatSettings());

// A date in the order of ShortDateFormat (year, month and day; or two numbers, the year then
// being the current one), separated by DateSeparator, a trailing separator allowed. Two-digit
// years fall within 50 years of the current year.
bool TryStrToDate(std::string_view text, TDateTime& out, const TFormatSettings& fs = FormatSettings());
// Hours and minutes, optionally seconds and milliseconds ("13:05", "13:05:07", "13:05:07.250"),
// separated by TimeSeparator, optionally followed by the AM or PM string.
bool TryStrToTime(std::string_view text, TDateTime& out, const TFormatSettings& fs = FormatSettings());
// A date, a time, or a date followed by blanks and a time.
bool TryStrToDateTime(std::string_view text, TDateTime& out, const TFormatSettings& fs = FormatSettings());

} // namespace etikor
