#include "data/DataSet.h"

#include "MemDataSet.h"
#include "data/FormatSettings.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using test::ErrorOf;
using test::MemDataSet;
using test::RecordingLink;

TFieldDefs Defs() {
    return {{"Kod", TFieldType::ftString, 10}, {"Darab", TFieldType::ftInteger, 0}};
}

std::vector<std::vector<TVariant>> Rows(int n) {
    std::vector<std::vector<TVariant>> rows;
    for (int i = 1; i <= n; ++i)
        rows.push_back({TVariant("K" + std::to_string(i)), TVariant(i * 10)});
    return rows;
}

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override { SetFormatSettings(TFormatSettings::Invariant()); }
};

// Eof/Bof and positions after each move, in the manner of the platform's datasets.
TEST_F(DataSetTest, NavigationKeepsEofBofAndRecNo) {
    MemDataSet ds(Defs(), Rows(3));
    ds.Open();
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);
    EXPECT_TRUE(ds.Bof());
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.RecordCount(), 3);

    struct Step {
        const char* move;
        int recNo;
        bool eof, bof;
    };
    const Step steps[] = {
        {"next", 2, false, false}, {"next", 3, false, false},  {"next", 3, true, false},
        {"next", 3, true, false},  {"prior", 2, false, false}, {"first", 1, false, true},
        {"prior", 1, false, true}, {"last", 3, true, false},   {"moveby-5", 1, false, true},
    };
    for (const Step& s : steps) {
        std::string move = s.move;
        if (move == "next")
            ds.Next();
        else if (move == "prior")
            ds.Prior();
        else if (move == "first")
            ds.First();
        else if (move == "last")
            ds.Last();
        else
            ds.MoveBy(-5);
        EXPECT_EQ(ds.RecNo(), s.recNo) << move;
        EXPECT_EQ(ds.Eof(), s.eof) << move;
        EXPECT_EQ(ds.Bof(), s.bof) << move;
    }
    ds.SetRecNo(99); // clamped
    EXPECT_EQ(ds.RecNo(), 3);
    ds.SetRecNo(-4);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.MoveBy(5), 2);

    int visited = 0;
    for (ds.First(); !ds.Eof(); ds.Next())
        ++visited;
    EXPECT_EQ(visited, 3);
}

TEST_F(DataSetTest, EmptyDatasetIsAtBothEnds) {
    MemDataSet ds(Defs());
    ds.Open();
    EXPECT_TRUE(ds.Eof());
    EXPECT_TRUE(ds.Bof());
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_TRUE(ds.FieldByName("Kod").IsNull());
    EXPECT_EQ(ds.FieldByName("Kod").AsString(), "");
    ds.Next();
    EXPECT_TRUE(ds.Eof());
}

TEST_F(DataSetTest, ClosedDatasetRefusesWithItsName) {
    MemDataSet ds(Defs(), Rows(1));
    ds.Name = "T1";
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds.First(); }), "T1: Cannot do this operation on closed dataset");
    ds.Name.clear();
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds.Edit(); }), "Cannot do this operation on closed dataset");
}

TEST_F(DataSetTest, EditPostCancelAndStates) {
    MemDataSet ds(Defs(), Rows(2));
    ds.Open();
    TField& kod = ds.FieldByName("kod"); // names ignore case
    EXPECT_EQ(&kod, ds.FindField("KOD"));
    EXPECT_EQ(ds.FindField("nincs"), nullptr);

    ds.Edit();
    EXPECT_EQ(ds.State(), TDataSetState::dsEdit);
    kod.SetAsString("X");
    EXPECT_TRUE(ds.Modified());
    EXPECT_EQ(kod.AsString(), "X");
    ds.Cancel();
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(kod.AsString(), "K1");

    ds.Edit();
    kod.SetAsString("Y");
    ds.Post();
    EXPECT_EQ(kod.AsString(), "Y");
    EXPECT_EQ(ds.Rows[0][0].ToString(), "Y");

    ds.Append();
    EXPECT_EQ(ds.State(), TDataSetState::dsInsert);
    EXPECT_TRUE(kod.IsNull());
    kod.SetAsString("UJ");
    ds.FieldByName("Darab").SetAsInteger(7);
    ds.Next(); // navigation posts the pending insert
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.Last();
    EXPECT_EQ(kod.AsString(), "UJ");
    EXPECT_EQ(ds.FieldByName("Darab").AsInteger(), 7);

    ds.Append();
    ds.Cancel();
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(kod.AsString(), "UJ");
}

// The field-writing rules and their messages.
TEST_F(DataSetTest, FieldWriteErrors) {
    MemDataSet ds({{"Kod", TFieldType::ftString, 10},
                   {"Azon", TFieldType::ftAutoInc, 0},
                   {"Szam", TFieldType::ftSmallint, 0}},
                  {{TVariant("A"), TVariant(5), TVariant(1)}});
    ds.Name = "M1";
    ds.Open();
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds.FieldByName("Kod").SetAsString("B"); }),
              "M1: Table is not in edit or insert mode");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds.FieldByName("Nincs"); }), "M1: Field 'Nincs' not found");
    ds.FieldByName("Kod").ReadOnly = true;
    ds.FieldByName("Kod").DisplayLabel = "K\xF3"
                                         "d";
    ds.Edit();
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds.FieldByName("Kod").SetAsString("B"); }), "M1: Field 'K\xF3"
                                                                                        "d' is read only!");
    ds.FieldByName("Azon").SetAsInteger(99); // ignored: auto-increment values are never written
    EXPECT_EQ(ds.FieldByName("Azon").AsInteger(), 5);
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds.FieldByName("Szam").SetAsString("abc"); }),
              "M1: 'abc' is not a valid integer value for field 'Szam'");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds.FieldByName("Szam").SetAsInteger(40000); }),
              "M1: 40000 is not a valid value for field 'Szam'. The allowed range is -32768 to 32767");
    ds.Cancel();
}

// A dataset that cannot be changed (a linked worksheet, a print sequence) refuses every change.
TEST_F(DataSetTest, ReadOnlyDatasetRefusesChanges) {
    struct ReadOnlyDataSet : MemDataSet {
        using MemDataSet::MemDataSet;
        bool InternalCanModify() const override { return false; }
        void InternalDelete(int index) override { TDataSet::InternalDelete(index); }
    } ds(Defs(), Rows(2));
    ds.Open();
    EXPECT_FALSE(ds.CanModify());
    for (auto action : {&TDataSet::Edit, &TDataSet::Append, &TDataSet::Delete}) {
        EXPECT_EQ(ErrorOf<EDatabaseError>([&] { (ds.*action)(); }), "Cannot modify a read-only dataset");
        EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);
    }
    EXPECT_EQ(ds.RecordCount(), 2);
}

TEST_F(DataSetTest, CloseDropsAPendingEdit) {
    MemDataSet ds(Defs(), Rows(1));
    ds.Open();
    ds.Edit();
    ds.FieldByName("Kod").SetAsString("X");
    ds.Close();
    ds.Open();
    EXPECT_EQ(ds.FieldByName("Kod").AsString(), "K1");
}

TEST_F(DataSetTest, CalculatedFields) {
    MemDataSet ds(Defs(), Rows(2));
    TField& dupla = ds.AddCalcField("Dupla", TFieldType::ftInteger);
    ds.OnCalcFields = [&](TDataSet& d) {
        EXPECT_EQ(d.State(), TDataSetState::dsCalcFields);
        dupla.SetAsInteger(d.FieldByName("Darab").AsInteger() * 2);
    };
    ds.Open();
    EXPECT_TRUE(dupla.Calculated());
    EXPECT_EQ(ds.FieldCount(), 3);
    EXPECT_EQ(dupla.AsInteger(), 20);
    ds.Next();
    EXPECT_EQ(dupla.AsInteger(), 40);
    EXPECT_EQ(ds.ValueAt(0, dupla).ToInt(), 20); // another row, without moving
    EXPECT_EQ(ds.RecNo(), 2);
    ds.Edit();
    ds.FieldByName("Darab").SetAsInteger(3);
    EXPECT_EQ(dupla.AsInteger(), 6); // recalculated from the edit buffer
    ds.Cancel();
    EXPECT_EQ(ds.Lookup("Kod", TVariant("K1"), "Dupla").ToInt(), 20);

    ds.OnCalcFields = [&](TDataSet& d) { d.FieldByName("Darab").SetAsInteger(1); };
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds.First(); }), "Cannot edit CalcFields");
    ds.OnCalcFields = nullptr;
    ds.Close();
    ds.Open(); // the calculated field is kept across reopening
    EXPECT_EQ(ds.FindField("Dupla"), &dupla);
}

TEST_F(DataSetTest, BookmarksFindTheSameRecord) {
    MemDataSet ds(Defs(), Rows(4));
    ds.Open();
    ds.SetRecNo(3);
    TBookmark mark = ds.GetBookmark();
    ds.First();
    EXPECT_TRUE(ds.BookmarkValid(mark));
    ds.GotoBookmark(mark);
    EXPECT_EQ(ds.FieldByName("Kod").AsString(), "K3");
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(mark));
    EXPECT_THROW(ds.GotoBookmark(mark), EDatabaseError);
    EXPECT_EQ(ds.GetBookmark() == 0, false);
}

// Delete keeps the position on the same view index; the last one moves back.
TEST_F(DataSetTest, DeleteKeepsViewIndex) {
    MemDataSet ds(Defs(), Rows(3));
    ds.Open();
    ds.SetRecNo(2);
    ds.Delete();
    EXPECT_EQ(ds.FieldByName("Kod").AsString(), "K3");
    EXPECT_EQ(ds.RecNo(), 2);
    ds.Delete();
    EXPECT_EQ(ds.FieldByName("Kod").AsString(), "K1");
    EXPECT_TRUE(ds.Eof());
    ds.Delete();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Eof() && ds.Bof());
}

TEST_F(DataSetTest, FilterThroughHandlerOnly) {
    MemDataSet ds(Defs(), Rows(4));
    ds.SetFilter("Darab > 20");
    ds.Open();
    ds.SetFiltered(true); // no handler: the text is never evaluated
    EXPECT_EQ(ds.RecordCount(), 4);
    ds.OnFilterRecord = [](TDataSet& d, bool& accept) {
        EXPECT_EQ(d.State(), TDataSetState::dsFilter);
        accept = d.FieldByName("Darab").AsInteger() > 20;
    };
    ds.SetFiltered(false);
    ds.SetFiltered(true);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.FieldByName("Kod").AsString(), "K3");
    EXPECT_EQ(ds.Filter(), "Darab > 20");
}

TEST_F(DataSetTest, GenericLocateAndLookup) {
    // Stored texts are Windows-1250: \xF6 is ö, \xD6 is Ö.
    MemDataSet ds(Defs(), {{TVariant("Alma"), TVariant(1)},
                           {TVariant("alfa"), TVariant(2)},
                           {TVariant("K\xF6rte"), TVariant(3)}});
    ds.Open();
    struct Case {
        const char* key;
        TLocateOptions options;
        int recNo; // 0: not found
    };
    const Case cases[] = {
        {"alma", 0, 0},          {"alma", loCaseInsensitive, 1},
        {"al", loPartialKey, 2}, {"AL", loPartialKey | loCaseInsensitive, 1},
        {"K\xF6rte", 0, 3},      {"K\xD6RTE", loCaseInsensitive, 3},
    };
    for (const Case& c : cases) {
        ds.First();
        bool found = ds.Locate("Kod", TVariant(c.key), c.options);
        EXPECT_EQ(found, c.recNo != 0) << c.key;
        EXPECT_EQ(ds.RecNo(), c.recNo ? c.recNo : 1) << c.key;
    }
    EXPECT_TRUE(ds.Locate("Kod;Darab", TVariant(std::vector<TVariant>{TVariant("alfa"), TVariant(2)}), 0));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_FALSE(ds.Locate("Darab", TVariant(), 0));
    // Non-text fields: the record value is converted to the key's type, options do not apply.
    EXPECT_FALSE(ds.Locate("Darab", TVariant(2.5), loPartialKey));
    EXPECT_TRUE(ds.Locate("Darab", TVariant("3"), loCaseInsensitive));
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_FALSE(ds.Locate("Darab", TVariant("3.0"), 0));
    ds.First();
    TVariant both = ds.Lookup("Darab", TVariant(3), "Kod;Darab");
    ASSERT_TRUE(both.IsArray());
    EXPECT_EQ(both[0].ToString(), "K\xF6rte");
    EXPECT_EQ(both[1].ToInt(), 3);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_TRUE(ds.Lookup("Darab", TVariant(9), "Kod").IsNull());
}

TEST_F(DataSetTest, EventsRunInOrder) {
    MemDataSet ds(Defs(), Rows(1));
    std::string log;
    ds.BeforeOpen = [&](TDataSet&) { log += "bo "; };
    ds.AfterOpen = [&](TDataSet&) { log += "ao "; };
    ds.AfterScroll = [&](TDataSet&) { log += "as "; };
    ds.BeforeInsert = [&](TDataSet&) { log += "bi "; };
    ds.OnNewRecord = [&](TDataSet& d) {
        log += "nr ";
        d.FieldByName("Darab").SetAsInteger(1);
    };
    ds.BeforePost = [&](TDataSet&) { log += "bp "; };
    ds.AfterPost = [&](TDataSet&) { log += "ap "; };
    ds.BeforeClose = [&](TDataSet&) { log += "bc "; };
    ds.Open();
    ds.Append();
    EXPECT_FALSE(ds.Modified()); // defaults of a new record do not count as changes
    EXPECT_EQ(ds.FieldByName("Darab").AsInteger(), 1);
    ds.Post();
    ds.Close();
    EXPECT_EQ(log, "bo ao as bi nr as bp ap bc ");
}

// What data-aware controls are told, and how DisableControls folds it into one change.
TEST_F(DataSetTest, LinksAreNotifiedAndSuspended) {
    MemDataSet ds(Defs(), Rows(3));
    TDataSource source(&ds);
    RecordingLink link;
    link.SetDataSource(&source);
    link.Events.clear();
    ds.Open();
    EXPECT_EQ(link.Events, "AL");
    EXPECT_TRUE(link.Active());
    link.Events.clear();
    ds.Next();
    EXPECT_EQ(link.Events, "C");
    link.Events.clear();
    ds.Edit();
    ds.FieldByName("Kod").SetAsString("Z");
    ds.Post();
    EXPECT_EQ(link.Events, "SRRSD");

    link.Events.clear();
    ds.DisableControls();
    ds.DisableControls();
    ds.Next();
    ds.Edit();
    ds.FieldByName("Kod").SetAsString("Q");
    ds.Post();
    ds.EnableControls();
    EXPECT_EQ(link.Events, "");
    ds.EnableControls();
    EXPECT_EQ(link.Events, "D");

    link.Events.clear();
    source.SetEnabled(false);
    ds.First();
    EXPECT_EQ(link.Events, "A");
    source.SetEnabled(true);
    link.Events.clear();
    ds.Close();
    EXPECT_EQ(link.Events, "AL");
    EXPECT_FALSE(link.Active());
}

TEST_F(DataSetTest, SourceAndLinkSurviveEitherGoingFirst) {
    RecordingLink link;
    {
        MemDataSet ds(Defs(), Rows(1));
        TDataSource source(&ds);
        link.SetDataSource(&source);
        ds.Open();
    }
    EXPECT_EQ(link.DataSource(), nullptr);
    auto ds = std::make_unique<MemDataSet>(Defs(), Rows(1));
    TDataSource source(ds.get());
    ds.reset();
    EXPECT_EQ(source.DataSet(), nullptr);
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

// Reopening on a changed structure keeps the object (and the display settings) of every field
// whose name (in any letter case), type and size are unchanged, wherever it now stands.
TEST(DataSetFields, ReopenKeepsMatchingFieldObjects) {
    test::MemDataSet data({{"Azon", TFieldType::ftInteger, 0},
                           {"Nev", TFieldType::ftString, 10},
                           {"Kod", TFieldType::ftString, 5}});
    data.Open();
    TField* azon = &data.FieldByName("Azon");
    TField* nev = &data.FieldByName("Nev");
    nev->DisplayLabel = "Név";
    data.Close();
    data.Defs = {{"NEV", TFieldType::ftString, 10},
                 {"Kod", TFieldType::ftString, 6},
                 {"Azon", TFieldType::ftInteger, 0}};
    data.Open();
    EXPECT_EQ(&data.Fields(0), nev);
    EXPECT_EQ(data.Fields(0).DisplayLabel, "Név");
    EXPECT_EQ(&data.Fields(2), azon);
    EXPECT_EQ(data.Fields(1).Size(), 6); // another size: a new object
    EXPECT_EQ(data.Fields(2).Index(), 2);
}

} // namespace
} // namespace etikor
