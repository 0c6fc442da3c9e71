#include "DecoderOracle.h"
#include "PatternText.h"

#include <gtest/gtest.h>

namespace etikor::test {
namespace {

// The oracle itself, on a symbol written by hand from ISO/IEC 15420: EAN-8 96385074.
// Left digits in set A (space first), right digits in set C (bar first).
TEST(DecoderOracle, ReadsAHandWrittenEan8) {
    const std::string_view setA[] = {"3211", "2221", "2122", "1411", "1132",
                                     "1231", "1114", "1312", "1213", "3112"};
    const std::string guard = "101";
    const std::string centre = "01010";
    std::string pattern = guard;
    for (char d : std::string_view("9638"))
        pattern += Runs(setA[d - '0'], false);
    pattern += centre;
    for (char d : std::string_view("5074"))
        pattern += Runs(setA[d - '0'], true);
    pattern += guard;
    ASSERT_EQ(pattern.size(), 67u);

    const DecodeResult result = DecodePattern(pattern);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.format, "EAN-8");
    EXPECT_EQ(result.text, "96385074");
}

TEST(DecoderOracle, GuardAndShortBarsAreDrawnAsBars) {
    int width = 0;
    OracleOptions options;
    options.pixelsPerModule = 2;
    options.height = 3;
    options.quietModules = 1;
    const auto image = RenderPattern("2M0X1 ", options, width);
    ASSERT_EQ(width, 16);
    const std::vector<uint8_t> row = {255, 255, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0, 255, 255, 255, 255};
    EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 16), row);
    EXPECT_EQ(std::vector<uint8_t>(image.end() - 16, image.end()), row);
}

TEST(DecoderOracle, EmptyOrBrokenPatternIsNotRead) {
    EXPECT_FALSE(DecodePattern("").ok);
    EXPECT_FALSE(DecodePattern("1010101").ok);
}

} // namespace
} // namespace etikor::test
