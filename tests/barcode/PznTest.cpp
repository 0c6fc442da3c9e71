// PZN: the seven digits (six and the PznCheck digit) drawn as Code 39 with a "-" in front.
// Code 39 element patterns are ISO/IEC 16388's, narrow 1 and wide 2 modules.

#include "DecoderOracle.h"
#include "PatternText.h"
#include "barcode/BarcodeEngine.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

namespace etikor::test {
namespace {

const EncoderOptions kOptions;

// Start character "*" with guard bars and its gap, stop "*" with guard bars.
constexpr std::string_view kStart = "2002022022020";
constexpr std::string_view kStop = "200202202202";
// b s b s b s b s b widths and the one-module gap after each character.
const std::string kDash = Runs("121111212") + "0"; // "-" 010000101
const std::string kOne = Runs("211211112") + "0";  // "1" 100100001
const std::string kTwo = Runs("112211112") + "0";  // "2" 001100001

TEST(Pzn, DashInFrontOfTheDigitsAsCode39) {
    const BarcodeEncoding encoding = EncodePzn("12", kOptions);
    EXPECT_EQ(encoding.BarPattern, Join({kStart, kDash, kOne, kTwo, kStop}));
    // Code 39's anchors: the first module after the start, the last before the stop minus one.
    TextAnchors anchors;
    anchors.Group1Start = 14;
    anchors.Group1End = static_cast<int>(kStart.size() + 3 * 13) - 1;
    EXPECT_EQ(encoding.Anchors, anchors);
}

// Realistic numbers with their check digits, read back by an independent Code 39 reader.
TEST(Pzn, DecodesAsCode39WithTheDash) {
    struct Row {
        std::string_view six;
        char check;
    };
    const Row rows[] = {
        {"123456", '2'}, // 1x2 + 2x3 + ... + 6x7 = 112, 112 mod 11 = 2
        {"490880", '2'}, // PZN 4908802
        {"000000", '0'},
        {"999999", '1'}, // 9 x 27 = 243, 243 mod 11 = 1
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.six);
        const char check = PznCheck(row.six);
        EXPECT_EQ(check, row.check);
        const std::string pzn = std::string(row.six) + check;
        const DecodeResult result = DecodePattern(EncodePzn(pzn, kOptions).BarPattern);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.format, "Code39");
        EXPECT_EQ(result.text, "-" + pzn);
    }
}

TEST(Pzn, OnlyDigitsGiveASymbol) {
    // ':' is PznCheck's answer for a remainder of 10: no valid PZN, no symbol.
    for (std::string_view text : {"500000:", "12345A6", "", "123 456"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(EncodePzn(text, kOptions).BarPattern, "");
    }
}

// As the barcode object does it: six typed digits get the check digit, the symbol carries
// "-" and all seven.
TEST(Pzn, TypedNumberIsCompletedAndReadBack) {
    const std::string stored = NormalizeBarCodeText("123456", TTypBarCode::bcPZN);
    EXPECT_EQ(stored, "1234562");
    const DecodeResult result =
        DecodePattern(EncodeBarCodeText(stored, TTypBarCode::bcPZN, kOptions).BarPattern);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.text, "-1234562");
}

} // namespace
} // namespace etikor::test
