#include "services/SystemLocale.h"

#include "data/Cp1250.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace etikor {

namespace {

// A character of the locale as one Windows-1250 byte; `fallback` when it has none.
char SingleByte(const QString& text, char fallback) {
    if (text.size() != 1)
        return fallback;
    unsigned char byte = 0;
    if (!UnicodeToCp1250(text.front().unicode(), byte) || byte == 0)
        return fallback;
    return static_cast<char>(byte);
}

std::string Bytes(const QString& text) {
    return Utf8ToCp1250(text.toStdString());
}

// A Qt date or time format ("yyyy. MM. dd.", "H:mm:ss t", "h:mm AP") in the program's
// pictures ("yyyy/ mm/ dd/", "h:nn:ss", "h:nn ampm"). The first separator character of the
// format becomes the date or time separator; the time zone is left out.
std::string Picture(const QString& format, char& separator, bool time) {
    std::string out;
    bool separatorSeen = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        const QString piece = format.mid(i, run);
        i += run;
        if (c == QLatin1Char('\'')) {
            // Quoted text (two quotes stand for one).
            std::string literal;
            while (i < format.size() && format[i] != QLatin1Char('\''))
                literal += Bytes(format.mid(i++, 1));
            ++i;
            if (!literal.empty())
                out += '"' + literal + '"';
            continue;
        }
        switch (c.unicode()) {
        case 'y':
            out += run <= 2 ? "yy" : "yyyy";
            break;
        case 'M':
            out += std::string(static_cast<std::size_t>(std::min<qsizetype>(run, 4)), 'm');
            break;
        case 'd':
            out += std::string(static_cast<std::size_t>(std::min<qsizetype>(run, 4)), 'd');
            break;
        case 'H':
        case 'h':
            out += run >= 2 ? "hh" : "h";
            break;
        case 'm':
            out += run >= 2 ? "nn" : "n";
            break;
        case 's':
            out += run >= 2 ? "ss" : "s";
            break;
        case 'z':
            out += run >= 3 ? "zzz" : "z";
            break;
        case 'A':
        case 'a':
            out += "ampm";
            if (i < format.size() && (format[i] == QLatin1Char('P') || format[i] == QLatin1Char('p')))
                ++i;
            break;
        case 't':
            // No time zone in the program's pictures; drop the blank before it too.
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            break;
        default:
            if (c.isLetter()) {
                out += '"' + Bytes(piece) + '"';
            } else if (c == QLatin1Char(' ')) {
                out += Bytes(piece);
            } else {
                const char byte = SingleByte(QString(c), '\0');
                if (!separatorSeen && byte != '\0') {
                    separatorSeen = true;
                    separator = byte;
                }
                for (qsizetype k = 0; k < run; ++k)
                    out += byte == separator ? (time ? ':' : '/') : byte;
            }
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

bool HasNames(const std::string& picture) {
    return picture.find("mmm") != std::string::npos || picture.find("ddd") != std::string::npos;
}

} // namespace

TFormatSettings FormatSettingsFromLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C)
        return TFormatSettings::Invariant();
    TFormatSettings fs = TFormatSettings::Invariant();
    fs.DecimalSeparator = SingleByte(locale.decimalPoint(), '.');
    fs.ThousandSeparator = SingleByte(locale.groupSeparator(), ' ');
    if (fs.ThousandSeparator == fs.DecimalSeparator)
        fs.ThousandSeparator = fs.DecimalSeparator == ',' ? '.' : ',';

    char dateSeparator = fs.DateSeparator;
    const std::string date = Picture(locale.dateFormat(QLocale::ShortFormat), dateSeparator, false);
    // Dates are typed as numbers; a short date with month or day names keeps the ISO form.
    if (!date.empty() && !HasNames(date)) {
        fs.ShortDateFormat = date;
        fs.DateSeparator = dateSeparator;
    }
    char timeSeparator = fs.TimeSeparator;
    const std::string longTime = Picture(locale.timeFormat(QLocale::LongFormat), timeSeparator, true);
    const std::string shortTime = Picture(locale.timeFormat(QLocale::ShortFormat), timeSeparator, true);
    if (!longTime.empty() && !shortTime.empty()) {
        fs.LongTimeFormat = longTime;
        fs.ShortTimeFormat = shortTime;
        fs.TimeSeparator = timeSeparator;
    }
    fs.TimeAMString = Bytes(locale.amText());
    fs.TimePMString = Bytes(locale.pmText());
    for (int month = 1; month <= 12; ++month) {
        fs.ShortMonthNames[static_cast<std::size_t>(month - 1)] =
            Bytes(locale.standaloneMonthName(month, QLocale::ShortFormat));
        fs.LongMonthNames[static_cast<std::size_t>(month - 1)] =
            Bytes(locale.monthName(month, QLocale::LongFormat));
    }
    // Qt counts the days from Monday (1) to Sunday (7); the program's lists start on Sunday.
    for (int day = 1; day <= 7; ++day) {
        const std::size_t index = static_cast<std::size_t>(day % 7);
        fs.ShortDayNames[index] = Bytes(locale.dayName(day, QLocale::ShortFormat));
        fs.LongDayNames[index] = Bytes(locale.dayName(day, QLocale::LongFormat));
    }
    return fs;
}

void UseSystemLocale() {
    SetFormatSettings(FormatSettingsFromLocale(QLocale::system()));
}

QTranslator* InstallQtTranslations(const QLocale& locale) {
    auto* app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    auto* translator = new QTranslator(app);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace etikor
