#include "data/TextCollation.h"

#include "data/Cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace etikor {

namespace {

// Primary weight (which letter, digit or sign) and secondary weight (which accent) of every
// byte, letter case folded.
struct FixedWeights {
    std::array<uint16_t, 256> primary{};
    std::array<uint8_t, 256> secondary{};

    static uint16_t letter(char base, int step = 0) {
        return static_cast<uint16_t>(0x400 + (base - 'A') * 4 + step);
    }

    FixedWeights() {
        for (int b = 0; b < 256; ++b)
            primary[static_cast<std::size_t>(b)] = static_cast<uint16_t>(0x100 + b); // signs by code
        for (int d = 0; d < 10; ++d)
            primary[static_cast<std::size_t>('0' + d)] = static_cast<uint16_t>(0x300 + d);
        for (char c = 'A'; c <= 'Z'; ++c)
            primary[static_cast<unsigned char>(c)] = letter(c);
        // Upper-case accented letters of Windows-1250 by base letter, Hungarian accents first.
        static constexpr struct {
            char base;
            int step; // 1: a letter of its own right after the base letter
            const char* accented;
        } letters[] = {
            {'A', 0, "\xC1\xC4\xC2\xC3\xA5"}, // Á Ä Â Ă Ą
            {'C', 0, "\xC7\xC6\xC8"},         // Ç Ć Č
            {'D', 0, "\xCF\xD0"},             // Ď Đ
            {'E', 0, "\xC9\xCB\xCA\xCC"},     // É Ë Ę Ě
            {'I', 0, "\xCD\xCE"},             // Í Î
            {'L', 0, "\xC5\xBC\xA3"},         // Ĺ Ľ Ł
            {'N', 0, "\xD1\xD2"},             // Ń Ň
            {'O', 0, "\xD3\xD4"},             // Ó Ô
            {'O', 1, "\xD6\xD5"},             // Ö Ő
            {'R', 0, "\xC0\xD8"},             // Ŕ Ř
            {'S', 0, "\x8C\x8A\xAA\xDF"},     // Ś Š Ş ß
            {'T', 0, "\x8D\xDE"},             // Ť Ţ
            {'U', 0, "\xDA\xD9"},             // Ú Ů
            {'U', 1, "\xDC\xDB"},             // Ü Ű
            {'Y', 0, "\xDD"},                 // Ý
            {'Z', 0, "\x8F\x8E\xAF"},         // Ź Ž Ż
        };
        for (const auto& group : letters) {
            // Within a letter of its own the first is the plain form (Ö, Ü).
            uint8_t rank = group.step == 0 ? 1 : 0;
            for (const char* p = group.accented; *p; ++p) {
                const auto byte = static_cast<unsigned char>(*p);
                primary[byte] = letter(group.base, group.step);
                secondary[byte] = rank++;
            }
        }
        // Fold lower case onto upper case.
        for (int b = 0; b < 256; ++b) {
            const unsigned char upper = Cp1250Upper(static_cast<unsigned char>(b));
            if (upper != b) {
                primary[static_cast<std::size_t>(b)] = primary[upper];
                secondary[static_cast<std::size_t>(b)] = secondary[upper];
            }
        }
    }
};

const FixedWeights& fixedWeights() {
    static const FixedWeights weights;
    return weights;
}

TTextCollation& installed() {
    static TTextCollation collation;
    return collation;
}

int sign(long long value) {
    return (value > 0) - (value < 0);
}

} // namespace

int FixedCollateTextCI(std::string_view a, std::string_view b) {
    const FixedWeights& w = fixedWeights();
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int pa = w.primary[static_cast<unsigned char>(a[i])];
        const int pb = w.primary[static_cast<unsigned char>(b[i])];
        if (pa != pb)
            return pa < pb ? -1 : 1;
    }
    if (a.size() != b.size())
        return sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
    for (std::size_t i = 0; i < common; ++i) {
        const int sa = w.secondary[static_cast<unsigned char>(a[i])];
        const int sb = w.secondary[static_cast<unsigned char>(b[i])];
        if (sa != sb)
            return sa < sb ? -1 : 1;
    }
    return 0;
}

void SetTextCollation(TTextCollation collation) {
    installed() = std::move(collation);
}

bool HasTextCollation() {
    return static_cast<bool>(installed());
}

int CollateTextCI(std::string_view a, std::string_view b) {
    const TTextCollation& collation = installed();
    if (!collation)
        return FixedCollateTextCI(a, b);
    return sign(collation(a, b));
}

} // namespace etikor
