#include "data/DateTime.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

TEST(DateTime, StoreDayNumbers) {
    // Day 1 is 1 January 0001; 30 December 1899 (TDateTime 0) is day 693594.
    const struct {
        int year, month, day;
        int32_t storeDay;
    } rows[] = {
        {1, 1, 1, 1},          {1899, 12, 30, 693594}, {1899, 12, 31, 693595},  {1900, 1, 1, 693596},
        {2000, 2, 29, 730179}, {2000, 11, 1, 730425},  {9999, 12, 31, 3652059},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.storeDay);
        TDateTime value = -1;
        ASSERT_TRUE(TryEncodeDate(row.year, row.month, row.day, value));
        EXPECT_EQ(DateTimeToStoreDay(value), row.storeDay);
        EXPECT_EQ(StoreDayToDateTime(row.storeDay), value);
        int y, m, d;
        ASSERT_TRUE(DecodeStoreDay(row.storeDay, y, m, d));
        EXPECT_EQ(y, row.year);
        EXPECT_EQ(m, row.month);
        EXPECT_EQ(d, row.day);
    }
    int y, m, d;
    EXPECT_FALSE(DecodeStoreDay(0, y, m, d));
    EXPECT_FALSE(DecodeStoreDay(-5, y, m, d));
    EXPECT_FALSE(DecodeStoreDay(3652060, y, m, d));
}

TEST(DateTime, EveryDayDecodesToWhatEncodedIt) {
    int32_t expected = 1;
    for (int year = 1; year <= 9999; year += 1)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                TDateTime value;
                ASSERT_TRUE(TryEncodeDate(year, month, day, value));
                ASSERT_EQ(DateTimeToStoreDay(value), expected);
                int y, m, d;
                ASSERT_TRUE(DecodeDate(value, y, m, d));
                ASSERT_TRUE(y == year && m == month && d == day) << year << "-" << month << "-" << day;
                ++expected;
            }
}

TEST(DateTime, Validity) {
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29)); // century, not divisible by 400
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(2024, 13, 1));
    EXPECT_FALSE(IsValidDate(2024, 4, 31));
    EXPECT_TRUE(IsValidTime(23, 59, 59, 999));
    EXPECT_FALSE(IsValidTime(24, 0, 0, 0));
    EXPECT_FALSE(IsValidTime(0, 60, 0, 0));
    EXPECT_FALSE(IsValidTime(0, 0, 0, 1000));
    TDateTime untouched = 5;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, untouched));
    EXPECT_EQ(untouched, 5);
}

TEST(DateTime, TimesAndMilliseconds) {
    TDateTime t;
    ASSERT_TRUE(TryEncodeTime(13, 5, 7, 250, t));
    EXPECT_EQ(DateTimeToStoreTime(t), ((13 * 60 + 5) * 60 + 7) * 1000 + 250);
    EXPECT_DOUBLE_EQ(StoreTimeToDateTime(43200000), 0.5);
    int h, n, s, z;
    DecodeTime(t, h, n, s, z);
    EXPECT_EQ(h, 13);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(s, 7);
    EXPECT_EQ(z, 250);
    // A fraction that rounds up to a whole day moves to the next day.
    EXPECT_EQ(DateTimeToStoreTime(0.9999999999), 0);
    EXPECT_EQ(DateTimeToStoreDay(0.9999999999), kDateDelta + 1);
}

TEST(DateTime, DateTimesAsStoreMilliseconds) {
    // Milliseconds since the start of day 1 = day number × 86400000 + milliseconds of the day.
    TDateTime date, time;
    ASSERT_TRUE(TryEncodeDate(2024, 3, 15, date));
    ASSERT_TRUE(TryEncodeTime(6, 0, 0, 0, time));
    const double msecs = DateTimeToStoreMSecs(date + time);
    EXPECT_EQ(msecs, static_cast<double>(DateTimeToStoreDay(date)) * 86400000.0 + 21600000.0);
    EXPECT_DOUBLE_EQ(StoreMSecsToDateTime(msecs), date + time);
    // Before 1899 the fraction counts without its sign: -1.25 is 29 December 1899, 06:00.
    EXPECT_EQ(DateTimeToStoreDay(-1.25), kDateDelta - 1);
    EXPECT_EQ(DateTimeToStoreTime(-1.25), 21600000);
    EXPECT_DOUBLE_EQ(StoreMSecsToDateTime(DateTimeToStoreMSecs(-1.25)), -1.25);
    // Values that no calendar holds do not crash.
    EXPECT_EQ(StoreMSecsToDateTime(std::numeric_limits<double>::quiet_NaN()), 0);
    int y, m, d;
    EXPECT_FALSE(DecodeDate(1e300, y, m, d));
}

TEST(DateTime, InjectedClock) {
    TDateTime fixed;
    ASSERT_TRUE(TryEncodeDate(2024, 3, 15, fixed));
    SetClock([fixed] { return fixed + 0.75; });
    EXPECT_EQ(Now(), fixed + 0.75);
    EXPECT_EQ(Date(), fixed);
    SetClock({});
    EXPECT_GT(Now(), fixed);        // the system clock is later than that
    EXPECT_EQ(DayOfWeek(fixed), 6); // a Friday
}

} // namespace
} // namespace etikor
