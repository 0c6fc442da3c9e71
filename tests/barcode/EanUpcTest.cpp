// EAN-8, EAN-13, UPC-A, UPC-E, add-ons and the book numbers. Element codes from ISO/IEC 15420
// (written here as element widths, independently of the encoder's tables); the worked
// examples are the barcode object's own (normalisation, anchors, add-on parities).

#include "barcode/EanUpc.h"
#include "DecoderOracle.h"
#include "PatternText.h"
#include "barcode/BarcodeEngine.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace etikor {
namespace {

using test::Guard;
using test::Join;
using test::Runs;
using T = TTypBarCode;

// Element widths of the L set (space, bar, space, bar), ISO/IEC 15420 table 1.
constexpr std::string_view kWidths[10] = {"3211", "2221", "2122", "1411", "1132",
                                          "1231", "1114", "1312", "1213", "3112"};
// Set A (L): space first. Set C (R): the same widths, bar first. Set B (G): R reversed.
std::string A(int d) {
    return Runs(kWidths[d], false);
}
std::string C(int d) {
    return Runs(kWidths[d], true);
}
std::string B(int d) {
    std::string r = C(d);
    std::reverse(r.begin(), r.end());
    return r;
}

const std::string kGuard = Guard("101");
const std::string kCentre = Guard("01010");
const std::string kUpcEEnd = Guard("010101");
const std::string kAddOnStart = "X1011";
const std::string kAddOnGap(9, '0');

std::string blanks(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}

BarcodeEncoding encode(std::string_view text, T type, bool showLabels = true) {
    return EncodeBarCodeText(text, type, EncoderOptions{showLabels, true, {}});
}

// 9771210107001: first digit 9 gives the parity ABBABA to 7 7 1 2 1 0.
const std::string kEan13Main =
    Join({kGuard, A(7), B(7), B(1), A(2), B(1), A(0), kCentre, C(1), C(0), C(7), C(0), C(0), C(1), kGuard});

TEST(EanUpcPatterns, Ean13WithAndWithoutLabels) {
    ASSERT_EQ(kEan13Main.size(), 95u);
    const BarcodeEncoding plain = encode("9771210107001", T::bcEan13, false);
    EXPECT_EQ(plain.BarPattern, kEan13Main);
    EXPECT_EQ(plain.Anchors, (TextAnchors{4, 44, 51, 91, 0, 0}));

    // With labels: eight blanks in front for the leading digit, every anchor 8 further right.
    const BarcodeEncoding labelled = encode("9771210107001", T::bcEan13, true);
    EXPECT_EQ(labelled.BarPattern, blanks(8) + kEan13Main);
    EXPECT_EQ(labelled.Anchors, (TextAnchors{12, 52, 59, 99, 8, 8}));
}

TEST(EanUpcPatterns, Ean8HasNoLeadingBlanks) {
    // 12345670: digits 1-4 in set A, 5-8 in set C; 67 modules.
    const std::string expected =
        Join({kGuard, A(1), A(2), A(3), A(4), kCentre, C(5), C(6), C(7), C(0), kGuard});
    for (bool labels : {false, true}) {
        const BarcodeEncoding e = encode("12345670", T::bcEan8, labels);
        EXPECT_EQ(e.BarPattern, expected) << "labels " << labels;
        EXPECT_EQ(e.Anchors, (TextAnchors{4, 30, 37, 63, 0, 0}));
    }
}

TEST(EanUpcPatterns, UpcAGuardLengthOuterDigitsAndTrailingRoom) {
    // 012345678905: digits 1-6 in A, 7-12 in C; digit 1 and digit 12 get guard-length bars.
    const std::string main = Join({kGuard, Guard(A(0)), A(1), A(2), A(3), A(4), A(5), kCentre, C(6), C(7),
                                   C(8), C(9), C(0), Guard(C(5)), kGuard});
    ASSERT_EQ(main.size(), 95u);
    const BarcodeEncoding plain = encode("012345678905", T::bcUPCA, false);
    EXPECT_EQ(plain.BarPattern, main);
    EXPECT_EQ(plain.Anchors, (TextAnchors{11, 44, 51, 84, 0, 96}));

    const BarcodeEncoding labelled = encode("012345678905", T::bcUPCA, true);
    EXPECT_EQ(labelled.BarPattern, blanks(8) + main + blanks(9));
    EXPECT_EQ(labelled.Anchors, (TextAnchors{19, 52, 59, 92, 8, 104}));
}

TEST(EanUpcPatterns, UpcEParityFromTheCheckDigit) {
    // 01234565: check digit 5 gives EOOEEO for number system 0 (O = set A, E = set B);
    // number system 1 inverts every letter.
    const std::string system0 = Join({kGuard, B(1), A(2), A(3), B(4), B(5), A(6), kUpcEEnd});
    const std::string system1 = Join({kGuard, A(1), B(2), B(3), A(4), A(5), B(6), kUpcEEnd});
    ASSERT_EQ(system0.size(), 51u);
    struct Row {
        T type;
        bool labels;
        std::string pattern;
        TextAnchors anchors;
    } rows[] = {
        {T::bcUPCE0, false, system0, {4, 44, 0, 0, 0, 52}},
        {T::bcUPCE0, true, blanks(8) + system0 + blanks(5), {12, 52, 8, 8, 8, 60}},
        {T::bcUPCE1, false, system1, {4, 44, 0, 0, 0, 52}},
    };
    for (const Row& row : rows) {
        const BarcodeEncoding e = encode("01234565", row.type, row.labels);
        EXPECT_EQ(e.BarPattern, row.pattern) << static_cast<int>(row.type) << " labels " << row.labels;
        EXPECT_EQ(e.Anchors, row.anchors);
    }
}

TEST(EanUpcPatterns, AddOns) {
    // 34: 34 mod 4 = 2 gives BA. 90000: s = 3 x 9 = 27, 27 mod 10 = 7 gives ABABA.
    const std::string addOn34 = Join({kAddOnGap, kAddOnStart, B(3), "01", A(4)});
    const std::string addOn90000 =
        Join({kAddOnGap, kAddOnStart, A(9), "01", B(0), "01", A(0), "01", B(0), "01", A(0)});
    struct Row {
        const char* text;
        T type;
        bool labels;
        std::string pattern;
        int addOnStart;
    } rows[] = {
        {"9771210107001 34", T::bcEan13, false, kEan13Main + addOn34, 105},
        {"9771210107001 90000", T::bcEan13, true, blanks(8) + kEan13Main + addOn90000, 113},
        // The add-on follows the 67 modules of EAN-8 directly (no leading blanks).
        {"12345670 34", T::bcEan8, true,
         Join({kGuard, A(1), A(2), A(3), A(4), kCentre, C(5), C(6), C(7), C(0), kGuard}) + addOn34, 77},
        // UPC-E: no trailing blanks when an add-on follows.
        {"01234565 34", T::bcUPCE0, false,
         Join({kGuard, B(1), A(2), A(3), B(4), B(5), A(6), kUpcEEnd}) + addOn34, 61},
    };
    for (const Row& row : rows) {
        const BarcodeEncoding e = encode(row.text, row.type, row.labels);
        EXPECT_EQ(e.BarPattern, row.pattern) << row.text;
        EXPECT_EQ(e.Anchors.AddOnStart, row.addOnStart) << row.text;
    }
}

TEST(EanUpcPatterns, AddOnOfAnotherLengthIsOnlyTheStart) {
    BarcodeEncoding e;
    EncodeAddOn("123", 95, e);
    EXPECT_EQ(e.BarPattern, kAddOnGap + kAddOnStart);
    EXPECT_EQ(e.Anchors.AddOnStart, 105);
}

TEST(EanUpcPatterns, Ean8EncoderNeedsTheCheckDigit) {
    EXPECT_TRUE(EncodeEan8("1234567", {}).BarPattern.empty());
}

TEST(EanUpcNormalisation, CheckDigitsAndCompletion) {
    struct Row {
        T type;
        const char* typed;
        const char* stored;
        const char* why;
    } rows[] = {
        {T::bcEan13, "977121010700", "9771210107001", "twelve digits get the check digit"},
        {T::bcEan13, "9771210107009", "9771210107001", "a wrong check digit is corrected"},
        {T::bcEan13, "9771210107009 12", "9771210107001 12", "the add-on is kept"},
        {T::bcEan8, "1234567", "12345670", "EAN-8 check by weights 3,1"},
        {T::bcEan8, "1234567 12", "1234567012", "the blank where the check digit belongs is overwritten"},
        {T::bcJAN8, "12345670", "49345674", "prefix 49 forced, check recomputed"},
        {T::bcJAN13, "123456789012", "4934567890124", "prefix 49 forced"},
        {T::bcJAN13, "", "", "nothing typed stays nothing"},
        {T::bcUPCA, "01234567890", "012345678905", "UPC-A check digit 5"},
        {T::bcUPCE0, "123456", "01234565", "expansion 01234500006, check 5"},
        {T::bcUPCE1, "123456", "01234565", "same text, inverted parities only"},
        {T::bcUPCE0, "0123456", "01234565", "seven characters get the check digit"},
        {T::bcISBN, "80-7226-102", "80-7226-102-9", "catalogue sample: dash and check character"},
        {T::bcISBN, "80-7226-102-", "80-7226-102-9", "12 characters: blank, then the check at 13"},
        {T::bcISBN, "8072261029", "8072261029", "dash-free ten characters stay as typed"},
        {T::bcISBN, "80-7226-102-0 12345", "80-7226-102-9 12345", "check at 13, add-on untouched"},
        {T::bcISBN, "8072261020 12345", "8072261020 12345", "position 13 is inside the add-on: left alone"},
        {T::bcISBN, "80-7226-102 12345", "80-7226-102 12345", "blank before 13: add-on never altered"},
        {T::bcISSN, "80-7226-102", "80-7226-102-9", "same rule for ISSN"},
        {T::bcITF, "0977121010700", "09771210107001", "ITF-14"},
        {T::bcITF, "12345", "123457", "ITF-6"},
        {T::bcUPCShipping, "1234567890123", "12345678901231", "EanCheck3 over 13 digits"},
        {T::bcOPC, "123456789", "1234567897", "Luhn"},
        {T::bcPZN, "123456", "1234562", "sum 112, 112 mod 11 = 2"},
        {T::bcCode39Standard, "abc", "abc", "other symbologies as typed"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(NormalizeBarCodeText(row.typed, row.type), row.stored) << row.why;
}

TEST(EanUpcNormalisation, UpcEExpansionByTheLastDigit) {
    // The UPC-E zero-suppression rules (number system, d1..d6).
    struct Row {
        const char* upcE;
        const char* upcA;
    } rows[] = {
        {"0123450", "01200000345"}, {"0123451", "01210000345"}, {"0123452", "01220000345"},
        {"0123453", "01230000045"}, {"0123454", "01234000005"}, {"0123456", "01234500006"},
        {"1987659", "19876500009"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(UpcEExpansion(row.upcE), row.upcA) << row.upcE;
}

TEST(EanUpcBookNumbers, EanFormReplacesTheIsbnCheckCharacter) {
    struct Row {
        const char* text;
        T type;
        const char* form;
    } rows[] = {
        {"80-7226-102-9", T::bcISBN, "9788072261024"},          {"807226102X", T::bcISBN, "9788072261024"},
        {"80-7226-102-9", T::bcISSN, "9778072261025"},          {"80-7226-102-9", T::bcISMN, "9798072261023"},
        {"8072261029 90000", T::bcISBN, "9788072261024 90000"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EanForm(row.text, row.type), row.form) << row.text;

    // Drawn as that EAN-13, with or without dashes.
    const BarcodeEncoding isbn = encode("80-7226-102-9", T::bcISBN);
    EXPECT_EQ(isbn.BarPattern, encode("9788072261024", T::bcEan13).BarPattern);
    EXPECT_EQ(encode("8072261029", T::bcISBN).BarPattern, isbn.BarPattern);
    EXPECT_EQ(encode("80-7226-102-9 90000", T::bcISBN).BarPattern,
              encode("9788072261024 90000", T::bcEan13).BarPattern);
}

// Round trips through zxing-cpp. The oracle decodes the main symbol; add-ons are asked for
// separately and zxing returns them after a blank.
TEST(EanUpcDecoder, StandardReaderReadsWhatTheTextCarries) {
    struct Row {
        T type;
        const char* text;
        const char* format;
        const char* decoded;
    } rows[] = {
        {T::bcEan13, "9771210107001", "EAN-13", "9771210107001"},
        {T::bcEan13, "4006381333931", "EAN-13", "4006381333931"},
        {T::bcEan13, "5901234123457", "EAN-13", "5901234123457"},
        {T::bcEan13, "0012345678905", "UPC-A", "012345678905"}, // leading 0: zxing reports UPC-A
        {T::bcEan8, "96385074", "EAN-8", "96385074"},
        {T::bcEan8, "12345670", "EAN-8", "12345670"},
        {T::bcJAN13, "4901234567894", "EAN-13", "4901234567894"},
        {T::bcJAN8, "49123456", "EAN-8", "49123456"},
        {T::bcUPCA, "036000291452", "UPC-A", "036000291452"},
        {T::bcUPCA, "012345678905", "UPC-A", "012345678905"},
        {T::bcUPCE0, "01234565", "UPC-E", "01234565"},
        {T::bcUPCE0, "04252614", "UPC-E", "04252614"},
        {T::bcISBN, "80-7226-102-9", "EAN-13", "9788072261024"},
        {T::bcISBN, "0-306-40615-2", "EAN-13", "9780306406157"},
        {T::bcEan13, "9771210107001 12", "EAN-13", "9771210107001"},
        {T::bcEan13, "9771210107001 90000", "EAN-13", "9771210107001"},
        {T::bcISBN, "80-7226-102-9 90000", "EAN-13", "9788072261024"},
    };
    for (const Row& row : rows) {
        for (bool labels : {false, true}) {
            const BarcodeEncoding e = encode(NormalizeBarCodeText(row.text, row.type), row.type, labels);
            ASSERT_FALSE(e.BarPattern.empty()) << row.text;
            const test::DecodeResult r = test::DecodePattern(e.BarPattern);
            EXPECT_TRUE(r.ok) << row.text << ": " << r.error;
            EXPECT_EQ(r.format, row.format) << row.text;
            EXPECT_EQ(r.text, row.decoded) << row.text;
        }
    }
}

TEST(EanUpcDecoder, AddOnsAreReadWithTheMainSymbol) {
    struct Row {
        T type;
        const char* text;
        const char* decoded;
    } rows[] = {
        {T::bcEan13, "9771210107001 12", "9771210107001 12"},
        {T::bcEan13, "9771210107001 34", "9771210107001 34"},
        {T::bcEan13, "9771210107001 90000", "9771210107001 90000"},
        {T::bcEan13, "9771210107001 12345", "9771210107001 12345"},
        {T::bcISBN, "80-7226-102-9 51599", "9788072261024 51599"},
        {T::bcUPCA, "012345678905 25", "012345678905 25"},
        {T::bcEan8, "96385074 12", "96385074 12"},
    };
    test::OracleOptions options;
    options.readAddOn = true;
    for (const Row& row : rows) {
        const BarcodeEncoding e = encode(row.text, row.type, true);
        const test::DecodeResult r = test::DecodePattern(e.BarPattern, options);
        EXPECT_TRUE(r.ok) << row.text << ": " << r.error;
        EXPECT_EQ(r.text, row.decoded) << row.text;
    }
}

} // namespace
} // namespace etikor
