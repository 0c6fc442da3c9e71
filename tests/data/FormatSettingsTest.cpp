#include "data/FormatSettings.h"

#include "support/CLocale.h"
#include "support/Moment.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

const TFormatSettings hu = TFormatSettings::HungarianSpace();
const TFormatSettings inv = TFormatSettings::Invariant();

using test::At;

TEST(FormatSettings, Presets) {
    const TFormatSettings h = TFormatSettings::Hungarian();
    EXPECT_EQ(h.DecimalSeparator, ',');
    EXPECT_EQ(h.ThousandSeparator, '\xA0'); // no-break space in Windows-1250
    EXPECT_EQ(h.DateSeparator, '.');
    EXPECT_EQ(h.ShortDateFormat, "yyyy.mm.dd.");
    EXPECT_EQ(h.TimeSeparator, ':');
    EXPECT_EQ(hu.ThousandSeparator, ' ');
    EXPECT_EQ(inv.DecimalSeparator, '.');
    EXPECT_EQ(inv.ShortDateFormat, "yyyy-mm-dd");
}

TEST(FormatSettings, CurrentSettingsAreProcessWide) {
    SetFormatSettings(hu);
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    SetFormatSettings(inv);
    EXPECT_EQ(FloatToStr(1.5), "1.5");
}

TEST(FormatSettings, FloatToStr) {
    // Up to 15 significant digits; exponent form outside 1E-5 .. 1E15.
    const struct {
        double value;
        const char* invariant;
        const char* hungarian;
    } rows[] = {
        {0, "0", "0"},
        {1.5, "1.5", "1,5"},
        {-1234567.25, "-1234567.25", "-1234567,25"},
        {0.1 + 0.2, "0.3", "0,3"},
        {1e20, "1E20", "1E20"},
        {1.5e-7, "1.5E-7", "1,5E-7"},
        {0.0001, "0.0001", "0,0001"},
        {123456789012345.0, "123456789012345", "123456789012345"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FloatToStr(row.value, inv), row.invariant);
        EXPECT_EQ(FloatToStr(row.value, hu), row.hungarian);
    }
}

TEST(FormatSettings, FormatFloatPictures) {
    const struct {
        const char* format;
        double value;
        const char* invariant;
        const char* hungarian;
    } rows[] = {
        {"0.######", 2.5, "2.5", "2,5"}, // the default display format of floating fields
        {"0.######", 3, "3", "3"},
        {"0.######", 1.0 / 3, "0.333333", "0,333333"},
        {"0.00", 2.005, "2.00", "2,00"}, // 2.005 is just below 2.005 in binary
        {"0.00", -0.001, "0.00", "0,00"},
        {"#,##0", 1234567, "1,234,567", "1 234 567"},
        {"#,", 12345, "12,345", "12 345"}, // grouped counts in messages
        {"#0,", 999, "999", "999"},
        {"#", 0, "", ""},
        {"000", 7, "007", "007"},
        {"#,##0.00 \"Ft\"", -1234.5, "-1,234.50 Ft", "-1 234,50 Ft"},
        {"0.00;(0.00);zero", -2, "(2.00)", "(2,00)"},
        {"0.00;(0.00);zero", 0, "zero", "zero"},
        {"0.00E+00", 12345, "1.23E+04", "1,23E+04"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        EXPECT_EQ(FormatFloat(row.format, row.value, inv), row.invariant);
        EXPECT_EQ(FormatFloat(row.format, row.value, hu), row.hungarian);
    }
}

TEST(FormatSettings, NumbersIgnoreTheCLibraryLocale) {
    // Under a Hungarian desktop the C library itself writes "25,4"; the locale object alone
    // decides the separators, so a value written with one object reads back with it.
    test::CLocaleScope locale(test::kHungarianCLocale);
    ASSERT_TRUE(locale.Ok()) << "the hu_HU.UTF-8 locale is missing: run scripts/deps.sh";
    EXPECT_EQ(FloatToStr(25.4, inv), "25.4");
    EXPECT_EQ(FloatToStr(1.5e-7, inv), "1.5E-7");
    EXPECT_EQ(FormatFloat("0.00", 1234.5, inv), "1234.50");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, inv), "1,234.50");
    EXPECT_EQ(FormatFloat("0.00E+00", 12345, inv), "1.23E+04");
    EXPECT_EQ(FloatToStr(25.4, hu), "25,4");
    double value = 0;
    EXPECT_TRUE(TryStrToFloat(FloatToStr(25.4, inv), value, inv));
    EXPECT_EQ(value, 25.4);
}

TEST(FormatSettings, ParsingNumbers) {
    const struct {
        const char* text;
        bool ok;
        double value;
    } huRows[] = {
        {"1,5", true, 1.5},  {" -2,25 ", true, -2.25}, {"3", true, 3},  {",5", true, 0.5},
        {"1.5", false, 0},   {"1 000", false, 0},      {"", false, 0},  {"abc", false, 0},
        {"1e3", true, 1000}, {"1e", false, 0},         {"+7", true, 7}, {"1,5x", false, 0},
    };
    for (const auto& row : huRows) {
        double value = -99;
        EXPECT_EQ(TryStrToFloat(row.text, value, hu), row.ok) << row.text;
        if (row.ok) {
            EXPECT_EQ(value, row.value) << row.text;
        } else {
            EXPECT_EQ(value, -99) << row.text;
        }
    }
    double value = 0;
    EXPECT_TRUE(TryStrToFloat("1.5", value, inv));
    EXPECT_EQ(value, 1.5);

    int32_t i = 0;
    EXPECT_TRUE(TryStrToInt(" 42 ", i));
    EXPECT_EQ(i, 42);
    EXPECT_TRUE(TryStrToInt("-2147483648", i));
    EXPECT_EQ(i, INT32_MIN);
    EXPECT_FALSE(TryStrToInt("2147483648", i));
    EXPECT_FALSE(TryStrToInt("12a", i));
    EXPECT_FALSE(TryStrToInt("", i));
    EXPECT_FALSE(TryStrToInt("1.0", i));
}

TEST(FormatSettings, FormattingDatesAndTimes) {
    const TDateTime value = At(2024, 3, 5, 7, 8, 9, 45);
    const struct {
        const char* format;
        const char* invariant;
        const char* hungarian;
    } rows[] = {
        {"yyyy/mm/dd", "2024-03-05", "2024.03.05"},
        {"yy.m.d", "24.3.5", "24.3.5"},
        {"hh:nn:ss.zzz", "07:08:09.045", "07:08:09.045"},
        {"h:mm", "7:08", "7:08"}, // "mm" right after an hour is minutes
        {"dd/mm/yyyy", "05-03-2024", "05.03.2024"},
        {"\"Date:\" yyyy", "Date: 2024", "Date: 2024"},
        {"c", "2024-03-05 07:08:09", "2024.03.05. 7:08:09"},
        {"mmmm", "March", "m\xE1rcius"},
        {"dddd", "Tuesday", "kedd"},
        {"h am/pm", "7 am", "7 am"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        EXPECT_EQ(FormatDateTime(row.format, value, inv), row.invariant);
        EXPECT_EQ(FormatDateTime(row.format, value, hu), row.hungarian);
    }
    EXPECT_EQ(DateToStr(value, hu), "2024.03.05.");
    EXPECT_EQ(TimeToStr(value, hu), "7:08:09");
    EXPECT_EQ(DateTimeToStr(At(2024, 3, 5), hu), "2024.03.05.");
}

TEST(FormatSettings, ParsingDatesAndTimes) {
    SetClock([] { return At(2024, 6, 1, 12); });
    const struct {
        const char* text;
        const TFormatSettings* fs;
        bool ok;
        TDateTime value;
    } rows[] = {
        {"2024.03.15.", &hu, true, At(2024, 3, 15)},
        {"2024.03.15", &hu, true, At(2024, 3, 15)},
        {"2024. 3. 15.", &hu, true, At(2024, 3, 15)},
        {"03.15", &hu, true, At(2024, 3, 15)}, // month and day of the current year
        {"24.03.15", &hu, true, At(2024, 3, 15)},
        {"99.03.15", &hu, true, At(1999, 3, 15)},
        {"2024.02.30.", &hu, false, 0},
        {"2024-03-15", &hu, false, 0},
        {"2024-03-15", &inv, true, At(2024, 3, 15)},
        {"15", &inv, false, 0},
        {"", &inv, false, 0},
    };
    for (const auto& row : rows) {
        TDateTime value = -7;
        EXPECT_EQ(TryStrToDate(row.text, value, *row.fs), row.ok) << row.text;
        EXPECT_EQ(value, row.ok ? row.value : -7) << row.text;
    }
    const struct {
        const char* text;
        bool ok;
        TDateTime value;
    } times[] = {
        {"13:05", true, At(1899, 12, 30, 13, 5)},
        {"13:05:07", true, At(1899, 12, 30, 13, 5, 7)},
        {"13:05:07.25", true, At(1899, 12, 30, 13, 5, 7, 250)},
        {"1:05 PM", true, At(1899, 12, 30, 13, 5)},
        {"12:00 AM", true, 0},
        {"24:00", false, 0},
        {"13", false, 0},
        {"13:5x", false, 0},
    };
    for (const auto& row : times) {
        TDateTime value = -7;
        EXPECT_EQ(TryStrToTime(row.text, value, inv), row.ok) << row.text;
        if (row.ok) {
            EXPECT_NEAR(value, row.value, 1e-9) << row.text;
        }
    }
    TDateTime value = 0;
    EXPECT_TRUE(TryStrToDateTime("2024.03.15. 13:05:07", value, hu));
    EXPECT_NEAR(value, At(2024, 3, 15, 13, 5, 7), 1e-9);
    EXPECT_TRUE(TryStrToDateTime("2024.03.15.", value, hu));
    EXPECT_EQ(value, At(2024, 3, 15));
    EXPECT_TRUE(TryStrToDateTime("13:05", value, hu));
    EXPECT_NEAR(value, At(1899, 12, 30, 13, 5), 1e-9);
    EXPECT_FALSE(TryStrToDateTime("2024.03.15. x", value, hu));
    SetClock({});
}

} // namespace
} // namespace etikor
