#include "DecoderOracle.h"
#include "PatternText.h"
#include "RandomTexts.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <map>

namespace etikor::test {
namespace {

// Bar/space widths of the characters used below (AIM USS-93 Table 1), 9 modules each.
const std::map<char, std::string> C93 = {
    {'T', Runs("211221")}, {'E', Runs("221211")}, {'S', Runs("211122")},
    {'9', Runs("141111")}, {'3', Runs("111411")}, {'+', Runs("113121")},
    {'6', Runs("121311")}, {'A', Runs("211113")}, {'(', Runs("311121")}, // the shift character (/)
};
const std::string START = Guard(Runs("111141"));      // "202022220"
const std::string STOP = Guard(Runs("111141") + "1"); // start character and termination bar

std::string Characters(std::string_view text) {
    std::string pattern;
    for (char c : text)
        pattern += C93.at(c);
    return pattern;
}

BarcodeEncoding Standard(std::string_view text, bool check = true) {
    EncoderOptions options;
    options.AutoCheckDigit = check;
    return EncodeCode93(text, options);
}

BarcodeEncoding Full(std::string_view text, bool check = true) {
    EncoderOptions options;
    options.AutoCheckDigit = check;
    return EncodeCode93Full(text, options);
}

TEST(Code93, CheckCharactersAndAnchors) {
    const struct {
        const char* why;
        BarcodeEncoding encoding;
        std::string pattern;
    } cases[] = {
        // AIM USS-93 worked example: TEST93 carries C = "+" and K = "6".
        {"C and K", Standard("TEST93"), START + Characters("TEST93") + C93.at('+') + C93.at('6') + STOP},
        // Without AutoCheckDigit K alone, over the text only: 464 mod 47 = 41, "+".
        {"K without C", Standard("TEST93", false), START + Characters("TEST93") + C93.at('+') + STOP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.encoding.BarPattern, c.pattern);
        const int symbols = static_cast<int>(c.pattern.size() - START.size() - STOP.size()) / 9;
        EXPECT_EQ(c.encoding.Anchors, (TextAnchors{10, 9 + 9 * symbols - 1, 0, 0, 0, 0}));
    }
    EXPECT_EQ(START, "202022220");
    EXPECT_EQ(STOP, "2020222202");
}

// Full ASCII: the shift pairs of the published table, checked against the standard form in
// which the user types the shift characters ($) (%) (/) (+) as & " ( ).
TEST(Code93, FullAsciiExpansion) {
    const struct {
        std::string text;
        std::string typed;
    } cases[] = {
        {"a:", ")A(Z"},
        {"Hello!", "H)E)L)L)O(A"},
        {"\x01\x1b", "&A\"A"},
        {"@[`{\x7f", "\"V\"K\"W\"P\"T"},
        {"$%+-./ 09AZ", "$%+-./ 09AZ"}, // native characters stand for themselves
        {"#&'()*,;<=>?", "(C(F(G(H(I(J(L\"F\"G\"H\"I\"J"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(Full(c.text).BarPattern, Standard(c.typed).BarPattern);
        EXPECT_EQ(Full(c.text, false).BarPattern, Standard(c.typed, false).BarPattern);
    }
    EXPECT_EQ(Full("!").BarPattern.substr(START.size(), 18), C93.at('(') + C93.at('A'));
}

TEST(Code93, CharactersWithoutAPatternGiveNoSymbol) {
    for (std::string_view text : {"abc", "A*B", "\x80", ""})
        EXPECT_EQ(Standard(text).BarPattern, "") << text;
    for (std::string_view text : {"\x80", "abc\xe9", ""})
        EXPECT_EQ(Full(text).BarPattern, "") << text;
}

TEST(Code93, AnyBytesGiveAWellFormedPatternOrNone) {
    std::string ascii;
    for (int c = 0; c < 128; ++c)
        ascii += static_cast<char>(c);
    for (const std::string& text : RandomTexts("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%&\"()")) {
        ASSERT_TRUE(WellFormed(Standard(text))) << text;
        ASSERT_TRUE(WellFormed(Standard(text, false))) << text;
    }
    for (const std::string& text : RandomTexts(ascii))
        ASSERT_TRUE(WellFormed(Full(text))) << text;
}

// zxing-cpp verifies both check characters, so these rows also check the weights (C cycles
// after 20 characters, K after 15).
TEST(Code93, ZxingReadsWhatWasEncoded) {
    const struct {
        std::string text;
        std::string read;
    } cases[] = {
        {"TEST93", "TEST93"},
        {"KROVA", "KROVA"},
        {"CODE 93-A.$/+%", "CODE 93-A.$/+%"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRSTUVWXY"},
        {"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"},
        {"(A)A", "!a"}, // typed shift characters: (/)A and (+)A
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DecodeResult result = DecodePattern(Standard(c.text).BarPattern);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.format, "Code93");
        EXPECT_EQ(result.text, c.read);
    }
}

TEST(Code93, ZxingReadsFullAscii) {
    std::string everyPrintable;
    for (int c = 32; c < 127; ++c)
        everyPrintable += static_cast<char>(c);
    for (const std::string& text :
         {std::string("Hello, World!"), std::string("a+b=c {x}"), std::string("etikor@example.com"),
          std::string("KROVA"), everyPrintable}) {
        SCOPED_TRACE(text);
        const DecodeResult result = DecodePattern(Full(text).BarPattern);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.format, "Code93");
        EXPECT_EQ(result.text, text);
    }
}

} // namespace
} // namespace etikor::test
