#include "tablestore/StoreDataset.h"

#include "StoreTableSupport.h"
#include "data/DateTime.h"
#include "support/TempDir.h"
#include "tablestore/UniqueCode.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using namespace etikor::test;

const TFieldDefs kSeries = {{"Vonalkod1", TFieldType::ftString, 128},
                            {"Tipus1", TFieldType::ftInteger, 0},
                            {"ODBC", TFieldType::ftBoolean, 0}};

using StoreSearch = StoreTest;

// Locate with options scans in view order; without options it matches whole values.
TEST_F(StoreSearch, LocateOptions) {
    TStoreTable t;
    MakeTable(t, kSeries, {{"5990001", "1"}, {"1234", "2"}, {"12", "3"}, {"abc", "4"}, {"ABC", "5"}});
    struct Case {
        const char* fields;
        const char* value;
        TLocateOptions options;
        int tipus; // 0: not found
    };
    const Case cases[] = {
        {"VONALKOD1", "12", loPartialKey, 2}, // first in view order that begins with 12
        {"VONALKOD1", "12", 0, 3},            // exactly 12
        {"Vonalkod1", "123", 0, 0},
        {"Vonalkod1", "ABC", loCaseInsensitive, 4},
        {"Vonalkod1", "ABC", 0, 5},
        {"Vonalkod1", "Ab", loCaseInsensitive | loPartialKey, 4},
        {"Vonalkod1", "", 0, 0}, // an empty value finds nothing
    };
    for (const Case& c : cases) {
        t.First();
        bool found = t.Locate(c.fields, TVariant(c.value), c.options);
        EXPECT_EQ(found, c.tipus != 0) << c.value << " " << c.options;
        if (found) {
            EXPECT_EQ(t.FieldByName("Tipus1").AsInteger(), c.tipus) << c.value;
        } else {
            EXPECT_EQ(t.RecNo(), 1) << "a failed locate leaves the position";
        }
    }
    EXPECT_TRUE(
        t.Locate("Vonalkod1;Tipus1", TVariant(std::vector<TVariant>{TVariant("abc"), TVariant(4)}), 0));
    EXPECT_EQ(t.RecNo(), 4);
    EXPECT_FALSE(t.Locate("Vonalkod1", TVariant(), 0));
    EXPECT_EQ(ErrorOf([&] { t.Locate("Nincs", TVariant("x"), 0); }), "Field 'Nincs' not found");
}

// Every text begins with the empty text: with the partial-key option it finds the first record
// that has a value (manual entry positions there after keeping its records).
TEST_F(StoreSearch, PartialKeyWithEmptyTextFindsTheFirstValue) {
    TStoreTable t;
    MakeTable(t, kSeries, {{"", "1"}, {"5999", "2"}, {"123", "3"}});
    t.Last();
    ASSERT_TRUE(t.Locate("Vonalkod1", TVariant(""), loPartialKey));
    EXPECT_EQ(t.RecNo(), 2);
    t.Last();
    ASSERT_TRUE(t.Locate("Vonalkod1", TVariant(""), loPartialKey | loCaseInsensitive));
    EXPECT_EQ(t.RecNo(), 2);
    t.Last();
    EXPECT_FALSE(t.Locate("Vonalkod1", TVariant(""), loCaseInsensitive)); // a whole empty value: none
    EXPECT_EQ(t.RecNo(), 3);
}

// The binary search runs exactly when the searched names lead IndexFieldNames, the sort is
// case-sensitive and the view is sorted; it returns the first of equal keys.
TEST_F(StoreSearch, BinarySearchOnlyWhenTheRuleAllows) {
    TempDir dir;
    TStoreTable t;
    MakeTable(t, {{"Vonalkod1", TFieldType::ftString, 128}, {"Tipus1", TFieldType::ftInteger, 0}},
              {{"B", "1"}, {"A", "2"}, {"B", "3"}, {"C", "4"}, {"B", "5"}});
    t.SaveTable(dir.file("b.sor"));
    t.SetTableName(dir.file("b.sor"));
    t.SetIndexFieldNames("Vonalkod1;Tipus1");
    t.Open();
    t.Last();
    ASSERT_TRUE(t.Locate("Vonalkod1", TVariant("B"), 0));
    EXPECT_EQ(t.LastSearchPath(), TStoreSearchPath::Binary);
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(t.FieldByName("Tipus1").AsInteger(), 1);

    struct Case {
        const char* names;
        TStoreSearchPath path;
    };
    const Case cases[] = {
        {"VONALKOD1;TIPUS1", TStoreSearchPath::Binary}, // upper-cased, the whole list
        {"vonalkod1", TStoreSearchPath::Binary},        // the leading part
        {"Tipus1", TStoreSearchPath::Linear},           // not the beginning
        {"Vonalkod", TStoreSearchPath::Linear},         // not up to a ";" (field unknown anyway)
    };
    for (const Case& c : cases) {
        try {
            t.Locate(c.names, TVariant("B"), 0);
        } catch (const EDatabaseError&) {
        }
        if (std::string(c.names) != "Vonalkod") {
            EXPECT_EQ(t.LastSearchPath(), c.path) << c.names;
        }
    }

    // After a post the view is unsorted: a linear scan returns the first equal value in view order.
    t.Append();
    t.FieldByName("Vonalkod1").SetAsString("B");
    t.FieldByName("Tipus1").SetAsInteger(0);
    t.Post();
    t.First();
    ASSERT_TRUE(t.Locate("Vonalkod1", TVariant("B"), 0));
    EXPECT_EQ(t.LastSearchPath(), TStoreSearchPath::Linear);
    EXPECT_EQ(t.FieldByName("Tipus1").AsInteger(), 1);
    t.RebuildView();
    ASSERT_TRUE(t.Locate("Vonalkod1", TVariant("B"), 0));
    EXPECT_EQ(t.LastSearchPath(), TStoreSearchPath::Binary);
    EXPECT_EQ(t.FieldByName("Tipus1").AsInteger(), 0);

    // A case-insensitive sort scans linearly and still compares case-sensitively.
    t.SetSortOptions(ssoCaseInsensitive);
    EXPECT_FALSE(t.Locate("Vonalkod1", TVariant("b"), 0));
    EXPECT_EQ(t.LastSearchPath(), TStoreSearchPath::Linear);

    // Descending sorts search in their own direction.
    t.SetSortOptions(ssoDescendSort);
    ASSERT_TRUE(t.Locate("Vonalkod1", TVariant("A"), 0));
    EXPECT_EQ(t.LastSearchPath(), TStoreSearchPath::Binary);
    EXPECT_EQ(t.RecNo(), t.RecordCount());
}

// Key values that are not texts go into the key slots through the user's locale.
TEST_F(StoreSearch, LocateNumbersAndDatesInTheLocale) {
    SetFormatSettings(TFormatSettings::Hungarian());
    TStoreTable t;
    MakeTable(
        t,
        {{"Ar", TFieldType::ftFloat, 0}, {"Nap", TFieldType::ftDate, 0}, {"Pont", TFieldType::ftDateTime, 0}},
        {{"1,5", "2024.01.02.", "2024.01.02. 10:00:00"}, {"2,5", "2024.03.09.", "2024.03.09. 18:30:00"}});
    TDateTime day = 0;
    TryEncodeDate(2024, 3, 9, day);
    struct Case {
        const char* field;
        TVariant value;
    };
    const Case cases[] = {
        {"Ar", TVariant(2.5)},
        {"Ar", TVariant("2,5")},
        {"Nap", TVariant::FromDateTime(day)},
        {"Pont", TVariant::FromDateTime(day + 0.75 + 1.0 / 48)},
    };
    for (const Case& c : cases) {
        t.First();
        EXPECT_TRUE(t.Locate(c.field, c.value, 0)) << c.field;
        EXPECT_EQ(t.RecNo(), 2) << c.field;
    }
    SetFormatSettings(TFormatSettings::Invariant());
}

TEST_F(StoreSearch, FindByKeyAndBooleanKeyTexts) {
    TStoreTable t;
    MakeTable(t, kSeries, {{"A", "1", "False"}, {"B", "1", "True"}, {"B", "2", "True"}, {"B", "1", "False"}});
    EXPECT_TRUE(t.FindByKey("Vonalkod1;Tipus1", "B\t1\t"));
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_TRUE(t.FindByKey("Vonalkod1;Tipus1", "B\t1", false)); // from the record after the current one
    EXPECT_EQ(t.RecNo(), 4);
    EXPECT_TRUE(t.FindByKey("Vonalkod1;Tipus1", "B")); // fewer values: only the leading fields count
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_FALSE(t.FindByKey("Vonalkod1", "C"));
    EXPECT_EQ(t.RecNo(), 2);

    // Boolean key words (any letter case) are true; anything else, a Hungarian yes too, is false.
    struct Case {
        const char* text;
        int recNo;
    };
    const Case cases[] = {{"yes", 2},      {"TRUE", 2}, {"t", 2}, {"1", 2},
                          {"\xC4\xC0", 2}, {"igen", 1}, {"no", 1}};
    for (const Case& c : cases) {
        ASSERT_TRUE(t.FindByKey("ODBC", c.text)) << c.text;
        EXPECT_EQ(t.RecNo(), c.recNo) << c.text;
    }
}

TEST_F(StoreSearch, LookupDoesNotMove) {
    TStoreTable t;
    MakeTable(t, kSeries);
    EXPECT_EQ(ErrorOf([&] { t.AddCalcField("Dupla", TFieldType::ftInteger); }),
              "Cannot perform this operation on an open dataset");
    t.Close();
    TField& dupla = t.AddCalcField("Dupla", TFieldType::ftInteger);
    ASSERT_EQ(&dupla, t.FindField("Dupla"));
    t.FieldDefs.clear();
    t.OnCalcFields = [](TDataSet& d) {
        d.FieldByName("Dupla").SetAsInteger(d.FieldByName("Tipus1").AsInteger() * 2);
    };
    EXPECT_EQ(ErrorOf([&] { t.Open(); }),
              "Error creating table (no field descriptions)"); // lmClear needs defs
    t.FieldDefs = kSeries;
    t.Open();
    AddRow(t, {"A", "1"});
    AddRow(t, {"B", "2"});
    t.First();
    TVariant result = t.Lookup("Vonalkod1", TVariant("B"), "Tipus1;Dupla");
    ASSERT_TRUE(result.IsArray());
    EXPECT_EQ(result[0].ToInt(), 2);
    EXPECT_EQ(result[1].ToInt(), 4);
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_TRUE(t.Lookup("Vonalkod1", TVariant("Z"), "Tipus1").IsNull());
    EXPECT_EQ(ErrorOf([&] { t.Locate("Dupla", TVariant(2), 0); }),
              "There are calc or BLOB fields in list of key fields");
}

TEST_F(StoreSearch, KeyListsRefuseCalcAndBlobFields) {
    TStoreTable t;
    t.Name = "T1";
    MakeTable(t, {{"Kod", TFieldType::ftString, 5}, {"Kep", TFieldType::ftBlob, 0}});
    EXPECT_EQ(ErrorOf([&] { t.SetIndexFieldNames("Kod;Kep"); }),
              "T1: There are calc or BLOB fields in list of key fields");
    EXPECT_EQ(t.IndexFieldNames(), ""); // the refused list is not kept
    EXPECT_EQ(ErrorOf([&] { t.FindByKey("Kep", "x"); }),
              "(none)"); // an empty view finds nothing before the key list is built
    AddRow(t, {"a", ""});
    EXPECT_EQ(ErrorOf([&] { t.FindByKey("Kep", "x"); }),
              "T1: There are calc or BLOB fields in list of key fields");
    EXPECT_EQ(ErrorOf([&] { t.SetRangeFieldNames("Nincs"); }), "T1: Field 'Nincs' not found");
}

// Default values of new records: the three words on their own kinds, anything else as text.
TEST_F(StoreSearch, DefaultValues) {
    TDateTime moment = 0;
    TryEncodeDate(2024, 3, 9, moment);
    moment += (13 * 3600 + 5 * 60 + 7) / 86400.0;
    SetClock([&] { return moment; });
    UniqueCodeGenerator().Reset();
    TStoreTable t;
    MakeTable(t, {{"Nap", TFieldType::ftDate, 0},
                  {"Pont", TFieldType::ftDateTime, 0},
                  {"Most", TFieldType::ftDate, 0},
                  {"Ido", TFieldType::ftTime, 0},
                  {"Kod", TFieldType::ftString, 8},
                  {"Kod2", TFieldType::ftString, 8},
                  {"Db", TFieldType::ftInteger, 0},
                  {"Szo", TFieldType::ftString, 10}});
    t.FieldByName("Nap").DefaultExpression = "TODAY";
    t.FieldByName("Pont").DefaultExpression = "TODAY"; // not a date field: assigned as text, does not convert
    t.FieldByName("Most").DefaultExpression = "NOW";   // a date field keeps today's date
    t.FieldByName("Ido").DefaultExpression = "NOW";
    t.FieldByName("Kod").DefaultExpression = "UNICOD";
    t.FieldByName("Kod2").DefaultExpression = "UNICOD";
    t.FieldByName("Db").DefaultExpression = "12";
    t.FieldByName("Szo").DefaultExpression = "NOW"; // not a date kind: the text itself
    t.Append();
    EXPECT_EQ(t.FieldByName("Nap").AsDateTime(), DateOf(moment));
    EXPECT_TRUE(t.FieldByName("Pont").IsNull());
    EXPECT_EQ(t.FieldByName("Most").AsDateTime(), DateOf(moment));
    EXPECT_EQ(t.FieldByName("Ido").AsString(), "13:05:07");
    EXPECT_EQ(t.FieldByName("Db").AsInteger(), 12);
    EXPECT_EQ(t.FieldByName("Szo").AsString(), "NOW");
    std::string a = t.FieldByName("Kod").AsString();
    std::string b = t.FieldByName("Kod2").AsString();
    ASSERT_EQ(a.size(), 8u);
    // Same hundredth of a second: only the last part (the sequence) differs.
    EXPECT_EQ(a.substr(0, 5), b.substr(0, 5));
    EXPECT_NE(a.substr(5), b.substr(5));
    t.Post();
    SetClock({});
}

TEST_F(StoreSearch, MasterDetail) {
    TStoreTable master;
    master.Name = "Fo";
    MakeTable(master, {{"Azon", TFieldType::ftInteger, 0}, {"Nev", TFieldType::ftString, 10}},
              {{"1", "egy"}, {"2", "ketto"}, {"3", "harom"}});
    TStoreTable detail;
    detail.Name = "Al";
    MakeTable(detail, {{"FoAzon", TFieldType::ftInteger, 0}, {"Tetel", TFieldType::ftString, 10}},
              {{"1", "a"}, {"2", "b"}, {"1", "c"}, {"3", "d"}});
    TDataSource source(&master);
    detail.SetRangeFieldNames("FoAzon");
    detail.SetMasterFields("Azon");
    detail.SetMasterSource(&source);
    master.First();
    EXPECT_EQ(Column(detail, "Tetel"), (Texts{"a", "c"}));
    master.Next();
    EXPECT_EQ(Column(detail, "Tetel"), Texts{"b"});
    EXPECT_EQ(detail.RecNo(), 1);

    // A new detail record takes the master's values in its range fields.
    detail.Append();
    EXPECT_EQ(detail.FieldByName("FoAzon").AsInteger(), 2);
    detail.FieldByName("Tetel").SetAsString("e");
    detail.Post();
    master.Next();
    master.Prior();
    EXPECT_EQ(Column(detail, "Tetel"), (Texts{"b", "e"}));

    // Editing a master field moves the range with it.
    master.Edit();
    master.FieldByName("Azon").SetAsInteger(3);
    EXPECT_EQ(Column(detail, "Tetel"), Texts{"d"});
    master.Cancel();

    master.Close(); // the range is dropped
    EXPECT_EQ(detail.RecordCount(), 5);

    EXPECT_EQ(ErrorOf([&] {
                  TDataSource self(&detail);
                  detail.SetMasterSource(&self);
              }),
              "Al: Circular data link");
    test::AnyDataSet other;
    TDataSource foreign(&other);
    EXPECT_EQ(ErrorOf([&] { detail.SetMasterSource(&foreign); }),
              "Al: Use only TStoreDataset descendants for master-detail relationship");
    detail.SetMasterSource(nullptr);
}

TEST_F(StoreSearch, BlobStreams) {
    TStoreTable t;
    t.Name = "T1";
    MakeTable(t, {{"Kod", TFieldType::ftString, 5}, {"Adat", TFieldType::ftBlob, 0}},
              {{"a", "\x01\x02\x03"}});
    TField& adat = t.FieldByName("Adat");
    {
        auto in = t.CreateBlobStream(adat, TBlobStreamMode::bmRead);
        char buffer[8] = {};
        EXPECT_EQ(in->Read(buffer, sizeof buffer), 3u);
        EXPECT_EQ(std::string(buffer, 3), "\x01\x02\x03");
    }
    EXPECT_EQ(ErrorOf([&] { t.CreateBlobStream(adat, TBlobStreamMode::bmWrite); }),
              "T1: Table is not in edit or insert mode");
    adat.ReadOnly = true;
    EXPECT_EQ(ErrorOf([&] { t.CreateBlobStream(adat, TBlobStreamMode::bmReadWrite); }),
              "T1: Field 'Adat' is read only!");
    adat.ReadOnly = false;

    int told = 0;
    struct FieldLink : TDataLink {
        int* told;
        void RecordChanged(const TField* field) override {
            if (field && field->FieldName() == "Adat")
                ++*told;
        }
    } link;
    link.told = &told;
    TDataSource source(&t);
    link.SetDataSource(&source);

    t.Edit();
    {
        auto rw = t.CreateBlobStream(adat, TBlobStreamMode::bmReadWrite);
        EXPECT_EQ(rw->Size(), 3u);
        rw->Seek(3);
        rw->Write("XY");
        EXPECT_TRUE(rw->Modified());
    } // released: the bytes become the field's value
    EXPECT_EQ(told, 1);
    EXPECT_EQ(adat.AsString(), "\x01\x02\x03XY");
    {
        auto w = t.CreateBlobStream(adat, TBlobStreamMode::bmWrite);
        EXPECT_EQ(w->Size(), 0u);
        w->Write("new");
    }
    {
        auto rw = t.CreateBlobStream(adat, TBlobStreamMode::bmReadWrite);
        rw->Seek(1);
        rw->Truncate();
    }
    t.Post();
    EXPECT_EQ(adat.AsString(), "n");

    // An error while a released stream stores its bytes goes to the exception handler.
    std::string handled;
    SetStoreExceptionHandler([&](const std::exception& e) { handled = e.what(); });
    {
        t.Edit();
        auto w = t.CreateBlobStream(adat, TBlobStreamMode::bmWrite);
        w->Write("zz");
        t.Cancel();
    }
    EXPECT_EQ(handled, "T1: Table is not in edit or insert mode");
    EXPECT_EQ(adat.AsString(), "n");
    SetStoreExceptionHandler({});
}

} // namespace
} // namespace etikor
