#include "DecoderOracle.h"
#include "PatternText.h"
#include "RandomTexts.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <map>

namespace etikor::test {
namespace {

// A Codabar character from its seven elements (bar first), n narrow and w wide (AIM
// USS-Codabar), at 2:1, followed by the inter-character gap.
std::string Elements(std::string_view nw) {
    return NarrowWide(nw) + "0";
}

const std::map<char, std::string> CB = {
    {'1', Elements("nnnnwwn")}, {'2', Elements("nnnwnnw")}, {'3', Elements("wwnnnnn")},
    {'4', Elements("nnwnnwn")}, {'5', Elements("wnnnnwn")}, {'6', Elements("nwnnnnw")},
    {'0', Elements("nnnnnww")}, {'8', Elements("nwwnnnn")}, {'$', Elements("nnwwnnn")},
    {'-', Elements("nnnwwnn")}, {':', Elements("wnnnwnw")}, {'/', Elements("wnwnnnw")},
    {'.', Elements("wnwnwnn")}, {'+', Elements("nnwnwnw")}, {'A', Elements("nnwwnwn")},
    {'B', Elements("nwnwnnw")}, {'C', Elements("nnnwnww")}, {'D', Elements("nnnwwwn")},
};
const std::string START = Guard(CB.at('A'));                                 // "20220020020"
const std::string STOP = Guard(CB.at('A')).substr(0, CB.at('A').size() - 1); // without the gap
const std::string BLANK = std::string(12, '0');

std::string Characters(std::string_view text) {
    std::string pattern;
    for (char c : text)
        pattern += c == ' ' ? BLANK : CB.at(c);
    return pattern;
}

BarcodeEncoding Plain(std::string_view text, bool check = true) {
    EncoderOptions options;
    options.AutoCheckDigit = check;
    return EncodeCodabar(text, options);
}

BarcodeEncoding Abc(std::string_view text) {
    return EncodeAbcCodabar(text, {});
}

std::string GuardLetter(char letter) {
    const std::string modules = Guard(CB.at(letter));
    return modules.substr(0, modules.size() - 1); // without the gap
}

TEST(Codabar, PatternsCheckCharacterAndAnchors) {
    const struct {
        const char* why;
        BarcodeEncoding encoding;
        std::string start;
        std::string data; // the characters between start and stop
        std::string stop;
    } cases[] = {
        // 1 + 2 + ... + 6 = 21, 21 mod 16 = 5 (this program's check character).
        {"check character appended", Plain("123456"), START, "1234565", STOP},
        {"no check character", Plain("123456", false), START, "123456", STOP},
        // - $ : / . + are values 10..15: 75 mod 16 = 11, "$".
        {"punctuation values", Plain("-$:/.+"), START, "-$:/.+$", STOP},
        // 16 mod 16 = 0.
        {"sum wraps round", Plain("88"), START, "880", STOP},
        // The text's own start and stop letters become the guards; 1 + 2 = 3.
        {"own start and stop letters", Plain("B12D"), GuardLetter('B') + "0", "123", GuardLetter('D')},
        {"own letters in lower case", Plain("c12a", false), GuardLetter('C') + "0", "12", GuardLetter('A')},
        // Only one end carries a letter: it is data, the guards are "A".
        {"letter at one end only", Plain("A12", false), START, "A12", STOP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string data = Characters(c.data);
        EXPECT_EQ(c.encoding.BarPattern, c.start + data + c.stop);
        EXPECT_EQ(c.encoding.Anchors,
                  (TextAnchors{12, static_cast<int>(c.start.size() + data.size()) - 1, 0, 0, 0, 0}));
    }
    EXPECT_EQ(START, "20220020020");
    EXPECT_EQ(STOP, "2022002002");
}

// ABC Codabar: the text brings its own start and stop letters, drawn as data bars, and a blank
// separates concatenated symbols.
TEST(Codabar, AbcCodabarTakesItsGuardsFromTheText) {
    const struct {
        const char* why;
        std::string text;
        std::string pattern;
    } cases[] = {
        {"catalogue sample", "ABCCBA", Characters("ABCCBA")},
        {"two symbols", "A12B C34D", Characters("A12B C34D")},
        {"lower-case start and stop letters", "a40156b", Characters("A40156B")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const BarcodeEncoding encoding = Abc(c.text);
        EXPECT_EQ(encoding.BarPattern, c.pattern);
        EXPECT_EQ(encoding.BarPattern.find('2'), std::string::npos); // no guard bars
        EXPECT_EQ(encoding.Anchors, (TextAnchors{1, static_cast<int>(c.pattern.size()) - 1, 0, 0, 0, 0}));
    }
}

TEST(Codabar, CharactersWithoutAPatternGiveNoSymbol) {
    for (std::string_view text : {"12 34", "12E", "\xe9", ""})
        EXPECT_EQ(Plain(text).BarPattern, "") << text;
    for (std::string_view text : {"A12*B", "\x80", ""})
        EXPECT_EQ(Abc(text).BarPattern, "") << text;
}

TEST(Codabar, AnyBytesGiveAWellFormedPatternOrNone) {
    for (const std::string& text : RandomTexts("0123456789-$:/.+ABCDabcd ")) {
        ASSERT_TRUE(WellFormed(Plain(text))) << text;
        ASSERT_TRUE(WellFormed(Plain(text, false))) << text;
        ASSERT_TRUE(WellFormed(Abc(text))) << text;
    }
}

TEST(Codabar, ZxingReadsWhatWasEncoded) {
    const struct {
        const char* why;
        BarcodeEncoding encoding;
        std::string read; // zxing leaves out the start and stop letters
    } cases[] = {
        {"digits with check character", Plain("123456"), "1234565"},
        {"digits without", Plain("40156", false), "40156"},
        {"every data character", Plain("0123456789-$:/.+"), "0123456789-$:/.+8"}, // 120 mod 16 = 8
        {"library number", Plain("31117013206375"), "311170132063758"},           // 40 mod 16 = 8
        // The catalogue sample brings its own start and stop letters: 81 mod 16 = 1.
        {"catalogue sample", Plain("A0123+-$/:68A"), "0123+-$/:681"},
        {"own letters B and D", Plain("B40156D", false), "40156"},
        {"ABC Codabar", Abc("A40156B"), "40156"},
        {"ABC Codabar, C and D", Abc("C0123456789-$:/.+D"), "0123456789-$:/.+"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const DecodeResult result = DecodePattern(c.encoding.BarPattern);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.format, "Codabar");
        EXPECT_EQ(result.text, c.read);
    }
}

} // namespace
} // namespace etikor::test
