#include "data/Field.h"

#include "MemDataSet.h"
#include "data/DateTime.h"
#include "data/FormatSettings.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using test::ErrorOf;
using test::MemDataSet;

TDateTime Day(int y, int m, int d) {
    TDateTime t = 0;
    TryEncodeDate(y, m, d, t);
    return t;
}

class FieldTest : public ::testing::Test {
protected:
    void SetUp() override { SetFormatSettings(TFormatSettings::HungarianSpace()); }
    void TearDown() override { SetFormatSettings(TFormatSettings::Invariant()); }
};

// Defaults each field type gets when it is created.
TEST_F(FieldTest, DisplayDefaultsByType) {
    MemDataSet ds({{"Nev", TFieldType::ftString, 30},
                   {"Darab", TFieldType::ftInteger, 0},
                   {"Ar", TFieldType::ftFloat, 0},
                   {"Igen", TFieldType::ftBoolean, 0}},
                  {{TVariant(), TVariant(), TVariant(), TVariant()}});
    ds.Open();
    EXPECT_EQ(ds.FieldByName("Nev").DisplayName(), "Nev");
    EXPECT_EQ(ds.FieldByName("Nev").DisplayWidth, 30);
    EXPECT_EQ(ds.FieldByName("Nev").Alignment, TAlignment::taLeftJustify);
    EXPECT_EQ(ds.FieldByName("Darab").Alignment, TAlignment::taRightJustify);
    EXPECT_EQ(ds.FieldByName("Ar").Alignment, TAlignment::taRightJustify);
    EXPECT_EQ(ds.FieldByName("Igen").Alignment, TAlignment::taLeftJustify);
    ds.FieldByName("Nev").DisplayLabel = "N\xE9v";
    EXPECT_EQ(ds.FieldByName("Nev").DisplayName(), "N\xE9v");
    EXPECT_TRUE(ds.FieldByName("Nev").Visible);
    EXPECT_EQ(ds.FieldByName("Nev").Index(), 0);
    EXPECT_EQ(ds.FieldByName("Igen").Index(), 3);
}

// AsString, Text and DisplayText of each type under Hungarian settings (decimal comma,
// space grouping, dates yyyy.mm.dd.).
TEST_F(FieldTest, TextsPerTypeAndFormat) {
    struct Case {
        TFieldType type;
        TVariant value;
        const char* displayFormat;
        const char* asString;
        const char* displayText;
    };
    const Case cases[] = {
        {TFieldType::ftString, TVariant("abc"), "", "abc", "abc"},
        {TFieldType::ftInteger, TVariant(1234567), "", "1234567", "1234567"},
        {TFieldType::ftInteger, TVariant(1234567), "#,##0", "1234567", "1 234 567"},
        {TFieldType::ftFloat, TVariant(2.5), "", "2,5", "2,5"},
        {TFieldType::ftFloat, TVariant(1.0 / 3), "0.######", "0,333333333333333", "0,333333"},
        {TFieldType::ftFloat, TVariant(5.0), "0.######", "5", "5"},
        {TFieldType::ftFloat, TVariant(1234.5), "#,##0.00", "1234,5", "1 234,50"},
        {TFieldType::ftFloat, TVariant(-0.126), "0.00", "-0,126", "-0,13"},
        {TFieldType::ftCurrency, TVariant(1234.5), "", "1234,5", "1 234,50"},
        {TFieldType::ftBoolean, TVariant(true), "", "True", "True"},
        {TFieldType::ftBoolean, TVariant(false), "", "False", "False"},
        {TFieldType::ftDate, TVariant::FromDateTime(Day(2024, 3, 9)), "", "2024.03.09.", "2024.03.09."},
        {TFieldType::ftDate, TVariant::FromDateTime(Day(2024, 3, 9)), "yyyy-mm-dd", "2024.03.09.",
         "2024-03-09"},
        {TFieldType::ftTime, TVariant::FromDateTime(0.5), "", "12:00:00", "12:00:00"},
        {TFieldType::ftDateTime, TVariant::FromDateTime(Day(2024, 3, 9) + 0.75), "", "2024.03.09. 18:00:00",
         "2024.03.09. 18:00:00"},
        {TFieldType::ftMemo, TVariant("sok sz\xF6veg"), "", "sok sz\xF6veg", "(MEMO)"},
        {TFieldType::ftMemo, TVariant(), "", "", "(Memo)"},
        {TFieldType::ftBlob, TVariant("\x01\x02"), "", "\x01\x02", "(BLOB)"},
        {TFieldType::ftString, TVariant(), "", "", ""},
        {TFieldType::ftFloat, TVariant(), "0.######", "", ""},
    };
    for (const Case& c : cases) {
        MemDataSet ds({{"F", c.type, 20}}, {{c.value}});
        ds.Open();
        TField& f = ds.Fields(0);
        f.DisplayFormat = c.displayFormat;
        EXPECT_EQ(f.AsString(), c.asString) << static_cast<int>(c.type) << " " << c.displayText;
        EXPECT_EQ(f.DisplayText(), c.displayText) << static_cast<int>(c.type);
        if (!f.IsBlob()) {
            EXPECT_EQ(f.Text(), f.AsString());
        }
    }
}

// Writing texts converts them to the field's type through the locale; "" clears.
TEST_F(FieldTest, SetAsStringConvertsByType) {
    MemDataSet ds({{"S", TFieldType::ftString, 5},
                   {"I", TFieldType::ftInteger, 0},
                   {"F", TFieldType::ftFloat, 0},
                   {"B", TFieldType::ftBoolean, 0},
                   {"D", TFieldType::ftDate, 0},
                   {"T", TFieldType::ftTime, 0},
                   {"W", TFieldType::ftWord, 0}},
                  {{TVariant(), TVariant(), TVariant(), TVariant(), TVariant(), TVariant(), TVariant()}});
    ds.Open();
    ds.Edit();
    auto& f = ds;
    f.FieldByName("S").SetAsString("hosszabb"); // cut to the declared size
    EXPECT_EQ(f.FieldByName("S").AsString(), "hossz");
    f.FieldByName("I").SetAsString(" 42 ");
    EXPECT_EQ(f.FieldByName("I").AsInteger(), 42);
    f.FieldByName("F").SetAsString("3,25");
    EXPECT_DOUBLE_EQ(f.FieldByName("F").AsFloat(), 3.25);
    f.FieldByName("B").SetAsString("tr");
    EXPECT_TRUE(f.FieldByName("B").AsBoolean());
    f.FieldByName("B").SetAsString("FALSE");
    EXPECT_FALSE(f.FieldByName("B").AsBoolean());
    f.FieldByName("D").SetAsString("2024.03.09.");
    EXPECT_EQ(f.FieldByName("D").AsDateTime(), Day(2024, 3, 9));
    f.FieldByName("D").SetAsDateTime(Day(2024, 3, 9) + 0.5); // a date field keeps its part
    EXPECT_EQ(f.FieldByName("D").AsDateTime(), Day(2024, 3, 9));
    f.FieldByName("T").SetAsDateTime(Day(2024, 3, 9) + 0.25);
    EXPECT_DOUBLE_EQ(f.FieldByName("T").AsDateTime(), 0.25);
    f.FieldByName("I").SetAsString("");
    EXPECT_TRUE(f.FieldByName("I").IsNull());
    EXPECT_EQ(f.FieldByName("I").AsInteger(), 0);
    f.FieldByName("F").Clear();
    EXPECT_TRUE(f.FieldByName("F").IsNull());

    struct Bad {
        const char* field;
        const char* text;
        const char* message;
    };
    const Bad bad[] = {
        {"I", "12a", "'12a' is not a valid integer value for field 'I'"},
        {"F", "3.25", "'3.25' is not a valid floating point value for field 'F'"},
        {"B", "igen", "'igen' is not a valid boolean value for field 'B'"},
        {"D", "2024.13.01.", "'2024.13.01.' is not a valid date for field 'D'"},
        {"W", "-1", "-1 is not a valid value for field 'W'. The allowed range is 0 to 65535"},
    };
    for (const Bad& b : bad)
        EXPECT_EQ(ErrorOf<EDatabaseError>([&] { f.FieldByName(b.field).SetAsString(b.text); }), b.message)
            << b.text;
    ds.Cancel();
}

TEST_F(FieldTest, TypedReadsOfOtherTypes) {
    MemDataSet ds({{"S", TFieldType::ftString, 10}}, {{TVariant("12")}, {TVariant("x")}});
    ds.Open();
    EXPECT_EQ(ds.Fields(0).AsInteger(), 12);
    EXPECT_DOUBLE_EQ(ds.Fields(0).AsFloat(), 12);
    ds.Next();
    EXPECT_THROW(ds.Fields(0).AsInteger(), EDatabaseError);
    // A text that reads as none of the types: each typed read names the type it wanted.
    ds.Name = "M1";
    const TField& text = ds.Fields(0);
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { text.AsInteger(); }), "M1: 'x' is not a valid integer value");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { text.AsFloat(); }),
              "M1: 'x' is not a valid floating point value");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { text.AsBoolean(); }), "M1: 'x' is not a valid boolean value");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { text.AsDateTime(); }), "M1: 'x' is not a valid date and time");
}

TEST(VariantTest, EqualityAndConversions) {
    SetFormatSettings(TFormatSettings::Invariant());
    EXPECT_EQ(TVariant(3), TVariant(3.0));
    EXPECT_FALSE(TVariant(3) == TVariant("3"));
    EXPECT_EQ(TVariant(), TVariant::Null());
    EXPECT_FALSE(TVariant() == TVariant(0));
    EXPECT_EQ(TVariant("2.5").ToDouble(), 2.5);
    EXPECT_EQ(TVariant(true).ToString(), "True");
    EXPECT_THROW(TVariant("x").ToInt(), EVariantError);
    TVariant array(std::vector<TVariant>{TVariant(1), TVariant("a")});
    EXPECT_EQ(array.ArrayCount(), 2);
    EXPECT_EQ(array[1].ToString(), "a");
    EXPECT_TRUE(array[5].IsNull());
    EXPECT_EQ(TVariant(7)[0].ToInt(), 7);
}

} // namespace
} // namespace etikor
