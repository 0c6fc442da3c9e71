#include "tablestore/StoreTable.h"

#include "StoreTableSupport.h"
#include "StoreTestSupport.h"
#include "support/TempDir.h"
#include "tablestore/StoreDatabase.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreFormat.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using namespace etikor::test;

const TFieldDefs kSeries = {{"Vonalkod1", TFieldType::ftString, 128}, {"Tipus1", TFieldType::ftInteger, 0}};

using StoreTable = StoreTest;

TEST_F(StoreTable, PublishedDefaults) {
    TStoreTable t;
    EXPECT_EQ(t.Version(), "ZazazIR Engine v4.5");
    t.SetVersion("x");
    EXPECT_EQ(t.Version(), "ZazazIR Engine v4.5");
    EXPECT_EQ(t.LoadMode(), lmClear);
    EXPECT_FALSE(t.ReadOnly());
    EXPECT_FALSE(t.PartialOpen);
    EXPECT_EQ(t.SaveOptions, 0);
    EXPECT_EQ(t.SortOptions(), 0);
    EXPECT_EQ(t.Database(), nullptr);
    EXPECT_EQ(t.MasterSource(), nullptr);
    EXPECT_TRUE(t.IndexFieldNames().empty() && t.Notes().empty() && t.UniqueFieldNames.empty());
    t.SetTableName("/x/a.sor");
    EXPECT_EQ(t.LoadMode(), lmFile);
    t.SetTableName("");
    EXPECT_EQ(t.LoadMode(), lmClear);
}

// Each load mode's open rule and its messages, with and without a component name.
TEST_F(StoreTable, OpenRulesAndMessages) {
    TempDir dir;
    TStoreTable t;
    t.Name = "T1";
    EXPECT_EQ(ErrorOf([&] { t.Open(); }), "T1: Error creating table (no field descriptions)");
    EXPECT_FALSE(t.Active());

    t.SetTableName(dir.file("nincs.sor"));
    EXPECT_EQ(ErrorOf([&] { t.Open(); }), "T1: Error opening file " + dir.file("nincs.sor"));

    WriteFileBytes(dir.file("hibas.sor"), std::string("\0\0\0\0E", 5) + "Disk full");
    t.SetTableName(dir.file("hibas.sor"));
    t.PartialOpen = true; // an error image never opens
    EXPECT_EQ(ErrorOf([&] { t.Open(); }), "T1: Error opening table: Disk full");
    EXPECT_FALSE(t.Active());

    t.Name.clear();
    t.PartialOpen = false;
    WriteFileBytes(dir.file("rovid.sor"), "abc");
    t.SetTableName(dir.file("rovid.sor"));
    EXPECT_EQ(ErrorOf([&] { t.Open(); }), "Error opening table: Buffer structure corruption!");

    // lmStream: an image the caller assigns.
    TStoreTable src;
    MakeTable(src, kSeries, {{"A", "1"}});
    std::string image;
    src.Cursor()->WriteToStream(image);
    TStoreTable s;
    s.SetLoadMode(lmStream);
    s.SetStream(image);
    s.Open();
    EXPECT_EQ(Column(s, "Vonalkod1"), Texts{"A"});
    TStoreDataset d;
    d.LoadFromStream(image);
    EXPECT_EQ(d.RecordCount(), 1);
    EXPECT_EQ(ErrorOf([&] { d.LoadFromStream("xyz"); }), "Error opening table: Buffer structure corruption!");
}

// A damaged file opens with what could be read, after the warning.
TEST_F(StoreTable, PartialOpenWarns) {
    TempDir dir;
    TStoreTable src;
    MakeTable(src, kSeries, {{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}});
    src.SaveTable(dir.file("t.sor"));
    std::string bytes = ReadFileBytes(dir.file("t.sor"));
    bytes.replace(5, 4, I32(5)); // declares 5 records, holds 4
    WriteFileBytes(dir.file("t.sor"), bytes);

    std::vector<std::string> warnings;
    SetStoreWarningHandler([&](const std::string& text) { warnings.push_back(text); });
    TStoreTable t;
    t.SetTableName(dir.file("t.sor"));
    EXPECT_EQ(ErrorOf([&] { t.Open(); }),
              "Error opening table: Number of records read (4) does not match declared record count (5)");
    EXPECT_TRUE(warnings.empty());
    t.PartialOpen = true;
    t.Open();
    EXPECT_EQ(t.RecordCount(), 4);
    EXPECT_EQ(warnings, Texts{"Number of records read (4) does not match declared record count (5)"});
    SetStoreWarningHandler({});
}

TEST_F(StoreTable, ProgressOnlyOnChange) {
    TempDir dir;
    TStoreTable src;
    MakeTable(src, kSeries, {{"A", "1"}, {"B", "2"}, {"C", "3"}});
    std::vector<int> written;
    src.OnCallback = [&](TStoreDataset&, int percent) { written.push_back(percent); };
    src.Close(); // the handler takes effect at the next open
    src.FieldDefs = kSeries;
    src.Open();
    AddRow(src, {"A", "1"});
    AddRow(src, {"B", "2"});
    AddRow(src, {"C", "3"});
    src.SaveTable(dir.file("p.sor"));
    EXPECT_EQ(written, (std::vector<int>{33, 67, 100}));

    std::vector<int> read;
    TStoreTable t;
    t.OnCallback = [&](TStoreDataset&, int percent) { read.push_back(percent); };
    t.SetTableName(dir.file("p.sor"));
    t.Open();
    EXPECT_EQ(read, (std::vector<int>{33, 67, 100}));
}

// Posting does not re-sort; a refresh re-reads the file and does.
TEST_F(StoreTable, AppendedRecordStaysLastUntilRefresh) {
    TempDir dir;
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1"}, {"C", "3"}});
    t.SaveTable(dir.file("s.sor"));
    t.SetTableName(dir.file("s.sor"));
    t.SetIndexFieldNames("Vonalkod1");
    t.Open();
    EXPECT_TRUE(t.ViewSorted());
    AddRow(t, {"B", "2"});
    EXPECT_EQ(Column(t, "Vonalkod1"), (Texts{"A", "C", "B"}));
    EXPECT_EQ(t.RecNo(), 3); // the posted record is current
    EXPECT_FALSE(t.ViewSorted());
    t.SaveTable(t.TableName());
    t.Refresh();
    EXPECT_EQ(Column(t, "Vonalkod1"), (Texts{"A", "B", "C"}));
    EXPECT_TRUE(t.ViewSorted());
}

TEST_F(StoreTable, DeletingTheOnlyRecord) {
    TempDir dir;
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1"}});
    t.Delete();
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_TRUE(t.Eof() && t.Bof());
    EXPECT_EQ(t.RecNo(), 0);
    t.SaveTable(dir.file("u.sor"));
    std::string bytes = ReadFileBytes(dir.file("u.sor"));
    EXPECT_EQ(bytes.substr(5, 4), I32(0));
    EXPECT_EQ(bytes, BuildEmptyTableImage(kSeries));
}

// Delete leaves the position on the same view index; statuses decide what is written.
TEST_F(StoreTable, DeleteStatusesAndWriting) {
    TempDir dir;
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1"}, {"B", "2"}, {"C", "3"}});
    t.CommitChanges();
    t.SetRecNo(2);
    EXPECT_EQ(t.UpdateStatus(), TUpdateStatus::usUnmodified);
    t.Delete();
    EXPECT_EQ(t.FieldByName("Vonalkod1").AsString(), "C");
    EXPECT_EQ(t.RecNo(), 2);
    AddRow(t, {"D", "4"});
    EXPECT_EQ(t.UpdateStatus(), TUpdateStatus::usInserted);
    t.Delete(); // inserted and deleted before any save: dropped
    EXPECT_EQ(Column(t, "Vonalkod1"), (Texts{"A", "C"}));
    t.SaveTable(dir.file("d.sor"));
    TStoreTable r;
    r.SetTableName(dir.file("d.sor"));
    r.Open();
    EXPECT_EQ(Column(r, "Vonalkod1"), (Texts{"A", "C"}));
    t.CancelChanges(); // the deleted record comes back, the dropped one never
    EXPECT_EQ(Column(t, "Vonalkod1"), (Texts{"A", "B", "C"}));
}

// savSortOnIndex writes in index order (ascending, case-insensitive only with the sort option);
// storage still holds a deleted and a dropped record, whose values are gone, when it is sorted.
TEST_F(StoreTable, SaveSortsStorageOnIndex) {
    const struct {
        const char* index;
        TStoreSortOptions sortOptions;
        Texts written;
    } cases[] = {
        {"Vonalkod1", 0, {"B", "C", "a"}},                  // byte order: capitals first
        {"Vonalkod1", ssoCaseInsensitive, {"a", "B", "C"}}, // letters regardless of case
        {"Vonalkod1", ssoDescendSort, {"B", "C", "a"}},     // always ascending
        {"Tipus1", 0, {"a", "B", "C"}},                     // numbers 1, 2, 3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.index) + " " + std::to_string(c.sortOptions));
        TempDir dir;
        TStoreTable t;
        MakeTable(t, kSeries, {{"C", "3"}, {"a", "1"}, {"E", "5"}, {"B", "2"}});
        t.CommitChanges();
        t.SetRecNo(3);
        t.Delete(); // E: deleted, values kept for a cancel
        AddRow(t, {"D", "4"});
        t.Delete(); // D: dropped, values freed
        t.SetSortOptions(c.sortOptions);
        t.SetIndexFieldNames(c.index);
        t.SaveOptions = savSortOnIndex;
        t.SaveTable(dir.file("s.sor"));
        TStoreTable r;
        r.SetTableName(dir.file("s.sor"));
        r.Open();
        EXPECT_EQ(Column(r, "Vonalkod1"), c.written);
        t.SetIndexFieldNames("");
        EXPECT_EQ(Column(t, "Vonalkod1"), c.written); // storage itself was reordered
    }
}

TEST_F(StoreTable, ChangeCounterAndNeedToSave) {
    TStoreTable t;
    MakeTable(t, kSeries);
    int told = 0;
    t.OnNeedToSaveChange = [&](TDataSet&) { ++told; };
    AddRow(t, {"A", "1"});
    EXPECT_EQ(t.ChangeCount(), 1);
    EXPECT_EQ(told, 1);
    t.Edit();
    t.FieldByName("Tipus1").SetAsInteger(5);
    t.Post();
    EXPECT_EQ(t.ChangeCount(), 2);
    t.Edit();
    t.Cancel(); // a cancelled edit takes its change back
    EXPECT_EQ(t.ChangeCount(), 2);
    t.Delete();
    EXPECT_EQ(t.ChangeCount(), 3);
    EXPECT_EQ(told, 1);
    t.CommitChanges();
    EXPECT_EQ(t.ChangeCount(), 0);
    EXPECT_EQ(told, 2);
    t.Append();
    t.Cancel(); // 0 → 1 → 0
    EXPECT_EQ(told, 4);
}

// Backups: CancelChanges restores the values from before the first change; Cancel of a
// later edit restores only that edit's values.
TEST_F(StoreTable, CancelRestoresValues) {
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1"}, {"B", "2"}});
    t.CommitChanges();
    t.Edit();
    t.FieldByName("Vonalkod1").SetAsString("A2");
    t.Post();
    EXPECT_EQ(t.UpdateStatus(), TUpdateStatus::usModified);
    t.Edit();
    t.FieldByName("Vonalkod1").SetAsString("A3");
    t.Cancel();
    EXPECT_EQ(t.FieldByName("Vonalkod1").AsString(), "A2");
    EXPECT_EQ(t.UpdateStatus(), TUpdateStatus::usModified);
    AddRow(t, {"C", "3"});
    t.CancelChanges();
    EXPECT_EQ(Column(t, "Vonalkod1"), (Texts{"A", "B"}));
    EXPECT_EQ(t.ChangeCount(), 0);
    t.First();
    EXPECT_EQ(t.UpdateStatus(), TUpdateStatus::usUnmodified);
}

TEST_F(StoreTable, FilterRangeAndSortOptions) {
    TStoreTable t;
    MakeTable(t, {{"Kod", TFieldType::ftString, 2}, {"Igen", TFieldType::ftBoolean, 0}},
              {{"9", "False"}, {"10", "True"}, {"b", "False"}, {"A", "True"}});
    t.SetFilter("Igen = True");
    t.SetFiltered(true); // no handler: nothing is filtered
    EXPECT_EQ(t.RecordCount(), 4);
    t.OnFilterRecord = [](TDataSet& d, bool& accept) { accept = d.FieldByName("Igen").AsBoolean(); };
    t.RebuildView();
    EXPECT_EQ(Column(t, "Kod"), (Texts{"10", "A"}));
    t.SetFiltered(false);

    // Booleans: true before false; descending turns it.
    t.SetIndexFieldNames("Igen");
    EXPECT_EQ(Column(t, "Igen"), (Texts{"True", "True", "False", "False"}));
    t.SetSortOptions(ssoDescendSort);
    EXPECT_EQ(Column(t, "Igen"), (Texts{"False", "False", "True", "True"}));
    t.SetSortOptions(0);

    // Short strings: left-aligned compare bytes, right-aligned put shorter first.
    t.SetIndexFieldNames("Kod");
    EXPECT_EQ(Column(t, "Kod"), (Texts{"10", "9", "A", "b"}));
    t.FieldByName("Kod").Alignment = TAlignment::taRightJustify;
    t.SetIndexFieldNames("Kod"); // the key list takes the alignment when it is built
    EXPECT_EQ(Column(t, "Kod"), (Texts{"9", "A", "b", "10"}));
    t.FieldByName("Kod").Alignment = TAlignment::taLeftJustify;
    t.SetIndexFieldNames("Kod");
    t.SetSortOptions(ssoCaseInsensitive);
    EXPECT_EQ(Column(t, "Kod"), (Texts{"10", "9", "A", "b"}));
    t.SetSortOptions(ssoCaseInsensitive | ssoDescendSort);
    EXPECT_EQ(Column(t, "Kod"), (Texts{"b", "A", "9", "10"}));
}

// Grids bound to the table hear one change per rebuild, not one per record.
TEST_F(StoreTable, RebuildTellsControlsOnce) {
    struct Counter : TDataLink {
        int dataSet = 0, current = 0;
        void DataSetChanged() override { ++dataSet; }
        void CurrentChanged() override { ++current; }
    } link;
    TStoreTable t;
    MakeTable(t, kSeries, {{"C", "1"}, {"A", "2"}, {"B", "3"}});
    TDataSource source(&t);
    link.SetDataSource(&source);
    t.SetIndexFieldNames("Vonalkod1");
    EXPECT_EQ(link.dataSet, 1);
    link.dataSet = 0;
    t.EmptyTable();
    EXPECT_EQ(link.dataSet, 1);
    EXPECT_EQ(link.current, 0);
}

TEST_F(StoreTable, RebuildViewKeepsOrDropsPosition) {
    TStoreTable t;
    MakeTable(t, kSeries, {{"C", "1"}, {"A", "2"}, {"B", "3"}});
    t.First();
    t.SetIndexFieldNames("Vonalkod1"); // keeps the current record
    EXPECT_EQ(t.FieldByName("Vonalkod1").AsString(), "C");
    EXPECT_EQ(t.RecNo(), 3);
    t.RebuildView(false);
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(t.FieldByName("Vonalkod1").AsString(), "A");
}

// A refresh of a table with changes writes its file before reading it again, even when the
// file was saved in between.
TEST_F(StoreTable, RefreshFlushesThenReloads) {
    TempDir dir;
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1"}});
    t.SaveTable(dir.file("r.sor"));
    t.SetTableName(dir.file("r.sor"));
    t.UniqueFieldNames = "Vonalkod1";
    t.Open();
    AddRow(t, {"B", "2"});
    AddRow(t, {"C", "3"});
    t.SaveTable(t.TableName());
    // Someone replaces the file; the flush of the refresh writes the table over it.
    TStoreTable other;
    MakeTable(other, kSeries, {{"X", "9"}});
    other.SaveTable(dir.file("r.sor"));
    t.SetRecNo(2);
    t.Refresh();
    EXPECT_EQ(Column(t, "Vonalkod1"), (Texts{"A", "B", "C"}));
    EXPECT_EQ(t.FieldByName("Vonalkod1").AsString(), "B"); // found again by its unique key
    EXPECT_EQ(t.UpdateStatus(), TUpdateStatus::usUnmodified);

    // Without changes nothing is written: the reload shows the file.
    TStoreTable u;
    u.SetTableName(dir.file("r.sor"));
    u.Open();
    other.SaveTable(dir.file("r.sor"));
    u.Refresh();
    EXPECT_EQ(Column(u, "Vonalkod1"), Texts{"X"});
}

TEST_F(StoreTable, FlushWritesOnlyWithChanges) {
    TempDir dir;
    TStoreTable maker;
    MakeTable(maker, kSeries, {{"A", "1"}});
    maker.SaveTable(dir.file("f.sor"));
    TStoreTable t; // the change counter belongs to the dataset object, not to its file
    t.SetTableName(dir.file("f.sor"));
    t.Open();
    std::filesystem::remove(dir.file("f.sor"));
    t.FlushTable();
    EXPECT_FALSE(std::filesystem::exists(dir.file("f.sor")));
    t.Edit();
    t.FieldByName("Tipus1").SetAsInteger(7);
    t.FlushTable(); // posts the edit and writes
    EXPECT_EQ(t.State(), TDataSetState::dsBrowse);
    TStoreTable r;
    r.SetTableName(dir.file("f.sor"));
    r.Open();
    EXPECT_EQ(r.FieldByName("Tipus1").AsInteger(), 7);
}

TEST_F(StoreTable, EmptyTableThenSave) {
    TempDir dir;
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1"}, {"B", "2"}});
    int counter = t.ChangeCount();
    t.EmptyTable();
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.ChangeCount(), counter);
    EXPECT_EQ(t.FieldCount(), 2);
    t.SaveTable(dir.file("e.sor"));
    EXPECT_EQ(ReadFileBytes(dir.file("e.sor")), BuildEmptyTableImage(kSeries));
    TStoreTable closed;
    EXPECT_EQ(ErrorOf([&] { closed.EmptyTable(); }), "Cannot do this operation on closed dataset");
}

// A file-system failure of a save is the platform's error, passed on without the name prefix.
TEST_F(StoreTable, SaveFailurePassesTheFileError) {
    TempDir dir;
    TStoreTable t;
    t.Name = "T1";
    MakeTable(t, kSeries, {{"A", "1"}});
    EXPECT_THROW(t.SaveTable(dir.file("nincs/t.sor")), EStoreFileError);
    TStoreTable closed;
    EXPECT_EQ(ErrorOf([&] { closed.SaveTable(dir.file("t.sor")); }),
              "Cannot do this operation on closed dataset");
}

TEST_F(StoreTable, ReadOnlyRules) {
    TStoreTable t;
    t.Name = "Elemek";
    MakeTable(t, kSeries, {{"A", "1"}});
    t.SetReadOnly(true);
    EXPECT_FALSE(t.CanModify());
    EXPECT_EQ(ErrorOf([&] { t.Append(); }), "Elemek: You have read only access, you can not add records!");
    EXPECT_EQ(ErrorOf([&] { t.Edit(); }), "Elemek: Read-only record cannot be changed");
    EXPECT_EQ(t.State(), TDataSetState::dsBrowse); // a refused edit leaves browse state
    EXPECT_EQ(ErrorOf([&] { t.Delete(); }), "Elemek: Read-only record cannot be deleted");
    EXPECT_EQ(t.ChangeCount(), 1); // only the append of the fixture
    t.SetReadOnly(false);
    t.EmptyTable();
    EXPECT_EQ(ErrorOf([&] { t.Delete(); }), "Elemek: Error deleting record: Record is not found");
}

TEST_F(StoreTable, NotesAndFloatFormat) {
    TempDir dir;
    TStoreTable t;
    t.SetNotes("megjegyz\xE9s");
    MakeTable(t, {{"Ar", TFieldType::ftFloat, 0}, {"Penz", TFieldType::ftCurrency, 0}}, {{"2.5", "3"}});
    EXPECT_EQ(t.FieldByName("Ar").DisplayFormat, "0.######");
    EXPECT_EQ(t.FieldByName("Penz").DisplayFormat, "");
    EXPECT_EQ(t.Notes(), "megjegyz\xE9s");
    t.SaveTable(dir.file("n.sor"));
    TStoreTable r;
    r.SetTableName(dir.file("n.sor"));
    r.Open();
    EXPECT_EQ(r.Notes(), "megjegyz\xE9s");
    EXPECT_EQ(r.FieldByName("Ar").DisplayText(), "2.5");
}

// Values of every kind survive a save and reload through the dataset; absent values read
// back as null only for strings, dates and date-times.
TEST_F(StoreTable, EveryKindRoundTrips) {
    TempDir dir;
    TStoreTable t;
    MakeTable(t,
              {{"Kis", TFieldType::ftSmallint, 0},
               {"Egesz", TFieldType::ftInteger, 0},
               {"Log", TFieldType::ftBoolean, 0},
               {"Tort", TFieldType::ftFloat, 0},
               {"Penz", TFieldType::ftCurrency, 0},
               {"Nap", TFieldType::ftDate, 0},
               {"Ido", TFieldType::ftTime, 0},
               {"Pont", TFieldType::ftDateTime, 0},
               {"Szam", TFieldType::ftAutoInc, 0},
               {"Rovid", TFieldType::ftString, 10},
               {"Hosszu", TFieldType::ftString, 200},
               {"Memo", TFieldType::ftMemo, 0},
               {"Kep", TFieldType::ftGraphic, 0}},
              {{"-5", "70000", "True", "1.25", "9.5", "2024-03-09", "13:05:07", "2024-03-09 18:00:00", "",
                "rov", "hosszu szoveg", "memo\r\nsor", "\x01\x02"},
               {}});
    t.SaveTable(dir.file("k.sor"));
    TStoreTable r;
    r.SetTableName(dir.file("k.sor"));
    r.Open();
    const Texts first = {"-5",      "70000",      "True",          "1.25",
                         "9.5",     "2024-03-09", "13:05:07",      "2024-03-09 18:00:00",
                         "0",       "rov",        "hosszu szoveg", "memo\r\nsor",
                         "\x01\x02"};
    for (int i = 0; i < r.FieldCount(); ++i)
        EXPECT_EQ(r.Fields(i).AsString(), first[static_cast<size_t>(i)]) << r.Fields(i).FieldName();
    r.Next();
    const bool nullAfterReload[] = {false, false, false, false, false, true, false,
                                    true,  false, true,  true,  true,  true};
    for (int i = 0; i < r.FieldCount(); ++i)
        EXPECT_EQ(r.Fields(i).IsNull(), nullAfterReload[i]) << r.Fields(i).FieldName();
}

// Clones share the records; the source refuses to close while a clone is open.
TEST_F(StoreTable, ClonesShareRecords) {
    TStoreTable src;
    src.Name = "T1";
    MakeTable(src, kSeries, {{"A", "1"}});
    TStoreTable clone;
    clone.SetCloneDS(&src);
    EXPECT_EQ(clone.LoadMode(), lmClone);
    clone.SetIndexFieldNames("Vonalkod1");
    clone.Open();
    EXPECT_EQ(Column(clone, "Vonalkod1"), Texts{"A"});
    clone.Edit();
    clone.FieldByName("Vonalkod1").SetAsString("Z");
    clone.Post();
    src.Refresh(); // an lmClear table keeps its records on refresh
    EXPECT_EQ(Column(src, "Vonalkod1"), Texts{"Z"});
    EXPECT_EQ(ErrorOf([&] { src.Close(); }),
              "T1: Cloned tables are not closed before source dataset is closed!");
    EXPECT_TRUE(src.Active());
    clone.Close();
    src.Close();
    EXPECT_FALSE(src.Active());
}

// Operations that free record entries rebuild every view on the shared storage.
TEST_F(StoreTable, ClonesFollowEmptyAndCancel) {
    TStoreTable src;
    MakeTable(src, kSeries, {{"A", "1"}, {"B", "2"}});
    TStoreTable clone;
    clone.SetCloneDS(&src);
    clone.Open();
    AddRow(clone, {"C", "3"});
    src.RebuildView();
    EXPECT_EQ(src.RecordCount(), 3);
    clone.CancelChanges(); // the inserted records are dropped from storage
    EXPECT_EQ(src.RecordCount(), 0);
    AddRow(src, {"D", "4"});
    clone.RebuildView();
    EXPECT_EQ(Column(clone, "Vonalkod1"), Texts{"D"});
    src.EmptyTable();
    EXPECT_EQ(clone.RecordCount(), 0);
    EXPECT_TRUE(clone.FieldByName("Vonalkod1").IsNull());
    TStoreTable orphan;
    {
        TStoreTable owner;
        MakeTable(owner, kSeries, {{"E", "5"}});
        orphan.SetCloneDS(&owner);
        orphan.Open();
        EXPECT_EQ(orphan.RecordCount(), 1);
    } // the source closes its clones when it goes
    EXPECT_FALSE(orphan.Active());
    orphan.SetCloneDS(nullptr);
    clone.Close();
}

TEST_F(StoreTable, DatabaseFolderAndChangedTables) {
    TempDir dir;
    TStoreTable maker;
    MakeTable(maker, kSeries, {{"A", "1"}});
    maker.SaveTable(dir.file("db.sor"));
    {
        TStoreDatabase db;
        db.SetDatabasePath(dir.path().string());
        EXPECT_EQ(db.DatabasePath(), dir.path().string() + "/");
        EXPECT_NE(std::find(Session().Databases().begin(), Session().Databases().end(), &db),
                  Session().Databases().end());
        TStoreTable t;
        t.SetTableName("/elsewhere/db.sor");
        t.SetDatabase(&db); // a database with a path strips the folder
        EXPECT_EQ(t.TableName(), "db.sor");
        t.Open();
        EXPECT_EQ(db.OpenTables(), std::vector<TStoreDataset*>{&t});
        EXPECT_TRUE(db.ChangedTables().empty());
        t.Edit();
        EXPECT_EQ(db.ChangedTables(), std::vector<TStoreDataset*>{&t});
        t.Post();
        t.FlushTable(); // writes into the database folder
        t.CommitChanges();
        EXPECT_TRUE(db.ChangedTables().empty());
        TStoreTable other;
        other.SetDatabase(&db);
        other.SetTableName("db.sor");
        other.Open();
        db.CloseTables();
        EXPECT_FALSE(t.Active());
        EXPECT_FALSE(other.Active());
        t.Open();
    } // the database closes its open tables when it goes; the table outlives it detached
    EXPECT_TRUE(
        Session().Databases().empty() ||
        std::find_if(Session().Databases().begin(), Session().Databases().end(), [&](TStoreDatabase* d) {
            return d->DatabasePath() == dir.path().string() + "/";
        }) == Session().Databases().end());
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

using namespace etikor::test;

// The view sort reads a leading byte-compared text key once per record; the order must be the
// engine's record comparison all the same (empty first, bytes unsigned, shorter first, ties
// broken by the next key), in both directions.
TEST_F(StoreTable, ViewOrderEqualsRecordComparison) {
    TStoreTable t;
    MakeTable(t, {{"Kod", TFieldType::ftString, 40},
                  {"Rovid", TFieldType::ftString, 3},
                  {"N", TFieldType::ftInteger, 0}});
    const char* texts[] = {"",
                           "a",
                           "ab",
                           "\xE1",
                           "b",
                           "A",
                           "aa",
                           "",
                           "\xE1"
                           "b",
                           "ab"};
    int n = 0;
    for (const char* text : texts)
        for (int k = 0; k < 3; ++k)
            AddRow(t, {text, std::string(1, static_cast<char>('x' - k)), std::to_string(n++ % 4)});
    for (const char* index : {"Kod;N", "Rovid;Kod", "Kod;Rovid;N"})
        for (TStoreSortOptions options : {TStoreSortOptions(0), TStoreSortOptions(ssoDescendSort)}) {
            t.SetIndexFieldNames(index);
            t.SetSortOptions(options);
            TStoreKeyFields keys;
            for (TField* f : t.GetFieldList(index))
                keys.push_back({f->DataIndex(), false});
            for (int i = 1; i < t.RecordCount(); ++i)
                EXPECT_LE(CompareRecords(*t.Cursor(), t.ViewEntry(i - 1)->Values, t.ViewEntry(i)->Values,
                                         keys, options),
                          0)
                    << index << " at " << i;
        }
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

using namespace etikor::test;

// A table is not made with a text field the reader could not read back; a field declared
// longer in a file made elsewhere refuses a longer value instead of cutting it.
TEST_F(StoreTable, TextFieldsOver8191) {
    TStoreTable t;
    t.Name = "T1";
    t.FieldDefs = {{"Nev", TFieldType::ftString, 9000}};
    EXPECT_EQ(ErrorOf([&] { t.Open(); }),
              "T1: Error creating table: string field 'Nev' has size 9000; the largest is 8191");
    EXPECT_FALSE(t.Active());

    t.LoadFromStream(Image(0, 1, Desc("XXX.Nev s9000")));
    t.Append();
    t.FieldByName("Nev").SetAsString(std::string(8191, 'a'));
    t.Post();
    t.Append();
    t.FieldByName("Nev").SetAsString(std::string(8192, 'a'));
    EXPECT_EQ(ErrorOf([&] { t.Post(); }), "T1: Field 'Nev' cannot hold more than 8191 characters");
    t.Cancel();
    EXPECT_EQ(t.RecordCount(), 1);
}

// Deletes at any place, one after another, leave the view and the position as one erase of the
// record from an array would.
TEST_F(StoreTable, DeletesAnywhereKeepTheViewOrder) {
    const TFieldDefs defs = {{"N", TFieldType::ftInteger, 0}};
    const std::vector<std::vector<int>> patterns = {
        {0, 0, 0, 0},       // from the first
        {9, 8, 7, 6},       // from the last
        {5, 5, 4, 6, 0, 3}, // around the middle, moving both ways
        {2, 7, 1, 5, 0, 4}, // scattered
    };
    for (const auto& pattern : patterns) {
        TStoreTable t;
        MakeTable(t, defs);
        std::vector<std::string> model;
        for (int i = 0; i < 10; ++i) {
            AddRow(t, {std::to_string(i)});
            model.push_back(std::to_string(i));
        }
        for (int place : pattern) {
            t.SetRecNo(place + 1);
            t.Delete();
            model.erase(model.begin() + place);
            ASSERT_EQ(Column(t, "N"), model);
            const int expected =
                place < static_cast<int>(model.size()) ? place + 1 : static_cast<int>(model.size());
            EXPECT_EQ(t.RecNo(), expected);
        }
        AddRow(t, {"99"}); // an append after the deletes goes last
        model.push_back("99");
        EXPECT_EQ(Column(t, "N"), model);
        t.SetIndexFieldNames("N"); // and a sort sees every record
        EXPECT_EQ(t.RecordCount(), static_cast<int>(model.size()));
    }
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

using namespace etikor::test;

// A dataset refuses a field count no table has before reading anything (its field objects
// would take memory out of all proportion to the file); the cursor alone reads it.
TEST_F(StoreTable, AbsurdFieldCountsAreRefused) {
    std::string descriptors;
    for (int i = 0; i <= kStoreMaxDatasetFields; ++i)
        descriptors += Desc(" 1");
    const std::string image = Image(0, kStoreMaxDatasetFields + 1, descriptors);
    TStoreTable t;
    t.Name = "T1";
    EXPECT_EQ(ErrorOf([&] { t.LoadFromStream(image); }),
              "T1: Error opening table: Too many fields (100001); a table opens with at most 100000");
    EXPECT_FALSE(t.Active());
    TStoreCursor cursor;
    std::string reason;
    EXPECT_TRUE(cursor.ReadFromStream(image, reason)) << reason;
    EXPECT_EQ(cursor.FieldCount(), kStoreMaxDatasetFields + 1);

    t.FieldDefs.assign(static_cast<std::size_t>(kStoreMaxDatasetFields) + 1, {"A", TFieldType::ftInteger, 0});
    EXPECT_EQ(ErrorOf([&] { t.Open(); }),
              "T1: Error creating table: Too many fields (100001); a table opens with at most 100000");
}

} // namespace
} // namespace etikor
