#include "PatternText.h"
#include "RandomTexts.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <map>

namespace etikor::test {
namespace {

// A Code 11 character from its five elements (bar first), n narrow and w wide (USD-8), at
// 2:1, followed by the inter-character gap.
std::string Elements(std::string_view nw) {
    return NarrowWide(nw) + "0";
}

const std::map<char, std::string> C11 = {
    {'0', Elements("nnnnw")}, {'1', Elements("wnnnw")}, {'2', Elements("nwnnw")}, {'3', Elements("wwnnn")},
    {'4', Elements("nnwnw")}, {'5', Elements("wnwnn")}, {'6', Elements("nwwnn")}, {'7', Elements("nnnww")},
    {'8', Elements("wnnwn")}, {'9', Elements("wnnnn")}, {'-', Elements("nnwnn")},
};
const std::string START = Guard(Elements("nnwwn"));         // "20220020"
const std::string STOP = START.substr(0, START.size() - 1); // without the gap

std::string Characters(std::string_view text) {
    std::string pattern;
    for (char c : text)
        pattern += C11.at(c);
    return pattern;
}

TEST(Code11, CheckCharactersCAndKAreAlwaysAdded) {
    const struct {
        const char* why;
        std::string text;
        std::string withChecks;
    } cases[] = {
        // C: 1*6 + 2*5 + 3*4 + 4*3 + 5*2 + 6*1 = 56, mod 11 = 1; K over 1234561: 78 mod 11 = 1.
        {"six digits", "123456", "12345611"},
        // C: 0*3 + 10*2 + 1*1 = 21, mod 11 = 10, written "-"; K: 0*4 + 10*3 + 1*2 + 10*1 = 42, 9.
        {"value 10 is the dash", "0-1", "0-1-9"},
        // Weights 1..11 and 1..12 without wrapping round (this program's rule).
        {"eleven digits", "12345678901", "1234567890138"},
        {"one digit", "9", "995"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        for (bool autoCheck : {true, false}) { // AutoCheckDigit has no say in Code 11
            EncoderOptions options;
            options.AutoCheckDigit = autoCheck;
            const BarcodeEncoding encoding = EncodeCode11(c.text, options);
            const std::string data = Characters(c.withChecks);
            EXPECT_EQ(encoding.BarPattern, START + data + STOP);
            EXPECT_EQ(encoding.Anchors,
                      (TextAnchors{9, static_cast<int>(START.size() + data.size()) - 1, 0, 0, 0, 0}));
        }
    }
    EXPECT_EQ(START, "20220020");
    EXPECT_EQ(STOP, "2022002");
    // 7 modules for 0, 9 and the dash, 8 for the other digits.
    EXPECT_EQ(C11.at('0').size(), 7u);
    EXPECT_EQ(C11.at('9').size(), 7u);
    EXPECT_EQ(C11.at('-').size(), 7u);
    EXPECT_EQ(C11.at('5').size(), 8u);
}

TEST(Code11, CharactersWithoutAPatternGiveNoSymbol) {
    for (std::string_view text : {"12A", " ", "\xff", ""})
        EXPECT_EQ(EncodeCode11(text, {}).BarPattern, "") << text;
}

TEST(Code11, AnyBytesGiveAWellFormedPatternOrNone) {
    for (const std::string& text : RandomTexts("0123456789-", 3000, 200))
        ASSERT_TRUE(WellFormed(EncodeCode11(text, {}))) << text;
}

} // namespace
} // namespace etikor::test
