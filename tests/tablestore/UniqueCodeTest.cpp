#include "tablestore/UniqueCode.h"

#include "support/Moment.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using test::At;

TEST(UniqueCode, Base62Digits) {
    // Digits 0-9, A-Z, a-z; a value of at least 62^n is reduced by 62^n once.
    const struct {
        long long value;
        int n;
        const char* digits;
    } rows[] = {
        {0, 3, "000"},   {61, 1, "z"},    {62, 2, "10"},      {3843, 2, "zz"},    {3844, 2, "00"},
        {3845, 2, "01"}, {7688, 2, "00"}, {238327, 3, "zzz"}, {518640, 3, "AvA"}, // hours from 1 November
                                                                                  // 2000 to 1 January 2060,
                                                                                  // reduced once
    };
    for (const auto& row : rows)
        EXPECT_EQ(Base62Digits(row.value, row.n), row.digits) << row.value;
}

TEST(UniqueCode, PartsOfTheCode) {
    // 15 March 2024 13:05:07.250: 8535 days after 1 November 2000, so part A is
    // 8535 × 24 + 13 = 204853 = "rI5"; part B is 5 × 60 + 7 = 307 = "4x"; the sequence starts at
    // 13 × 60 + 5 = 785, so part C is 1922 × 25 + 785 = 48835 = "Chf".
    TUniqueCodeGenerator generator;
    const TDateTime now = At(2024, 3, 15, 13, 5, 7, 250);
    EXPECT_EQ(generator.Next(now), "rI54xChf");
    // In the same hundredth of a second the sequence still makes the next code differ.
    EXPECT_EQ(generator.Next(now), "rI54xChg");
    EXPECT_EQ(generator.Sequence(), 786);
}

TEST(UniqueCode, SequenceWrapsAt3844) {
    TUniqueCodeGenerator generator;
    const TDateTime now = At(2024, 3, 15, 23, 59, 0, 0); // starts at 1439
    generator.Next(now);
    for (int i = 1440; i < 3844; ++i)
        generator.Next(now);
    EXPECT_EQ(generator.Sequence(), 3843);
    const std::string code = generator.Next(now);
    EXPECT_EQ(generator.Sequence(), 0);
    EXPECT_EQ(code.substr(5), "000");
    generator.Reset();
    generator.Next(At(2024, 3, 15, 0, 7, 0, 0));
    EXPECT_EQ(generator.Sequence(), 7);
}

TEST(UniqueCode, ProcessWideGeneratorUsesTheClock) {
    SetClock([] { return At(2024, 3, 15, 13, 5, 7, 250); });
    UniqueCodeGenerator().Reset();
    EXPECT_EQ(NewUniqueCode(), "rI54xChf");
    EXPECT_EQ(NewUniqueCode(), "rI54xChg");
    SetClock({});
    UniqueCodeGenerator().Reset();
}

} // namespace
} // namespace etikor
