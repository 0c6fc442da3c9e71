// The two-of-five family, Interleaved 2 of 5 with ITF, OPC and UPC shipping.
// Element widths are those of the published 2 of 5 table (N narrow, W wide):
//   0 NNWWN  1 WNNNW  2 NWNNW  3 WWNNN  4 NNWNW  5 WNWNN  6 NWWNN  7 NNNWW  8 WNNWN  9 NWNWN
// Starts, stops and module widths are this program's own (narrow 1, wide 2; IATA/Invert wide 3).

#include "DecoderOracle.h"
#include "PatternText.h"
#include "barcode/BarcodeEngine.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace etikor::test {
namespace {

using Encoder = BarcodeEncoding (*)(std::string_view, const EncoderOptions&);

const EncoderOptions kOptions;

TextAnchors Group1(int start, int end) {
    TextAnchors anchors;
    anchors.Group1Start = start;
    anchors.Group1End = end;
    return anchors;
}

// Width letters to module runs: N is one module, W is `wide` modules.
std::string Widths(std::string_view letters, int wide = 2) {
    std::string runs;
    for (char c : letters)
        runs += static_cast<char>('0' + (c == 'W' ? wide : 1));
    return runs;
}

// Bar, space, bar, space, bar and a narrow gap (Datalogic, Matrix, Coop).
std::string BarSpaceDigit(std::string_view letters) {
    return Runs(Widths(letters)) + "0";
}

// Five bars of the given widths, each followed by a narrow space (Industrial, IATA).
std::string BarsOnlyDigit(std::string_view letters, int wide) {
    std::string runs;
    for (char w : Widths(letters, wide)) {
        runs += w;
        runs += '1';
    }
    return Runs(runs);
}

// Five spaces of the given widths, each followed by a narrow bar (Invert).
std::string SpacesOnlyDigit(std::string_view letters) {
    std::string runs;
    for (char w : Widths(letters, 3)) {
        runs += w;
        runs += '1';
    }
    return Runs(runs, false);
}

// The digits of the text "1290".
constexpr std::string_view k1 = "WNNNW", k2 = "NWNNW", k9 = "NWNWN", k0 = "NNWWN";
// Coop's own table: 1 NNNWW, 2 NNWNW, 9 WNWNN, 0 WWNNN.
constexpr std::string_view kCoop1 = "NNNWW", kCoop2 = "NNWNW", kCoop9 = "WNWNN", kCoop0 = "WWNNN";

struct DiscreteCase {
    const char* name;
    Encoder encode;
    std::string_view start;
    std::string digits; // "1290"
    std::string_view stop;
};

// Every discrete symbology on "1290": start, the four digits, stop; Group1Start is the first
// digit module (1-based), Group1End the last digit module minus one.
TEST(TwoOfFive, DiscreteSymbologiesFromNamedPieces) {
    const DiscreteCase cases[] = {
        {"Datalogic", EncodeDatalogic, "2020",
         BarSpaceDigit(k1) + BarSpaceDigit(k2) + BarSpaceDigit(k9) + BarSpaceDigit(k0), "2202"},
        {"Matrix", EncodeMatrix, "22202020",
         BarSpaceDigit(k1) + BarSpaceDigit(k2) + BarSpaceDigit(k9) + BarSpaceDigit(k0), "2220202"},
        {"Coop", EncodeCoop, "220220",
         BarSpaceDigit(kCoop1) + BarSpaceDigit(kCoop2) + BarSpaceDigit(kCoop9) + BarSpaceDigit(kCoop0),
         "20022"},
        {"Industrial", EncodeIndustrial, "22022020",
         BarsOnlyDigit(k1, 2) + BarsOnlyDigit(k2, 2) + BarsOnlyDigit(k9, 2) + BarsOnlyDigit(k0, 2),
         "2202022"},
        {"IATA", EncodeIata, "2020",
         BarsOnlyDigit(k1, 3) + BarsOnlyDigit(k2, 3) + BarsOnlyDigit(k9, 3) + BarsOnlyDigit(k0, 3), "22202"},
        {"Invert", EncodeInvert, "20002000202",
         SpacesOnlyDigit(k1) + SpacesOnlyDigit(k2) + SpacesOnlyDigit(k9) + SpacesOnlyDigit(k0), "0002020002"},
    };
    for (const DiscreteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const BarcodeEncoding encoding = c.encode("1290", kOptions);
        EXPECT_EQ(encoding.BarPattern, Join({c.start, c.digits, c.stop}));
        const int digitsEnd = static_cast<int>(c.start.size() + c.digits.size());
        EXPECT_EQ(encoding.Anchors, Group1(static_cast<int>(c.start.size()) + 1, digitsEnd - 1));
    }
}

// A few digit patterns written out by hand, so the helpers above are not trusted blindly.
TEST(TwoOfFive, HandWrittenDigits) {
    EXPECT_EQ(EncodeDatalogic("1", kOptions).BarPattern, "2020"
                                                         "11010110"
                                                         "2202"); // 1 = WNNNW
    EXPECT_EQ(EncodeIndustrial("0", kOptions).BarPattern, "22022020"
                                                          "101011011010"
                                                          "2202022"); // NNWWN
    EXPECT_EQ(EncodeIata("1", kOptions).BarPattern, "2020"
                                                    "11101010101110"
                                                    "22202");
    EXPECT_EQ(EncodeInvert("1", kOptions).BarPattern, "20002000202"
                                                      "00010101010001"
                                                      "0002020002");
    EXPECT_EQ(EncodeCoop("0", kOptions).BarPattern, "220220"
                                                    "11001010"
                                                    "20022"); // Coop 0 = WWNNN
}

struct DigitWidthCase {
    const char* name;
    Encoder encode;
    size_t startAndStop;
    size_t digitModules; // Industrial 12, IATA and Invert 14, Datalogic, Matrix and Coop 8
};

// Every digit has the symbology's fixed width and its own pattern: a slip in a width table
// (a third wide element, a duplicated row) shows here for any digit, not only the ones above.
TEST(TwoOfFive, EveryDigitHasItsWidthAndItsOwnPattern) {
    const DigitWidthCase cases[] = {
        {"Datalogic", EncodeDatalogic, 8, 8}, {"Matrix", EncodeMatrix, 15, 8},
        {"Coop", EncodeCoop, 11, 8},          {"Industrial", EncodeIndustrial, 15, 12},
        {"IATA", EncodeIata, 9, 14},          {"Invert", EncodeInvert, 21, 14},
    };
    for (const DigitWidthCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::set<std::string> seen;
        for (char d = '0'; d <= '9'; ++d) {
            const std::string pattern = c.encode(std::string(1, d), kOptions).BarPattern;
            ASSERT_EQ(pattern.size(), c.startAndStop + c.digitModules) << d;
            seen.insert(pattern);
        }
        EXPECT_EQ(seen.size(), 10u);
        EXPECT_EQ(c.encode("0123456789", kOptions).BarPattern.size(), c.startAndStop + 10 * c.digitModules);
    }
}

// --- Interleaved 2 of 5 ---------------------------------------------------------------------

const std::string kQuiet(10, ' ');
constexpr std::string_view kItfStart = "1010"; // narrow bar, space, bar, space
constexpr std::string_view kItfStop = "1101";  // wide bar, narrow space, narrow bar
// Pairs, element widths alternating bar (first digit), space (second digit).
const std::string kPair12 = Runs("2112111122"); // bars 1 WNNNW, spaces 2 NWNNW
const std::string kPair34 = Runs("2121121112"); // bars 3 WWNNN, spaces 4 NNWNW
const std::string kPair56 = Runs("2112221111"); // bars 5 WNWNN, spaces 6 NWWNN

TEST(Interleaved, PairsBetweenQuietZonesStartAndStop) {
    // The catalogue sample "123456"; Group1Start 15 = after quiet zone and start.
    const BarcodeEncoding encoding = EncodeInterleaved("123456", kOptions);
    EXPECT_EQ(encoding.BarPattern, Join({kQuiet, kItfStart, kPair12, kPair34, kPair56, kItfStop, kQuiet}));
    EXPECT_EQ(encoding.Anchors, Group1(15, 10 + 4 + 3 * 14 - 1));
    EXPECT_EQ(kPair12, "11010010101100"); // written out once by hand

    // An odd last digit has no partner and is left out.
    EXPECT_EQ(EncodeInterleaved("1234567", kOptions).BarPattern, encoding.BarPattern);
}

// The readable lengths: ITF-6, ITF-14 and ITF-16 (with their EanCheck3 digits), OPC, the UPC
// shipping main symbol and plain even digit runs, all read back by zxing-cpp as ITF.
TEST(Interleaved, DecodesWithAnIndependentReader) {
    const char* values[] = {
        "123457",           // ITF-6 of 12345
        "09771210107001",   // ITF-14 of the catalogue sample 0977121010700
        "12345678901231",   // ITF-14 / UPC shipping of 1234567890123
        "00012345678905",   // ITF-14 holding the UPC-A 012345678905
        "1234567890123452", // ITF-16
        "1234567897",       // OPC, the catalogue sample
        "123456",           // the 2/5 Interleaved catalogue sample
        "00000000",         // the all-narrow-space digit 0 in both roles
        "9988776655443322110",
    };
    for (std::string_view value : values) {
        SCOPED_TRACE(value);
        std::string even(value.substr(0, value.size() / 2 * 2));
        const DecodeResult result = DecodePattern(EncodeInterleaved(value, kOptions).BarPattern);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.format, "ITF");
        EXPECT_EQ(result.text, even);
    }
}

TEST(Interleaved, CheckDigitsOfTheNumbersItCarries) {
    // ITF (EanCheck3 over the digits before it), OPC (LuhnCheck over nine digits).
    EXPECT_EQ(EanCheck3("12345"), '7');           // ITF-6 123457
    EXPECT_EQ(EanCheck3("0977121010700"), '1');   // ITF-14 09771210107001
    EXPECT_EQ(EanCheck3("123456789012345"), '2'); // ITF-16 1234567890123452
    EXPECT_EQ(EanCheck3("1234567890123"), '1');   // UPC shipping 12345678901231
    EXPECT_EQ(LuhnCheck("123456789"), '7');       // OPC 1234567897
}

TEST(Interleaved, OnlyDigitsAreEncodable) {
    // ITF has no character-set check and OPC's set has letters: the barcode object asks here.
    struct Row {
        std::string_view text;
        int position;
    };
    const Row rows[] = {{"123456", 0}, {"12345A", 6}, {"A23456", 1}, {"12 456", 3}, {"", 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(InterleavedUnencodablePosition(row.text), row.position);
        if (row.position != 0) {
            EXPECT_EQ(EncodeInterleaved(row.text, kOptions).BarPattern, "");
        }
    }
    EXPECT_EQ(InterleavedUnencodablePosition("1234567\x9a"), 8); // a Windows-1250 letter byte
}

// --- UPC shipping -----------------------------------------------------------------------------

TEST(UpcShipping, MainSymbolIsTheInterleavedFourteenDigits) {
    const BarcodeEncoding main = EncodeInterleaved("12345678901231", kOptions);
    const BarcodeEncoding shipping = EncodeUpcShipping("12345678901231", kOptions);
    EXPECT_EQ(shipping.BarPattern, main.BarPattern);
    EXPECT_EQ(shipping.Anchors, main.Anchors);
}

TEST(UpcShipping, AddOnIsASecondSymbolBehindTheMarker) {
    const std::string mainText = "12345678901231";
    const BarcodeEncoding main = EncodeInterleaved(mainText, kOptions);
    const BarcodeEncoding shipping = EncodeUpcShipping(mainText + " 123456", kOptions);

    // Nine blanks, then the add-on's own symbol whose first quiet-zone module is the marker.
    const std::string addOn =
        Join({"X", std::string(9, ' '), kItfStart, kPair12, kPair34, kPair56, kItfStop, kQuiet});
    EXPECT_EQ(shipping.BarPattern, Join({main.BarPattern, std::string(9, ' '), addOn}));

    TextAnchors expected = main.Anchors;
    const int mainLength = static_cast<int>(main.BarPattern.size());
    expected.AddOnStart = mainLength + 29; // 19 modules after the marker at mainLength + 10
    EXPECT_EQ(shipping.Anchors, expected);
    EXPECT_EQ(shipping.BarPattern[mainLength + 9], 'X');

    // Each part on its own is a readable ITF symbol ('X' renders as a space).
    const DecodeResult mainRead = DecodePattern(std::string_view(shipping.BarPattern).substr(0, mainLength));
    ASSERT_TRUE(mainRead.ok) << mainRead.error;
    EXPECT_EQ(mainRead.text, mainText);
    const DecodeResult addOnRead = DecodePattern(std::string_view(shipping.BarPattern).substr(mainLength));
    ASSERT_TRUE(addOnRead.ok) << addOnRead.error;
    EXPECT_EQ(addOnRead.text, "123456");
}

TEST(UpcShipping, AddOnCheckDigitsAndBadAddOns) {
    EXPECT_EQ(EanCheck3("0001234567890"), '5'); // UPC shipping 00012345678905 of UPC-A 012345678905
    // A letter in the add-on leaves no symbol at all rather than a main symbol alone.
    EXPECT_EQ(EncodeUpcShipping("12345678901231 12A456", kOptions).BarPattern, "");
    // The blank before the add-on is not encoded.
    EXPECT_EQ(EncodeUpcShipping("12345678901231 123456", kOptions).BarPattern,
              EncodeUpcShipping("12345678901231-123456", kOptions).BarPattern);
}

// --- Through the engine -----------------------------------------------------------------------

// As the barcode object does it: the typed text is normalised (check digits written), checked
// and encoded; an independent reader must find the completed number in the symbol.
TEST(TwoOfFiveEngine, TypedNumbersAreCompletedAndReadBack) {
    struct Row {
        TTypBarCode type;
        std::string_view typed;
        std::string_view stored;
        std::string_view mainRead;  // what the reader finds in the main symbol
        std::string_view addOnRead; // in the UPC shipping add-on, when there is one
    };
    using T = TTypBarCode;
    const Row rows[] = {
        {T::bcITF, "12345", "123457", "123457", ""},                               // ITF-6
        {T::bcITF, "0977121010700", "09771210107001", "09771210107001", ""},       // ITF-14, catalogue
        {T::bcITF, "123456789012345", "1234567890123452", "1234567890123452", ""}, // ITF-16
        {T::bcITF, "09771210107009", "09771210107001", "09771210107001", ""},      // wrong digit mended
        {T::bcOPC, "123456789", "1234567897", "1234567897", ""},                   // Luhn, catalogue
        {T::bc25Interleaved, "12345678", "12345678", "12345678", ""},              // no check digit
        {T::bcUPCShipping, "1234567890123", "12345678901231", "12345678901231", ""},
        {T::bcUPCShipping, "12345678901230 654321", "12345678901231 654321", "12345678901231", "654321"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const std::string stored = NormalizeBarCodeText(row.typed, row.type);
        EXPECT_EQ(stored, row.stored);
        TBarCodeCheck check;
        const BarcodeEncoding encoding = EncodeBarCodeText(stored, row.type, kOptions, &check);
        ASSERT_TRUE(check.Ok) << static_cast<int>(check.Error);
        std::string_view pattern = encoding.BarPattern;
        std::string_view addOn;
        if (const size_t marker = pattern.find('X'); marker != std::string_view::npos) {
            addOn = pattern.substr(marker);
            pattern = pattern.substr(0, marker);
        }
        const DecodeResult main = DecodePattern(pattern);
        ASSERT_TRUE(main.ok) << main.error;
        EXPECT_EQ(main.format, "ITF");
        EXPECT_EQ(main.text, row.mainRead);
        ASSERT_EQ(addOn.empty(), row.addOnRead.empty());
        if (!addOn.empty()) {
            const DecodeResult read = DecodePattern(addOn);
            ASSERT_TRUE(read.ok) << read.error;
            EXPECT_EQ(read.text, row.addOnRead);
        }
    }
}

// --- Any input ---------------------------------------------------------------------------------

// Whatever text reaches an encoder (the check may be bypassed by a caller), the result is a
// pattern of module characters with its anchors inside it, or an empty pattern.
TEST(TwoOfFive, AnyTextGivesAWellFormedPatternOrNone) {
    const Encoder encoders[] = {EncodeDatalogic, EncodeMatrix, EncodeCoop,        EncodeIndustrial,
                                EncodeIata,      EncodeInvert, EncodeInterleaved, EncodeUpcShipping};
    std::mt19937 random(25);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> digit('0', '9');
    for (int round = 0; round < 3000; ++round) {
        std::string text(static_cast<size_t>(length(random)), '\0');
        const bool digitsOnly = round % 2 == 0; // half of them reach the tables
        for (char& c : text)
            c = static_cast<char>(digitsOnly ? digit(random) : byte(random));
        if (round % 5 == 0 && text.size() > 15)
            text[14] = ' ';
        for (Encoder encode : encoders) {
            const BarcodeEncoding encoding = encode(text, kOptions);
            const int size = static_cast<int>(encoding.BarPattern.size());
            ASSERT_TRUE(OnlyModuleCharacters(encoding.BarPattern)) << text;
            for (int anchor :
                 {encoding.Anchors.Group1Start, encoding.Anchors.Group1End, encoding.Anchors.Group2Start,
                  encoding.Anchors.Group2End, encoding.Anchors.AddOnStart, encoding.Anchors.TrailingDigit}) {
                ASSERT_GE(anchor, 0) << text;
                ASSERT_LE(anchor, size) << text;
            }
            if (!text.empty() && InterleavedUnencodablePosition(text) == 0) {
                ASSERT_GT(size, 0) << text;
            }
        }
    }
}

} // namespace
} // namespace etikor::test
