#include "document/TemplateFiles.h"

#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "document/FileNames.h"
#include "document/ShippedFiles.h"
#include "document/TemplateSchema.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <filesystem>

namespace etikor {
namespace {

using test::ReadFileBytes;
using test::ScriptedModal;
using test::TempDir;
using test::WriteFileBytes;

const QString kCr = QStringLiteral("\r");

// What the main window was asked to do, in order.
class RecordingHost : public TTemplateFilesHost {
public:
    QStringList Calls;
    int LinkedRecords = -1;
    void ClearSelection() override { Calls << "clear"; }
    void ShowDataSourceTab() override { Calls << "tab"; }
    void RebuildCanvas() override { Calls << "canvas"; }
    void CloseMainWindow() override { Calls << "close"; }
    void SeriesBecomesDataSource() override { Calls << "series"; }
    void FillFieldList() override { Calls << "fields"; }
    void ReconnectLink() override { Calls << "link"; }
    bool Called(const char* what) const { return Calls.contains(QString::fromLatin1(what)); }
};

class TemplateFilesTest : public testing::Test {
protected:
    TemplateFilesTest() {
        paths_.WorkingFolder = Q(work_.path().string());
        paths_.ProgramFolder = Q(program_.path().string());
        WriteDefaultSet(paths_.SeriesFolder());
    }

    static QString Q(const std::string& s) { return QString::fromStdString(s); }
    QString Series(const QString& name) const { return TAppPaths::Join(paths_.SeriesFolder(), name); }
    std::string SeriesPath(const char* name) const { return Series(QString::fromLatin1(name)).toStdString(); }
    std::string IniPath() const { return program_.file("etikor.ini"); }

    // A template with the given element names and a series with the given values.
    void MakeSet(const std::string& base, std::initializer_list<const char*> elements,
                 std::initializer_list<const char*> values, bool linked = false) {
        TStoreTable t;
        t.FieldDefs = ElemekFieldDefs();
        t.Open();
        AppendPageSetupRow(t, TPageSetup{});
        for (const char* e : elements)
            AppendElementRow(t, *KindFromName(e), e, {0, 0, 10, 10});
        t.SaveTable(SeriesPath((base + ".ctv").c_str()));
        TStoreTable s;
        s.FieldDefs = SeriesFieldDefs();
        s.Open();
        for (const char* v : values) {
            s.Append();
            s.FieldByName("Vonalkod1").SetAsString(v);
            s.FieldByName("Tipus1").SetAsInteger(5);
            s.FieldByName("ODBC").SetAsBoolean(linked);
            s.Post();
        }
        s.SaveTable(SeriesPath((base + ".sor").c_str()));
        TStoreTable m;
        m.FieldDefs = DefinitionFieldDefs();
        m.Open();
        m.SaveTable(SeriesPath((base + ".vks").c_str()));
    }

    TTemplateFiles& Files() {
        if (!files_)
            files_ = std::make_unique<TTemplateFiles>(dm_, settings_, settingsFile_, modal_, host_, paths_);
        return *files_;
    }

    // Start-up on `last` that must succeed.
    void StartOn(const char* last) {
        settings_.Utolso = QString::fromLatin1(last);
        ASSERT_TRUE(Files().StartupOpen()) << modal_.Log().join('\n').toStdString();
        host_.Calls.clear();
    }

    bool HasElement(const char* name) { return dm_.Elemek.Locate("Elemnev", TVariant(name), 0); }

    TempDir work_;
    TempDir program_;
    TAppPaths paths_;
    TDM dm_;
    TSettings settings_;
    TSettingsFile settingsFile_{Q(program_.path().string())};
    ScriptedModal modal_;
    RecordingHost host_;
    std::unique_ptr<TTemplateFiles> files_;
};

TEST(TemplateNames, BaseAndSaveAsNames) {
    EXPECT_EQ(TemplateBaseName("Sorozat0.ctv"), "Sorozat0");
    EXPECT_EQ(TemplateBaseName("a.b.ctv"), "a");
    EXPECT_EQ(TemplateBaseName("nodot"), "nodot");
    EXPECT_EQ(SaveAsTemplateName("Cimke2.ctv"), "Cimke2.ctv");
    EXPECT_EQ(SaveAsTemplateName("Cimke2.lbl"), "Cimke2.ctv");
    EXPECT_EQ(SaveAsTemplateName("a.b.lbl"), "a.ctv");
    EXPECT_EQ(SaveAsTemplateName("Cimke2"), "Cimke2.ctv");
}

// ---- start-up ---------------------------------------------------------------------------

TEST_F(TemplateFilesTest, StartupOpensTheLastTemplate) {
    MakeSet("Cimke1", {"Szoveg_1"}, {"111", "222"});
    StartOn("Cimke1.ctv");
    const TDocumentState& s = Files().State;
    EXPECT_EQ(s.TemplateName, "Cimke1.ctv");
    EXPECT_EQ(s.SeriesName, "Cimke1.sor");
    EXPECT_EQ(s.DefinitionName, "Cimke1.vks");
    EXPECT_FALSE(s.ClosingFlag);
    EXPECT_TRUE(s.DataFlag);
    EXPECT_TRUE(HasElement("Szoveg_1"));
    EXPECT_EQ(dm_.T1.RecordCount(), 2);
    EXPECT_TRUE(dm_.M1.Active());
}

TEST_F(TemplateFilesTest, StartupFallsBackToTheDefaultTemplate) {
    settings_.Utolso = "Eltunt.ctv";
    ASSERT_TRUE(Files().StartupOpen());
    EXPECT_EQ(Files().State.TemplateName, "Sorozat0.ctv");
    EXPECT_FALSE(Files().State.DataFlag) << "the shipped series is empty";
    EXPECT_TRUE(host_.Called("series"));
    EXPECT_TRUE(LocatePageSetup(dm_.Elemek)) << "the shipped template has its page-setup row";
    EXPECT_EQ(dm_.Elemek.RecordCount(), 1);
}

TEST_F(TemplateFilesTest, StartupMissingFilesEndTheProgramWithoutWritingSettings) {
    struct Case {
        const char* Why;
        const char* Remove;
        QString Message;
    };
    const Case cases[] = {
        {"no template", "Sorozat0.ctv", "Hiányzik a(z) " + Series("Sorozat0.ctv") + " file! (.ctv)"},
        {"no series", "Sorozat0.sor", "Hiányzik a(z) " + Series("Sorozat0.sor") + " file! (.sor)"},
        {"no definition", "Sorozat0.vks", "Hiányzik a(z) " + Series("Sorozat0.vks") + " file (.vks)!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Why);
        WriteDefaultSet(paths_.SeriesFolder());
        std::filesystem::remove(SeriesPath(c.Remove));
        TDM dm;
        RecordingHost host;
        TTemplateFiles files(dm, settings_, settingsFile_, modal_, host, paths_);
        modal_.ExpectMessage("H", c.Message);
        EXPECT_FALSE(files.StartupOpen());
        modal_.Verify();
        EXPECT_TRUE(host.Called("close"));
        EXPECT_TRUE(files.State.ClosingFlag);
        EXPECT_FALSE(std::filesystem::exists(IniPath()));
    }
}

TEST_F(TemplateFilesTest, StartupUnreadableTemplateWritesTheDefaultIntoTheSettings) {
    WriteFileBytes(SeriesPath("Regi.ctv"), "not a table file");
    settings_.Utolso = "Regi.ctv";
    modal_.ExpectMessage(
        "H", "A megnyitni kívánt címketerv (Regi.ctv) hiányzik, vagy az előző verzióval készült." + kCr +
                 "Ebben a verzióban nem nyitható meg!" + kCr +
                 "Most a program visszaáll az alap címketervre (Sorozat0.ctv). Indítsa újra a "
                 "programot!");
    EXPECT_FALSE(Files().StartupOpen());
    EXPECT_TRUE(host_.Called("close"));
    EXPECT_TRUE(Files().State.ClosingFlag);
    EXPECT_EQ(settingsFile_.Read().Utolso, "Sorozat0.ctv");
    EXPECT_NE(ReadFileBytes(IniPath()).find("Utolso=Sorozat0.ctv"), std::string::npos);
}

// A damaged companion names the file, as a missing one does, with the store's reason after it.
TEST_F(TemplateFilesTest, StartupDamagedCompanionEndsTheProgramNamingTheFile) {
    const struct {
        const char* File;
        const char* Kind;
        const char* Table; // the store's reason names the table
    } rows[] = {
        {"Sorozat0.sor", ".sor", "T1: "},
        {"Sorozat0.vks", ".vks", "M1: "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.File);
        WriteDefaultSet(paths_.SeriesFolder());
        WriteFileBytes(SeriesPath(row.File), "garbage");
        host_.Calls.clear();
        files_.reset();
        modal_.ExpectMessageStartingWith("H", "Hibás vagy sérült a(z) " +
                                                  Series(QString::fromLatin1(row.File)) + " file! (" +
                                                  row.Kind + ")" + kCr + row.Table);
        EXPECT_FALSE(Files().StartupOpen());
        modal_.Verify();
        EXPECT_TRUE(host_.Called("close"));
        EXPECT_TRUE(Files().State.ClosingFlag);
        std::filesystem::remove(SeriesPath(row.File));
    }
}

// ---- New ----------------------------------------------------------------------------------

TEST_F(TemplateFilesTest, NewDeclinedChangesNothing) {
    MakeSet("Cimke1", {"Szoveg_1", "Vkod_1"}, {"1"});
    StartOn("Cimke1.ctv");
    modal_.ExpectMessage(
        "K", "Most egy üres sablont fog létrehozni a Sorozat0.ctv sablon helyett." + kCr + "Folytatja?",
        false);
    Files().New();
    EXPECT_EQ(Files().State.TemplateName, "Cimke1.ctv");
    EXPECT_TRUE(HasElement("Vkod_1"));
    EXPECT_EQ(dm_.T1.RecordCount(), 1);
}

TEST_F(TemplateFilesTest, NewEmptiesTheDefaultFiles) {
    MakeSet("Sorozat0", {"Szoveg_1", "Szoveg_2", "Vkod_1", "Kep_1", "Rajz_1"}, {"1", "2", "3"});
    StartOn("Sorozat0.ctv");
    modal_.ExpectMessage(
        "K", "Most egy üres sablont fog létrehozni a Sorozat0.ctv sablon helyett." + kCr + "Folytatja?",
        true);
    Files().New();
    const TDocumentState& s = Files().State;
    EXPECT_EQ(s.TemplateName, "Sorozat0.ctv");
    EXPECT_EQ(s.Panel2, "Sorozat: Sorozat0.sor");
    EXPECT_EQ(s.Panel4, "0");
    EXPECT_FALSE(s.DataFlag);
    EXPECT_FALSE(s.LinkFlag);
    EXPECT_EQ(dm_.Elemek.RecordCount(), 0) << "not even a page-setup row: the canvas adds one";
    EXPECT_EQ(dm_.T1.RecordCount(), 0);
    EXPECT_TRUE(host_.Called("canvas"));
    // Written to disk.
    TStoreTable check;
    check.SetTableName(SeriesPath("Sorozat0.sor"));
    check.Open();
    EXPECT_EQ(check.RecordCount(), 0);
}

// ---- Open ---------------------------------------------------------------------------------

TEST_F(TemplateFilesTest, OpenCancelledChangesNothing) {
    StartOn("Sorozat0.ctv");
    modal_.ExpectOpenFile(std::nullopt, [&](const TFileDialogOptions& o) {
        EXPECT_EQ(o.Title, "Etikor címke file");
        EXPECT_EQ(o.InitialDir, paths_.SeriesFolder());
        EXPECT_EQ(o.Filter, "CIMKE fileok|*.ctv");
        EXPECT_EQ(o.DefaultExt, "*.ctv");
        EXPECT_TRUE(o.MustExist);
    });
    Files().Open();
    EXPECT_EQ(Files().State.TemplateName, "Sorozat0.ctv");
    EXPECT_TRUE(host_.Calls.isEmpty());
}

TEST_F(TemplateFilesTest, OpenMakesTheTemplateAndItsCompanionsCurrent) {
    MakeSet("Cimke1", {"Szoveg_1", "Vkod_1"}, {"1", "2", "3"});
    StartOn("Sorozat0.ctv");
    modal_.ExpectOpenFile(Series("Cimke1.ctv"));
    Files().Open();
    const TDocumentState& s = Files().State;
    EXPECT_EQ(s.TemplateName, "Cimke1.ctv");
    EXPECT_EQ(s.SeriesName, "Cimke1.sor");
    EXPECT_EQ(s.DefinitionName, "Cimke1.vks");
    EXPECT_EQ(s.Panel2, "Sorozat: Cimke1.sor");
    EXPECT_EQ(s.Panel4, "3");
    EXPECT_TRUE(s.DataFlag);
    EXPECT_TRUE(HasElement("Vkod_1"));
    EXPECT_EQ(dm_.T1.RecordCount(), 3);
    EXPECT_FALSE(host_.Called("link"));
    EXPECT_EQ(host_.Calls, QStringList({"clear", "tab", "canvas", "series", "fields", "canvas"}));
}

TEST_F(TemplateFilesTest, OpenEmptySeriesAndLinkedSeries) {
    MakeSet("Ures", {"Szoveg_1"}, {});
    MakeSet("Kapcsolt", {"Szoveg_1"}, {"x"}, true);
    StartOn("Sorozat0.ctv");
    modal_.ExpectOpenFile(Series("Ures.ctv"));
    Files().Open();
    EXPECT_EQ(Files().State.Panel4, "0");
    EXPECT_FALSE(Files().State.DataFlag);
    EXPECT_TRUE(host_.Called("series"));

    host_.Calls.clear();
    modal_.ExpectOpenFile(Series("Kapcsolt.ctv"));
    Files().Open();
    EXPECT_TRUE(host_.Called("link")) << "the first record's ODBC flag asks for the worksheet";
}

TEST_F(TemplateFilesTest, OpenMissingCompanionRestoresThePreviousTemplate) {
    struct Case {
        const char* Remove;
        const char* Missing;
    };
    for (const Case c : {Case{"Cimke1.sor", "Cimke1.sor"}, Case{"Cimke1.vks", "Cimke1.vks"}}) {
        SCOPED_TRACE(c.Remove);
        MakeSet("Elozo", {"Szoveg_7"}, {"1", "2"});
        MakeSet("Cimke1", {"Vkod_1"}, {"9"});
        std::filesystem::remove(SeriesPath(c.Remove));
        files_.reset();
        StartOn("Elozo.ctv");
        modal_.ExpectOpenFile(Series("Cimke1.ctv"));
        modal_.ExpectMessage("H", "Hiányzik a(z) " + Series(QString::fromLatin1(c.Missing)) + " file!");
        Files().Open();
        modal_.Verify();
        const TDocumentState& s = Files().State;
        EXPECT_EQ(s.TemplateName, "Elozo.ctv");
        EXPECT_EQ(s.SeriesName, "Elozo.sor");
        EXPECT_EQ(s.DefinitionName, "Elozo.vks");
        EXPECT_TRUE(HasElement("Szoveg_7"));
        EXPECT_FALSE(HasElement("Vkod_1"));
        EXPECT_EQ(dm_.T1.RecordCount(), 2);
        EXPECT_EQ(s.Panel4, "2");
        EXPECT_TRUE(s.DataFlag);
        EXPECT_EQ(host_.Calls.last(), "canvas");
        EXPECT_FALSE(host_.Called("close"));
    }
}

TEST_F(TemplateFilesTest, OpenUnreadableTemplateFallsBackAndEnds) {
    StartOn("Sorozat0.ctv");
    WriteFileBytes(SeriesPath("Rossz.ctv"), std::string(300, '\xff'));
    modal_.ExpectOpenFile(Series("Rossz.ctv"));
    modal_.ExpectMessage("H",
                         "Hibás file, vagy a megnyitni kívánt címketerv (Rossz.ctv) hiányzik, vagy az előző "
                         "verzióval készült." +
                             kCr + "Ebben a verzióban nem nyitható meg!" + kCr +
                             "Most a program visszaáll az alap címketervre (Sorozat0.ctv). Indítsa újra a "
                             "programot!");
    Files().Open();
    EXPECT_TRUE(Files().State.ClosingFlag);
    EXPECT_EQ(Files().State.TemplateName, "Sorozat0.ctv");
    EXPECT_TRUE(host_.Called("close"));
    EXPECT_EQ(settingsFile_.Read().Utolso, "Sorozat0.ctv");
}

TEST_F(TemplateFilesTest, OpenShowsTheCountWithGroupedThousands) {
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(TFormatSettings::HungarianSpace());
    MakeSet("Sok", {"Szoveg_1"}, {});
    {
        TStoreTable s;
        s.SetTableName(SeriesPath("Sok.sor"));
        s.Open();
        for (int i = 0; i < 1500; ++i) {
            s.Append();
            s.FieldByName("Vonalkod1").SetAsString(std::to_string(i));
            s.Post();
        }
        s.SaveTable(SeriesPath("Sok.sor"));
    }
    StartOn("Sorozat0.ctv");
    modal_.ExpectOpenFile(Series("Sok.ctv"));
    Files().Open();
    SetFormatSettings(saved);
    EXPECT_EQ(Files().State.Panel4, "1 500");
}

TEST_F(TemplateFilesTest, TemplateFromAnotherFolderIsCopiedAndRestoredFromThere) {
    // Open takes the template from wherever the user picked it; its companions come from the
    // series folder.
    TempDir elsewhere;
    MakeSet("Kinn", {"Vkod_3"}, {"1"});
    std::filesystem::rename(SeriesPath("Kinn.ctv"), elsewhere.file("Kinn.ctv"));
    StartOn("Sorozat0.ctv");
    modal_.ExpectOpenFile(Q(elsewhere.file("Kinn.ctv")));
    Files().Open();
    ASSERT_EQ(Files().State.TemplateName, "Kinn.ctv");
    EXPECT_TRUE(HasElement("Vkod_3"));

    // A missing companion now restores the template from that other folder.
    MakeSet("Hianyos", {"Szoveg_1"}, {});
    std::filesystem::remove(SeriesPath("Hianyos.vks"));
    modal_.ExpectOpenFile(Series("Hianyos.ctv"));
    modal_.ExpectMessage("H", "Hiányzik a(z) " + Series("Hianyos.vks") + " file!");
    Files().Open();
    EXPECT_EQ(Files().State.TemplateName, "Kinn.ctv");
    EXPECT_TRUE(HasElement("Vkod_3"));

    // Save as copies the file it was opened on into the series folder.
    modal_.ExpectSaveFile(Series("Bent.ctv"));
    Files().SaveAs();
    EXPECT_EQ(Files().State.TemplateName, "Bent.ctv");
    EXPECT_TRUE(HasElement("Vkod_3"));
    EXPECT_TRUE(std::filesystem::exists(SeriesPath("Bent.ctv")));
}

// ---- Save as ------------------------------------------------------------------------------

TEST_F(TemplateFilesTest, SaveAsCopiesTheThreeFiles) {
    MakeSet("Cimke1", {"Szoveg_1", "Vkod_1"}, {"1", "2"});
    StartOn("Cimke1.ctv");
    modal_.ExpectSaveFile(Series("Masik.ctv"), [&](const TFileDialogOptions& o) {
        EXPECT_EQ(o.Title, "Címke sablon [Mentés másként]");
        EXPECT_EQ(o.InitialDir, paths_.SeriesFolder());
        EXPECT_EQ(o.FileName, "");
        EXPECT_EQ(o.Filter, "Etikor címke file|*.ctv");
        EXPECT_EQ(o.DefaultExt, "*.ctv");
        EXPECT_FALSE(o.ChangesDir);
    });
    Files().SaveAs();
    const TDocumentState& s = Files().State;
    EXPECT_EQ(s.TemplateName, "Masik.ctv");
    EXPECT_EQ(s.SeriesName, "Masik.sor");
    EXPECT_EQ(s.DefinitionName, "Masik.vks");
    EXPECT_EQ(s.Panel2, "Sorozat: Masik.sor");
    for (const char* f : {"Masik.ctv", "Masik.sor", "Masik.vks", "Cimke1.ctv", "Cimke1.sor", "Cimke1.vks"})
        EXPECT_TRUE(std::filesystem::exists(SeriesPath(f))) << f;
    EXPECT_TRUE(HasElement("Vkod_1"));
    EXPECT_EQ(dm_.T1.RecordCount(), 2);
    EXPECT_EQ(dm_.Elemek.TableName(), SeriesPath("Masik.ctv"));
}

TEST_F(TemplateFilesTest, SaveAsOntoAnExistingName) {
    MakeSet("Cimke1", {"Szoveg_1"}, {"1", "2"});
    MakeSet("Letezo", {"Rajz_1"}, {"x"});
    const std::string before = ReadFileBytes(SeriesPath("Letezo.ctv"));
    const QString question = "Letezo.ctv file már létezik!" + kCr + "Felülírja? (A file tartalma elveszik)";

    StartOn("Cimke1.ctv");
    modal_.ExpectSaveFile(Series("Letezo.ctv")).ExpectMessage("K", question, false);
    Files().SaveAs();
    EXPECT_EQ(Files().State.TemplateName, "Cimke1.ctv");
    EXPECT_EQ(ReadFileBytes(SeriesPath("Letezo.ctv")), before);

    modal_.ExpectSaveFile(Series("Letezo.ctv")).ExpectMessage("K", question, true);
    Files().SaveAs();
    EXPECT_EQ(Files().State.TemplateName, "Letezo.ctv");
    EXPECT_TRUE(HasElement("Szoveg_1"));
    EXPECT_FALSE(HasElement("Rajz_1"));
    EXPECT_EQ(dm_.T1.RecordCount(), 2) << "the series was replaced too";
}

TEST_F(TemplateFilesTest, SaveAsNameRules) {
    MakeSet("Cimke1", {"Szoveg_1"}, {"1"});
    StartOn("Cimke1.ctv");
    // Another program's extension: the name before the first dot plus ".ctv".
    modal_.ExpectSaveFile(Series("Uj.cimke.lbl"));
    Files().SaveAs();
    EXPECT_EQ(Files().State.TemplateName, "Uj.ctv");
    EXPECT_TRUE(std::filesystem::exists(SeriesPath("Uj.sor")));

    // The current name, or a name that becomes it: nothing happens (no copy onto itself).
    const std::string bytes = ReadFileBytes(SeriesPath("Uj.ctv"));
    for (const char* same : {"Uj.ctv", "Uj.txt"}) {
        host_.Calls.clear();
        modal_.ExpectSaveFile(Series(QString::fromLatin1(same)));
        Files().SaveAs();
        EXPECT_EQ(Files().State.TemplateName, "Uj.ctv");
        EXPECT_EQ(ReadFileBytes(SeriesPath("Uj.ctv")), bytes);
        EXPECT_EQ(host_.Calls, QStringList({"clear"}));
    }
    // Cancel.
    modal_.ExpectSaveFile(std::nullopt);
    Files().SaveAs();
    EXPECT_EQ(Files().State.TemplateName, "Uj.ctv");
}

TEST_F(TemplateFilesTest, SaveAsSharingTheBaseKeepsTheCompanions) {
    // "Uj.b.ctv" has the base "Uj": its companions are the current ones, which must survive.
    MakeSet("Uj", {"Szoveg_1"}, {"1", "2"});
    StartOn("Uj.ctv");
    modal_.ExpectSaveFile(Series("Uj.b.ctv"));
    Files().SaveAs();
    EXPECT_EQ(Files().State.TemplateName, "Uj.b.ctv");
    EXPECT_EQ(Files().State.SeriesName, "Uj.sor");
    EXPECT_EQ(dm_.T1.RecordCount(), 2);
}

// A Save as that fails part-way leaves nothing of the new name behind, puts a replaced file
// back, and the template that was open stays the current one (so the settings name it).
TEST_F(TemplateFilesTest, SaveAsFailingPartWayUndoesItself) {
    MakeSet("Cimke1", {"Szoveg_1"}, {"1", "2"});
    MakeSet("Letezo", {"Rajz_1"}, {"x"});
    const std::string existing = ReadFileBytes(SeriesPath("Letezo.ctv"));
    StartOn("Cimke1.ctv");
    std::filesystem::remove(SeriesPath("Cimke1.vks")); // the third copy fails
    const struct {
        const char* Target;
        bool Exists;
    } rows[] = {{"Masik.ctv", false}, {"Letezo.ctv", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Target);
        modal_.ExpectSaveFile(Series(QString::fromLatin1(row.Target)));
        if (row.Exists)
            modal_.ExpectMessageStartingWith("K", "Letezo.ctv file már létezik!", true);
        EXPECT_THROW(Files().SaveAs(), EStoreFileError);
        modal_.Verify();
        const TDocumentState& s = Files().State;
        EXPECT_EQ(s.TemplateName, "Cimke1.ctv");
        EXPECT_EQ(s.SeriesName, "Cimke1.sor");
        EXPECT_EQ(s.DefinitionName, "Cimke1.vks");
        EXPECT_EQ(dm_.Elemek.TableName(), SeriesPath("Cimke1.ctv"));
        EXPECT_TRUE(dm_.Elemek.Active());
        EXPECT_TRUE(HasElement("Szoveg_1"));
        EXPECT_EQ(dm_.T1.TableName(), SeriesPath("Cimke1.sor"));
        EXPECT_EQ(dm_.T1.RecordCount(), 2);
        const std::string base = std::string(row.Target).substr(0, std::string(row.Target).find('.'));
        for (const char* ext : {".ctv", ".sor", ".vks"})
            EXPECT_EQ(std::filesystem::exists(SeriesPath((base + ext).c_str())), row.Exists) << ext;
    }
    EXPECT_EQ(ReadFileBytes(SeriesPath("Letezo.ctv")), existing);
    // Nothing kept aside is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(paths_.SeriesFolder().toStdString()))
        EXPECT_EQ(entry.path().filename().string().find(".etikor"), std::string::npos) << entry.path();
}

// Copies of a read-only template are the user's new files: writable.
TEST_F(TemplateFilesTest, SaveAsFromAReadOnlyTemplateMakesWritableCopies) {
    MakeSet("Cimke1", {"Szoveg_1"}, {"1"});
    for (const char* f : {"Cimke1.ctv", "Cimke1.sor", "Cimke1.vks"})
        std::filesystem::permissions(SeriesPath(f),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::group_read,
                                     std::filesystem::perm_options::replace);
    StartOn("Cimke1.ctv");
    modal_.ExpectSaveFile(Series("Masik.ctv"));
    Files().SaveAs();
    EXPECT_EQ(Files().State.TemplateName, "Masik.ctv");
    for (const char* f : {"Masik.ctv", "Masik.sor", "Masik.vks"}) {
        const auto perms = std::filesystem::status(SeriesPath(f)).permissions();
        EXPECT_NE(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none) << f;
    }
}

// A name the folder cannot take is refused before anything is copied; the longest legal one
// works (the table writer's temporary files must not make it fail).
TEST_F(TemplateFilesTest, SaveAsNameLengths) {
    MakeSet("Cimke1", {"Szoveg_1"}, {"1"});
    StartOn("Cimke1.ctv");
    const auto countFiles = [&] {
        return std::distance(std::filesystem::directory_iterator(paths_.SeriesFolder().toStdString()),
                             std::filesystem::directory_iterator());
    };
    const auto before = countFiles();
    // 252 bytes + ".ctv" = 256; "ő" is two bytes in UTF-8.
    for (const QString& base : {QString(252, QLatin1Char('a')), QString(126, QChar(0x151))}) {
        const QString name = base + QStringLiteral(".ctv");
        modal_.ExpectSaveFile(Series(name))
            .ExpectMessage("H",
                           "A(z) " + name + " név túl hosszú!" + kCr +
                               "A file neve legfeljebb 255 bájt lehet (egy ékezetes betű 2 bájt). Válasszon "
                               "rövidebb nevet!");
        Files().SaveAs();
        modal_.Verify();
        EXPECT_EQ(Files().State.TemplateName, "Cimke1.ctv");
        EXPECT_EQ(countFiles(), before);
    }
    // The longest legal name: 251 bytes + ".ctv" = 255.
    const QString longName = QString(251, QLatin1Char('b')) + QStringLiteral(".ctv");
    modal_.ExpectSaveFile(Series(longName));
    Files().SaveAs();
    modal_.Verify();
    EXPECT_EQ(Files().State.TemplateName, longName);
    EXPECT_TRUE(std::filesystem::exists(Series(QString(251, QLatin1Char('b')) + ".vks").toStdString()));
}

// ---- names in the old code page --------------------------------------------------------

// Label files copied from an old Windows disk have Windows-1250 names, which Qt cannot list.
// Start-up finds the last template by its name, and gives the files names every dialog lists.
TEST_F(TemplateFilesTest, WindowsCodePageNamesAreFoundAndListed) {
    MakeSet("Cimke1", {"Szoveg_1"}, {"1", "2", "3"});
    for (const char* ext : {".ctv", ".sor", ".vks"})
        std::filesystem::rename(SeriesPath((std::string("Cimke1") + ext).c_str()),
                                paths_.SeriesFolder().toStdString() + "/C\xEDmke_\xF5" + ext);
    EXPECT_FALSE(QDir(paths_.SeriesFolder()).entryList().contains(QStringLiteral("Címke_ő.ctv")));
    settings_.Utolso = QStringLiteral("Címke_ő.ctv");
    ASSERT_TRUE(Files().StartupOpen()) << modal_.Log().join('\n').toStdString();
    const TDocumentState& s = Files().State;
    EXPECT_EQ(s.TemplateName, "Címke_ő.ctv");
    EXPECT_EQ(s.SeriesName, "Címke_ő.sor");
    EXPECT_EQ(dm_.T1.RecordCount(), 3);
    EXPECT_TRUE(HasElement("Szoveg_1"));
    const QStringList listed = QDir(paths_.SeriesFolder()).entryList(QDir::Files);
    for (const char* name : {"Címke_ő.ctv", "Címke_ő.sor", "Címke_ő.vks"})
        EXPECT_TRUE(listed.contains(QString::fromUtf8(name))) << name;
    // The settings keep the name so that the next start finds it.
    settings_.Utolso = s.TemplateName;
    settingsFile_.Write(settings_);
    EXPECT_EQ(settingsFile_.Read().Utolso, "Címke_ő.ctv");
}

// Where a file cannot be renamed, its Windows-1250 name is still found.
TEST(FileNames, OldCodePageNameIsFoundByTheNameTheUserKnows) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    WriteFileBytes(dir.file("\xC1rv\xEDzt\xFBr\xF5.ctv"), "x");
    WriteFileBytes(dir.file("\xC1rv\xEDzt\xFBr\xF5.txt"), "y");
    EXPECT_TRUE(FileExistsIn(folder, QStringLiteral("Árvíztűrő.ctv")));
    EXPECT_EQ(NativeFilePath(folder, QStringLiteral("Árvíztűrő.ctv")), dir.file("\xC1rv\xEDzt\xFBr\xF5.ctv"));
    EXPECT_FALSE(FileExistsIn(folder, QStringLiteral("Árvíztűrő.sor")));
    EXPECT_EQ(NativeFilePath(folder, QStringLiteral("Új.ctv")), dir.file("Új.ctv"));
    // Only label files are renamed.
    EXPECT_EQ(AdoptOldCodePageNames(folder), QStringList{QStringLiteral("Árvíztűrő.ctv")});
    EXPECT_EQ(ReadFileBytes(dir.file("Árvíztűrő.ctv")), "x");
    EXPECT_TRUE(std::filesystem::exists(dir.file("\xC1rv\xEDzt\xFBr\xF5.txt")));
}

// ---- shipped files ------------------------------------------------------------------------

TEST_F(TemplateFilesTest, ShippedFilesHaveTheirSchemas) {
    WriteScratchTables(paths_.ProgramFolder);
    struct Case {
        QString Path;
        const TFieldDefs* Defs;
        int Records;
    };
    const Case cases[] = {
        {Series("Sorozat0.ctv"), &ElemekFieldDefs(), 1},
        {Series("Sorozat0.sor"), &SeriesFieldDefs(), 0},
        {Series("Sorozat0.vks"), &DefinitionFieldDefs(), 0},
        {TAppPaths::Join(paths_.ProgramFolder, "nytemp.tmp"), &SelectionFieldDefs(), 0},
        {TAppPaths::Join(paths_.ProgramFolder, "Temp.tmp"), &SeriesFieldDefs(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path.toStdString());
        TStoreTable t;
        t.SetTableName(c.Path.toStdString());
        t.Open();
        ASSERT_EQ(t.FieldCount(), static_cast<int>(c.Defs->size()));
        for (int i = 0; i < t.FieldCount(); ++i) {
            EXPECT_EQ(t.Fields(i).FieldName(), (*c.Defs)[i].Name);
            EXPECT_EQ(t.Fields(i).DataType(), (*c.Defs)[i].DataType);
            EXPECT_EQ(t.Fields(i).Size(), (*c.Defs)[i].Size);
        }
        EXPECT_EQ(t.RecordCount(), c.Records);
    }
    TStoreTable t;
    t.SetTableName(SeriesPath("Sorozat0.ctv"));
    t.Open();
    ASSERT_TRUE(LocatePageSetup(t));
    EXPECT_EQ(t.FieldByName("Azon").AsString(), "0");
    const TPageSetup p = ReadPageSetup(t);
    EXPECT_EQ(p.PageWidthMm, 210);
    EXPECT_EQ(p.PageLengthMm, 297);
    EXPECT_EQ(p.LabelWidthMm, 62.5);
    EXPECT_EQ(p.LabelHeightMm, 38.1);
    EXPECT_EQ(p.Columns, 3);
    EXPECT_EQ(p.ColumnSpaceMm, 3);
    EXPECT_EQ(p.TopMarginMm, 13);
    EXPECT_EQ(p.BottomMarginMm, 10);
}

TEST_F(TemplateFilesTest, RewritingTheDefaultSetKeepsTheUsersFiles) {
    MakeSet("Sorozat0", {"Szoveg_1"}, {"1"});
    std::filesystem::remove(SeriesPath("Sorozat0.vks"));
    const std::string ctv = ReadFileBytes(SeriesPath("Sorozat0.ctv"));
    WriteDefaultSet(paths_.SeriesFolder(), TSettings{}, true);
    EXPECT_EQ(ReadFileBytes(SeriesPath("Sorozat0.ctv")), ctv);
    EXPECT_TRUE(std::filesystem::exists(SeriesPath("Sorozat0.vks"))) << "a missing one is written";
}

} // namespace
} // namespace etikor
