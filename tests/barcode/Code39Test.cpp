#include "DecoderOracle.h"
#include "PatternText.h"
#include "RandomTexts.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <map>

namespace etikor::test {
namespace {

// A Code 39 character from its nine elements (bar first), n narrow and w wide (ISO/IEC 16388
// Table 1), at 2:1.
std::string Elements(std::string_view nw) {
    return NarrowWide(nw);
}

const std::map<char, std::string> C39 = {
    {'A', Elements("wnnnnwnnw")}, // "110101001011"
    {'K', Elements("wnnnnnnww")}, {'O', Elements("wnnnwnnwn")}, {'R', Elements("wnnnnnwwn")},
    {'V', Elements("nwwnnnnnw")}, {'Z', Elements("nwwnwnnnn")}, {'+', Elements("nwnnnwnwn")},
    {'/', Elements("nwnwnnnwn")}, {'%', Elements("nnnwnwnwn")}, {'T', Elements("nnnnwnwwn")},
    {'*', Elements("nwnnwnwnn")}, {'1', Elements("wnnwnnnnw")}, {'2', Elements("nnwwnnnnw")},
};
const std::string GAP = "0";
const std::string START = Guard(C39.at('*')) + GAP; // "2002022022020"
const std::string STOP = Guard(C39.at('*'));        // "200202202202"

std::string Characters(std::string_view text) {
    std::string pattern;
    for (char c : text)
        pattern += C39.at(c) + GAP;
    return pattern;
}

BarcodeEncoding Standard(std::string_view text) {
    return EncodeCode39(text, {});
}
BarcodeEncoding Full(std::string_view text) {
    return EncodeCode39Full(text, {});
}

TEST(Code39, PatternsAndAnchors) {
    const struct {
        const char* why;
        BarcodeEncoding encoding;
        std::string pattern;
        TextAnchors anchors;
    } cases[] = {
        // 13 + 13 + 12 = 38 modules; the text between the start character and the stop.
        {"single A", Standard("A"), START + C39.at('A') + GAP + STOP, {14, 25, 0, 0, 0, 0}},
        {"catalogue sample",
         Standard("KROVA"),
         START + Characters("KROVA") + STOP,
         {14, 13 + 5 * 13 - 1, 0, 0, 0, 0}},
        {"star as a data character", Standard("*"), START + C39.at('*') + GAP + STOP, {14, 25, 0, 0, 0, 0}},
        // Full ASCII: lowercase a is +A, the colon /Z.
        {"full ASCII a:", Full("a:"), START + Characters("+A/Z") + STOP, {14, 13 + 4 * 13 - 1, 0, 0, 0, 0}},
        {"full ASCII capitals stand for themselves",
         Full("KROVA"),
         START + Characters("KROVA") + STOP,
         {14, 77, 0, 0, 0, 0}},
        // Code 128 is the euro sign in Windows-1250; it is written like DEL.
        {"euro sign", Full("\x80"), START + Characters("%T") + STOP, {14, 13 + 2 * 13 - 1, 0, 0, 0, 0}},
        {"DEL", Full("\x7f"), START + Characters("%T") + STOP, {14, 13 + 2 * 13 - 1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.encoding.BarPattern, c.pattern);
        EXPECT_EQ(c.encoding.Anchors, c.anchors);
    }
    EXPECT_EQ(Standard("A").BarPattern.size(), 38u);
}

// The published full-ASCII table, row by row, checked against the standard form it expands to.
TEST(Code39, FullAsciiExpansion) {
    const struct {
        std::string text;
        std::string expanded;
    } cases[] = {
        {"\x01\x1a", "$A$Z"},
        {std::string(1, '\0'), "%U"},
        {"\x1b\x1f", "%A%E"},
        {" -.", " -."},
        {"!,/", "/A/L/O"},
        {"$%+", "/D/E/K"},
        {":;?", "/Z%F%J"},
        {"@[_`", "%V%K%O%W"},
        {"az", "+A+Z"},
        {"{~", "%P%S"},
        {"Etikor 12", "E+T+I+K+O+R 12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expanded);
        EXPECT_EQ(Full(c.text).BarPattern, Standard(c.expanded).BarPattern);
    }
}

TEST(Code39, CharactersWithoutAPatternGiveNoSymbol) {
    for (std::string_view text : {"abc", "A:B", "\xe9", ""})
        EXPECT_EQ(Standard(text).BarPattern, "") << text;
    for (std::string_view text : {"\x81", "abc\x9a", ""})
        EXPECT_EQ(Full(text).BarPattern, "") << text;
}

TEST(Code39, AnyBytesGiveAWellFormedPatternOrNone) {
    for (const std::string& text : RandomTexts("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*")) {
        ASSERT_TRUE(WellFormed(Standard(text))) << text;
        ASSERT_TRUE(WellFormed(Full(text))) << text;
    }
    std::string printable;
    for (int c = 0; c < 129; ++c)
        printable += static_cast<char>(c);
    for (const std::string& text : RandomTexts(printable)) {
        const BarcodeEncoding encoding = Full(text);
        ASSERT_TRUE(WellFormed(encoding)) << text;
    }
}

TEST(Code39, ZxingReadsWhatWasEncoded) {
    for (const std::string text : {"KROVA", "CODE 39", "ABC-123.45", "$/+%", "0123456789", "PZN-4908802",
                                   "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"}) {
        SCOPED_TRACE(text);
        OracleOptions options;
        options.formats = "Code39";
        const DecodeResult result = DecodePattern(Standard(text).BarPattern, options);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.text, text);
    }
}

TEST(Code39, ZxingReadsFullAsciiWhenAskedTo) {
    std::string everyPrintable;
    for (int c = 32; c < 127; ++c)
        everyPrintable += static_cast<char>(c);
    const struct {
        std::string text;
        std::string read;
    } cases[] = {
        {"Hello, World!", "Hello, World!"},
        {"etikor@example.com", "etikor@example.com"},
        {"Price: $12.50 (net); qty=3", "Price: $12.50 (net); qty=3"},
        {"a:b", "a:b"},
        {everyPrintable, everyPrintable},
        {"EUR\x80", "EUR\x7f"}, // the euro sign shares DEL's %T
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        OracleOptions options;
        options.formats = "Code39";
        options.code39FullAscii = true;
        const DecodeResult result = DecodePattern(Full(c.text).BarPattern, options);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.text, c.read);
    }
}

} // namespace
} // namespace etikor::test
