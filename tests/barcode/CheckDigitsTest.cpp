#include "barcode/Encoders.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

TEST(CheckDigits, EanAndUpcWeights) {
    EXPECT_EQ(EanCheck13("400638133393"), '1'); // EAN-13 4006381333931, GS1 worked example
    EXPECT_EQ(EanCheck13("977121010700"), '1'); // the barcode object's sample 9771210107001
    EXPECT_EQ(EanCheck3("9638507"), '4');       // EAN-8 96385074
    EXPECT_EQ(EanCheck3("03600029145"), '2');   // UPC-A 036000291452
    EXPECT_EQ(EanCheck3("1234567890123"), '1'); // ITF-14 / UPC shipping 12345678901231
}

TEST(CheckDigits, IsbnIgnoresDashesAndGivesXForTen) {
    EXPECT_EQ(IsbnCheck("0-306-40615"), '2'); // ISBN 0-306-40615-2
    EXPECT_EQ(IsbnCheck("0-8044-2957"), 'X'); // ISBN 0-8044-2957-X
}

TEST(CheckDigits, LuhnDoublesOddPositionsFromTheLeft) {
    // Nine digits (the OPC case): the same as the published Luhn rule.
    EXPECT_EQ(LuhnCheck("123456789"), '7'); // 1234567897 is a valid Luhn number
    // Even counts double other positions than the published rule: 5+9+9+2+5+3+9+8+5+1 = 56.
    EXPECT_EQ(LuhnCheck("7992739871"), '4');
}

TEST(CheckDigits, PznWeightsTwoToSeven) {
    EXPECT_EQ(PznCheck("490880"), '2'); // PZN 4908802
    EXPECT_EQ(PznCheck("500000"), ':'); // remainder 10 has no digit
}

} // namespace
} // namespace etikor
