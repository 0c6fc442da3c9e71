#include "data/Cp1250.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

TEST(Cp1250, HungarianLettersConvertBothWays) {
    // "Árvíztűrő tükörfúrógép" holds every Hungarian accented letter, ő and ű included.
    const std::string utf8 =
        "\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91 t\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3g\xC3\xA9p";
    const std::string cp1250 = "\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p";
    EXPECT_EQ(Utf8ToCp1250(utf8), cp1250);
    EXPECT_EQ(Cp1250ToUtf8(cp1250), utf8);
}

TEST(Cp1250, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
}

TEST(Cp1250, SpecialCharacters) {
    EXPECT_EQ(Cp1250ToUnicode(0x80), U'\u20AC'); // euro sign
    EXPECT_EQ(Cp1250ToUnicode(0x8A), U'\u0160'); // S with caron
    EXPECT_EQ(Cp1250ToUnicode(0xF5), U'\u0151'); // o with double acute
}

TEST(Cp1250, UnmappableAndMalformedInputBecomesReplacement) {
    EXPECT_EQ(Utf8ToCp1250("a\xE2\x82\xBD"
                           "b"),
              "a?b");                       // ruble sign has no byte
    EXPECT_EQ(Utf8ToCp1250("a\xC3"), "a?"); // cut-short sequence
    EXPECT_EQ(Utf8ToCp1250("\xFF"
                           "x",
                           '_'),
              "_x"); // invalid lead byte
    EXPECT_EQ(Utf8ToCp1250("\xC3"
                           "x"),
              "?x"); // missing continuation byte
}

TEST(Cp1250, LetterCaseIncludesAccentedLetters) {
    EXPECT_EQ(Cp1250UpperCase("\xE1rv\xEDz\xF5\xFB"), "\xC1RV\xCDZ\xD5\xDB");
    EXPECT_EQ(Cp1250LowerCase("\xC1RV\xCDZ\xD5\xDB"), "\xE1rv\xEDz\xF5\xFB");
    EXPECT_EQ(Cp1250Upper(0xDF), 0xDF); // sharp s has no single-byte capital
    EXPECT_EQ(Cp1250Upper('1'), '1');
}

// Names compared regardless of case: field names, INI sections and keys, colour identifiers.
TEST(Cp1250, SameTextIgnoresLetterCase) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } rows[] = {
        {"Vonalkod1", "VONALKOD1", true},
        {"\xE1rv\xEDz\xF5\xFB", "\xC1RV\xCDZ\xD5\xDB", true}, // accented letters of both cases
        {"Tipus1", "Tipus", false},                           // a prefix is not the same name
        {"Tipus1", "Tipus2", false},
        {"", "", true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Cp1250SameText(row.a, row.b), row.same) << row.a << " / " << row.b;
}

} // namespace
} // namespace etikor
