#include "PatternText.h"
#include "RandomTexts.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <random>

namespace etikor::test {
namespace {

const std::string ONE = "11100";  // bit 1
const std::string ZERO = "10000"; // bit 0

std::string Bits(std::string_view bits) {
    std::string pattern;
    for (char b : bits)
        pattern += b == '1' ? ONE : ZERO;
    return pattern;
}

// Start bit, four bits per character (most significant first), two stop bits.
std::string Symbol(std::string_view text) {
    std::string bits = "1";
    for (char c : text) {
        const int value = c <= '9' ? c - '0' : c - 'A' + 10;
        for (int bit = 3; bit >= 0; --bit)
            bits += (value >> bit) & 1 ? '1' : '0';
    }
    return Bits(bits + "00");
}

TEST(Msi, CheckDigit) {
    const struct {
        const char* why;
        std::string text;
        std::string check;
    } cases[] = {
        // Odd positions 1+3+5 = 9; even positions 246 * 2 = 492, 4+9+2 = 15; (10 - 24 mod 10) = 6.
        {"even length (same as the published rule)", "123456", "6"},
        // 1+3+5+7 = 16; 492 gives 15; 31 -> 9. Counting from the right would give 4.
        {"odd length, counted from the left", "1234567", "9"},
        {"two digits", "12", "5"},
        {"sum a multiple of ten", "80523", "0"},
        {"thirteen digits", "1234567890123", "5"},
        {"fourteen digits", "12345678901235", "4"},
        {"one character has none", "5", " "},
        {"empty text has none", "", " "},
        // Letters: an odd-position letter adds its value (A = 10), an even-position one the digit
        // sum of twice its value (A: 20 -> 2), as a digit does.
        {"letter in an even position", "1A", "7"}, // 1 + 2 = 3
        {"letter in an odd position", "A1", "8"},  // 10 + 2 = 12
        {"F twice", "FF", "2"},                    // 15 + (30 -> 3) = 18
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(MsiCheck(c.text), c.check);
    }
}

// The rule as the barcode object documents it: the even-position digits read as one decimal
// number, doubled, and the digits of the product added. The check digit is computed
// character by character; both must agree on every digit text the object accepts.
TEST(Msi, CheckDigitMatchesTheDoubledNumberRule) {
    std::mt19937 random(1250);
    std::uniform_int_distribution<int> length(2, 14), digit(0, 9);
    for (int i = 0; i < 5000; ++i) {
        std::string text(static_cast<size_t>(length(random)), '0');
        for (char& c : text)
            c = static_cast<char>('0' + digit(random));
        int sum = 0;
        unsigned long long evens = 0;
        for (size_t p = 0; p < text.size(); ++p) {
            if (p % 2 == 0)
                sum += text[p] - '0';
            else
                evens = evens * 10 + static_cast<unsigned>(text[p] - '0');
        }
        for (unsigned long long doubled = evens * 2; doubled > 0; doubled /= 10)
            sum += static_cast<int>(doubled % 10);
        ASSERT_EQ(MsiCheck(text), std::string(1, static_cast<char>('0' + (10 - sum % 10) % 10))) << text;
    }
}

TEST(Msi, PatternsAndAnchors) {
    const struct {
        const char* why;
        std::string text;
        std::string encoded; // the text with the check digits the encoder adds
    } cases[] = {
        {"check digit appended", "123456", "1234566"},
        {"single character: no check digit", "7", "7"},
        {"thirteen characters: a second check over the first fourteen", "1234567890123", "123456789012354"},
        {"letters", "1A", "1A7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const BarcodeEncoding encoding = EncodeMsi(c.text, {});
        const std::string pattern = Symbol(c.encoded);
        EXPECT_EQ(encoding.BarPattern, pattern);
        const int length = static_cast<int>(pattern.size());
        EXPECT_EQ(encoding.Anchors, (TextAnchors{length / 4, length - length / 4, 0, 0, 0, 0}));
    }
    // 1 0111 00: 7 bits of 5 modules.
    EXPECT_EQ(EncodeMsi("7", {}).BarPattern, ONE + ZERO + ONE + ONE + ONE + ZERO + ZERO);
}

TEST(Msi, CharactersWithoutAPatternGiveNoSymbol) {
    for (std::string_view text : {"12a", "G", "1-2", ""})
        EXPECT_EQ(EncodeMsi(text, {}).BarPattern, "") << text;
}

TEST(Msi, AnyBytesGiveAWellFormedPatternOrNone) {
    for (const std::string& text : RandomTexts("0123456789ABCDEF", 3000, 30)) {
        ASSERT_TRUE(WellFormed(EncodeMsi(text, {}))) << text;
        const std::string check = MsiCheck(text);
        ASSERT_EQ(check.size(), 1u);
        ASSERT_NE(std::string("0123456789 ").find(check[0]), std::string::npos) << text;
    }
}

} // namespace
} // namespace etikor::test
