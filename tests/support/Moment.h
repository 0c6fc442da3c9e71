#pragma once

// A date and time of day as one value, for tests that need a fixed moment.

#include "data/DateTime.h"

#include <gtest/gtest.h>

namespace etikor::test {

inline TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                    int msec = 0) {
    TDateTime date = 0, time = 0;
    EXPECT_TRUE(TryEncodeDate(year, month, day, date));
    EXPECT_TRUE(TryEncodeTime(hour, minute, second, msec, time));
    return date + time;
}

} // namespace etikor::test
