#include "data/DateTime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace etikor {

namespace {

// Days from 1 January 0001 (day 1) for a valid date; the proleptic Gregorian calendar.
int32_t storeDayOf(int year, int month, int day) {
    static constexpr int before[2][13] = {{0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
                                          {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};
    const int y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400 + before[IsLeapYear(year) ? 1 : 0][month] + day;
}

TClock& clockSlot() {
    static TClock clock;
    return clock;
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int days[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int msec) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 && msec >= 0 &&
           msec < 1000;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
    if (!IsValidDate(year, month, day))
        return false;
    out = static_cast<double>(storeDayOf(year, month, day) - kDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& out) {
    if (!IsValidTime(hour, minute, second, msec))
        return false;
    out = static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + msec) / kMSecsPerDay;
    return true;
}

bool DecodeStoreDay(int32_t day, int& year, int& month, int& dayOfMonth) {
    year = month = dayOfMonth = 0;
    if (day < 1 || day > kMaxDay)
        return false;
    // Civil-from-days on days since 1 March 0000.
    const int64_t z = static_cast<int64_t>(day) + 305; // day 1 (1 Jan 0001) is 306 days after 1 Mar 0000
    const int64_t era = z / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    dayOfMonth = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return true;
}

bool DecodeDate(TDateTime value, int& year, int& month, int& day) {
    if (!std::isfinite(value) || std::fabs(value) > 4.0e6) {
        year = month = day = 0;
        return false;
    }
    return DecodeStoreDay(DateTimeToStoreDay(value), year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
    int32_t ms = DateTimeToStoreTime(value);
    msec = ms % 1000;
    ms /= 1000;
    second = ms % 60;
    ms /= 60;
    minute = ms % 60;
    hour = ms / 60;
}

int DayOfWeek(TDateTime value) {
    // Day 1 (1 January 0001) was a Monday.
    const int32_t day = DateTimeToStoreDay(value);
    return static_cast<int>(((day % 7) + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime value) {
    return std::trunc(value);
}
TDateTime TimeOf(TDateTime value) {
    return std::fabs(value - std::trunc(value));
}

namespace {

// Splits a value into the store's day number and milliseconds of the day. The fraction counts
// without its sign; a time that rounds up to a whole day moves to the next day.
void splitValue(TDateTime value, int64_t& day, int64_t& msecs) {
    if (!std::isfinite(value)) {
        day = kDateDelta;
        msecs = 0;
        return;
    }
    value = std::fmax(std::fmin(value, 4.0e9), -4.0e9);
    const double whole = std::trunc(value);
    day = static_cast<int64_t>(whole) + kDateDelta;
    msecs = std::llround(std::fabs(value - whole) * kMSecsPerDay);
    if (msecs >= kMSecsPerDay) {
        msecs -= kMSecsPerDay;
        day += value < 0 ? -1 : 1;
    }
}

int32_t clampDay(int64_t day) {
    if (day > INT32_MAX)
        return INT32_MAX;
    if (day < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(day);
}

} // namespace

int32_t DateTimeToStoreDay(TDateTime value) {
    int64_t day, msecs;
    splitValue(value, day, msecs);
    return clampDay(day);
}

TDateTime StoreDayToDateTime(int32_t day) {
    return static_cast<double>(static_cast<int64_t>(day) - kDateDelta);
}

int32_t DateTimeToStoreTime(TDateTime value) {
    int64_t day, msecs;
    splitValue(value, day, msecs);
    return static_cast<int32_t>(msecs);
}

TDateTime StoreTimeToDateTime(int32_t msecs) {
    return static_cast<double>(msecs) / kMSecsPerDay;
}

double DateTimeToStoreMSecs(TDateTime value) {
    int64_t day, msecs;
    splitValue(value, day, msecs);
    return static_cast<double>(day) * kMSecsPerDay + static_cast<double>(msecs);
}

TDateTime StoreMSecsToDateTime(double msecs) {
    if (!std::isfinite(msecs))
        return 0;
    const double day = std::floor(msecs / kMSecsPerDay);
    const double time = (msecs - day * kMSecsPerDay) / kMSecsPerDay;
    const double date = day - kDateDelta;
    return date < 0 ? date - time : date + time;
}

void SetClock(TClock clock) {
    clockSlot() = std::move(clock);
}

TDateTime SystemNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    TDateTime date = 0, time = 0;
    TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
    TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms), time);
    return date + time;
}

TDateTime Now() {
    const TClock& clock = clockSlot();
    return clock ? clock() : SystemNow();
}

TDateTime Date() {
    return DateOf(Now());
}

} // namespace etikor
