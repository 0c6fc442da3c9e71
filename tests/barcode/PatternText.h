#pragma once

// Test-only helpers for writing expected module patterns from named pieces, so that a reader
// of a test sees why an expectation is right.

#include "barcode/BarcodeTypes.h"

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace etikor::test {

// The pieces joined in order.
inline std::string Join(std::initializer_list<std::string_view> pieces) {
    std::string out;
    for (std::string_view piece : pieces)
        out += piece;
    return out;
}

inline std::string Repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Element widths as digits, alternating bar and space: Runs("3211") is "1110011" (bar first)
// and Runs("3211", false) is "0001100" (space first, as the left-hand EAN digit codes).
inline std::string Runs(std::string_view widths, bool barFirst = true, char bar = '1', char space = '0') {
    std::string out;
    bool isBar = barFirst;
    for (char w : widths) {
        out.append(static_cast<size_t>(w - '0'), isBar ? bar : space);
        isBar = !isBar;
    }
    return out;
}

// Elements written n (narrow) and w (wide), bar first, at a 2:1 ratio: NarrowWide("wnn") is "1101".
inline std::string NarrowWide(std::string_view nw) {
    std::string widths;
    for (char e : nw)
        widths += e == 'w' ? '2' : '1';
    return Runs(widths);
}

// Every bar module written as a guard bar ('1' becomes '2').
inline std::string Guard(std::string_view modules) {
    std::string out(modules);
    for (char& c : out)
        if (c == '1')
            c = '2';
    return out;
}

// True when the pattern holds only the six module characters.
inline bool OnlyModuleCharacters(std::string_view pattern) {
    return pattern.find_first_not_of("0 X12M") == std::string_view::npos;
}

// The number of bars (runs of '1', '2' or 'M' modules).
inline int CountBars(std::string_view pattern) {
    int bars = 0;
    bool inBar = false;
    for (char c : pattern) {
        const bool isBar = c == '1' || c == '2' || c == 'M';
        if (isBar && !inBar)
            ++bars;
        inBar = isBar;
    }
    return bars;
}

inline std::ostream& operator<<(std::ostream& out, const TextAnchors& a) {
    return out << '{' << a.Group1Start << ',' << a.Group1End << ',' << a.Group2Start << ',' << a.Group2End
               << ',' << a.AddOnStart << ',' << a.TrailingDigit << '}';
}

} // namespace etikor::test

namespace etikor {
// Lets GoogleTest print anchors in failure messages.
inline void PrintTo(const TextAnchors& a, std::ostream* out) {
    test::operator<<(*out, a);
}
} // namespace etikor
