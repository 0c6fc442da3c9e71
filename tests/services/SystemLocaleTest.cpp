#include "services/SystemLocale.h"

#include "support/CLocale.h"
#include "support/ChildProcess.h"
#include "support/Moment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

namespace etikor {
namespace {

using test::At;

// The formats the program takes from a desktop locale, and what they make of a number, a date
// and a time in both directions.
TEST(SystemLocale, FormatsFromQtLocales) {
    const struct {
        const char* Locale;
        char Decimal;
        char Thousand;
        const char* ShortDate;
        char DateSeparator;
        const char* Number;    // 1234567.25 with "#,##0.00"
        const char* Date;      // 2024-03-05
        const char* Time;      // 07:08:09
        const char* ShortTime; // 07:08
    } rows[] = {
        // Qt's CLDR data: "yyyy. MM. dd.", "H:mm:ss", no-break space grouping (0xA0 in 1250).
        {"hu_HU", ',', '\xA0', "yyyy/ mm/ dd/", '.',
         "1\xA0"
         "234\xA0"
         "567,25",
         "2024. 03. 05.", "7:08:09", "7:08"},
        {"de_DE", ',', '.', "dd/mm/yy", '.', "1.234.567,25", "05.03.24", "07:08:09", "07:08"},
        {"en_US", '.', ',', "m/d/yy", '/', "1,234,567.25", "3/5/24", "7:08:09 AM", "7:08 AM"},
        // No language: the fixed ISO formats.
        {"C", '.', ',', "yyyy-mm-dd", '-', "1,234,567.25", "2024-03-05", "07:08:09", "07:08"},
    };
    const TDateTime moment = At(2024, 3, 5, 7, 8, 9);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Locale);
        const TFormatSettings fs = FormatSettingsFromLocale(QLocale(QString::fromLatin1(row.Locale)));
        EXPECT_EQ(fs.DecimalSeparator, row.Decimal);
        EXPECT_EQ(fs.ThousandSeparator, row.Thousand);
        EXPECT_EQ(fs.ShortDateFormat, row.ShortDate);
        EXPECT_EQ(fs.DateSeparator, row.DateSeparator);
        EXPECT_EQ(FormatFloat("#,##0.00", 1234567.25, fs), row.Number);
        EXPECT_EQ(DateToStr(moment, fs), row.Date);
        EXPECT_EQ(TimeToStr(moment, fs), row.Time);
        EXPECT_EQ(FormatDateTime("t", moment, fs), row.ShortTime);

        double number = 0;
        EXPECT_TRUE(TryStrToFloat(FloatToStr(38.1, fs), number, fs));
        EXPECT_EQ(number, 38.1);
        TDateTime date = 0;
        ASSERT_TRUE(TryStrToDate(row.Date, date, fs));
        EXPECT_EQ(date, At(2024, 3, 5));
        TDateTime time = 0;
        ASSERT_TRUE(TryStrToTime(row.Time, time, fs));
        EXPECT_NEAR(time, At(2024, 3, 5, 7, 8, 9) - At(2024, 3, 5), 1e-9);
    }
}

TEST(SystemLocale, HungarianStepsAndNames) {
    const TFormatSettings fs = FormatSettingsFromLocale(QLocale(QStringLiteral("hu_HU")));
    // The label tab's step list.
    for (const auto& [text, value] : {std::pair{"0,05", 0.05}, {"0,01", 0.01}, {"1,5", 1.5}, {"2,5", 2.5}}) {
        double parsed = 0;
        EXPECT_TRUE(TryStrToFloat(text, parsed, fs)) << text;
        EXPECT_EQ(parsed, value) << text;
    }
    EXPECT_EQ(FormatDateTime("mmmm dddd", At(2024, 3, 5), fs), "m\xE1rcius kedd"); // Windows-1250
    EXPECT_EQ(fs.TimeAMString, "de.");
    // The typed short form without blanks reads too.
    TDateTime date = 0;
    EXPECT_TRUE(TryStrToDate("2024.03.05.", date, fs));
    EXPECT_EQ(date, At(2024, 3, 5));
}

// The program's start-up under a Hungarian desktop: the C library locale and Qt's system
// locale both Hungarian, as the environment sets them for a user.
const test::ChildRegistration kDesktop("system-locale", [](const QStringList&) {
    UseSystemLocale();
    const bool translated = InstallQtTranslations(QLocale::system()) != nullptr;
    const TFormatSettings& fs = FormatSettings();
    std::printf("decimal=%c date=%s number=%s translated=%d cancel=%s\n", fs.DecimalSeparator,
                DateToStr(At(2024, 3, 5), fs).c_str(), FloatToStr(38.1, fs).c_str(), translated ? 1 : 0,
                QCoreApplication::translate("QPlatformTheme", "Cancel").toUtf8().constData());
    return 0;
});

TEST(SystemLocale, DesktopLocaleIsTakenAtStartUp) {
    const struct {
        const char* Lang;
        const char* Expected;
    } rows[] = {
        {test::kHungarianCLocale, "decimal=, date=2024. 03. 05. number=38,1 translated=1 cancel=Mégse"},
        {"C", "decimal=. date=2024-03-05 number=38.1 translated=0 cancel=Cancel"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Lang);
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(row.Lang));
        environment.insert(QStringLiteral("LANG"), QString::fromLatin1(row.Lang));
        environment.insert(QStringLiteral("LANGUAGE"), QString());
        QString output;
        ASSERT_EQ(test::RunChild(QStringLiteral("system-locale"), {}, environment, &output), 0)
            << output.toStdString();
        EXPECT_TRUE(output.contains(QString::fromUtf8(row.Expected))) << output.toStdString();
    }
}

} // namespace
} // namespace etikor
