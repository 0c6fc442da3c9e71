#include "tablestore/StoreTable.h"

#include "StoreTableSupport.h"
#include "support/TempDir.h"
#include "tablestore/StoreFormat.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using namespace etikor::test;
using StoreCopy = StoreTest;

const TFieldDefs kSeries = {{"Vonalkod1", TFieldType::ftString, 128}, {"Tipus1", TFieldType::ftInteger, 0}};

std::vector<std::string> FieldNames(TDataSet& d) {
    return d.GetFieldNames();
}

TEST_F(StoreCopy, Messages) {
    TStoreTable t;
    t.Name = "Temp";
    MakeTable(t, kSeries);
    EXPECT_EQ(ErrorOf([&] { t.CopyFrom(nullptr, 0); }),
              "Temp: Source for copying is not assigned or same as destination");
    EXPECT_EQ(ErrorOf([&] { t.CopyFrom(&t, 0); }),
              "Temp: Source for copying is not assigned or same as destination");
    AnyDataSet broken(kSeries, {});
    broken.FailOpen = true;
    EXPECT_EQ(ErrorOf([&] { t.CopyFrom(&broken, 0); }), "Temp: Error opening source table for copying");
}

// Mode 0 appends every record from any dataset, converting through the field texts; a closed
// source is opened and closed again.
TEST_F(StoreCopy, Mode0AppendsFromAnyDataset) {
    AnyDataSet source({{"Vonalkod1", TFieldType::ftString, 20},
                       {"Tipus1", TFieldType::ftString, 5},
                       {"Extra", TFieldType::ftInteger, 0}},
                      {{TVariant("A"), TVariant("3"), TVariant(1)},
                       {TVariant("B"), TVariant("x"), TVariant(2)}, // "x" does not convert: left out
                       {TVariant(), TVariant("4"), TVariant(3)}});
    TStoreTable t;
    MakeTable(t, kSeries, {{"Z", "9"}});
    EXPECT_EQ(t.CopyFrom(&source, 0), 3);
    EXPECT_FALSE(source.Active());
    EXPECT_EQ(Column(t, "Vonalkod1"), (Texts{"Z", "A", "B", ""}));
    EXPECT_EQ(Column(t, "Tipus1"), (Texts{"9", "3", "0", "4"}));
    EXPECT_EQ(t.RecNo(), 1);
}

// Mode 1 updates the record with the same unique key or appends one.
TEST_F(StoreCopy, Mode1UpdatesByUniqueKey) {
    TStoreTable source;
    MakeTable(source, kSeries, {{"A", "10"}, {"C", "30"}});
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1"}, {"B", "2"}});
    t.UniqueFieldNames = "Vonalkod1";
    EXPECT_EQ(t.CopyFrom(&source, 1), 2);
    EXPECT_EQ(Column(t, "Vonalkod1"), (Texts{"A", "B", "C"}));
    EXPECT_EQ(Column(t, "Tipus1"), (Texts{"10", "2", "30"}));
    // Without unique fields it works as mode 0.
    t.UniqueFieldNames.clear();
    EXPECT_EQ(t.CopyFrom(&source, 1), 2);
    EXPECT_EQ(t.RecordCount(), 5);
}

// Mode 2 takes the structure (spaces become "_") and the store settings, then appends.
TEST_F(StoreCopy, Mode2RestructuresThenAppends) {
    TStoreTable source;
    MakeTable(source, {{"Vonal kod", TFieldType::ftString, 20}, {"Db", TFieldType::ftInteger, 0}});
    source.Close();
    source.SetIndexFieldNames("Vonal_kod");
    source.UniqueFieldNames = "Vonal_kod";
    source.SetNotes("jegyzet");
    source.FieldDefs = {{"Vonal kod", TFieldType::ftString, 20}, {"Db", TFieldType::ftInteger, 0}};
    source.Open();
    AddRow(source, {"B", "2"});
    AddRow(source, {"A", "1"});
    TStoreTable t;
    MakeTable(t, kSeries, {{"Z", "9"}});
    EXPECT_EQ(t.CopyFrom(&source, 2), 2);
    EXPECT_EQ(FieldNames(t), (Texts{"Vonal_kod", "Db"}));
    EXPECT_EQ(t.IndexFieldNames(), "Vonal_kod");
    EXPECT_EQ(t.UniqueFieldNames, "Vonal_kod");
    EXPECT_EQ(t.Notes(), "jegyzet");
    EXPECT_EQ(Column(t, "Vonal_kod"), (Texts{"B", "A"})); // posted records are not re-sorted
}

// Mode 3: the structure only. An unnamed table takes the source's; a file-bound table reopens
// its file and keeps the file's structure.
TEST_F(StoreCopy, Mode3StructureOnly) {
    TempDir dir;
    AnyDataSet source({{"Vonalkod 1", TFieldType::ftString, 20}, {"Tipus1", TFieldType::ftInteger, 0}},
                      {{TVariant("A"), TVariant(1)}});
    TStoreTable unnamed;
    EXPECT_EQ(unnamed.CopyFrom(&source, 3), 0);
    EXPECT_TRUE(unnamed.Active());
    EXPECT_EQ(unnamed.RecordCount(), 0);
    EXPECT_EQ(FieldNames(unnamed), (Texts{"Vonalkod_1", "Tipus1"}));

    TStoreTable maker;
    MakeTable(maker, {{"Darab", TFieldType::ftInteger, 0}, {"Vonalkod1", TFieldType::ftString, 30}});
    maker.SaveTable(dir.file("Temp.tmp"));
    TStoreTable temp;
    temp.SetTableName(dir.file("Temp.tmp"));
    EXPECT_EQ(temp.CopyFrom(&source, 3), 0);
    EXPECT_EQ(FieldNames(temp), (Texts{"Darab", "Vonalkod1"}));
    EXPECT_EQ(temp.RecordCount(), 0);
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

using namespace etikor::test;

// Mode 1 finds each record through a key index built for the copy; the result is the one the
// record-by-record search gives: the first equal key in view order is updated, keys compare as
// converted values (an integer key "007" is 7), and records appended by the copy are found by
// later source records.
TEST_F(StoreCopy, Mode1KeyIndexMatchesTheSearch) {
    const TFieldDefs defs = {{"Kod", TFieldType::ftInteger, 0}, {"Nev", TFieldType::ftString, 10}};
    TStoreTable source;
    MakeTable(source, defs,
              {{"007", "hét"}, {"9", "kilenc"}, {"9", "kilenc2"}, {"", "üres"}, {"2", "kettő"}});
    TStoreTable t;
    MakeTable(t, defs, {{"2", "a"}, {"7", "b"}, {"2", "c"}});
    t.UniqueFieldNames = "Kod";
    EXPECT_EQ(t.CopyFrom(&source, 1), 5);
    EXPECT_TRUE(t.LastCopyIndexed());
    EXPECT_EQ(Column(t, "Kod"), (Texts{"2", "7", "2", "9", "0"}));
    EXPECT_EQ(Column(t, "Nev"), (Texts{"kettő", "hét", "c", "kilenc2", "üres"}));
}

} // namespace
} // namespace etikor
