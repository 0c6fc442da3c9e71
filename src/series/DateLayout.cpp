#include "series/DateLayout.h"

#include "data/Cp1250.h"
#include "data/FormatSettings.h"

#include <cstdio>

namespace etikor {

namespace {

// Calls `run(letter, first, length)` for each run of equal characters of the layout.
template <typename F>
void forEachRun(std::string_view layout, F run) {
    std::size_t i = 0;
    while (i < layout.size()) {
        std::size_t j = i + 1;
        while (j < layout.size() && layout[j] == layout[i])
            ++j;
        run(layout[i], i, j - i);
        i = j;
    }
}

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

} // namespace

const std::vector<std::string>& DateLayouts() {
    static const std::vector<std::string> layouts = [] {
        std::vector<std::string> out;
        for (const char* utf8 : {"ÉÉHHNN", "ÉÉ.HH.NN.", "ÉÉÉÉHHNN", "ÉÉÉÉ.HH.NN.", "NNHHÉÉ", "NN.HH.ÉÉ",
                                 "NNHHÉÉÉÉ", "NN.HH.ÉÉÉÉ"})
            out.push_back(Utf8ToCp1250(utf8));
        return out;
    }();
    return layouts;
}

bool ReadDate(std::string_view text, std::string_view layout, TDateTime& out) {
    std::string year, month, day;
    forEachRun(layout, [&](char letter, std::size_t first, std::size_t length) {
        const std::string part(first < text.size() ? text.substr(first, length) : std::string_view());
        if (letter == kYearLetter)
            year = part.size() == 2 ? "20" + part : part;
        else if (letter == 'H')
            month = part;
        else if (letter == 'N')
            day = part;
    });
    int32_t y = 0, m = 0, d = 0;
    if (!TryStrToInt(year, y) || !TryStrToInt(month, m) || !TryStrToInt(day, d))
        return false;
    return TryEncodeDate(y, m, d, out);
}

std::string WriteDate(TDateTime date, std::string_view layout) {
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    char year[8];
    std::snprintf(year, sizeof year, "%04d", y);
    std::string out;
    forEachRun(layout, [&](char letter, std::size_t, std::size_t length) {
        if (letter == kYearLetter)
            out += length == 4 ? std::string(year) : twoDigits(y);
        else if (letter == 'H')
            out += twoDigits(m);
        else if (letter == 'N')
            out += twoDigits(d);
        else
            out += letter;
    });
    return out;
}

} // namespace etikor
