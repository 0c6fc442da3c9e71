#include "series/ManualEntry.h"

#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "support/HungarianText.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace etikor {
namespace {

using test::ReadFileBytes;
using test::ScriptedModal;
using test::TempDir;
using test::WriteFileBytes;

const QString kCloneCaption5999 = QStringLiteral("5999 sokszorosítása");

// A series file in a temporary folder, opened as the data module opens `T1`.
class ManualEntryTest : public testing::Test {
protected:
    ManualEntryTest() {
        SetFormatSettings(TFormatSettings::HungarianSpace());
        WriteFileBytes(path_, BuildEmptyTableImage(SeriesFieldDefs()));
        t1_.Name = "T1";
        t1_.SetTableName(path_);
        t1_.Open();
    }
    ~ManualEntryTest() override { SetFormatSettings(TFormatSettings::Invariant()); }

    // Records written straight to the file, then the table reopened.
    void Seed(const std::vector<std::string>& values) {
        for (const std::string& v : values)
            AppendSeriesRecord(t1_, v, 5);
        WriteSeries(t1_);
        t1_.Close();
        t1_.Open();
    }
    // "value/type" of every record, in the table's current order.
    static std::vector<std::string> Rows(TStoreTable& t) {
        std::vector<std::string> out;
        for (t.First(); !t.Eof(); t.Next())
            out.push_back(t.FieldByName("Vonalkod1").AsString() + "/" + t.FieldByName("Tipus1").AsString());
        return out;
    }
    // The records of the file as another reader sees them now, in file order.
    std::vector<std::string> FileRows() const {
        TStoreTable t;
        t.SetTableName(path_);
        t.Open();
        return Rows(t);
    }
    std::string Current() const { return t1_.FieldByName("Vonalkod1").AsString(); }

    TempDir dir_;
    std::string path_ = dir_.file("s.sor");
    TStoreTable t1_;
    ScriptedModal modal_;
};

// ---- cloning ------------------------------------------------------------------------------

struct CloneCase {
    std::optional<QString> Answer; // nullopt: the box cancelled
    int Appended;
    QString Message; // "I" closing text, or "H" error
    const char* Why;
};

TEST_F(ManualEntryTest, CloningAppendsTheCountTypedAndTellsIt) {
    const CloneCase cases[] = {
        {QStringLiteral("3"), 3, QStringLiteral("Feldolgozás vége! (3 db. vonalkód)"), "three copies"},
        {QStringLiteral("0"), 0, QStringLiteral("Feldolgozás vége! (0 db. vonalkód)"), "zero still informs"},
        {QStringLiteral("-2"), 0, QStringLiteral("Feldolgozás vége! (-2 db. vonalkód)"), "negative: none"},
        {std::nullopt, 10, QStringLiteral("Feldolgozás vége! (10 db. vonalkód)"),
         "cancel answers the default"},
        {QStringLiteral("abc"), 0, QStringLiteral("abc nem szám!"), "not a number"},
        {QStringLiteral("2.5"), 0, QStringLiteral("2.5 nem szám!"), "not a whole number"},
        {QStringLiteral("99999999999"), 0, QStringLiteral("99999999999 nem szám!"), "beyond a whole number"},
        {QString(), 0, QStringLiteral(" nem szám!"), "empty answer"},
        {QStringLiteral("100001"), 0,
         QStringLiteral("Egyszerre legfeljebb 100 000 darab sokszorosítható! (100001)"), "above the cap"},
        {QStringLiteral("2000000000"), 0,
         QStringLiteral("Egyszerre legfeljebb 100 000 darab sokszorosítható! (2000000000)"),
         "a typo of a few digits too many"},
    };
    for (const CloneCase& c : cases) {
        SCOPED_TRACE(c.Why);
        t1_.EmptyTable();
        WriteSeries(t1_);
        Seed({"111"});
        const bool error = !c.Message.startsWith(QStringLiteral("Feldolgozás vége!"));
        modal_.ExpectInputBox(QStringLiteral("+ darab: "), c.Answer);
        modal_.ExpectMessage(error ? "H" : "I", c.Message);
        const TCloneResult result = CloneSeriesValue(t1_, "5999", 7, modal_);
        modal_.Verify();
        EXPECT_EQ(result.Appended, !error);
        EXPECT_EQ(result.Count, c.Appended);
        std::vector<std::string> expected{"111/5"};
        expected.insert(expected.end(), static_cast<std::size_t>(c.Appended), "5999/7");
        EXPECT_EQ(FileRows(), expected);
        EXPECT_EQ(t1_.RecordCount(), 1 + c.Appended);
    }
}

// The cap's message under English, as the other cloning messages.
TEST_F(ManualEntryTest, TheCloneCapSpeaksEnglish) {
    test::EnglishTexts english;
    ASSERT_TRUE(english.Ok());
    modal_.ExpectInputBox(QStringLiteral("+ copies: "), QStringLiteral("100001"));
    modal_.ExpectMessage("H", QStringLiteral("At most 100,000 copies can be made at a time! (100001)"));
    const TCloneResult result = CloneSeriesValue(t1_, "5999", 7, modal_);
    modal_.Verify();
    EXPECT_FALSE(result.Appended);
    EXPECT_EQ(t1_.RecordCount(), 0);
}

TEST_F(ManualEntryTest, ClonedRecordsCarryTheEightValuesOfAWindowRecord) {
    modal_.ExpectInputBox(QStringLiteral("+ darab: "), QStringLiteral("1"));
    modal_.ExpectMessage("I", QStringLiteral("Feldolgozás vége! (1 db. vonalkód)"));
    CloneSeriesValue(t1_, "\xC1rv\xEDz", 3, modal_); // "Árvíz" in Windows-1250
    TStoreTable t;
    t.SetTableName(path_);
    t.Open();
    ASSERT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(t.FieldByName("Vonalkod1").AsString(), "\xC1rv\xEDz");
    EXPECT_EQ(t.FieldByName("Tipus1").AsInteger(), 3);
    EXPECT_EQ(t.FieldByName("Vonalkod2").AsString(), "");
    EXPECT_EQ(t.FieldByName("Tipus2").AsInteger(), 0);
    EXPECT_FALSE(t.FieldByName("Tipus2").IsNull());
    EXPECT_EQ(t.FieldByName("Vonalkod3").AsString(), "");
    EXPECT_EQ(t.FieldByName("Tipus3").AsInteger(), 0);
    EXPECT_FALSE(t.FieldByName("Tipus3").IsNull());
    EXPECT_FALSE(t.FieldByName("ODBC").AsBoolean());
    EXPECT_FALSE(t.FieldByName("ODBC").IsNull());
    EXPECT_EQ(t.FieldByName("ODBC_tbl").AsString(), "");
}

TEST_F(ManualEntryTest, TheCloneBoxShowsTheValueConvertedFromTheCodePage) {
    struct Seen : ScriptedModal {
        QString Caption;
        std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                        const QString& defaultValue) override {
            Caption = caption;
            EXPECT_EQ(defaultValue, QStringLiteral("10"));
            return ScriptedModal::InputBox(caption, prompt, defaultValue);
        }
    } modal;
    modal.ExpectInputBox(QStringLiteral("+ darab: "), QStringLiteral("0"));
    modal.ExpectMessage("I", QStringLiteral("Feldolgozás vége! (0 db. vonalkód)"));
    CloneSeriesValue(t1_, "\xC1rv\xEDz", 0, modal);
    EXPECT_EQ(modal.Caption, QStringLiteral("Árvíz sokszorosítása"));
}

TEST_F(ManualEntryTest, TheWindowShowsTheNewCountBeforeTheClosingMessage) {
    struct Ordered : ScriptedModal {
        QStringList* Events;
        bool Message(const QString& title, const QString& text, const QString& kind) override {
            Events->append(kind);
            return ScriptedModal::Message(title, text, kind);
        }
    };
    for (const char* answer : {"2", "x"}) {
        SCOPED_TRACE(answer);
        QStringList events;
        Ordered modal;
        modal.Events = &events;
        const bool number = QString::fromLatin1(answer) == QStringLiteral("2");
        modal.ExpectInputBox(QStringLiteral("+ darab: "), QString::fromLatin1(answer));
        modal.ExpectMessageStartingWith(number ? "I" : "H",
                                        number ? QStringLiteral("Feldolgozás vége!") : QString());
        CloneSeriesValue(t1_, "1", 0, modal, [&] { events.append(QString::number(t1_.RecordCount())); });
        modal.Verify();
        // No count shown for a refused answer.
        EXPECT_EQ(events, number ? (QStringList{"2", "I"}) : (QStringList{"H"}));
    }
}

TEST_F(ManualEntryTest, MainWindowCloneAsksOnlyFromTwoRecordsOn) {
    // One record: straight to the count.
    Seed({"111"});
    modal_.ExpectInputBox(QStringLiteral("+ darab: "), QStringLiteral("2"));
    modal_.ExpectMessage("I", QStringLiteral("Feldolgozás vége! (2 db. vonalkód)"));
    EXPECT_EQ(CloneFromMainWindow(t1_, "5999", 4, modal_).Count, 2);
    modal_.Verify();
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"111/5", "5999/4", "5999/4"}));

    // Three records: No stops before the count.
    modal_.ExpectMessage("K", QStringLiteral("Folytatja a sokszorosítást?"), false);
    const TCloneResult declined = CloneFromMainWindow(t1_, "777", 4, modal_);
    modal_.Verify();
    EXPECT_FALSE(declined.Asked);
    EXPECT_EQ(FileRows().size(), 3u);

    // Yes goes on.
    modal_.ExpectMessage("K", QStringLiteral("Folytatja a sokszorosítást?"), true);
    modal_.ExpectInputBox(QStringLiteral("+ darab: "), QStringLiteral("1"));
    modal_.ExpectMessage("I", QStringLiteral("Feldolgozás vége! (1 db. vonalkód)"));
    CloneFromMainWindow(t1_, "777", 4, modal_);
    modal_.Verify();
    EXPECT_EQ(FileRows().back(), "777/4");
}

TEST_F(ManualEntryTest, MainWindowCloneOnAnEmptySeriesAsksNothingEither) {
    modal_.ExpectInputBox(QStringLiteral("+ darab: "), QStringLiteral("1"));
    modal_.ExpectMessage("I", QStringLiteral("Feldolgozás vége! (1 db. vonalkód)"));
    CloneFromMainWindow(t1_, "1", 0, modal_);
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"1/0"}));
}

TEST_F(ManualEntryTest, CountsAreGroupedByTheLocale) {
    EXPECT_EQ(GroupedCount(0), QStringLiteral("0"));
    EXPECT_EQ(GroupedCount(999), QStringLiteral("999"));
    EXPECT_EQ(GroupedCount(1234567), QStringLiteral("1 234 567"));
}

// ---- the manual-entry session -------------------------------------------------------------

TEST_F(ManualEntryTest, StartSortsByValueAndFinishRemovesTheSort) {
    Seed({"300", "100", "200"});
    TManualEntry entry(t1_);
    entry.Start();
    EXPECT_EQ(t1_.IndexFieldNames(), "Vonalkod1");
    EXPECT_EQ(Current(), "100");
    EXPECT_EQ(Rows(t1_), (std::vector<std::string>{"100/5", "200/5", "300/5"}));
    entry.Finish();
    EXPECT_EQ(t1_.IndexFieldNames(), "");
    EXPECT_EQ(Rows(t1_), (std::vector<std::string>{"300/5", "100/5", "200/5"}));
}

TEST_F(ManualEntryTest, ANewValueIsInTheFileAtOnceAndBecomesCurrent) {
    Seed({"300", "100"});
    TManualEntry entry(t1_);
    entry.Start();
    entry.BeginNew();
    EXPECT_TRUE(entry.Entering());
    t1_.FieldByName("Vonalkod1").SetAsString("200");
    EXPECT_TRUE(entry.Confirm(9));
    EXPECT_FALSE(entry.Entering());
    EXPECT_EQ(Current(), "200");
    EXPECT_EQ(entry.CurrentType(), 9);
    EXPECT_EQ(t1_.IndexFieldNames(), "Vonalkod1");
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"300/5", "100/5", "200/9"}));
    TStoreTable t;
    t.SetTableName(path_);
    t.Open();
    t.Last();
    EXPECT_EQ(t.FieldByName("Vonalkod2").AsString(), "");
    EXPECT_FALSE(t.FieldByName("ODBC").IsNull());
}

TEST_F(ManualEntryTest, ABlankValueIsRefusedAndTheEntryStaysOpen) {
    Seed({"100"});
    TManualEntry entry(t1_);
    entry.Start();
    entry.BeginNew();
    t1_.FieldByName("Vonalkod1").SetAsString("   ");
    EXPECT_FALSE(entry.Confirm(5));
    EXPECT_TRUE(entry.Entering());
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"100/5"}));
    entry.Cancel();
    EXPECT_FALSE(entry.Entering());
    EXPECT_EQ(t1_.RecordCount(), 1);
}

TEST_F(ManualEntryTest, AChangedValueIsWrittenAndLocated) {
    Seed({"100", "200", "300"});
    TManualEntry entry(t1_);
    entry.Start();
    t1_.Next(); // 200
    entry.BeginChange();
    t1_.FieldByName("Vonalkod1").SetAsString("400");
    EXPECT_TRUE(entry.Confirm(2));
    EXPECT_EQ(Current(), "400");
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"100/5", "400/2", "300/5"}));
}

TEST_F(ManualEntryTest, CancelLeavesTheFileAsItWas) {
    Seed({"100"});
    const std::string before = ReadFileBytes(path_);
    TManualEntry entry(t1_);
    entry.Start();
    entry.BeginChange();
    t1_.FieldByName("Vonalkod1").SetAsString("999");
    entry.Cancel();
    EXPECT_EQ(Current(), "100");
    EXPECT_EQ(ReadFileBytes(path_), before);
}

TEST_F(ManualEntryTest, DeletingPositionsOnTheValueThatFollowsIt) {
    Seed({"123456", "12345", "9"});
    TManualEntry entry(t1_);
    entry.Start();
    ASSERT_TRUE(t1_.Locate("Vonalkod1", TVariant(std::string("12345")), 0));
    modal_.ExpectMessage("K", QStringLiteral("Valóban törölni kívánja az aktuális vonalkódot?"), true);
    entry.Delete(modal_);
    modal_.Verify();
    EXPECT_EQ(Current(), "123456");
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"123456/5", "9/5"}));
}

// Relies on a partial-key locate of an empty text finding the first record with a value.
TEST_F(ManualEntryTest, NoToTheDeleteQuestionStillRewritesAndGoesToTheFirstValue) {
    Seed({"", "222", "111"});
    TManualEntry entry(t1_);
    entry.Start();
    t1_.Last(); // 222
    // A change the file does not have yet: the rewrite takes it.
    AppendSeriesRecord(t1_, "333", 1);
    modal_.ExpectMessage("K", QStringLiteral("Valóban törölni kívánja az aktuális vonalkódot?"), false);
    entry.Delete(modal_);
    modal_.Verify();
    EXPECT_EQ(t1_.IndexFieldNames(), "Vonalkod1");
    EXPECT_EQ(Current(), "111");
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"/5", "222/5", "111/5", "333/1"}));
}

TEST_F(ManualEntryTest, DeleteAllEmptiesOnYesAndRewritesEitherWay) {
    Seed({"1", "2"});
    TManualEntry entry(t1_);
    entry.Start();
    modal_.ExpectMessage("K", QStringLiteral("Valóban törölni kívánja az ÖSSZES vonalkódot?"), false);
    entry.DeleteAll(modal_);
    modal_.Verify();
    EXPECT_EQ(FileRows().size(), 2u);
    modal_.ExpectMessage("K", QStringLiteral("Valóban törölni kívánja az ÖSSZES vonalkódot?"), true);
    entry.DeleteAll(modal_);
    modal_.Verify();
    EXPECT_TRUE(FileRows().empty());
    EXPECT_EQ(t1_.RecordCount(), 0);
    EXPECT_EQ(t1_.IndexFieldNames(), "Vonalkod1");
}

} // namespace
} // namespace etikor
