#include "series/SeriesGeneration.h"

#include "SeriesTestSupport.h"
#include "barcode/EncodeMatrix.h"
#include "data/FormatSettings.h"
#include "document/TemplateSchema.h"
#include "series/DateLayout.h"
#include "series/SeriesDefinition.h"
#include "support/ChildProcess.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreBytes.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

namespace etikor {
namespace {

using test::AppendSegments;
using test::Cp;
using test::ReadFileBytes;
using test::ScriptedModal;
using test::SegmentRows;
using test::TempDir;
using test::WriteFileBytes;

const QString kFinished = QStringLiteral("Feldolgozás vége!");
const QString kLong = QStringLiteral("Ez a feldolgozás több percig is eltarthat! Folytatja?");

QString CountQuestion(const char* count) {
    return QStringLiteral("Generált vonalkódok száma (1): ") + QString::fromUtf8(count) +
           QStringLiteral("\rFolytatja a feldolgozást?");
}

// A series file and a definition in a temporary folder, opened as the data module opens them.
class SeriesGenerationTest : public testing::Test {
protected:
    SeriesGenerationTest() {
        SetFormatSettings(TFormatSettings::HungarianSpace());
        WriteFileBytes(path_, BuildEmptyTableImage(SeriesFieldDefs()));
        t1_.Name = "T1";
        t1_.SetTableName(path_);
        t1_.Open();
        m1_.Name = "M1";
        m1_.FieldDefs = DefinitionFieldDefs();
        m1_.Open();
    }
    ~SeriesGenerationTest() override { SetFormatSettings(TFormatSettings::Invariant()); }

    TGenerationResult Generate(TGenerationOptions options = {}) {
        options.SeriesFileName = QStringLiteral("s.sor");
        return GenerateSeries(m1_, t1_, modal_, options);
    }
    std::vector<std::string> Values() {
        std::vector<std::string> out;
        for (t1_.First(); !t1_.Eof(); t1_.Next())
            out.push_back(t1_.FieldByName("Vonalkod1").AsString());
        return out;
    }
    // The values the file holds, read afresh.
    std::vector<std::string> FileValues() {
        TStoreTable again;
        again.SetTableName(path_);
        again.Open();
        std::vector<std::string> out;
        for (again.First(); !again.Eof(); again.Next())
            out.push_back(again.FieldByName("Vonalkod1").AsString());
        return out;
    }
    void OldSeries() {
        for (const char* value : {"regi1", "regi2"}) {
            t1_.Append();
            t1_.FieldByName("Vonalkod1").SetAsString(value);
            t1_.Post();
        }
        t1_.SaveTable(path_);
    }

    TempDir dir_;
    std::string path_ = dir_.file("s.sor");
    TStoreTable t1_, m1_;
    ScriptedModal modal_;
};

TEST_F(SeriesGenerationTest, WritesEveryValueWithItsTypeAndSaysItIsDone) {
    AppendSegments(m1_, {{"K", 3, 1, "ABC"}, {"S", 4, 1, "1000", "1002"}, {"K", 1, 1, "A", "C"}});
    modal_.ExpectMessage("K", CountQuestion("9"), true).ExpectMessage("I", kFinished);
    TGenerationOptions options;
    options.BarcodeType = 8;
    QStringList progress;
    options.Progress = [&](const QString& text) { progress << text; };
    const TGenerationResult result = Generate(options);
    EXPECT_EQ(result.Outcome, TGenerationOutcome::Done);
    EXPECT_TRUE(result.SeriesReplaced());
    EXPECT_EQ(result.Written, 9);
    const std::vector<std::string> expected = {"ABC1000A", "ABC1000B", "ABC1000C", "ABC1001A", "ABC1001B",
                                               "ABC1001C", "ABC1002A", "ABC1002B", "ABC1002C"};
    EXPECT_EQ(Values(), expected);
    EXPECT_EQ(FileValues(), expected);
    t1_.First();
    EXPECT_EQ(t1_.FieldByName("Tipus1").AsInteger(), 8);
    EXPECT_FALSE(t1_.FieldByName("ODBC").AsBoolean());
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.back(), QStringLiteral("9/9"));

    // The file is byte for byte what saving the table writes.
    const std::string appended = ReadFileBytes(path_);
    t1_.SaveTable(path_);
    EXPECT_EQ(ReadFileBytes(path_), appended);
}

// The EAN-128 helper's "(AI)" segments with the data after them make GS1 element strings that a
// GS1 DataMatrix ("Data Matrix", type 16) encodes as they stand.
TEST_F(SeriesGenerationTest, AiSegmentsFormGs1DataMatrixValues) {
    // The helper writes the definition at once: it needs its file.
    WriteFileBytes(dir_.file("s.vks"), BuildEmptyTableImage(DefinitionFieldDefs()));
    m1_.Close();
    m1_.SetTableName(dir_.file("s.vks"));
    m1_.Open();
    ASSERT_TRUE(InsertAiSegment(m1_, modal_, "01", true, 0, 1, 16));
    AppendSegments(m1_, {{"K", 14, 1, "09501101530003"}});
    ASSERT_TRUE(InsertAiSegment(m1_, modal_, "10", true, 0, 1, 16));
    AppendSegments(m1_, {{"S", 2, 1, "01", "03"}});
    modal_.ExpectMessage("K", CountQuestion("3"), true).ExpectMessage("I", kFinished);
    TGenerationOptions options;
    options.BarcodeType = 16;
    EXPECT_EQ(Generate(options).Outcome, TGenerationOutcome::Done);
    const std::vector<std::string> values = Values();
    EXPECT_EQ(values, (std::vector<std::string>{"(01)09501101530003(10)01", "(01)09501101530003(10)02",
                                                "(01)09501101530003(10)03"}));
    TMatrixOptions gs1;
    gs1.DmGs1 = true;
    ASSERT_EQ(BarcodeOptionsForIndex(216), gs1);
    for (const std::string& value : values) {
        const MatrixEncoding e = EncodeMatrixSymbol(value, *BarcodeTypeForIndex(216), gs1);
        EXPECT_TRUE(e.Check.Ok) << value << ": " << e.Check.Detail;
    }
    t1_.First();
    EXPECT_EQ(t1_.FieldByName("Tipus1").AsInteger(), 16);
}

TEST_F(SeriesGenerationTest, OverwriteQuestionAnsweredNoChangesNothing) {
    OldSeries();
    AppendSegments(m1_, {{"S", 1, 1, "1", "3"}});
    modal_.ExpectMessage("K", QStringLiteral("Felülírja a meglévő sorozatot? [s.sor]"), false);
    EXPECT_EQ(Generate().Outcome, TGenerationOutcome::Declined);
    EXPECT_EQ(FileValues(), (std::vector<std::string>{"regi1", "regi2"}));
}

TEST_F(SeriesGenerationTest, EmptyDefinitionIsAWarning) {
    modal_.ExpectMessage(
        "F", QStringLiteral("Nem adta meg a vonalkód részeit, vagy nem töltött be elmentett sorozatott!"));
    EXPECT_EQ(Generate().Outcome, TGenerationOutcome::NoSegment);
}

// Nothing is given up until the user has said yes to both questions; a run stopped at the
// count says that the series did not change.
TEST_F(SeriesGenerationTest, CountQuestionAnsweredNoKeepsTheOldSeries) {
    OldSeries();
    AppendSegments(m1_, {{"K", 3, 1, "ABC"}});
    modal_.ExpectMessage("K", QStringLiteral("Felülírja a meglévő sorozatot? [s.sor]"), true)
        .ExpectMessage("K", CountQuestion("1"), false)
        .ExpectMessage("I", QStringLiteral("A generálás leállt, a sorozat nem változott."));
    const TGenerationResult result = Generate();
    EXPECT_EQ(result.Outcome, TGenerationOutcome::Stopped);
    EXPECT_FALSE(result.SeriesReplaced());
    EXPECT_EQ(Values(), (std::vector<std::string>{"regi1", "regi2"}));
    EXPECT_EQ(FileValues(), (std::vector<std::string>{"regi1", "regi2"}));
}

TEST_F(SeriesGenerationTest, FixedSegmentsVerticallyGiveNoValue) {
    AppendSegments(m1_, {{"K", 3, 1, "ABC"}});
    modal_.ExpectMessage("K", CountQuestion("0"), true).ExpectMessage("I", kFinished);
    TGenerationOptions options;
    options.Vertical = true;
    EXPECT_EQ(Generate(options).Written, 0);
}

TEST_F(SeriesGenerationTest, AboveFifteenThousandValuesAsksAgain) {
    struct Case {
        const char* End;
        const char* Shown;
        bool AskedAgain;
    };
    for (const Case& c : {Case{"15000", "15 000", false}, Case{"15001", "15 001", true}}) {
        SCOPED_TRACE(c.End);
        m1_.EmptyTable();
        AppendSegments(m1_, {{"S", 5, 1, "00001", c.End}});
        if (t1_.RecordCount() > 0)
            modal_.ExpectMessage("K", QStringLiteral("Felülírja a meglévő sorozatot? [s.sor]"), true);
        modal_.ExpectMessage("K", CountQuestion(c.Shown), true);
        if (c.AskedAgain)
            modal_
                .ExpectMessage("K", kLong, false) // No: stops, and says the series is as it was
                .ExpectMessage("I", QStringLiteral("A generálás leállt, a sorozat nem változott."));
        else
            modal_.ExpectMessage("I", kFinished);
        const TGenerationResult result = Generate();
        modal_.Verify();
        EXPECT_EQ(result.Written, c.AskedAgain ? 0 : 15000);
        EXPECT_EQ(t1_.RecordCount(), 15000); // the stopped second run keeps the first one's series
    }
}

TEST_F(SeriesGenerationTest, DefinitionThatCannotBeGeneratedKeepsTheOldSeries) {
    OldSeries();
    AppendSegments(m1_, {{"K", 1, 1, "A"}, {"S", 3, 1, "1", "10"}});
    const QString message = QStringLiteral(
        "A(z) 2. vonalkódrész (Szám, „1” – „10”): a 3 hosszú számláló a záró értéket „010” alakban írja, így "
        "„10” sosem lesz a szövege. Adja meg a záró értéket „010” alakban.");
    modal_.ExpectMessage("K", QStringLiteral("Felülírja a meglévő sorozatot? [s.sor]"), true)
        .ExpectMessage("H", message);
    const TGenerationResult result = Generate();
    EXPECT_EQ(result.Outcome, TGenerationOutcome::Refused);
    EXPECT_EQ(result.Message, message);
    EXPECT_EQ(FileValues(), (std::vector<std::string>{"regi1", "regi2"}));
    EXPECT_EQ(Values(), (std::vector<std::string>{"regi1", "regi2"}));
}

// A value the chosen type cannot encode stops the run at that value: the user is told which
// value and why, and the old series stays as it was.
TEST_F(SeriesGenerationTest, ValueTheTypeCannotEncodeKeepsTheOldSeries) {
    OldSeries();
    AppendSegments(m1_, {{"K", 11, 1, "40063813339"}, {"S", 1, 1, "3", "5"}, {"K", 1, 1, "X"}});
    TGenerationOptions options;
    options.BarcodeType = 1; // 2/5 Industrial: digits only
    const QString message = QStringLiteral("A(z) 1. érték („400638133393X”) nem lehet ilyen vonalkód:\r");
    modal_.ExpectMessage("K", QStringLiteral("Felülírja a meglévő sorozatot? [s.sor]"), true)
        .ExpectMessage("K", CountQuestion("3"), true)
        .ExpectMessageStartingWith("H", message);
    const TGenerationResult result = Generate(options);
    modal_.Verify();
    EXPECT_EQ(result.Outcome, TGenerationOutcome::Stopped);
    EXPECT_FALSE(result.SeriesReplaced());
    EXPECT_TRUE(result.Message.startsWith(message)) << result.Message.toStdString();
    EXPECT_TRUE(result.Message.contains(QStringLiteral("csak számjegyek"))) << result.Message.toStdString();
    EXPECT_EQ(FileValues(), (std::vector<std::string>{"regi1", "regi2"}));
    EXPECT_EQ(Values(), (std::vector<std::string>{"regi1", "regi2"}));
    // Nothing of the run is left beside the series.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(SeriesGenerationTest, DateLayoutIsAskedOnlyForADateSegment) {
    int asked = 0;
    TGenerationOptions options;
    options.ChooseDateFormat = [&]() -> std::optional<std::string> {
        ++asked;
        return " " + Cp("ÉÉÉÉ.HH.NN.") + " "; // surrounding blanks are dropped
    };
    AppendSegments(m1_, {{"S", 1, 1, "1", "2"}});
    modal_.ExpectMessage("K", CountQuestion("2"), true).ExpectMessage("I", kFinished);
    Generate(options);
    EXPECT_EQ(asked, 0);

    m1_.EmptyTable();
    AppendSegments(m1_, {{"D", 11, 2, "2024.01.30.", "2024.02.02."}});
    modal_.ExpectMessage("K", QStringLiteral("Felülírja a meglévő sorozatot? [s.sor]"), true)
        .ExpectMessage("K", CountQuestion("3"), true)
        .ExpectMessage("I", kFinished);
    Generate(options);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Values(), (std::vector<std::string>{"2024.01.30.", "2024.02.01.", "2024.02.02."}));
}

TEST_F(SeriesGenerationTest, ValueLongerThanTheFieldIsCutToItsSize) {
    const std::string fixed(200, 'x');
    AppendSegments(m1_, {{"K", 200, 1, fixed}, {"S", 1, 1, "1", "2"}});
    modal_.ExpectMessage("K", CountQuestion("2"), true).ExpectMessage("I", kFinished);
    Generate();
    EXPECT_EQ(FileValues(), (std::vector<std::string>(2, std::string(kVonalkodSize, 'x'))));
}

TEST(GenerationProgress, StatusTextGroupsThousandsByTheLocale) {
    SetFormatSettings(TFormatSettings::HungarianSpace());
    EXPECT_EQ(GenerationProgressText(1500, 1200), QStringLiteral("1 500/1 200"));
    SetFormatSettings(TFormatSettings::Hungarian());
    EXPECT_EQ(GenerationProgressText(1500, 1200), QStringLiteral("1\u00A0500/1\u00A0200"));
    SetFormatSettings(TFormatSettings::Invariant());
    EXPECT_EQ(GenerationProgressText(1234567, 999), QStringLiteral("1,234,567/999"));
}

// ---- a generation killed part-way -----------------------------------------------------------

constexpr int kKillValues = 2'000'000;

std::string KillValue(int i) {
    std::string v = std::to_string(i);
    return std::string(7 - v.size(), '0') + v;
}

// The child: a long generation into the series file named by its argument, which holds an
// older series.
const test::ChildRegistration kLongGeneration("series-long-generation", [](const QStringList& arguments) {
    TStoreTable t1, m1;
    t1.SetTableName(arguments.value(0).toStdString());
    t1.Open();
    m1.FieldDefs = DefinitionFieldDefs();
    m1.Open();
    AppendSegments(m1, {{"S", 7, 1, "0000000", KillValue(kKillValues - 1)}});
    ScriptedModal modal;
    modal
        .ExpectMessage("K", QStringLiteral("Felülírja a meglévő sorozatot? [") + arguments.value(0) + "]",
                       true)
        .ExpectMessage("K", CountQuestion("2 000 000"), true)
        .ExpectMessage("K", kLong, true);
    SetFormatSettings(TFormatSettings::HungarianSpace());
    TGenerationOptions options;
    options.SeriesFileName = arguments.value(0);
    GenerateSeries(m1, t1, modal, options);
    return 0;
});

// The records a file beside the series being built holds so far, or -1 when there is none.
int32_t RecordsBeingBuilt(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".etk-") && name.ends_with(".tmp")) {
            const std::string bytes = ReadFileBytes(entry.path());
            return bytes.size() >= 9 ? LoadAt<int32_t>(bytes.data() + 5) : 0;
        }
    }
    return -1;
}

// A generation killed part-way leaves the old series exactly as it was; the unfinished file
// beside it is removed by the next save of the series.
TEST(SeriesGenerationKill, OldSeriesStaysWhole) {
    TempDir dir;
    const std::string path = dir.file("s.sor");
    WriteFileBytes(path, BuildEmptyTableImage(SeriesFieldDefs()));
    {
        TStoreTable old;
        old.SetTableName(path);
        old.Open();
        for (const char* value : {"regi1", "regi2"}) {
            old.Append();
            old.FieldByName("Vonalkod1").SetAsString(value);
            old.Post();
        }
        old.SaveTable(path);
    }
    const std::string before = ReadFileBytes(path);
    QProcess child;
    child.setProcessEnvironment(
        test::ChildEnvironment("series-long-generation", {QString::fromStdString(path)}));
    child.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(child.waitForStarted());
    // Kill it once the new file counts a good many records.
    int32_t counted = -1;
    for (int wait = 0; wait < 3000 && counted < 20000; ++wait) {
        QThread::msleep(5);
        counted = RecordsBeingBuilt(dir.path());
    }
    child.kill();
    child.waitForFinished();
    ASSERT_GE(counted, 20000);
    ASSERT_GE(RecordsBeingBuilt(dir.path()), 0) << "the generation ended before it was killed";

    EXPECT_EQ(ReadFileBytes(path), before);
    TStoreTable t1;
    t1.SetTableName(path);
    ASSERT_NO_THROW(t1.Open());
    EXPECT_EQ(t1.RecordCount(), 2);
    t1.SaveTable(path);
    EXPECT_EQ(RecordsBeingBuilt(dir.path()), -1);
}

} // namespace
} // namespace etikor
