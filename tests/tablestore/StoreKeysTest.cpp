#include "tablestore/StoreKeys.h"

#include "StoreTestSupport.h"
#include "data/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace etikor {
namespace {

using namespace etikor::test;
using FT = TFieldType;

// One field of every comparable kind, plus a BLOB.
class Keys : public ::testing::Test {
protected:
    enum { Small, Int, Bool, Dbl, Dat, Tim, DT, Short, Long, Mem, Bin };
    void SetUp() override {
        CreateEmptyTable(cursor,
                         {Def("Small", FT::ftSmallint), Def("Int", FT::ftInteger), Def("Bool", FT::ftBoolean),
                          Def("Dbl", FT::ftFloat), Def("Dat", FT::ftDate), Def("Tim", FT::ftTime),
                          Def("DT", FT::ftDateTime), Def("Short", FT::ftString, 10),
                          Def("Long", FT::ftString, 50), Def("Mem", FT::ftMemo), Def("Bin", FT::ftBlob)});
        SetFormatSettings(TFormatSettings::HungarianSpace());
    }
    void TearDown() override { SetFormatSettings(TFormatSettings::Invariant()); }

    TStoreValues text(int field, std::string_view value) {
        TStoreValues v = cursor.NewValues();
        cursor.SetString(v, field, value);
        return v;
    }
    TStoreValues integer(int field, int32_t value) {
        TStoreValues v = cursor.NewValues();
        cursor.SetInteger(v, field, value);
        return v;
    }
    TStoreValues real(int field, double value) {
        TStoreValues v = cursor.NewValues();
        cursor.SetFloat(v, field, value);
        return v;
    }
    int compare(const TStoreValues& a, const TStoreValues& b, int field, TStoreSortOptions options = 0,
                bool right = false) {
        const TStoreKeyField key{field, right};
        return CompareRecords(cursor, a, b, std::span(&key, 1), options);
    }

    TStoreCursor cursor;
};

TEST_F(Keys, ComparisonPerKind) {
    // The comparison rules of the table engine, one row per kind and case; the sign is what counts.
    const struct {
        const char* what;
        TStoreValues a, b;
        int field;
        TStoreSortOptions options;
        bool right;
        int expected;
    } rows[] = {
        {"small ints", integer(Small, -5), integer(Small, 3), Small, 0, false, -1},
        {"integers far apart", integer(Int, INT32_MIN), integer(Int, INT32_MAX), Int, 0, false, -1},
        {"dates", integer(Dat, 738000), integer(Dat, 737999), Dat, 0, false, 1},
        {"times", integer(Tim, 1), integer(Tim, 1), Tim, 0, false, 0},
        {"doubles", real(Dbl, -0.5), real(Dbl, 0.25), Dbl, 0, false, -1},
        {"date-times", real(DT, 2e12), real(DT, 1e12), DT, 0, false, 1},
        {"true before false", integer(Bool, 1), integer(Bool, 0), Bool, 0, false, -1},
        {"false after true", integer(Bool, 0), integer(Bool, 1), Bool, 0, false, 1},
        {"both true", integer(Bool, 1), integer(Bool, 1), Bool, 0, false, 0},
        {"descending: false first", integer(Bool, 1), integer(Bool, 0), Bool, ssoDescendSort, false, 1},
        {"left-aligned: 10 before 9", text(Short, "10"), text(Short, "9"), Short, 0, false, -1},
        {"right-aligned: 9 before 10", text(Short, "9"), text(Short, "10"), Short, 0, true, -1},
        {"right-aligned, same length", text(Short, "12"), text(Short, "09"), Short, 0, true, 1},
        {"empty first", text(Long, ""), text(Long, "\x01"), Long, 0, false, -1},
        {"prefix shorter first", text(Long, "abc"), text(Long, "abcd"), Long, 0, false, -1},
        {"byte order: B before a", text(Long, "B"), text(Long, "a"), Long, 0, false, -1},
        {"bytes unsigned: z before \xE1", text(Long, "z"), text(Long, "\xE1"), Long, 0, false, -1},
        {"case-insensitive equal", text(Long, "\xC1rv\xCDz"), text(Long, "\xE1rv\xEDz"), Long,
         ssoCaseInsensitive, false, 0},
        {"case-insensitive: a before B", text(Long, "a"), text(Long, "B"), Long, ssoCaseInsensitive, false,
         -1},
        {"Hungarian: \xC1"
         "bel before B\xE9la",
         text(Long, "\xC1"
                    "bel"),
         text(Long, "B\xE9la"), Long, ssoCaseInsensitive, false, -1},
        {"Hungarian: \xF5k before \xF6t (\xF6 and \xF5 one letter)", text(Long, "\xF5k"), text(Long, "\xF6t"),
         Long, ssoCaseInsensitive, false, -1},
        {"Hungarian: \xE1"
         "b before ac (accents count last)",
         text(Long, "\xE1"
                    "b"),
         text(Long, "ac"), Long, ssoCaseInsensitive, false, -1},
        {"punctuation first", text(Long, "_x"), text(Long, "a"), Long, ssoCaseInsensitive, false, -1},
        {"Hungarian: ott before \xF6t", text(Long, "ott"), text(Long, "\xF6t"), Long, ssoCaseInsensitive,
         false, -1},
        {"Hungarian: \xFC before \xFB before v", text(Long, "\xFCv"), text(Long, "\xDBv"), Long,
         ssoCaseInsensitive, false, -1},
        {"memo as text", text(Mem, "a"), text(Mem, "b"), Mem, 0, false, -1},
        {"BLOBs always equal", text(Bin, "a"), text(Bin, "b"), Bin, 0, false, 0},
        {"descending strings", text(Long, "a"), text(Long, "b"), Long, ssoDescendSort, false, 1},
    };
    for (const auto& row : rows) {
        const int result = compare(row.a, row.b, row.field, row.options, row.right);
        EXPECT_EQ((result > 0) - (result < 0), row.expected) << row.what;
    }
}

TEST_F(Keys, FirstDifferingKeyDecidesAndKeyCountLimits) {
    TStoreValues a = integer(Int, 1), b = integer(Int, 1);
    cursor.SetString(a, Long, "x");
    cursor.SetString(b, Long, "y");
    const TStoreKeyFields keys = {{Int, false}, {Long, false}};
    EXPECT_LT(CompareRecords(cursor, a, b, keys, 0), 0);
    EXPECT_EQ(CompareRecords(cursor, a, b, keys, 0, 1), 0);
}

TEST_F(Keys, SortViewIncludingNaN) {
    std::vector<double> values = {3, std::numeric_limits<double>::quiet_NaN(), -1, 2, 0, 2};
    for (int i = 0; i < 200; ++i)
        values.push_back(std::fmod(i * 37.0, 11.0));
    for (double v : values)
        cursor.AppendRecord(real(Dbl, v));
    std::vector<TStoreRecord*> view = cursor.Records();
    const TStoreKeyFields keys = {{Dbl, false}};
    SortView(view, cursor, keys, 0);
    for (std::size_t i = 1; i + 1 < view.size(); ++i)
        EXPECT_LE(cursor.GetFloat(view[i - 1]->Values, Dbl), cursor.GetFloat(view[i]->Values, Dbl));
    EXPECT_TRUE(std::isnan(cursor.GetFloat(view.back()->Values, Dbl)));
    SortView(view, cursor, keys, ssoDescendSort);
    EXPECT_TRUE(std::isnan(cursor.GetFloat(view.front()->Values, Dbl)));
    EXPECT_EQ(cursor.GetFloat(view[1]->Values, Dbl), 10);
}

TEST_F(Keys, TextToKeySlot) {
    // Conversions per kind with Hungarian locale settings; texts that do not convert leave 0.
    const struct {
        int field;
        const char* text;
        int32_t integer;
        double real;
        const char* string;
    } rows[] = {
        {Small, "-123", -123, 0, ""},
        {Small, "40000", 0, 0, ""}, // no 16-bit value
        {Int, "2147483647", INT32_MAX, 0, ""},
        {Int, "12x", 0, 0, ""},
        {Int, "", 0, 0, ""},
        {Bool, "TRUE", 1, 0, ""},
        {Bool, "yes", 1, 0, ""},
        {Bool, "t", 1, 0, ""},
        {Bool, "1", 1, 0, ""},
        {Bool, "\xC4\xC0", 1, 0, ""}, // yes in code page 1251
        {Bool, "\xE4\xE0", 1, 0, ""}, // the same word in lower case
        {Bool, "igen", 0, 0, ""},     // Hungarian yes is not in the list
        {Bool, "2", 0, 0, ""},
        {Dbl, "1,5", 0, 1.5, ""},
        {Dbl, "1.5", 0, 0, ""},
        {Dat, "2024.03.15.", 738960, 0, ""},
        {Dat, "xyz", 0, 0, ""},
        {Tim, "13:05:07", 47107000, 0, ""},
        {DT, "2024.03.15. 06:00", 0, 738960.0 * 86400000 + 21600000, ""},
        {Short, "0123456789ABC", 0, 0, "0123456789"}, // cut to the declared size
        {Long, "LLLL", 0, 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TStoreValues key = cursor.NewValues();
        // Something there before: the conversion starts from a zero slot.
        cursor.SetInteger(key, row.field, 77);
        cursor.SetFloat(key, row.field, 77);
        SetKeyFromText(cursor, key, row.field, row.text);
        EXPECT_EQ(cursor.GetInteger(key, row.field), row.integer);
        EXPECT_EQ(cursor.GetFloat(key, row.field), row.real);
        if (row.field == Short) {
            EXPECT_EQ(cursor.GetString(key, row.field), row.string);
        }
    }
    TStoreValues key = cursor.NewValues();
    SetKeyFromText(cursor, key, Long, std::string(60, 'L'));
    EXPECT_EQ(cursor.GetString(key, Long), std::string(50, 'L'));
}

TEST_F(Keys, TabSeparatedKeyTexts) {
    const TStoreKeyFields keys = {{Int, false}, {Long, false}};
    const struct {
        const char* text;
        int given;
        int32_t integer;
        const char* string;
    } rows[] = {
        {"", 0, 0, ""},
        {"5", 1, 5, ""},
        {"5\t", 1, 5, ""},
        {"5\tabc", 2, 5, "abc"},
        {"5\tabc\t", 2, 5, "abc"},
        {"\tabc", 2, 0, "abc"},
        {"5\tabc\tmore", 2, 5, "abc"},
    };
    for (const auto& row : rows) {
        TStoreValues key = cursor.NewValues();
        EXPECT_EQ(SetKeysFromText(cursor, key, keys, row.text), row.given) << row.text;
        EXPECT_EQ(cursor.GetInteger(key, Int), row.integer) << row.text;
        EXPECT_EQ(cursor.GetString(key, Long), row.string) << row.text;
    }
}

TEST_F(Keys, BinarySearchFindsTheFirstOfEqualKeys) {
    // Sorted ascending: A, B, B, B, C, D (second key distinguishes the B's).
    const char* values[] = {"A", "B", "B", "B", "C", "D"};
    for (int i = 0; i < 6; ++i) {
        TStoreValues v = text(Long, values[i]);
        cursor.SetInteger(v, Int, 10 - i);
        cursor.AppendRecord(std::move(v));
    }
    const TStoreKeyFields keys = {{Long, false}, {Int, false}};
    std::vector<TStoreRecord*> view = cursor.Records();
    TStoreValues key = cursor.NewValues();
    const struct {
        const char* text;
        int keyCount;
        int found;
    } rows[] = {{"B", 1, 1},  {"A", 1, 0},    {"D", 1, 5},    {"BB", 1, -1},  {"0", 1, -1},
                {"Z", 1, -1}, {"B\t8", 2, 2}, {"B\t7", 2, 3}, {"B\t5", 2, -1}};
    for (const auto& row : rows) {
        SetKeysFromText(cursor, key, keys, row.text);
        // The linear scan agrees on this view; the binary search needs a view sorted on the keys.
        EXPECT_EQ(FindKeyLinear(view, 0, cursor, key, keys, row.keyCount), row.found) << row.text;
        if (row.keyCount == 1) {
            EXPECT_EQ(FindKeyBinary(view, cursor, key, keys, row.keyCount, 0), row.found) << row.text;
        }
    }
    // Descending order: D, C, B, B, B, A.
    std::vector<TStoreRecord*> descending(view.rbegin(), view.rend());
    SetKeysFromText(cursor, key, keys, "B");
    EXPECT_EQ(FindKeyBinary(descending, cursor, key, keys, 1, ssoDescendSort), 2);
    // The case-insensitive option is ignored: the search compares case-sensitively.
    SetKeysFromText(cursor, key, keys, "b");
    EXPECT_EQ(FindKeyBinary(view, cursor, key, keys, 1, ssoCaseInsensitive), -1);
    EXPECT_EQ(FindKeyLinear(view, 0, cursor, key, keys, 1), -1);
    // A scan can start after the current record.
    SetKeysFromText(cursor, key, keys, "B");
    EXPECT_EQ(FindKeyLinear(view, 2, cursor, key, keys, 1), 2);
    EXPECT_EQ(FindKeyLinear(view, 4, cursor, key, keys, 1), -1);
}

TEST_F(Keys, BinarySearchOverManyDuplicates) {
    for (int i = 0; i < 1000; ++i)
        cursor.AppendRecord(integer(Int, i / 100));
    const TStoreKeyFields keys = {{Int, false}};
    for (int value = 0; value < 10; ++value) {
        const TStoreValues key = integer(Int, value);
        EXPECT_EQ(FindKeyBinary(cursor.Records(), cursor, key, keys, 1, 0), value * 100);
    }
}

} // namespace
} // namespace etikor
