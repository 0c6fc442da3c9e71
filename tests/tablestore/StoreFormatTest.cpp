#include "tablestore/StoreFormat.h"

#include "StoreTestSupport.h"
#include "data/DateTime.h"
#include "support/ErrorOf.h"
#include "tablestore/StoreErrors.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace etikor {
namespace {

using namespace etikor::test;
using FT = TFieldType;
using K = TStoreFieldKind;

std::string write(const TStoreCursor& cursor) {
    std::string image;
    cursor.WriteToStream(image);
    return image;
}

// The series definition table of the series designer: nine fields.
TFieldDefs seriesDefinitionDefs() {
    return {Def("Azon", FT::ftInteger),       Def("Hossz", FT::ftInteger),  Def("Tipus", FT::ftString, 1),
            Def("Szamlalo", FT::ftBoolean),   Def("Szorzo", FT::ftInteger), Def("Ertek1", FT::ftString, 200),
            Def("Ertek2", FT::ftString, 200), Def("Vktip", FT::ftInteger),  Def("AI", FT::ftString, 4)};
}

TEST(StoreFormat, EmptyTableIsTheFortyOneByteImage) {
    // Worked example of the file format: Azon integer, Tipus string of size 1, no records.
    const std::string expected = Bytes({0x29, 0, 0, 0}) + "S" + I32(0) + I32(2) + I32(0x18) + "XXX.Azon i" +
                                 "\x12" + "XXX.Tipus 1" + "\x12" + "\x14";
    ASSERT_EQ(expected.size(), 41u);
    const TFieldDefs defs = {Def("Azon", FT::ftInteger), Def("Tipus", FT::ftString, 1)};
    EXPECT_EQ(BuildEmptyTableImage(defs), expected);

    TStoreCursor cursor;
    CreateEmptyTable(cursor, defs);
    EXPECT_EQ(write(cursor), expected);
}

TEST(StoreFormat, SeriesDefinitionRecordBytes) {
    // Worked example: Azon 1, Hossz 4, Tipus S, Szamlalo false, Szorzo 1, Ertek1 "(01)",
    // Ertek2 empty, Vktip 8, AI "01".
    TStoreCursor cursor;
    CreateEmptyTable(cursor, seriesDefinitionDefs());
    EXPECT_EQ(BuildDescriptors(seriesDefinitionDefs()),
              Desc("XXX.Azon i") + Desc("XXX.Hossz i") + Desc("XXX.Tipus 1") + Desc("XXX.Szamlalo b") +
                  Desc("XXX.Szorzo i") + Desc("XXX.Ertek1 s200") + Desc("XXX.Ertek2 s200") +
                  Desc("XXX.Vktip i") + Desc("XXX.AI 4") + "\x14");

    TStoreValues values = cursor.NewValues();
    cursor.SetInteger(values, 0, 1);
    cursor.SetInteger(values, 1, 4);
    cursor.SetString(values, 2, "S");
    cursor.SetBoolean(values, 3, false);
    cursor.SetInteger(values, 4, 1);
    cursor.SetString(values, 5, "(01)");
    cursor.SetInteger(values, 7, 8);
    cursor.SetString(values, 8, "01");
    cursor.AppendRecord(values);

    const std::string record = Bytes({4, 4, 1, 0, 4, 4, 0, 4, 2}) + I32(1) /*Azon*/ + I32(4) /*Hossz*/ +
                               "S" /*Tipus*/ + I32(1) /*Szorzo*/ + I32(4) + "(01)" /*Ertek1*/ +
                               I32(8) /*Vktip*/ + "01" /*AI*/;
    const std::string image = write(cursor);
    const std::string header = BuildEmptyTableImage(seriesDefinitionDefs());
    ASSERT_EQ(image.size(), header.size() + record.size());
    EXPECT_EQ(image.substr(header.size()), record);
    EXPECT_EQ(image.substr(0, 4), I32(static_cast<int32_t>(image.size())));
    EXPECT_EQ(image.substr(5, 4), I32(1));
}

TEST(StoreFormat, AllZeroRecordIsOnlyItsLengthBytes) {
    TStoreCursor cursor;
    CreateEmptyTable(cursor, seriesDefinitionDefs());
    cursor.AppendRecord(cursor.NewValues());
    const std::string image = write(cursor);
    EXPECT_EQ(image.substr(BuildEmptyTableImage(seriesDefinitionDefs()).size()), std::string(9, '\0'));
}

TFieldDefs everyKindDefs() {
    return {Def("Small", FT::ftSmallint),   Def("Int", FT::ftInteger),      Def("Bool", FT::ftBoolean),
            Def("Dbl", FT::ftFloat),        Def("Cur", FT::ftCurrency),     Def("Dat", FT::ftDate),
            Def("Tim", FT::ftTime),         Def("DT", FT::ftDateTime),      Def("Auto", FT::ftAutoInc),
            Def("Short", FT::ftString, 35), Def("Long", FT::ftString, 300), Def("Bin", FT::ftBlob),
            Def("Mem", FT::ftMemo),         Def("Fmt", FT::ftFmtMemo),      Def("Pic", FT::ftGraphic)};
}

TEST(StoreFormat, EveryKindRoundTrips) {
    TStoreCursor cursor;
    CreateEmptyTable(cursor, everyKindDefs());
    const std::vector<K> kinds = {K::SmallInt, K::Integer, K::Boolean,  K::Double,  K::Currency,
                                  K::Date,     K::Time,    K::DateTime, K::AutoInc, K::SmallStr,
                                  K::String,   K::BLOB,    K::Memo,     K::FmtMemo, K::Graphic};
    ASSERT_EQ(cursor.FieldCount(), 15);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(cursor.Field(i).FieldKind, kinds[static_cast<std::size_t>(i)]) << i;

    const std::string binary("\x00\x01\xFF\x12\x14*", 6); // zero bytes and marker bytes inside a BLOB
    const std::string longText(300, 'x');
    TStoreValues values = cursor.NewValues();
    cursor.SetInteger(values, 0, -1234);
    cursor.SetInteger(values, 1, -2000000000);
    cursor.SetBoolean(values, 2, true);
    cursor.SetFloat(values, 3, -1.5e-300);
    cursor.SetFloat(values, 4, 1234.5678);
    cursor.SetInteger(values, 5, 738000);
    cursor.SetInteger(values, 6, 86399999);
    cursor.SetFloat(values, 7, 738000.0 * 86400000 + 3600000);
    cursor.SetInteger(values, 8, 42);
    cursor.SetString(values, 9, std::string(35, '\xE1')); // fills the whole declared size
    cursor.SetString(values, 10, longText);
    cursor.SetString(values, 11, binary);
    cursor.SetString(values, 12, "line1\r\nline2\t\xF5");
    cursor.SetString(values, 13, "{\\rtf1}");
    cursor.SetString(values, 14, std::string(70000, '\x7F'));
    cursor.AppendRecord(values);
    cursor.AppendRecord(cursor.NewValues());
    cursor.Notes = "megjegyz\xE9s";

    const std::string image = write(cursor);
    TStoreCursor back;
    std::string reason;
    ASSERT_TRUE(back.ReadFromStream(image, reason)) << reason;
    EXPECT_EQ(reason, "");
    ASSERT_EQ(back.RecordCount(), 2);
    EXPECT_EQ(back.Notes, "megjegyz\xE9s");
    const TStoreValues& v = back.Records()[0]->Values;
    EXPECT_EQ(back.GetInteger(v, 0), -1234);
    EXPECT_EQ(back.GetInteger(v, 1), -2000000000);
    EXPECT_TRUE(back.GetBoolean(v, 2));
    EXPECT_EQ(back.GetFloat(v, 3), -1.5e-300);
    EXPECT_EQ(back.GetFloat(v, 4), 1234.5678);
    EXPECT_EQ(back.GetInteger(v, 5), 738000);
    EXPECT_EQ(back.GetInteger(v, 6), 86399999);
    EXPECT_EQ(back.GetFloat(v, 7), 738000.0 * 86400000 + 3600000);
    EXPECT_EQ(back.GetInteger(v, 8), 42);
    EXPECT_EQ(back.GetString(v, 9), std::string(35, '\xE1'));
    EXPECT_EQ(back.GetString(v, 10), longText);
    EXPECT_EQ(back.GetString(v, 11), binary);
    EXPECT_EQ(back.GetString(v, 12), "line1\r\nline2\t\xF5");
    EXPECT_EQ(back.GetString(v, 13), "{\\rtf1}");
    EXPECT_EQ(back.GetString(v, 14), std::string(70000, '\x7F'));
    for (int i = 0; i < 15; ++i)
        EXPECT_TRUE(back.IsEmptyValue(back.Records()[1]->Values, i)) << i;
    EXPECT_EQ(write(back), image);
}

TEST(StoreFormat, AbsentValuesReadBackAsZeroOrNullByKind) {
    // Absent integer, boolean and time read as 0/false/midnight and are not null; absent
    // strings, dates and date-times are null.
    TStoreCursor cursor;
    CreateEmptyTable(cursor, everyKindDefs());
    TStoreValues values = cursor.NewValues();
    cursor.SetInteger(values, 6, 0); // midnight
    cursor.SetBoolean(values, 2, false);
    cursor.AppendRecord(values);
    TStoreCursor back;
    std::string reason;
    ASSERT_TRUE(back.ReadFromStream(write(cursor), reason));
    const TStoreValues& v = back.Records()[0]->Values;
    const struct {
        int field;
        bool null;
    } rows[] = {{0, false}, {1, false}, {2, false}, {3, false}, {4, false}, {5, true},  {6, false}, {7, true},
                {8, false}, {9, true},  {10, true}, {11, true}, {12, true}, {13, true}, {14, true}};
    for (const auto& row : rows)
        EXPECT_EQ(back.IsNull(v, row.field), row.null) << back.Field(row.field).Name;
}

TEST(StoreFormat, TypeCodesAndSizes) {
    // Short strings carry their size as one base-36 digit; longer ones "s" + digits; types
    // without a kind are written as "s" and read back as String of size 100.
    const struct {
        TFieldDef def;
        std::string code;
        K kind;
        int declared;
        int slot;
    } rows[] = {
        {Def("A", FT::ftString, 0), "0", K::SmallStr, 0, 1},
        {Def("A", FT::ftString, 9), "9", K::SmallStr, 9, 10},
        {Def("A", FT::ftString, 10), "A", K::SmallStr, 10, 11},
        {Def("A", FT::ftString, 35), "Z", K::SmallStr, 35, 36},
        {Def("A", FT::ftString, 36), "s36", K::String, 36, 4},
        {Def("A", FT::ftSmallint), "l", K::SmallInt, 0, 2},
        {Def("A", FT::ftWord), "l", K::SmallInt, 0, 2},
        {Def("A", FT::ftBoolean), "b", K::Boolean, 0, 2},
        {Def("A", FT::ftCurrency), "c", K::Currency, 0, 8},
        {Def("A", FT::ftDate), "d", K::Date, 0, 4},
        {Def("A", FT::ftTime), "v", K::Time, 0, 4},
        {Def("A", FT::ftDateTime), "t", K::DateTime, 0, 8},
        {Def("A", FT::ftAutoInc), "a", K::AutoInc, 0, 4},
        {Def("A", FT::ftBlob), "o", K::BLOB, 0, 8},
        {Def("A", FT::ftMemo), "m", K::Memo, 0, 8},
        {Def("A", FT::ftFmtMemo), "r", K::FmtMemo, 0, 8},
        {Def("A", FT::ftGraphic), "g", K::Graphic, 0, 8},
        {Def("A", FT::ftBCD), "s", K::String, 100, 4},
        {Def("A", FT::ftBytes), "s", K::String, 100, 4},
        {Def("A", FT::ftLargeint), "s", K::String, 100, 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(BuildDescriptors({row.def}), Desc("XXX.A " + row.code) + "\x14");
        TStoreCursor cursor;
        CreateEmptyTable(cursor, {row.def});
        ASSERT_EQ(cursor.FieldCount(), 1);
        EXPECT_EQ(cursor.Field(0).FieldKind, row.kind);
        EXPECT_EQ(cursor.Field(0).DeclaredSize, row.declared);
        EXPECT_EQ(cursor.Field(0).DataSize, row.slot);
        EXPECT_EQ(cursor.Field(0).TableAlias, "XXX");
    }
}

TEST(StoreFormat, FieldLayoutAndKindMapping) {
    TStoreCursor cursor;
    CreateEmptyTable(cursor,
                     {Def("Szam", FT::ftWord), Def("Nev", FT::ftString, 20), Def("Kep", FT::ftGraphic)});
    EXPECT_EQ(cursor.Field(0).SlotOffset, 0);
    EXPECT_EQ(cursor.Field(1).SlotOffset, 2);
    EXPECT_EQ(cursor.Field(2).SlotOffset, 23);
    EXPECT_EQ(cursor.RecordSize(), 31);
    // A 16-bit unsigned field comes back as a signed one: 40000 reads as -25536.
    EXPECT_EQ(FieldDefOfStoreField(cursor.Field(0)).DataType, FT::ftSmallint);
    EXPECT_EQ(FieldDefOfStoreField(cursor.Field(1)).DataType, FT::ftString);
    EXPECT_EQ(FieldDefOfStoreField(cursor.Field(1)).Size, 20);
    TStoreValues values = cursor.NewValues();
    cursor.SetInteger(values, 0, 40000);
    cursor.AppendRecord(values);
    TStoreCursor back;
    std::string reason;
    ASSERT_TRUE(back.ReadFromStream(write(cursor), reason));
    EXPECT_EQ(back.GetInteger(back.Records()[0]->Values, 0), -25536);
    EXPECT_EQ(back.FieldIndex("nev"), 1);
    EXPECT_EQ(back.FieldIndex("NEV"), 1);
    EXPECT_EQ(back.FieldIndex("Ne"), -1);
}

TEST(StoreFormat, ValueBlocks) {
    TStoreCursor cursor;
    CreateEmptyTable(cursor, {Def("Azon", FT::ftInteger), Def("Nev", FT::ftString, 50),
                              Def("Kep", FT::ftGraphic), Def("Kod", FT::ftString, 5)});
    // No block: reads as absent; a write starts a fresh block.
    TStoreValues none;
    EXPECT_EQ(cursor.GetInteger(none, 0), 0);
    EXPECT_EQ(cursor.GetString(none, 1), "");
    EXPECT_TRUE(cursor.IsNull(none, 1));
    cursor.SetString(none, 1, "abc");
    EXPECT_EQ(cursor.GetString(none, 1), "abc");

    // Counted values of different lengths keep their neighbours; copies are deep.
    TStoreValues values = cursor.NewValues();
    cursor.SetString(values, 2, std::string("\0\1\2", 3));
    cursor.SetString(values, 1, "hosszabb");
    cursor.SetString(values, 3, "abcdefgh"); // cut to the declared size
    const TStoreValues copy = values;
    cursor.SetString(values, 1, "x");
    cursor.SetInteger(values, 0, 9);
    EXPECT_EQ(cursor.GetString(values, 1), "x");
    EXPECT_EQ(cursor.GetString(values, 2), std::string("\0\1\2", 3));
    EXPECT_EQ(cursor.GetString(values, 3), "abcde");
    EXPECT_EQ(cursor.GetString(copy, 1), "hosszabb");
    EXPECT_EQ(cursor.GetInteger(copy, 0), 0);
    cursor.ClearValue(values, 2);
    EXPECT_EQ(cursor.GetString(values, 2), "");
    EXPECT_EQ(cursor.GetString(values, 1), "x");
    cursor.ClearValues(values);
    EXPECT_EQ(values.Size(), cursor.NewValues().Size());
    EXPECT_TRUE(cursor.IsEmptyValue(values, 1));
    // A block of the wrong size is never read out of bounds.
    const TStoreValues small = TStoreValues::FromBytes("ab");
    EXPECT_EQ(cursor.GetString(small, 1), "");
}

// Every counted value is found through its offset: values of changing lengths set in any
// order keep all their neighbours, in blocks read from an image and in new ones.
TEST(StoreFormat, CountedValuesOfManyFields) {
    TFieldDefs defs;
    for (int i = 0; i < 40; ++i)
        defs.push_back(i % 3 == 0 ? Def("I" + std::to_string(i), FT::ftInteger)
                                  : Def("S" + std::to_string(i), i % 3 == 1 ? FT::ftString : FT::ftMemo, 60));
    TStoreCursor cursor;
    CreateEmptyTable(cursor, defs);
    std::vector<std::string> model(defs.size());
    TStoreValues values = cursor.NewValues();
    unsigned seed = 7;
    for (int step = 0; step < 400; ++step) {
        seed = seed * 1103515245u + 12345u;
        const int field = static_cast<int>((seed >> 8) % defs.size());
        if (field % 3 == 0) {
            cursor.SetInteger(values, field, step);
            model[static_cast<std::size_t>(field)] = std::to_string(step);
        } else {
            const std::string text(static_cast<std::size_t>((seed >> 16) % 12),
                                   static_cast<char>('a' + step % 26));
            cursor.SetString(values, field, text);
            model[static_cast<std::size_t>(field)] = text;
        }
        if (step % 50 == 49) { // through the file image and back
            cursor.AppendRecord(values);
            TStoreCursor back;
            std::string reason;
            ASSERT_TRUE(back.ReadFromStream(write(cursor), reason)) << reason;
            values = back.Records().back()->Values;
            cursor.ClearRecords();
        }
        for (int f = 0; f < static_cast<int>(defs.size()); ++f) {
            const std::string& expected = model[static_cast<std::size_t>(f)];
            if (f % 3 == 0) {
                ASSERT_EQ(cursor.GetInteger(values, f), expected.empty() ? 0 : std::stoi(expected)) << step;
            } else {
                ASSERT_EQ(cursor.GetString(values, f), expected) << step << " field " << f;
            }
        }
    }
}

// Records read with every value absent share one block: a write to one of them gives it a
// block of its own and leaves the others empty.
TEST(StoreFormat, EmptyRecordsReadShareNothingVisible) {
    TStoreCursor cursor;
    std::string reason;
    const std::string image =
        Image(3, 2, Desc("XXX.Azon i") + Desc("XXX.Nev s20"), Bytes({0, 0}) + Bytes({0, 0}) + Bytes({0, 0}));
    ASSERT_TRUE(cursor.ReadFromStream(image, reason)) << reason;
    const auto& records = cursor.Records();
    cursor.SetInteger(records[0]->Values, 0, 5);
    cursor.SetString(records[1]->Values, 1, "nev");
    TStoreValues cleared = records[2]->Values;
    cursor.ClearValues(records[2]->Values);
    EXPECT_EQ(cursor.GetInteger(records[0]->Values, 0), 5);
    EXPECT_EQ(cursor.GetString(records[0]->Values, 1), "");
    EXPECT_EQ(cursor.GetInteger(records[1]->Values, 0), 0);
    EXPECT_EQ(cursor.GetString(records[1]->Values, 1), "nev");
    EXPECT_TRUE(cursor.IsEmptyValue(records[2]->Values, 0));
    EXPECT_TRUE(cursor.IsNull(records[2]->Values, 1));
    cursor.MakeBackup(records[2]);
    cursor.SetInteger(records[2]->Values, 0, 9);
    ASSERT_TRUE(cursor.RestoreBackup(records[2]));
    EXPECT_EQ(cursor.GetInteger(records[2]->Values, 0), 0);
    EXPECT_FALSE(cursor.HasBackup(records[2]));
    EXPECT_EQ(write(cursor), Image(3, 2, Desc("XXX.Azon i") + Desc("XXX.Nev s20"),
                                   Bytes({4, 0}) + I32(5) + Bytes({0, 4}) + I32(3) + "nev" + Bytes({0, 0})));
}

TEST(StoreFormat, ValuesTakenFromLoadedRecordsOutliveTheRecords) {
    // Loaded records share the cursor's arena; values moved or copied out must stay valid
    // after the cursor drops its records.
    TStoreCursor source;
    CreateEmptyTable(source, {Def("Nev", FT::ftString, 50)});
    for (const char* name : {"egy", "kett\xF5"}) {
        TStoreValues values = source.NewValues();
        source.SetString(values, 0, name);
        source.AppendRecord(std::move(values));
    }
    TStoreCursor cursor;
    std::string reason;
    ASSERT_TRUE(cursor.ReadFromStream(write(source), reason));
    TStoreValues moved = std::move(cursor.Records()[0]->Values);
    EXPECT_TRUE(cursor.Records()[0]->Values.IsEmpty());
    const TStoreValues copied = cursor.Records()[1]->Values;
    cursor.SetString(cursor.Records()[1]->Values, 0, "changed in place");
    cursor.ClearRecords();
    EXPECT_EQ(cursor.GetString(moved, 0), "egy");
    EXPECT_EQ(cursor.GetString(copied, 0), "kett\xF5");
}

TEST(StoreFormat, NamesWithSpacesAreWrittenWithUnderscores) {
    TStoreCursor cursor;
    CreateEmptyTable(cursor, {Def("Elem nev", FT::ftString, 20)});
    EXPECT_EQ(cursor.Field(0).Name, "Elem_nev");
    EXPECT_EQ(BuildDescriptors({Def("Elem nev", FT::ftString, 20)}), Desc("XXX.Elem_nev K") + "\x14");
}

TEST(StoreFormat, DescriptorParsing) {
    // Alias before the first ".", "XXX" without one; "s" alone is size 100.
    const struct {
        std::string descriptor;
        std::string alias, name;
        K kind;
        int declared;
    } rows[] = {
        {"XXX.Azon i", "XXX", "Azon", K::Integer, 0},
        {"T1.Vonalkod1 s128", "T1", "Vonalkod1", K::String, 128},
        {"Nev Z", "XXX", "Nev", K::SmallStr, 35},
        {"A.b.c s", "A", "b.c", K::String, 100},
        {"XXX.X s5", "XXX", "X", K::String, 5},
        {"XXX.Y ixyz", "XXX", "Y", K::Integer, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.descriptor);
        TStoreCursor cursor;
        std::string reason;
        ASSERT_TRUE(cursor.ParseDescriptors(Desc(row.descriptor) + "\x14", 1, reason)) << reason;
        ASSERT_EQ(cursor.FieldCount(), 1);
        EXPECT_EQ(cursor.Field(0).TableAlias, row.alias);
        EXPECT_EQ(cursor.Field(0).Name, row.name);
        EXPECT_EQ(cursor.Field(0).FieldKind, row.kind);
        EXPECT_EQ(cursor.Field(0).DeclaredSize, row.declared);
    }
    // Parsing stops at the end of the section even when more fields were declared.
    TStoreCursor cursor;
    std::string reason;
    EXPECT_TRUE(cursor.ParseDescriptors(Desc("XXX.A i"), 5, reason));
    EXPECT_EQ(cursor.FieldCount(), 1);
}

TEST(StoreFormat, BadDescriptorsFailTheSection) {
    // No end byte, an empty descriptor, no type code, codes below "A" that are no digit (no
    // size), sizes beyond 16 bits.
    const std::string sections[] = {
        "XXX.A i",       Desc(""),        Desc("XXX.A"),      Desc("XXX.A "),
        Desc("XXX.A !"), Desc("XXX.A /"), Desc("XXX.A s12a"), Desc("XXX.A s70000")};
    for (const std::string& section : sections) {
        SCOPED_TRACE(section);
        TStoreCursor cursor;
        std::string reason;
        EXPECT_FALSE(cursor.ParseDescriptors(section, 1, reason));
        EXPECT_EQ(reason, "Error in buffer structure (field description section)");
    }
    // The fields before the bad one are kept (PartialOpen shows them).
    TStoreCursor cursor;
    std::string reason;
    EXPECT_FALSE(cursor.ParseDescriptors(Desc("XXX.A i") + Desc("XXX.B"), 2, reason));
    EXPECT_EQ(cursor.FieldCount(), 1);
}

TEST(StoreFormat, NotesBlockFollowsTheDescriptors) {
    const TFieldDefs defs = {Def("Azon", FT::ftInteger)};
    TStoreCursor cursor;
    CreateEmptyTable(cursor, defs);
    TStoreValues values = cursor.NewValues();
    cursor.SetInteger(values, 0, 7);
    cursor.AppendRecord(values);
    const std::string empty = BuildEmptyTableImage(defs);
    const std::string record = Bytes({4}) + I32(7);
    // Without a note the first record follows the descriptor section directly.
    EXPECT_EQ(write(cursor).substr(empty.size()), record);
    cursor.Notes = "Hello";
    EXPECT_EQ(write(cursor).substr(empty.size()), "*" + I16(5) + "Hello" + record);

    TStoreCursor back;
    std::string reason;
    ASSERT_TRUE(back.ReadFromStream(write(cursor), reason));
    EXPECT_EQ(back.Notes, "Hello");
    EXPECT_EQ(back.RecordCount(), 1);

    // The block is read only where a record could begin, with at least F bytes left: the
    // 4-byte block of a short note after five fields is not read (the format loses such a note).
    TStoreCursor wide;
    CreateEmptyTable(wide, {Def("A", FT::ftInteger), Def("B", FT::ftInteger), Def("C", FT::ftInteger),
                            Def("D", FT::ftInteger), Def("E", FT::ftInteger)});
    wide.Notes = "x";
    ASSERT_TRUE(back.ReadFromStream(write(wide), reason)) << reason;
    EXPECT_EQ(back.Notes, "");
    EXPECT_EQ(back.RecordCount(), 0);
    wide.Notes = "xy";
    ASSERT_TRUE(back.ReadFromStream(write(wide), reason)) << reason;
    EXPECT_EQ(back.Notes, "xy");
    // The 41-byte empty table followed by a lone "*": too short for a note, opens empty.
    const std::string lone =
        BuildEmptyTableImage({Def("Azon", FT::ftInteger), Def("Tipus", FT::ftString, 1)}) + "*";
    ASSERT_EQ(lone.size(), 42u);
    ASSERT_TRUE(back.ReadFromStream(lone, reason)) << reason;
    EXPECT_EQ(back.RecordCount(), 0);
    EXPECT_EQ(back.Notes, "");

    // A note longer than the 16-bit length can carry is cut to 32767 characters.
    cursor.Notes = std::string(40000, 'n');
    ASSERT_TRUE(back.ReadFromStream(write(cursor), reason));
    EXPECT_EQ(back.Notes.size(), 32767u);
    EXPECT_EQ(back.RecordCount(), 1);
}

TEST(StoreFormat, DeletedAndDroppedRecordsAreNotWritten) {
    TStoreCursor cursor;
    CreateEmptyTable(cursor, {Def("Azon", FT::ftInteger)});
    for (int i = 1; i <= 4; ++i) {
        TStoreValues values = cursor.NewValues();
        cursor.SetInteger(values, 0, i);
        cursor.AppendRecord(values, i == 2   ? TStoreRecordStatus::Deleted
                                    : i == 3 ? TStoreRecordStatus::Dropped
                                             : TStoreRecordStatus::Modified);
    }
    const std::string image = write(cursor);
    EXPECT_EQ(image.substr(5, 4), I32(2));
    TStoreCursor back;
    std::string reason;
    ASSERT_TRUE(back.ReadFromStream(image, reason)) << reason;
    ASSERT_EQ(back.RecordCount(), 2);
    EXPECT_EQ(back.GetInteger(back.Records()[0]->Values, 0), 1);
    EXPECT_EQ(back.GetInteger(back.Records()[1]->Values, 0), 4);
    EXPECT_EQ(back.Records()[1]->Status, TStoreRecordStatus::Unchanged);
}

struct ReaderCase {
    const char* what;
    std::string image;
    std::string reason;
    int keptRecords; // with PartialOpen
};

std::vector<ReaderCase> readerCases() {
    const std::string azon = Desc("XXX.Azon i");
    const std::string nev = Desc("XXX.Nev s50");
    const std::string kep = Desc("XXX.Kep g");
    const std::string rec = Bytes({4}) + I32(1); // one Azon record
    std::string four;
    for (int i = 0; i < 4; ++i)
        four += rec;
    return {
        {"shorter than the status byte", "\x05\x00", "Buffer structure corruption!", 0},
        {"ends inside the counts", std::string("\0\0\0\0S\0\0\0\0\0", 10), "Buffer structure corruption!", 0},
        {"descriptor section longer than the file", Image(0, 1, azon).substr(0, 20),
         "Buffer structure corruption!", 0},
        {"negative field count", Image(0, -1, azon), "Buffer structure corruption!", 0},
        {"descriptor without end byte", Image(0, 2, azon + "XXX.B i"),
         "Error in buffer structure (field description section)", 0},
        {"five declared, four held", Image(5, 1, azon, four),
         "Number of records read (4) does not match declared record count (5)", 4},
        {"fixed value longer than its slot", Image(2, 1, azon, rec + Bytes({5}) + I32(1) + "x"),
         "Field 'Azon' has wrong length 5 in record 2", 1},
        {"counted value with length byte 2", Image(1, 1, nev, Bytes({2, 'a', 'b'})),
         "Field 'Nev' has wrong length 2 in record 1", 0},
        {"string count 8192", Image(1, 1, nev, Bytes({4}) + I32(8192) + std::string(8192, 'a')),
         "String field 'Nev' has wrong length 8192 in record 1", 0},
        {"negative string count", Image(1, 1, nev, Bytes({4}) + I32(-1)),
         "String field 'Nev' has wrong length -1 in record 1", 0},
        {"BLOB size 2^30", Image(1, 1, kep, Bytes({4}) + I32(1 << 30)),
         "BLOB field 'Kep' has wrong length 1073741824 in record 1", 0},
        // The file ends inside a record: the record is dropped and the count check reports it.
        {"file ends inside a value", Image(2, 1, azon, rec + Bytes({4, 1, 0})),
         "Number of records read (1) does not match declared record count (2)", 1},
        {"BLOB larger than the rest of the file", Image(1, 1, kep, Bytes({4}) + I32(1073741823) + "abc"),
         "Number of records read (0) does not match declared record count (1)", 0},
        {"huge declared record count", Image(INT32_MAX, 1, azon, rec),
         "Number of records read (1) does not match declared record count (2147483647)", 1},
        {"note runs past the end", Image(0, 1, azon, "*" + I16(100) + "abc"), "Buffer structure corruption!",
         0},
        {"error image", I32(15) + "EDisk full", "Disk full", -1},
    };
}

TEST(StoreFormat, ReaderErrors) {
    for (const ReaderCase& row : readerCases()) {
        SCOPED_TRACE(row.what);
        TStoreCursor cursor;
        std::string reason;
        EXPECT_FALSE(cursor.ReadFromStream(row.image, reason));
        EXPECT_EQ(reason, row.reason);
        EXPECT_EQ(cursor.FieldCount(), 0);
        EXPECT_EQ(cursor.RecordCount(), 0);
    }
}

TEST(StoreFormat, PartialOpenKeepsWhatWasRead) {
    for (const ReaderCase& row : readerCases()) {
        SCOPED_TRACE(row.what);
        TStoreCursor cursor;
        std::string reason;
        const bool opened = cursor.ReadFromStream(row.image, reason, true);
        EXPECT_EQ(reason, row.reason);
        if (row.keptRecords < 0) {
            EXPECT_FALSE(opened); // an error image never opens
            continue;
        }
        EXPECT_TRUE(opened);
        EXPECT_EQ(cursor.RecordCount(), row.keptRecords);
        for (const TStoreRecord* record : cursor.Records())
            EXPECT_EQ(cursor.GetInteger(record->Values, 0), 1);
    }
}

TEST(StoreFormat, StringCountLimitIsInclusive) {
    const std::string image =
        Image(1, 1, Desc("XXX.Nev s9000"), Bytes({4}) + I32(8191) + std::string(8191, 'q'));
    TStoreCursor cursor;
    std::string reason;
    ASSERT_TRUE(cursor.ReadFromStream(image, reason)) << reason;
    EXPECT_EQ(cursor.GetString(cursor.Records()[0]->Values, 0).size(), 8191u);
    // The writer never produces what the reader refuses: values are held to 8191 characters.
    TStoreValues values = cursor.NewValues();
    cursor.SetString(values, 0, std::string(9000, 'w'));
    EXPECT_EQ(cursor.GetString(values, 0).size(), 8191u);
}

TEST(StoreFormat, ShortStringMayFillItsWholeSlot) {
    // A length byte of declared size + 1 is accepted and read back without a terminating zero.
    const std::string image = Image(1, 1, Desc("XXX.Kod 3"), Bytes({4}) + "ABCD");
    TStoreCursor cursor;
    std::string reason;
    ASSERT_TRUE(cursor.ReadFromStream(image, reason)) << reason;
    EXPECT_EQ(cursor.GetString(cursor.Records()[0]->Values, 0), "ABCD");
    std::string again;
    cursor.WriteToStream(again);
    EXPECT_EQ(again, image);
}

TEST(StoreFormat, ShortValuesFillTheLowBytesOfTheSlot) {
    // A length byte smaller than the slot reads the bytes given; the rest stays zero.
    const std::string image = Image(1, 1, Desc("XXX.Azon i"), Bytes({2, 0x34, 0x12}));
    TStoreCursor cursor;
    std::string reason;
    ASSERT_TRUE(cursor.ReadFromStream(image, reason));
    EXPECT_EQ(cursor.GetInteger(cursor.Records()[0]->Values, 0), 0x1234);
}

TEST(StoreFormat, CreatingWithoutFieldsFails) {
    TStoreCursor cursor;
    EXPECT_EQ(ErrorOf<EStoreError>([&] { CreateEmptyTable(cursor, {}); }),
              "Error creating table (no field descriptions)");
}

TEST(StoreFormat, TableWithoutFieldsReadsItsDeclaredRecords) {
    // Records of a table without fields have no bytes: the declared count of them is read.
    TStoreCursor cursor;
    std::string reason;
    ASSERT_TRUE(cursor.ReadFromStream(Image(3, 0, ""), reason)) << reason;
    EXPECT_EQ(cursor.RecordCount(), 3);
    std::string again;
    cursor.WriteToStream(again);
    EXPECT_EQ(again, Image(3, 0, ""));
    EXPECT_TRUE(cursor.ReadFromStream(Image(0, 0, ""), reason));
    EXPECT_EQ(cursor.RecordCount(), 0);
    // Nothing in the file vouches for them: no more than a million are made.
    EXPECT_FALSE(cursor.ReadFromStream(Image(1000000000, 0, ""), reason));
    EXPECT_EQ(reason, "Number of records read (1000000) does not match declared record count (1000000000)");
    EXPECT_EQ(cursor.RecordCount(), 0);
    EXPECT_TRUE(cursor.ReadFromStream(Image(kStoreMaxEmptyRecords + 1, 0, ""), reason, true));
    EXPECT_EQ(cursor.RecordCount(), kStoreMaxEmptyRecords);
}

// A header that declares fields whose descriptor section ends before them (no field is read):
// each record would still begin with one length byte per declared field, so a file can hold no
// more records than its bytes allow, not the million a 17-byte file declares.
TEST(StoreFormat, DeclaredRecordsAreHeldToTheBytesOfTheFile) {
    const struct {
        int32_t fields;
        std::string rest;
        int32_t read;
    } rows[] = {{1, "", 0}, {3, "", 0}, {1, std::string(5, '\0'), 5}, {2, std::string(5, '\0'), 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fields);
        const std::string image = I32(static_cast<int32_t>(17 + row.rest.size())) + "S" + I32(1000000) +
                                  I32(row.fields) + I32(0) + row.rest;
        TStoreCursor cursor;
        std::string reason;
        EXPECT_FALSE(cursor.ReadFromStream(image, reason));
        EXPECT_EQ(reason, "Number of records read (" + std::to_string(row.read) +
                              ") does not match declared record count (1000000)");
        EXPECT_TRUE(cursor.ReadFromStream(image, reason, true));
        EXPECT_EQ(cursor.RecordCount(), row.read);
    }
}

// Any type character that is no letter code is a short string's size: c - '0' for a digit,
// c - 'A' + 10 otherwise.
TEST(StoreFormat, OtherTypeCharactersAreShortStringSizes) {
    const struct {
        char code;
        int size;
        char written; // the writer's code for the size: a digit up to 9, then c - 'A' + 10
    } rows[] = {{'5', 5, '5'},  {'@', 9, '9'},  {'Z', 35, 'Z'}, {'[', 36, '['},
                {'_', 40, '_'}, {'x', 65, 'x'}, {'z', 67, 'z'}, {'\xFF', 200, '\xFF'}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        const std::string value(static_cast<std::size_t>(row.size), 'v');
        const std::string records = Bytes({row.size}) + value;
        TStoreCursor cursor;
        std::string reason;
        ASSERT_TRUE(
            cursor.ReadFromStream(Image(1, 1, Desc(std::string("XXX.A ") + row.code), records), reason))
            << reason;
        EXPECT_EQ(cursor.Field(0).FieldKind, K::SmallStr);
        EXPECT_EQ(cursor.Field(0).DeclaredSize, row.size);
        EXPECT_EQ(cursor.Field(0).DataSize, row.size + 1);
        EXPECT_EQ(cursor.GetString(cursor.Records()[0]->Values, 0), value);
        std::string again;
        cursor.WriteToStream(again);
        EXPECT_EQ(again, Image(1, 1, Desc(std::string("XXX.A ") + row.written), records));
    }
}

// A text field longer than the reader accepts is refused when a table is made with it.
TEST(StoreFormat, TextFieldsOver8191AreRefused) {
    TStoreCursor cursor;
    EXPECT_EQ(ErrorOf<EStoreError>([&] { CreateEmptyTable(cursor, {Def("Hosszu", FT::ftString, 8192)}); }),
              "Error creating table: string field 'Hosszu' has size 8192; the largest is 8191");
    CreateEmptyTable(cursor, {Def("Hosszu", FT::ftString, 8191)});
    EXPECT_EQ(cursor.Field(0).DeclaredSize, 8191);
}

std::vector<int> collect(const std::function<void(const TStoreProgress&)>& run) {
    std::vector<int> seen;
    run([&](int percent) { seen.push_back(percent); });
    return seen;
}

TEST(StoreFormat, ProgressIsReportedInWholePercentOnlyOnChange) {
    TStoreCursor cursor;
    CreateEmptyTable(cursor, {Def("Azon", FT::ftInteger)});
    for (int i = 0; i < 3; ++i)
        cursor.AppendRecord(cursor.NewValues());
    std::string image;
    EXPECT_EQ(collect([&](const TStoreProgress& p) { cursor.WriteToStream(image, p); }),
              (std::vector<int>{33, 67, 100}));
    TStoreCursor back;
    std::string reason;
    EXPECT_EQ(collect([&](const TStoreProgress& p) { back.ReadFromStream(image, reason, false, p); }),
              (std::vector<int>{33, 67, 100}));

    // The writer's denominator counts deleted records too: 4 records of which 2 are deleted.
    TStoreCursor mixed;
    CreateEmptyTable(mixed, {Def("Azon", FT::ftInteger)});
    for (int i = 0; i < 4; ++i)
        mixed.AppendRecord(mixed.NewValues(),
                           i % 2 ? TStoreRecordStatus::Deleted : TStoreRecordStatus::Unchanged);
    EXPECT_EQ(collect([&](const TStoreProgress& p) { mixed.WriteToStream(image, p); }),
              (std::vector<int>{25, 50, 75, 100}));
    EXPECT_EQ(image.substr(5, 4), I32(2));
}

TEST(StoreFormat, ProgressRoundsHalfToEven) {
    // Reading 1000 records reports percent p first after record 10p - 5 (even p, the tie rounds
    // down to p) or 10p - 4 (odd p).
    TStoreCursor big;
    CreateEmptyTable(big, {Def("Azon", FT::ftInteger)});
    for (int i = 0; i < 1000; ++i) {
        TStoreValues values = big.NewValues();
        big.SetInteger(values, 0, i + 1);
        big.AppendRecord(values);
    }
    std::string image;
    big.WriteToStream(image);
    TStoreCursor back;
    std::string reason;
    std::vector<std::pair<int, int>> steps; // (percent, records read when reported)
    back.ReadFromStream(image, reason, false,
                        [&](int percent) { steps.emplace_back(percent, back.RecordCount()); });
    ASSERT_EQ(steps.size(), 101u);
    EXPECT_EQ(steps[0], std::make_pair(0, 1));
    for (int p = 1; p <= 100; ++p)
        EXPECT_EQ(steps[static_cast<std::size_t>(p)], std::make_pair(p, p % 2 == 0 ? 10 * p - 5 : 10 * p - 4))
            << p;
}

} // namespace
} // namespace etikor
