#include "tablestore/StoreCursor.h"

#include "StoreTestSupport.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using K = TStoreFieldKind;

TStoreField field(const char* name, K kind, uint16_t declared = 0) {
    TStoreField f;
    f.Name = name;
    f.FieldKind = kind;
    f.DeclaredSize = declared;
    return f;
}

TEST(StoreCursor, SetFieldsLaysOutTheSlots) {
    // Slot widths: SmallInt 2, Boolean 2, Double 8, SmallStr size + 1, String one reference (4),
    // BLOB kinds a reference and a length (8).
    TStoreCursor cursor;
    cursor.SetFields({field("A", K::SmallInt), field("B", K::Double), field("C", K::SmallStr, 3),
                      field("D", K::String, 40), field("E", K::Memo), field("F", K::Boolean, 9)});
    const int offsets[] = {0, 2, 10, 14, 18, 26};
    const int widths[] = {2, 8, 4, 4, 8, 2};
    for (int i = 0; i < cursor.FieldCount(); ++i) {
        EXPECT_EQ(cursor.Field(i).SlotOffset, offsets[i]) << i;
        EXPECT_EQ(cursor.Field(i).DataSize, widths[i]) << i;
    }
    EXPECT_EQ(cursor.Field(5).DeclaredSize, 0); // only strings keep a declared size
    EXPECT_EQ(cursor.RecordSize(), 28);
    EXPECT_EQ(StoreTypeCode(cursor.Field(2)), "3");
    EXPECT_EQ(StoreTypeCode(cursor.Field(3)), "s40");
    EXPECT_EQ(StoreTypeCode(cursor.Field(4)), "m");
}

TEST(StoreCursor, EntriesKeepTheirAddresses) {
    TStoreCursor cursor;
    cursor.SetFields({field("N", K::Integer)});
    std::vector<TStoreRecord*> seen;
    for (int i = 0; i < 5000; ++i) {
        TStoreValues values = cursor.NewValues();
        cursor.SetInteger(values, 0, i);
        seen.push_back(cursor.AppendRecord(std::move(values), TStoreRecordStatus::Inserted));
    }
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(cursor.Records()[static_cast<std::size_t>(i)], seen[static_cast<std::size_t>(i)]);
        ASSERT_EQ(cursor.GetInteger(seen[static_cast<std::size_t>(i)]->Values, 0), i);
    }

    // Removing keeps the order of the others; removed entries stay allocated, freed and dropped.
    cursor.RemoveRecords([&](const TStoreRecord& r) { return cursor.GetInteger(r.Values, 0) % 2 == 1; });
    ASSERT_EQ(cursor.RecordCount(), 2500);
    EXPECT_EQ(cursor.Records()[1], seen[2]);
    EXPECT_EQ(seen[1]->Status, TStoreRecordStatus::Dropped);
    EXPECT_TRUE(seen[1]->Values.IsEmpty());
    EXPECT_FALSE(cursor.Contains(seen[1]));
    EXPECT_TRUE(cursor.Contains(seen[2]));

    // A reordering must hold every record.
    std::vector<TStoreRecord*> reversed(cursor.Records().rbegin(), cursor.Records().rend());
    cursor.ReorderRecords({reversed.begin(), reversed.begin() + 3});
    EXPECT_EQ(cursor.Records()[0], seen[0]);
    cursor.ReorderRecords(reversed);
    EXPECT_EQ(cursor.Records()[0], seen[4998]);

    cursor.ClearRecords();
    EXPECT_EQ(cursor.RecordCount(), 0);
    EXPECT_EQ(cursor.FieldCount(), 1);
    cursor.Clear();
    EXPECT_EQ(cursor.FieldCount(), 0);
    EXPECT_EQ(cursor.RecordSize(), 0);
}

} // namespace
} // namespace etikor
