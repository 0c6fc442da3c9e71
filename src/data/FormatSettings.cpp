#include "data/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace etikor {

TFormatSettings TFormatSettings::Hungarian() {
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '\xA0';
    fs.DateSeparator = '.';
    fs.ShortDateFormat = "yyyy.mm.dd.";
    fs.TimeSeparator = ':';
    fs.LongTimeFormat = "h:nn:ss";
    fs.ShortTimeFormat = "h:nn";
    fs.TimeAMString = "de.";
    fs.TimePMString = "du.";
    // Windows-1250 bytes.
    fs.ShortMonthNames = {"jan.",    "febr.", "m\xE1rc.", "\xE1pr.", "m\xE1j.", "j\xFAn.",
                          "j\xFAl.", "aug.",  "szept.",   "okt.",    "nov.",    "dec."};
    fs.LongMonthNames = {"janu\xE1r",
                         "febru\xE1r",
                         "m\xE1rcius",
                         "\xE1prilis",
                         "m\xE1jus",
                         "j\xFAnius",
                         "j\xFAlius",
                         "augusztus",
                         "szeptember",
                         "okt\xF3"
                         "ber",
                         "november",
                         "december"};
    fs.ShortDayNames = {"V", "H", "K", "Sze", "Cs", "P", "Szo"};
    fs.LongDayNames = {"vas\xE1rnap",        "h\xE9tf\xF5", "kedd",   "szerda",
                       "cs\xFCt\xF6rt\xF6k", "p\xE9ntek",   "szombat"};
    return fs;
}

TFormatSettings TFormatSettings::HungarianSpace() {
    TFormatSettings fs = Hungarian();
    fs.ThousandSeparator = ' ';
    return fs;
}

TFormatSettings TFormatSettings::Invariant() {
    TFormatSettings fs;
    fs.DecimalSeparator = '.';
    fs.ThousandSeparator = ',';
    fs.DateSeparator = '-';
    fs.ShortDateFormat = "yyyy-mm-dd";
    fs.TimeSeparator = ':';
    fs.LongTimeFormat = "hh:nn:ss";
    fs.ShortTimeFormat = "hh:nn";
    return fs;
}

namespace {

TFormatSettings& currentSettings() {
    static TFormatSettings settings = TFormatSettings::Invariant();
    return settings;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// printf-style conversions that never follow the C library's locale: once the process runs
// under a Hungarian desktop, snprintf would write a decimal comma of its own.
std::string printDouble(double value, std::chars_format format, int precision) {
    std::string buffer(static_cast<std::size_t>(std::max(precision, 0)) + 400, '\0');
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    buffer.resize(error == std::errc() ? static_cast<std::size_t>(end - buffer.data()) : 0);
    return buffer;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[i]) != lower(prefix[i]))
            return false;
    return true;
}

} // namespace

const TFormatSettings& FormatSettings() {
    return currentSettings();
}
void SetFormatSettings(const TFormatSettings& settings) {
    currentSettings() = settings;
}

// ---- numbers ------------------------------------------------------------------------------------

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

std::string FloatToStr(double value, const TFormatSettings& fs) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    std::string text = printDouble(value, std::chars_format::general, 15);
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    // "1E+20" → "1E20", "1E-05" → "1E-5".
    const std::size_t e = text.find('E');
    if (e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 1);
        bool negative = false;
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
            negative = exponent[0] == '-';
            exponent.erase(0, 1);
        }
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text = mantissa + "E" + (negative ? "-" : "") + exponent;
    }
    if (text == "-0")
        text = "0";
    for (char& c : text)
        if (c == '.')
            c = fs.DecimalSeparator;
    return text;
}

namespace {

// One section of a number picture, parsed.
struct NumberPicture {
    std::string prefix, suffix; // literal text around the digits
    int integerZeros = 0;       // '0' placeholders before the point, from the first '0'
    bool hasIntegerDigits = false;
    int minDecimals = 0, maxDecimals = 0;
    bool grouping = false;
    bool scientific = false;
    bool exponentSign = false; // "E+": always show the sign
    int exponentDigits = 0;
    bool upperE = true;
};

std::vector<std::string_view> splitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

NumberPicture parsePicture(std::string_view section) {
    NumberPicture p;
    bool seenDigit = false, seenPoint = false, seenZero = false;
    std::string* literal = &p.prefix;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = section.find(c, i + 1);
            const std::size_t stop = close == std::string_view::npos ? section.size() : close;
            literal->append(section.substr(i + 1, stop - i - 1));
            i = stop;
        } else if (c == '0' || c == '#') {
            if (!seenDigit)
                literal = &p.suffix;
            seenDigit = true;
            if (seenPoint) {
                ++p.maxDecimals;
                if (c == '0')
                    p.minDecimals = p.maxDecimals;
            } else {
                p.hasIntegerDigits = true;
                if (c == '0')
                    seenZero = true;
                if (seenZero)
                    ++p.integerZeros;
            }
        } else if (c == '.' && !seenPoint && !p.scientific) {
            seenPoint = true;
            if (!seenDigit)
                literal = &p.suffix;
            seenDigit = true;
        } else if (c == ',' && !seenPoint) {
            p.grouping = true;
        } else if ((c == 'E' || c == 'e') && seenDigit && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            p.scientific = true;
            p.upperE = c == 'E';
            p.exponentSign = section[i + 1] == '+';
            i += 2;
            while (i < section.size() && section[i] == '0') {
                ++p.exponentDigits;
                ++i;
            }
            --i;
        } else {
            literal->push_back(c);
        }
    }
    return p;
}

std::string groupDigits(const std::string& digits, char separator) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

std::string renderNumber(const NumberPicture& p, double magnitude, const TFormatSettings& fs) {
    std::string body;
    if (p.scientific) {
        const std::string text = printDouble(magnitude, std::chars_format::scientific, p.maxDecimals);
        const std::size_t e = text.find('e');
        std::string mantissa = text.substr(0, e);
        int exponent = std::atoi(text.c_str() + e + 1);
        // Trim optional decimals.
        if (const std::size_t point = mantissa.find('.'); point != std::string::npos) {
            std::size_t keep = mantissa.size();
            while (keep > point + 1 + static_cast<std::size_t>(p.minDecimals) && mantissa[keep - 1] == '0')
                --keep;
            if (keep == point + 1)
                keep = point;
            mantissa.resize(keep);
            if (keep > point)
                mantissa[point] = fs.DecimalSeparator;
        }
        std::string digits = std::to_string(std::abs(exponent));
        while (static_cast<int>(digits.size()) < p.exponentDigits)
            digits.insert(digits.begin(), '0');
        body = mantissa + (p.upperE ? "E" : "e");
        if (exponent < 0)
            body += '-';
        else if (p.exponentSign)
            body += '+';
        body += digits;
        return body;
    }
    const std::string text = printDouble(magnitude, std::chars_format::fixed, p.maxDecimals);
    std::string integer = text, fraction;
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
        integer = text.substr(0, point);
        fraction = text.substr(point + 1);
    }
    while (static_cast<int>(fraction.size()) > p.minDecimals && !fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    while (static_cast<int>(integer.size()) < p.integerZeros)
        integer.insert(integer.begin(), '0');
    if (p.grouping)
        integer = groupDigits(integer, fs.ThousandSeparator);
    body = integer;
    if (!fraction.empty()) {
        body += fs.DecimalSeparator;
        body += fraction;
    }
    return body;
}

} // namespace

std::string FormatFloat(std::string_view format, double value, const TFormatSettings& fs) {
    if (format.empty() || !std::isfinite(value))
        return FloatToStr(value, fs);
    const std::vector<std::string_view> sections = splitSections(format);
    std::string_view section = sections[0];
    bool signFromPicture = false;
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
        section = sections[1];
        signFromPicture = true;
    }
    NumberPicture picture = parsePicture(section);
    std::string body = renderNumber(picture, std::fabs(value), fs);
    const bool isZero = body.find_first_of("123456789") == std::string::npos;
    if (isZero && sections.size() >= 3 && !sections[2].empty()) {
        picture = parsePicture(sections[2]);
        return picture.prefix + renderNumber(picture, 0.0, fs) + picture.suffix;
    }
    std::string result = picture.prefix;
    if (value < 0 && !signFromPicture && !isZero)
        result += '-';
    result += body;
    result += picture.suffix;
    return result;
}

bool TryStrToInt(std::string_view text, int64_t& out) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || (text.size() > 1 && text[0] == '-' && text[1] == '+'))
        return false;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return false;
    out = value;
    return true;
}

bool TryStrToInt(std::string_view text, int32_t& out) {
    int64_t value = 0;
    if (!TryStrToInt(text, value) || value < INT32_MIN || value > INT32_MAX)
        return false;
    out = static_cast<int32_t>(value);
    return true;
}

bool TryStrToFloat(std::string_view text, double& out, const TFormatSettings& fs) {
    text = trimBlanks(text);
    std::string normal;
    normal.reserve(text.size());
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normal += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        normal += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == fs.DecimalSeparator) {
        normal += '.';
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            normal += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            normal += text[i++];
        int exponentDigits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            normal += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error != std::errc() || end != normal.data() + normal.size() || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

// ---- dates and times -----------------------------------------------------------------------------

namespace {

void appendNumber(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    while (static_cast<int>(digits.size()) < width)
        digits.insert(digits.begin(), '0');
    out += digits;
}

bool hasAmPm(std::string_view format) {
    char quote = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        const std::string_view rest = format.substr(i);
        if (startsWithNoCase(rest, "am/pm") || startsWithNoCase(rest, "a/p") ||
            startsWithNoCase(rest, "ampm"))
            return true;
    }
    return false;
}

void formatInto(std::string& out, std::string_view format, TDateTime value, const TFormatSettings& fs,
                int depth) {
    if (depth > 2)
        return;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, msec);
    const bool twelveHour = hasAmPm(format);
    char lastToken = 0;
    std::size_t i = 0;
    auto run = [&](char c) {
        std::size_t n = 0;
        while (i + n < format.size() && lower(format[i + n]) == c)
            ++n;
        return n;
    };
    while (i < format.size()) {
        const char c = format[i];
        const char token = lower(c);
        switch (token) {
        case '"':
        case '\'': {
            const std::size_t close = format.find(c, i + 1);
            const std::size_t stop = close == std::string_view::npos ? format.size() : close;
            out.append(format.substr(i + 1, stop - i - 1));
            i = stop + 1;
            break;
        }
        case '/':
            out += fs.DateSeparator;
            ++i;
            break;
        case ':':
            out += fs.TimeSeparator;
            ++i;
            break;
        case 'c':
            formatInto(out, fs.ShortDateFormat, value, fs, depth + 1);
            if (hour || minute || second || msec) {
                out += ' ';
                formatInto(out, fs.LongTimeFormat, value, fs, depth + 1);
            }
            ++i;
            lastToken = token;
            break;
        case 'y': {
            const std::size_t n = run('y');
            if (n <= 2)
                appendNumber(out, year % 100, 2);
            else
                appendNumber(out, year, 4);
            i += n;
            lastToken = token;
            break;
        }
        case 'm': {
            const std::size_t n = run('m');
            if (lastToken == 'h' && n <= 2) {
                appendNumber(out, minute, static_cast<int>(n));
            } else if (n <= 2) {
                appendNumber(out, month, static_cast<int>(n));
            } else if (month >= 1) {
                out += n == 3 ? fs.ShortMonthNames[static_cast<std::size_t>(month - 1)]
                              : fs.LongMonthNames[static_cast<std::size_t>(month - 1)];
            }
            i += n;
            lastToken = token;
            break;
        }
        case 'd': {
            const std::size_t n = run('d');
            const int weekday = DayOfWeek(value) - 1;
            if (n <= 2)
                appendNumber(out, day, static_cast<int>(n));
            else if (n == 3)
                out += fs.ShortDayNames[static_cast<std::size_t>(weekday)];
            else if (n == 4)
                out += fs.LongDayNames[static_cast<std::size_t>(weekday)];
            else
                formatInto(out, fs.ShortDateFormat, value, fs, depth + 1);
            i += n;
            lastToken = token;
            break;
        }
        case 'h': {
            const std::size_t n = run('h');
            int shown = hour;
            if (twelveHour) {
                shown = hour % 12;
                if (shown == 0)
                    shown = 12;
            }
            appendNumber(out, shown, n >= 2 ? 2 : 1);
            i += n;
            lastToken = token;
            break;
        }
        case 'n':
        case 's': {
            const std::size_t n = run(token);
            appendNumber(out, token == 'n' ? minute : second, n >= 2 ? 2 : 1);
            i += n;
            lastToken = token;
            break;
        }
        case 'z': {
            const std::size_t n = run('z');
            appendNumber(out, msec, n >= 3 ? 3 : 1);
            i += n;
            lastToken = token;
            break;
        }
        case 't': {
            const std::size_t n = run('t');
            formatInto(out, n >= 2 ? fs.LongTimeFormat : fs.ShortTimeFormat, value, fs, depth + 1);
            i += n;
            lastToken = token;
            break;
        }
        case 'a': {
            const std::string_view rest = format.substr(i);
            if (startsWithNoCase(rest, "am/pm")) {
                out += hour < 12 ? "am" : "pm";
                if (rest[0] == 'A')
                    out.replace(out.size() - 2, 2, hour < 12 ? "AM" : "PM");
                i += 5;
            } else if (startsWithNoCase(rest, "a/p")) {
                out += hour < 12 ? (rest[0] == 'A' ? 'A' : 'a') : (rest[0] == 'A' ? 'P' : 'p');
                i += 3;
            } else if (startsWithNoCase(rest, "ampm")) {
                out += hour < 12 ? fs.TimeAMString : fs.TimePMString;
                i += 4;
            } else {
                out += c;
                ++i;
            }
            break;
        }
        default:
            out += c;
            ++i;
            break;
        }
    }
}

} // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& fs) {
    std::string out;
    formatInto(out, format.empty() ? std::string_view("c") : format, value, fs, 0);
    return out;
}

std::string DateToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(fs.ShortDateFormat, value, fs);
}

std::string TimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(fs.LongTimeFormat, value, fs);
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime("c", value, fs);
}

namespace {

struct Scanner {
    std::string_view text;
    std::size_t pos = 0;

    void blanks() {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
    }
    bool atEnd() const { return pos >= text.size(); }
    bool number(int& value, int& digits) {
        blanks();
        digits = 0;
        int64_t v = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            v = v * 10 + (text[pos] - '0');
            if (v > 1000000)
                return false;
            ++pos;
            ++digits;
        }
        value = static_cast<int>(v);
        return digits > 0;
    }
    bool character(char c) {
        blanks();
        if (pos < text.size() && text[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        blanks();
        if (!w.empty() && startsWithNoCase(text.substr(pos), w)) {
            pos += w.size();
            return true;
        }
        return false;
    }
};

enum class DateOrder { YMD, MDY, DMY };

DateOrder dateOrder(std::string_view format) {
    for (char c : format) {
        switch (lower(c)) {
        case 'y':
            return DateOrder::YMD;
        case 'm':
            return DateOrder::MDY;
        case 'd':
            return DateOrder::DMY;
        default:
            break;
        }
    }
    return DateOrder::YMD;
}

bool scanDate(Scanner& s, TDateTime& out, const TFormatSettings& fs) {
    int n1 = 0, n2 = 0, n3 = 0, d1 = 0, d2 = 0, d3 = 0;
    if (!s.number(n1, d1) || !s.character(fs.DateSeparator) || !s.number(n2, d2))
        return false;
    int currentYear = 0, m = 0, d = 0;
    DecodeDate(Now(), currentYear, m, d);
    int year = 0, month = 0, day = 0, yearDigits = 4;
    const DateOrder order = dateOrder(fs.ShortDateFormat);
    const std::size_t afterTwo = s.pos;
    if (s.character(fs.DateSeparator) && s.number(n3, d3)) {
        switch (order) {
        case DateOrder::YMD:
            year = n1, month = n2, day = n3, yearDigits = d1;
            break;
        case DateOrder::MDY:
            month = n1, day = n2, year = n3, yearDigits = d3;
            break;
        case DateOrder::DMY:
            day = n1, month = n2, year = n3, yearDigits = d3;
            break;
        }
        s.character(fs.DateSeparator); // "2024.03.15." ends with the separator
    } else {
        s.pos = afterTwo;
        s.character(fs.DateSeparator);
        year = currentYear;
        if (order == DateOrder::DMY)
            day = n1, month = n2;
        else
            month = n1, day = n2;
    }
    if (yearDigits <= 2) {
        // Within 50 years of the current year.
        const int century = currentYear - currentYear % 100;
        year += century;
        if (year > currentYear + 50)
            year -= 100;
        else if (year < currentYear - 50)
            year += 100;
    }
    return TryEncodeDate(year, month, day, out);
}

bool scanTime(Scanner& s, TDateTime& out, const TFormatSettings& fs) {
    int hour = 0, minute = 0, second = 0, msec = 0, digits = 0;
    int ampm = 0; // 1 am, 2 pm
    auto scanAmPm = [&] {
        if (s.word(fs.TimeAMString) || s.word("AM") || s.word("A"))
            ampm = 1;
        else if (s.word(fs.TimePMString) || s.word("PM") || s.word("P"))
            ampm = 2;
    };
    scanAmPm();
    if (!s.number(hour, digits) || !s.character(fs.TimeSeparator) || !s.number(minute, digits))
        return false;
    if (s.character(fs.TimeSeparator)) {
        if (!s.number(second, digits))
            return false;
        if (s.character('.') || s.character(fs.DecimalSeparator)) {
            if (!s.number(msec, digits) || digits > 3)
                return false;
            for (int i = digits; i < 3; ++i)
                msec *= 10;
        }
    }
    if (ampm == 0)
        scanAmPm();
    if (ampm != 0) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (ampm == 2 ? 12 : 0);
    }
    return TryEncodeTime(hour, minute, second, msec, out);
}

// The whole text read by `scan`, blanks allowed around it; `out` is left alone on failure.
bool scanWhole(std::string_view text, TDateTime& out, const TFormatSettings& fs,
               bool (*scan)(Scanner&, TDateTime&, const TFormatSettings&)) {
    Scanner s{text};
    TDateTime value = 0;
    if (!scan(s, value, fs))
        return false;
    s.blanks();
    if (!s.atEnd())
        return false;
    out = value;
    return true;
}

} // namespace

bool TryStrToDate(std::string_view text, TDateTime& out, const TFormatSettings& fs) {
    return scanWhole(text, out, fs, scanDate);
}

bool TryStrToTime(std::string_view text, TDateTime& out, const TFormatSettings& fs) {
    return scanWhole(text, out, fs, scanTime);
}

bool TryStrToDateTime(std::string_view text, TDateTime& out, const TFormatSettings& fs) {
    Scanner s{text};
    TDateTime date = 0, time = 0;
    if (scanDate(s, date, fs)) {
        s.blanks();
        if (!s.atEnd()) {
            if (!scanTime(s, time, fs))
                return false;
            s.blanks();
            if (!s.atEnd())
                return false;
        }
        out = date < 0 ? date - time : date + time;
        return true;
    }
    return TryStrToTime(text, out, fs);
}

} // namespace etikor
