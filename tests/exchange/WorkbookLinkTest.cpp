#include "exchange/WorkbookLink.h"

#include "document/DataModule.h"
#include "document/TemplateFiles.h"
#include "exchange/ChildProcessLimits.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <QString>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace etikor {
namespace {

using test::ScriptedModal;
using test::TempDir;

const QString kCr = QStringLiteral("\r");
const std::string kFixture = std::string(ETIKOR_EXCHANGE_FIXTURES) + "/linked.xls";

// Records what the main window would show.
struct Host : TWorkbookLinkHost {
    TDocumentState state;
    TDataSet* source = nullptr;
    int help = 10;
    std::vector<int> helpSeen; // every help context set, in order
    int fieldLists = 0;
    TDocumentState& LinkState() override { return state; }
    void SetDataSource(TDataSet* s) override { source = s; }
    int LinkHelpContext() const override { return help; }
    void SetLinkHelpContext(int topic) override {
        help = topic;
        helpSeen.push_back(topic);
    }
    void FieldListRebuilt() override { ++fieldLists; }
    void StatusChanged() override {}
};

class WorkbookLinkTest : public ::testing::Test {
protected:
    // A series folder with "Sorozat0.sor" holding `records` records (none: an empty table).
    void WriteSeries(int records, const char* linkedTable = nullptr) {
        TStoreTable s;
        s.FieldDefs = SeriesFieldDefs();
        s.Open();
        for (int i = 0; i < records; ++i) {
            s.Append();
            s.FieldByName("Vonalkod1").SetAsString("599900000001" + std::to_string(i));
            if (linkedTable && i == 0) {
                s.FieldByName("ODBC").SetAsBoolean(true);
                s.FieldByName("ODBC_tbl").SetAsString(linkedTable);
            }
            s.Post();
        }
        s.SaveTable(dir.file("Sorozat0.sor"));
        dm.T1.Close();
        dm.T1.SetTableName(dir.file("Sorozat0.sor"));
        dm.T1.Open();
        host.state.SeriesName = QStringLiteral("Sorozat0.sor");
        host.source = &dm.T1;
    }
    // The stored link as the series file holds it.
    std::pair<bool, std::string> StoredOnDisk() {
        TStoreTable s;
        s.SetTableName(dir.file("Sorozat0.sor"));
        s.Open();
        s.First();
        return {s.FieldByName("ODBC").AsBoolean(), s.FieldByName("ODBC_tbl").AsString()};
    }
    QString Folder() const { return QString::fromStdString(dir.path().string()); }
    void CopyFixture(const std::string& name) { std::filesystem::copy_file(kFixture, dir.path() / name); }

    TempDir dir;
    TDM dm;
    Host host;
    TWorkbookLink link{dm, host};
};

TEST_F(WorkbookLinkTest, LinkingAWorkbookMakesItTheDataSource) {
    WriteSeries(0);
    CopyFixture("adatok.xls");
    ScriptedModal modal;
    modal.ExpectOpenFile(QString::fromStdString(dir.file("adatok.xls")), [this](const TFileDialogOptions& o) {
        EXPECT_EQ(o.Title, QStringLiteral("Etikor MS-Excel kapcsolat"));
        EXPECT_EQ(o.InitialDir, Folder());
        EXPECT_TRUE(o.Filter.startsWith(QStringLiteral("Excel fileok|*.xls")));
    });
    link.LinkFromDialog(Folder());
    modal.Verify();
    EXPECT_EQ(host.help, 38);
    EXPECT_EQ(host.source, &link.KT1);
    EXPECT_EQ(host.state.Panel3, QStringLiteral("Kapcsolat: adatok.xls"));
    EXPECT_EQ(host.state.Panel4, QStringLiteral("25"));
    EXPECT_TRUE(host.state.LinkFlag);
    EXPECT_TRUE(host.state.DataFlag);
    EXPECT_EQ(dm.FieldList().size(), 4u);
    EXPECT_EQ(dm.FieldList()[0].Name, "Cikkszam       ");
    // The empty series table gained the record that remembers the link.
    EXPECT_EQ(StoredOnDisk(), std::make_pair(true, std::string("adatok.xls")));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "adatok.xls"));
}

TEST_F(WorkbookLinkTest, CancelRemovesTheLink) {
    WriteSeries(3, "adatok.xls");
    ScriptedModal modal;
    modal.ExpectOpenFile(std::nullopt);
    modal.ExpectMessage("I", "Nincs kapcsolt adat!");
    host.state.LinkFlag = true;
    link.LinkFromDialog(Folder());
    modal.Verify();
    EXPECT_EQ(host.source, &dm.T1);
    EXPECT_FALSE(host.state.LinkFlag);
    EXPECT_TRUE(host.state.DataFlag);
    EXPECT_EQ(host.state.Panel2, QStringLiteral("Sorozat: Sorozat0.sor"));
    EXPECT_EQ(host.state.Panel4, QStringLiteral("3"));
    EXPECT_EQ(StoredOnDisk(), std::make_pair(false, std::string()));
    EXPECT_EQ(dm.FieldList()[0].Name, "Vonalkod1      ");
}

TEST_F(WorkbookLinkTest, CancelWithNothingLinkedStillWritesFalse) {
    WriteSeries(0);
    ScriptedModal modal;
    modal.ExpectOpenFile(std::nullopt);
    modal.ExpectMessage("I", "Nincs kapcsolt adat!");
    link.LinkFromDialog(Folder());
    modal.Verify();
    // The record that holds the stored link is added to the empty series, and counts.
    EXPECT_EQ(dm.T1.RecordCount(), 1);
    EXPECT_EQ(host.state.Panel4, QStringLiteral("1"));
    EXPECT_EQ(StoredOnDisk(), std::make_pair(false, std::string()));
}

TEST_F(WorkbookLinkTest, BrokenWorkbookKeepsTheSeriesAndTheStoredState) {
    WriteSeries(2);
    test::WriteFileBytes(dir.path() / "rossz.xls", "not a workbook at all");
    ScriptedModal modal;
    modal.ExpectOpenFile(QString::fromStdString(dir.file("rossz.xls")));
    modal.ExpectMessageStartingWith("H", "Hibás tábla file! (Hibakód: KT1: ");
    link.LinkFromDialog(Folder());
    modal.Verify();
    EXPECT_EQ(host.helpSeen, (std::vector<int>{38, 22, 38})) << "the message's own topic, then back";
    EXPECT_EQ(host.source, &dm.T1);
    EXPECT_FALSE(host.state.LinkFlag);
    EXPECT_EQ(StoredOnDisk(), std::make_pair(false, std::string()));
}

// Choosing a file that cannot be linked while another is linked: the message, and everything
// as it was before (data source, flags, status, field list, the stored link).
TEST_F(WorkbookLinkTest, AFailedRelinkLeavesTheOldLinkAsItWas) {
    WriteSeries(2);
    CopyFixture("adatok.xls");
    {
        ScriptedModal modal;
        modal.ExpectOpenFile(QString::fromStdString(dir.file("adatok.xls")));
        link.LinkFromDialog(Folder());
        modal.Verify();
    }
    ASSERT_TRUE(host.state.LinkFlag);
    const TDocumentState before = host.state;
    const std::vector<TFieldListEntry> fields = dm.FieldList();
    const std::string hostile = std::string(ETIKOR_EXCHANGE_FIXTURES) + "/";
    const struct {
        std::string name;
        std::string bytes;
    } cases[] = {
        {"rossz.xls", "not a workbook at all"},
        {"rossz.csv", "a;b\n\"never closed"},
        {"rossz.xlsx", "PK\x03\x04 not a zip"},
        {"big_cells.ods", test::ReadFileBytes(hostile + "big_cells.ods")},
        {"shared_big.xlsx", test::ReadFileBytes(hostile + "shared_big.xlsx")},
    };
    for (const auto& c : cases) {
        test::WriteFileBytes(dir.path() / c.name, c.bytes);
        ScriptedModal modal;
        modal.ExpectOpenFile(QString::fromStdString(dir.file(c.name)));
        modal.ExpectMessageStartingWith("H", "Hibás tábla file! (Hibakód: KT1: ");
        link.LinkFromDialog(Folder());
        modal.Verify();
        EXPECT_EQ(host.source, &link.KT1) << c.name;
        EXPECT_TRUE(host.state.LinkFlag) << c.name;
        EXPECT_TRUE(host.state.DataFlag) << c.name;
        EXPECT_EQ(host.state.Panel2, before.Panel2) << c.name;
        EXPECT_EQ(host.state.Panel3, QStringLiteral("Kapcsolat: adatok.xls")) << c.name;
        EXPECT_EQ(host.state.Panel4, QStringLiteral("25")) << c.name;
        EXPECT_EQ(link.KT1.RecordCount(), 25) << c.name;
        ASSERT_EQ(dm.FieldList().size(), fields.size()) << c.name;
        EXPECT_EQ(dm.FieldList()[0].Name, fields[0].Name) << c.name;
        EXPECT_EQ(StoredOnDisk(), std::make_pair(true, std::string("adatok.xls"))) << c.name;
    }
}

// A .csv that is UTF-8 but for a stray byte links, and says where the first one is.
TEST_F(WorkbookLinkTest, AStrayByteInUtf8IsNamedWithItsLine) {
    WriteSeries(0);
    test::WriteFileBytes(dir.path() / "adat.csv", "N\xC3\xA9v\nAlma\nK\xF6rte\n\xC3\x81ll\n");
    ScriptedModal modal;
    modal.ExpectOpenFile(QString::fromStdString(dir.file("adat.csv")));
    modal.ExpectMessage("F", "A(z) adat.csv UTF-8 szövegében hibás bájtok vannak (az első a(z) 3. sorban);" +
                                 kCr + "ezeket Windows-1250 karakterként olvasta be a program.");
    link.LinkFromDialog(Folder());
    modal.Verify();
    EXPECT_TRUE(host.state.LinkFlag);
    link.KT1.Last();
    EXPECT_EQ(link.KT1.Fields(0).AsString(), "\xC1ll");
    EXPECT_EQ(dm.FieldList()[0].Name, "N\xE9v" + std::string(12, ' '));
}

// Memory running out while the chosen file is read is a broken file to the user too: the
// message, and nothing changed, never an escaping std::bad_alloc.
TEST_F(WorkbookLinkTest, RunningOutOfMemoryIsTheBrokenFileMessage) {
    WriteSeries(2);
    {
        // 64 MB of text: within the bound, beyond the reading process below.
        std::string text = "Nev\n";
        const std::string line = std::string(65535, 'x') + "\n";
        for (int i = 0; i < 1024; ++i)
            text += line;
        test::WriteFileBytes(dir.path() / "nagy.csv", text);
    }
    const TDocumentState before = host.state;
    const pid_t child = fork();
    if (child == 0) {
        if (!LimitAddressSpaceGrowth(std::size_t(48) << 20))
            _exit(2);
        try {
            ScriptedModal modal;
            modal.ExpectOpenFile(QString::fromStdString(dir.file("nagy.csv")));
            modal.ExpectMessage("H", "Hibás tábla file! (Hibakód: KT1: Not enough memory for the worksheet)");
            link.LinkFromDialog(Folder());
            modal.Verify();
            const bool unchanged = host.source == &dm.T1 && !host.state.LinkFlag &&
                                   host.state.Panel3 == before.Panel3 && host.state.Panel4 == before.Panel4;
            _exit(::testing::Test::HasFailure() ? 3 : unchanged ? 0 : 4);
        } catch (...) {
            _exit(5);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "no address-space limit under this build (address sanitizer)";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(WorkbookLinkTest, ReconnectWithTheSettingOnAndOff) {
    WriteSeries(1, "adatok.xls");
    CopyFixture("adatok.xls");
    {
        ScriptedModal modal;
        modal.ExpectMessage("i", "Ez a címketerv kapcsolt adatokat tartalmaz!" + kCr +
                                     "[ Táblanév: adatok.xls ]" + kCr + "Kapcsolja újra az adatokat!");
        link.Reconnect(Folder(), false);
        modal.Verify();
        EXPECT_EQ(host.help, 38);
        EXPECT_EQ(host.source, &dm.T1);
        EXPECT_FALSE(host.state.LinkFlag);
    }
    {
        ScriptedModal modal; // no prompt at all
        link.Reconnect(Folder(), true);
        EXPECT_EQ(host.source, &link.KT1);
        EXPECT_TRUE(host.state.LinkFlag);
        EXPECT_EQ(host.state.Panel3, QStringLiteral("Kapcsolat: adatok.xls"));
        EXPECT_EQ(host.state.Panel4, QStringLiteral("25"));
    }
}

TEST_F(WorkbookLinkTest, ReconnectWithTheFileMissingWarnsAndKeepsTheLink) {
    WriteSeries(1, "adatok.xls");
    ScriptedModal modal;
    modal.ExpectMessage("F", "A(z) adatok.xls file" + kCr + "nem található az alapértelmezett" + kCr + "(" +
                                 Folder() + ") mappában!" + kCr + "A kapcsolat nem jött létre!");
    link.Reconnect(Folder(), true);
    modal.Verify();
    EXPECT_EQ(host.source, &dm.T1);
    EXPECT_EQ(StoredOnDisk(), std::make_pair(true, std::string("adatok.xls")));
}

TEST_F(WorkbookLinkTest, NoStoredLinkNothingHappens) {
    WriteSeries(1);
    ScriptedModal modal;
    link.Reconnect(Folder(), true);
    link.Reconnect(Folder(), false);
    EXPECT_EQ(host.help, 10);
    EXPECT_EQ(host.source, &dm.T1);
}

} // namespace
} // namespace etikor
