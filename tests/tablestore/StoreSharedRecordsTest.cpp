// Tables that share records (a source and its clones) and master-detail links: what one table
// does to the shared records must leave every other table consistent.

#include "tablestore/StoreTable.h"

#include "StoreTableSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace etikor {
namespace {

using namespace etikor::test;

const TFieldDefs kSeries = {{"Vonalkod1", TFieldType::ftString, 128}, {"Tipus1", TFieldType::ftInteger, 0}};

using StoreShared = StoreTest;

// Runs a check whenever its data source reports anything.
class ProbeLink : public TDataLink {
public:
    std::function<void()> Check;

protected:
    void ActiveChanged() override { Run(); }
    void LayoutChanged() override { Run(); }
    void CurrentChanged() override { Run(); }
    void DataSetChanged() override { Run(); }
    void RecordChanged(const TField*) override { Run(); }

private:
    void Run() {
        if (Check)
            Check();
    }
};

// Emptying through a clone frees the shared entries: no table on them may still show one when
// the listeners are told (a detail reading its master's current value, a bound grid).
TEST_F(StoreShared, EmptyingThroughACloneLeavesNoStaleView) {
    TStoreTable master;
    MakeTable(master, kSeries, {{"A", "1"}, {"B", "2"}});
    master.Last();
    TStoreTable clone;
    clone.SetCloneDS(&master);
    clone.Open();
    TStoreTable detail;
    MakeTable(detail, {{"Tipus", TFieldType::ftInteger, 0}, {"Tetel", TFieldType::ftString, 10}},
              {{"1", "a"}, {"2", "b"}});
    TDataSource source(&master);
    detail.SetRangeFieldNames("Tipus");
    detail.SetMasterFields("Tipus1");
    detail.SetMasterSource(&source);
    EXPECT_EQ(Column(detail, "Tetel"), Texts{"b"});

    int told = 0;
    ProbeLink grid;
    grid.SetDataSource(&source);
    grid.Check = [&] {
        ++told;
        EXPECT_EQ(master.RecordCount(), 0);
        EXPECT_TRUE(master.FieldByName("Vonalkod1").IsNull());
        for (int i = 0; i < master.RecordCount(); ++i)
            master.ValueAt(i, master.FieldByName("Vonalkod1"));
    };
    clone.EmptyTable();
    EXPECT_GT(told, 0);
    grid.Check = nullptr;
    EXPECT_EQ(master.RecordCount(), 0);
    EXPECT_EQ(detail.RecordCount(), 0); // the master has no current record: nothing in range
    detail.SetMasterSource(nullptr);
    clone.Close();
}

// Cycles of any length are refused, not only the link of a table to itself.
TEST_F(StoreShared, MasterDetailCyclesAreRefused) {
    TStoreTable a, b, c;
    a.Name = "A";
    b.Name = "B";
    c.Name = "C";
    for (TStoreTable* t : {&a, &b, &c}) {
        MakeTable(*t, kSeries, {{"X", "1"}});
        t->SetRangeFieldNames("Tipus1");
        t->SetMasterFields("Tipus1");
    }
    TDataSource sourceA(&a), sourceB(&b), sourceC(&c);
    b.SetMasterSource(&sourceA); // a → b
    EXPECT_EQ(ErrorOf([&] { a.SetMasterSource(&sourceB); }), "A: Circular data link");
    c.SetMasterSource(&sourceB); // a → b → c
    EXPECT_EQ(ErrorOf([&] { a.SetMasterSource(&sourceC); }), "A: Circular data link");
    EXPECT_EQ(a.MasterSource(), nullptr);
    a.Next(); // the links still work after the refusals
    EXPECT_EQ(c.RecordCount(), 1);
    c.SetMasterSource(nullptr);
    b.SetMasterSource(nullptr);
}

// A post through any table on the records ends the sorted mark of every view over them: the
// binary search of the other table would miss the changed record.
TEST_F(StoreShared, PostThroughACloneEndsEverySortedView) {
    TStoreTable src;
    MakeTable(src, kSeries, {{"A", "1"}, {"B", "2"}, {"C", "3"}});
    src.SetIndexFieldNames("Vonalkod1");
    src.RebuildView();
    ASSERT_TRUE(src.ViewSorted());
    TStoreTable clone;
    clone.SetCloneDS(&src);
    clone.Open();
    ASSERT_TRUE(clone.Locate("Vonalkod1", TVariant("A"), 0));
    clone.Edit();
    clone.FieldByName("Vonalkod1").SetAsString("Z");
    clone.Post();
    EXPECT_FALSE(src.ViewSorted());
    EXPECT_TRUE(src.Locate("Vonalkod1", TVariant("Z"), 0));
    EXPECT_TRUE(src.FindByKey("Vonalkod1", "Z"));
    EXPECT_EQ(src.Lookup("Vonalkod1", TVariant("Z"), "Tipus1").ToInt(), 1);
    AddRow(clone, {"0", "4"}); // an append through the clone as well
    src.RebuildView();
    EXPECT_TRUE(src.ViewSorted());
    clone.Append();
    clone.FieldByName("Vonalkod1").SetAsString("AA");
    clone.Post();
    EXPECT_FALSE(src.ViewSorted());
    clone.Close();
}

// The backup belongs to the record: a clone that cancels its own edit of a record leaves the
// backup that another table's edit of the same record needs.
TEST_F(StoreShared, CloneCancelKeepsAnotherTablesBackup) {
    TStoreTable src;
    MakeTable(src, kSeries, {{"A", "1"}});
    src.CommitChanges();
    TStoreTable clone;
    clone.SetCloneDS(&src);
    clone.Open();
    src.Edit();
    clone.Edit();
    clone.Cancel();
    src.FieldByName("Vonalkod1").SetAsString("changed");
    src.Post();
    src.CancelChanges();
    EXPECT_EQ(Column(src, "Vonalkod1"), Texts{"A"});
    clone.Close();
}

// Messages for records that are gone: a record that a commit took out of storage is not found;
// a deleted one that is still stored has been deleted.
TEST_F(StoreShared, MessagesForRecordsNoLongerStored) {
    TStoreTable src;
    src.Name = "T1";
    MakeTable(src, kSeries, {{"A", "1"}, {"B", "2"}});
    src.CommitChanges();
    TStoreTable clone;
    clone.Name = "T2";
    clone.SetCloneDS(&src);
    clone.Open();

    src.First();
    src.Edit();
    src.FieldByName("Tipus1").SetAsInteger(5);
    clone.First();
    clone.Delete(); // deleted, still stored
    EXPECT_EQ(ErrorOf([&] { src.Post(); }), "T1: Error saving record: Record has been deleted");
    src.Cancel();
    EXPECT_EQ(ErrorOf([&] { src.Delete(); }), "T1: Error deleting record: Record has been deleted");

    src.Last();
    src.Edit();
    src.FieldByName("Tipus1").SetAsInteger(6);
    clone.Last();
    clone.Delete();
    clone.CommitChanges(); // both deleted records are now out of storage
    EXPECT_EQ(ErrorOf([&] { src.Post(); }), "T1: Error saving record: Record is not found");
    src.Cancel();
    EXPECT_EQ(ErrorOf([&] { src.Delete(); }), "T1: Error deleting record: Record is not found");
    EXPECT_EQ(ErrorOf([&] { src.Edit(); }), "T1: Record is not found");
    clone.Close();
}

// Emptying cancels a pending edit but leaves the change counter as it was.
TEST_F(StoreShared, EmptyTableKeepsTheChangeCounter) {
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1"}, {"B", "2"}});
    t.CommitChanges();
    int told = 0;
    t.OnNeedToSaveChange = [&](TDataSet&) { ++told; };
    t.First();
    t.Delete();
    t.Edit();
    EXPECT_EQ(t.ChangeCount(), 2);
    t.EmptyTable();
    EXPECT_EQ(t.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(t.ChangeCount(), 2);
    EXPECT_EQ(told, 1);

    // A clone editing when the source empties the records: its counter stays too.
    TStoreTable src;
    MakeTable(src, kSeries, {{"A", "1"}});
    TStoreTable clone;
    clone.SetCloneDS(&src);
    clone.Open();
    clone.Edit();
    EXPECT_EQ(clone.ChangeCount(), 1);
    src.EmptyTable();
    EXPECT_EQ(clone.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(clone.ChangeCount(), 1);
    clone.Close();
}

} // namespace
} // namespace etikor
