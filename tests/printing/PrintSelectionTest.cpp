// The print selection on its two scratch tables: filling from the data source, counts and the
// counter, the print order (blank places, the grid's order, copies next to each other), the
// warning and the question, the print table's stored structure, both files left empty.

#include "printing/PrintSelection.h"

#include "MemDataSet.h"
#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "document/ShippedFiles.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using test::MemDataSet;
using test::ScriptedModal;
using test::TempDir;

std::unique_ptr<MemDataSet> SeriesOf(const std::vector<std::string>& values) {
    std::vector<std::vector<TVariant>> rows;
    for (const std::string& value : values)
        rows.push_back({TVariant(value), TVariant(5), TVariant(), TVariant(), TVariant(), TVariant(),
                        TVariant(false), TVariant()});
    auto data = std::make_unique<MemDataSet>(SeriesFieldDefs(), std::move(rows));
    data->Open();
    return data;
}

class PrintSelectionTest : public testing::Test {
protected:
    PrintSelectionTest() {
        SetFormatSettings(TFormatSettings::Hungarian());
        WriteScratchTables(QString::fromStdString(Dir.path().string()));
    }
    ~PrintSelectionTest() override { SetFormatSettings(TFormatSettings::Invariant()); }

    // Sets the counts of the selection rows in their current order.
    void Counts(std::vector<int> counts) {
        TStoreTable& s = Selection.Selection();
        s.First();
        for (int count : counts) {
            s.Edit();
            s.FieldByName("Darab").SetAsInteger(count);
            s.Post();
            s.Next();
        }
        s.First();
    }
    // The print table's first fields, read while it is handed over.
    std::vector<std::string> Printed(ScriptedModal& modal) {
        std::vector<std::string> values;
        Selection.Print(modal, [&](TDataSet& table) {
            for (table.First(); !table.Eof(); table.Next())
                values.push_back(table.Fields(0).AsString());
        });
        return values;
    }

    TempDir Dir;
    TPrintSelection Selection{QString::fromStdString(Dir.path().string())};
};

TEST_F(PrintSelectionTest, FillsTheFirstSixFieldsOfEveryRecord) {
    MemDataSet eight({{"A", TFieldType::ftString, 5},
                      {"B", TFieldType::ftInteger, 0},
                      {"C", TFieldType::ftString, 5},
                      {"D", TFieldType::ftString, 5},
                      {"E", TFieldType::ftString, 5},
                      {"F", TFieldType::ftString, 5},
                      {"G", TFieldType::ftString, 5},
                      {"H", TFieldType::ftString, 5}},
                     {{TVariant("a"), TVariant(2), TVariant("c"), TVariant("d"), TVariant("e"), TVariant("f"),
                       TVariant("g"), TVariant("h")}});
    eight.Open();
    Selection.Open(eight);
    TStoreTable& s = Selection.Selection();
    ASSERT_EQ(s.RecordCount(), 1);
    EXPECT_EQ(s.FieldByName("Darab").AsInteger(), 0);
    EXPECT_EQ(s.FieldByName("Szamlalo").AsInteger(), 1);
    const char* expected[] = {"a", "2", "c", "d", "e", "f"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.Fields(2 + i).AsString(), expected[i]);

    MemDataSet two({{"A", TFieldType::ftString, 5}, {"B", TFieldType::ftString, 5}},
                   {{TVariant("x"), TVariant("y")}, {TVariant("z"), TVariant("w")}});
    two.Open();
    Selection.Open(two);
    ASSERT_EQ(s.RecordCount(), 2);
    s.Last();
    EXPECT_EQ(s.FieldByName("Szamlalo").AsInteger(), 2);
    EXPECT_EQ(s.FieldByName("Vonalkod2").AsString(), "w");
    EXPECT_TRUE(s.FieldByName("Vonalkod3").IsNull());
}

TEST_F(PrintSelectionTest, SelectAllClearAndTheCounter) {
    auto series = SeriesOf({"A", "B", "C"});
    Selection.Open(*series);
    Counts({3, 0, 2});
    Selection.SelectAll();
    EXPECT_EQ(Selection.Counter, 3); // the number of rows
    std::vector<int> counts;
    TStoreTable& s = Selection.Selection();
    for (s.First(); !s.Eof(); s.Next())
        counts.push_back(s.FieldByName("Darab").AsInteger());
    EXPECT_EQ(counts, (std::vector<int>{3, 1, 2}));

    Counts({3, 1, 2});
    Selection.SumCounts();
    EXPECT_EQ(Selection.Counter, 6);
    Counts({3, -2, 2});
    Selection.SumCounts();
    EXPECT_EQ(Selection.Counter, 3); // a negative count lowers the sum

    Selection.Clear();
    EXPECT_EQ(Selection.Counter, 0);
    for (s.First(); !s.Eof(); s.Next())
        EXPECT_EQ(s.FieldByName("Darab").AsInteger(), 0);
}

TEST_F(PrintSelectionTest, BlankPlacesFirstThenTheSelectedRecordsInTheGridsOrder) {
    auto series = SeriesOf({"B", "A", "C"});
    Selection.Open(*series);
    Selection.FirstPlace = 4;
    Counts({2, 1, -1});
    {
        ScriptedModal modal;
        modal.ExpectMessage("K", "Indulhat 3 db. cimke nyomtatása?", true);
        EXPECT_EQ(Printed(modal), (std::vector<std::string>{" ", " ", " ", "B", "B", "A"}));
    }
    // Ordered by "Vonalkód": the same counts print A, B, B.
    Selection.SortBy(1);
    EXPECT_EQ(Selection.SortedColumn, 1);
    Selection.FirstPlace = 1;
    {
        ScriptedModal modal;
        modal.ExpectMessage("K", "Indulhat 3 db. cimke nyomtatása?", true);
        EXPECT_EQ(Printed(modal), (std::vector<std::string>{"A", "B", "B"}));
    }
}

TEST_F(PrintSelectionTest, NothingSelectedOrNoAnswerPrintsNothing) {
    auto series = SeriesOf({"A", "B"});
    Selection.Open(*series);
    Selection.FirstPlace = 4;
    {
        ScriptedModal modal;
        modal.ExpectMessage("F", "Nem választott ki semmit!");
        EXPECT_TRUE(Printed(modal).empty());
    }
    Counts({1, 1});
    {
        ScriptedModal modal;
        modal.ExpectMessage("K", "Indulhat 2 db. cimke nyomtatása?", false);
        EXPECT_TRUE(Printed(modal).empty());
    }
}

TEST_F(PrintSelectionTest, ThousandsAreGroupedInTheQuestion) {
    EXPECT_EQ(StartQuestion(12345), QString::fromUtf8("Indulhat 12\u00a0345 db. cimke nyomtatása?"));
}

TEST_F(PrintSelectionTest, ThePrintTableKeepsItsStoredStructureAndBothFilesEndEmpty) {
    // A data source of another structure: the print table still has the series fields.
    MemDataSet other({{"Egy", TFieldType::ftString, 10}, {"Ketto", TFieldType::ftString, 10}},
                     {{TVariant("1"), TVariant("2")}});
    other.Open();
    Selection.Open(other);
    Counts({2});
    std::vector<std::string> names;
    ScriptedModal modal;
    modal.ExpectMessage("K", "Indulhat 2 db. cimke nyomtatása?", true);
    Selection.Print(modal, [&](TDataSet& table) {
        names = table.GetFieldNames();
        table.First();
        EXPECT_EQ(table.FieldByName("Vonalkod1").AsString(), "1");
        EXPECT_EQ(table.FieldByName("Tipus1").AsInteger(), 2); // by position, converted
    });
    std::vector<std::string> series;
    for (const TFieldDef& def : SeriesFieldDefs())
        series.push_back(def.Name);
    EXPECT_EQ(names, series);

    Selection.Close();
    for (const QString& file : {Selection.SelectionFile(), Selection.PrintFile()}) {
        TStoreTable t;
        t.SetTableName(file.toStdString());
        t.Open();
        EXPECT_EQ(t.RecordCount(), 0) << file.toStdString();
    }
    TStoreTable print;
    print.SetTableName(Selection.PrintFile().toStdString());
    print.Open();
    EXPECT_EQ(print.GetFieldNames(), series);
}

} // namespace
} // namespace etikor
