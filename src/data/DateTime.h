#pragma once

// Dates and times of the dataset framework. A TDateTime is a count of days since 30 December
// 1899 with the time of day as its fraction (6.5 = 5 January 1900, 12:00). For values before
// 1899 the fraction is taken without its sign (-1.25 = 29 December 1899, 06:00), as in the
// classic date type the files were designed around.
//
// The table store keeps dates as day numbers (day 1 = 1 January 0001, so 30 December 1899 is
// day 693594), times as milliseconds since midnight, and date-times as milliseconds since the
// start of day 1.

#include <cstdint>
#include <functional>

namespace etikor {

using TDateTime = double;

inline constexpr int32_t kDateDelta = 693594; // store day number of 30 December 1899
inline constexpr int32_t kMSecsPerDay = 86400000;
inline constexpr int32_t kMaxDay = 3652059; // 31 December 9999

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);           // 0 for an invalid month
bool IsValidDate(int year, int month, int day); // years 1..9999
bool IsValidTime(int hour, int minute, int second, int msec);

// False (and `out` untouched) for an invalid date or time.
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& out);

// The parts of a value's date. False (parts 0) when the day lies outside 1 January 0001 to
// 31 December 9999.
bool DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
// Day of the week, 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// The date part (whole days) and the time part (the fraction, always >= 0).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// Store day numbers.
int32_t DateTimeToStoreDay(TDateTime value);
TDateTime StoreDayToDateTime(int32_t day);
bool DecodeStoreDay(int32_t day, int& year, int& month, int& dayOfMonth);
// Milliseconds of the day (0 .. 86399999).
int32_t DateTimeToStoreTime(TDateTime value);
TDateTime StoreTimeToDateTime(int32_t msecs);
// Milliseconds since the start of day 1.
double DateTimeToStoreMSecs(TDateTime value);
TDateTime StoreMSecsToDateTime(double msecs);

// The current date and time through an injectable clock. SetClock({}) restores the system clock.
using TClock = std::function<TDateTime()>;
void SetClock(TClock clock);
TDateTime Now();
TDateTime Date(); // today, time 0
TDateTime SystemNow();

} // namespace etikor
