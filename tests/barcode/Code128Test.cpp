#include "DecoderOracle.h"
#include "PatternText.h"
#include "RandomTexts.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string_view>
#include <vector>

namespace etikor::test {
namespace {

using enum TTypBarCode;

// The symbol characters 0..105 as the standard draws them, module by module (1 = bar): ISO/IEC
// 15417, Table 1 (values 103-105 are START A, B and C). Each holds 11 modules in three bars
// and three spaces; the check below keeps a slip in this table from passing unnoticed.
constexpr std::array<std::string_view, 106> kModules = {
    "11011001100", "11001101100", "11001100110", "10010011000", "10010001100", "10001001100", //   0
    "10011001000", "10011000100", "10001100100", "11001001000", "11001000100", "11000100100", //   6
    "10110011100", "10011011100", "10011001110", "10111001100", "10011101100", "10011100110", //  12
    "11001110010", "11001011100", "11001001110", "11011100100", "11001110100", "11101101110", //  18
    "11101001100", "11100101100", "11100100110", "11101100100", "11100110100", "11100110010", //  24
    "11011011000", "11011000110", "11000110110", "10100011000", "10001011000", "10001000110", //  30
    "10110001000", "10001101000", "10001100010", "11010001000", "11000101000", "11000100010", //  36
    "10110111000", "10110001110", "10001101110", "10111011000", "10111000110", "10001110110", //  42
    "11101110110", "11010001110", "11000101110", "11011101000", "11011100010", "11011101110", //  48
    "11101011000", "11101000110", "11100010110", "11101101000", "11101100010", "11100011010", //  54
    "11101111010", "11001000010", "11110001010", "10100110000", "10100001100", "10010110000", //  60
    "10010000110", "10000101100", "10000100110", "10110010000", "10110000100", "10011010000", //  66
    "10011000010", "10000110100", "10000110010", "11000010010", "11001010000", "11110111010", //  72
    "11000010100", "10001111010", "10100111100", "10010111100", "10010011110", "10111100100", //  78
    "10011110100", "10011110010", "11110100100", "11110010100", "11110010010", "11011011110", //  84
    "11011110110", "11110110110", "10101111000", "10100011110", "10001011110", "10111101000", //  90
    "10111100010", "11110101000", "11110100010", "10111011110", "10111101110", "11101011110", //  96
    "11110101110", "11010000100", "11010010000", "11010011100",                               // 102
};

enum : int { SHIFT = 98, CODE_C = 99, CODE_B = 100, CODE_A = 101, FNC1 = 102 };
enum : int { START_A = 103, START_B = 104, START_C = 105 };
const std::string STOP = Guard("1100011101011"); // 13 modules, four bars

// One symbol character; the start characters are drawn with guard bars.
std::string V(int value) {
    const std::string modules(kModules[static_cast<size_t>(value)]);
    return value >= START_A ? Guard(modules) : modules;
}

std::string Symbol(const std::vector<int>& values) {
    std::string pattern;
    for (int value : values)
        pattern += V(value);
    return pattern + STOP;
}

// The table itself: 11 modules, three bars and three spaces starting with a bar and ending with
// a space, an even number of bar modules (the standard's self-check), and no two alike.
TEST(Code128, SymbolCharacterTableIsWellFormed) {
    std::set<std::string_view> seen;
    for (size_t value = 0; value < kModules.size(); ++value) {
        const std::string_view m = kModules[value];
        SCOPED_TRACE(value);
        ASSERT_EQ(m.size(), 11u);
        EXPECT_EQ(m.front(), '1');
        EXPECT_EQ(m.back(), '0');
        int runs = 1, barModules = 0;
        for (size_t i = 0; i < m.size(); ++i) {
            barModules += m[i] == '1';
            if (i > 0 && m[i] != m[i - 1])
                ++runs;
        }
        EXPECT_EQ(runs, 6);
        EXPECT_EQ(barModules % 2, 0);
        EXPECT_TRUE(seen.insert(m).second);
    }
}

BarcodeEncoding Encode(std::string_view text, TTypBarCode type = bcCode128, bool check = true) {
    EncoderOptions options;
    options.AutoCheckDigit = check;
    return EncodeCode128(text, type, options);
}

struct SetCase {
    const char* why;
    std::string text;
    TTypBarCode type;
    std::vector<int> values; // symbol values, the check character last
};

// Set-A/B values: "0" 16, "A" 33, "a" 65, blank 0, DEL 95; controls c + 64 (SOH 65, STX 66).
const SetCase kSetCases[] = {
    // Worked examples of this program's set selection.
    {"run of 4 at the start: set C; (105 + 12 + 2*34) mod 103 = 82", //
     "1234",
     bcCode128,
     {START_C, 12, 34, 82}},
    //                   1 2 3
    {"run of 3: set B", "123", bcCode128, {START_B, 17, 18, 19, 8}},
    //                                                   12  34  ->B  5
    {"odd run at the start: the last digit in set B", "12345", bcCode128, {START_C, 12, 34, CODE_B, 21, 54}},
    //                                                   A   B   1  ->C  23  45
    {"odd run after letters: first digit in set B",
     "AB12345",
     bcCode128,
     {START_B, 33, 34, 17, CODE_C, 23, 45, 7}},
    //                                                              SOH ->B  a   b   c
    {"control then lowercase at the start",
     "\x01"
     "abc",
     bcCode128,
     {START_A, 65, CODE_B, 65, 66, 67, 29}},
    //                                                              FNC1 01 01 23 45 67 89 01 28
    {"EAN-128: FNC1 after the start",
     "0101234567890128",
     bcEan128,
     {START_C, FNC1, 1, 1, 23, 45, 67, 89, 1, 28, 63}},
    //                                                   E   A   N  ' '  1   2   8
    {"EAN-128 catalogue sample", "EAN 128", bcEan128, {START_B, FNC1, 37, 33, 46, 0, 17, 18, 24, 56}},
    //                                                                   (  0   1   )  ->C 12 34 56 78 90 12
    //                                                                   31
    {"typed parentheses are ordinary characters",
     "(01)12345678901231",
     bcEan128,
     {START_B, FNC1, 8, 16, 17, 9, CODE_C, 12, 34, 56, 78, 90, 12, 31, 34}},

    // Rule by rule.
    //                                                  A  ->A  SOH  B
    {"control in set B switches to A",
     "A\x01"
     "B",
     bcCode128,
     {START_B, 33, CODE_A, 65, 34, 52}},
    //                                                         A  SH SOH  b  SH STX  C
    {"control-lowercase-control in set B: two shifts",
     "A\x01"
     "b\x02"
     "C",
     bcCode128,
     {START_B, 33, SHIFT, 65, 66, SHIFT, 66, 35, 69}},
    //                                                 ->A SOH  A  SH  b
    {"lowercase in set A: shift",
     "\x01"
     "Ab",
     bcCode128,
     {START_B, CODE_A, 65, 33, SHIFT, 66, 23}},
    //                                                                 ->A SOH  A  SH  b STX SH  c
    {"lowercase-control-lowercase in set A",
     "\x01"
     "Ab\x02"
     "c",
     bcCode128,
     {START_B, CODE_A, 65, 33, SHIFT, 66, 66, SHIFT, 67, 96}},
    //                                                    12  34 ->A SOH SH  a
    {"set C, then control-lowercase",
     "1234\x01"
     "a",
     bcCode128,
     {START_C, 12, 34, CODE_A, 65, SHIFT, 65, 83}},
    //                                                  12  34  ->B  A
    {"set C, then a letter", "1234A", bcCode128, {START_C, 12, 34, CODE_B, 33, 102}},
    //                                                    12  34  ->B  ->A  SOH
    {"set C, then a lone control: via set B",
     "1234\x01",
     bcCode128,
     {START_C, 12, 34, CODE_B, CODE_A, 65, 81}},
    //                                           ->A SOH ->B  `
    {"grave accent in set A: back to B", "\x01`", bcCode128, {START_B, CODE_A, 65, CODE_B, 64, 67}},
    //                                      A  DEL
    {"DEL in set B", "A\x7f", bcCode128, {START_B, 33, 95, 18}},
    //                                                    ->A SOH  A  ->C 12  34
    {"even run from set A",
     "\x01"
     "A1234",
     bcCode128,
     {START_B, CODE_A, 65, 33, CODE_C, 12, 34, 64}},
    //                                                         12  34  56  78 ->B  A   B  ->C 12  34
    {"runs and letters alternating",
     "12345678AB1234",
     bcCode128,
     {START_C, 12, 34, 56, 78, CODE_B, 33, 34, CODE_C, 12, 34, 60}},
    //                                                    A   1   2   3   B
    {"three digits stay in set B", "A123B", bcCode128, {START_B, 33, 17, 18, 19, 34, 59}},
    //                                                     A   1  ->C  23  45 ->B  B
    {"odd run inside the text", "A12345B", bcCode128, {START_B, 33, 17, CODE_C, 23, 45, CODE_B, 34, 78}},
    //                                          12  34  56 ->B  7
    {"run of 7 at the start", "1234567", bcCode128, {START_C, 12, 34, 56, CODE_B, 23, 44}},
};

TEST(Code128, SetSelectionAndCheckCharacter) {
    for (const SetCase& c : kSetCases) {
        SCOPED_TRACE(c.why);
        const BarcodeEncoding encoding = Encode(c.text, c.type);
        EXPECT_EQ(encoding.BarPattern, Symbol(c.values));
        // Anchors: after the start character, and 11 * (values incl. start, FNC1, check) - 1.
        EXPECT_EQ(encoding.Anchors,
                  (TextAnchors{12, 11 * static_cast<int>(c.values.size()) - 1, 0, 0, 0, 0}));
    }
}

TEST(Code128, WithoutAutoCheckDigitTheCheckCharacterIsLeftOut) {
    const BarcodeEncoding with = Encode("1234");
    const BarcodeEncoding without = Encode("1234", bcCode128, false);
    //                                 12  34
    EXPECT_EQ(without.BarPattern, Symbol({START_C, 12, 34}));
    EXPECT_EQ(with.BarPattern.size() - without.BarPattern.size(), 11u);
    EXPECT_EQ(without.Anchors.Group1End, 11 * 3 - 1);
    //                                                            FNC1 E   A   N  ' '  1   2   8
    EXPECT_EQ(Encode("EAN 128", bcEan128, false).BarPattern,
              Symbol({START_B, FNC1, 37, 33, 46, 0, 17, 18, 24}));
}

// Codes 128 and above (the accented letters of the EAN-128 character set, Windows-1250) have
// no Code 128 value: the barcode object reports their position, the encoder draws nothing.
TEST(Code128, CharactersWithoutASymbolValue) {
    const struct {
        std::string text;
        int position;
    } cases[] = {
        {"EAN 128", 0},
        {"\x01"
         "abc\x7f",
         0},
        {"\x9a"
         "abc",
         1},            // š
        {"ABC\xe9", 4}, // é
        {"12345678\x9e"
         "9",
         9}, // ž inside what would be a set-C run
        {"\x80\x9a", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Code128UnencodablePosition(c.text, bcEan128), c.position);
        EXPECT_EQ(Code128UnencodablePosition(c.text, bcCode128), c.position);
        EXPECT_EQ(Encode(c.text, bcEan128).BarPattern.empty(), c.position != 0);
        EXPECT_EQ(Encode(c.text, bcCode128).BarPattern.empty(), c.position != 0);
    }
    EXPECT_EQ(Encode("", bcCode128).BarPattern, "");
}

TEST(Code128, AnyBytesGiveAWellFormedPatternOrNone) {
    std::string alphabet;
    for (int c = 1; c < 128; ++c)
        alphabet += static_cast<char>(c);
    alphabet += "0123456789012345678901234567890123456789"; // favour digit runs
    for (const std::string& text : RandomTexts(alphabet)) {
        for (TTypBarCode type : {bcCode128, bcEan128}) {
            const BarcodeEncoding encoding = Encode(text, type);
            ASSERT_TRUE(WellFormed(encoding)) << text;
            const bool encodable = !text.empty() && Code128UnencodablePosition(text, type) == 0;
            ASSERT_EQ(encoding.BarPattern.empty(), !encodable) << text;
        }
    }
}

// Round trips through zxing-cpp: realistic texts with letters, odd and even digit runs and
// control characters must read back as typed.
TEST(Code128, ZxingReadsWhatWasEncoded) {
    std::string everyPrintable, everyControl, everyPair;
    for (int c = 32; c < 128; ++c)
        everyPrintable += static_cast<char>(c);
    for (int c = 1; c < 32; ++c)
        everyControl += static_cast<char>(c);
    for (int n = 0; n < 100; ++n)
        everyPair += {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    const std::string texts[] = {
        "KROVA",
        "Etikor 2026/12-A",
        "AB12345",
        "12345",
        "123456789012",
        "ORDER 000123 LOT 4567",
        "x1234567y",
        "\x01"
        "abc",
        "Line1\r\nLine2\tEnd",
        "A\x01"
        "b\x02"
        "C",
        "\x01"
        "Ab\x02"
        "c",
        "1234\x01"
        "a",
        "\x1b"
        "[0m",
        everyPrintable,
        everyControl,
        everyPair,
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const DecodeResult result = DecodePattern(Encode(text).BarPattern);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.format, "Code128");
        EXPECT_EQ(result.text, text);
    }
}

TEST(Code128, ZxingReadsEan128AsGs1) {
    const struct {
        std::string text;
        std::string read;
    } cases[] = {
        {"0101234567890128", "0101234567890128"},
        {"01095011010209171719050810ABCD1234", "01095011010209171719050810ABCD1234"},
        {"00123456789012345675", "00123456789012345675"},
        {"3103000123", "3103000123"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DecodeResult result = DecodePattern(Encode(c.text, bcEan128).BarPattern);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.symbology, "]C1");
        EXPECT_EQ(result.text, c.read);
    }
}

} // namespace
} // namespace etikor::test
