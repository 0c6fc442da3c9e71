#include "document/Settings.h"
#include "document/IniFile.h"

#include "data/FormatSettings.h"
#include "services/SystemLocale.h"
#include "support/CLocale.h"
#include "support/ChildProcess.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <optional>

namespace etikor {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = FormatSettings();
        SetFormatSettings(TFormatSettings::Hungarian()); // decimal comma
    }
    void TearDown() override { SetFormatSettings(saved_); }
    QString Folder() const { return QString::fromStdString(dir_.path().string()); }
    std::string IniPath() const { return dir_.file("etikor.ini"); }

    TempDir dir_;
    TFormatSettings saved_;
};

// The defaults: "Sorozat0.ctv", a 210 x 297 mm page, margins 13/5/5/10, three columns of
// 62.5 x 38.1 mm labels 3 mm apart, barcode options on, wizard off, help on.
void ExpectDefaults(const TSettings& s) {
    EXPECT_EQ(s.Utolso, "Sorozat0.ctv");
    EXPECT_EQ(s.Page.PageWidthMm, 210);
    EXPECT_EQ(s.Page.PageLengthMm, 297);
    EXPECT_EQ(s.Page.TopMarginMm, 13);
    EXPECT_EQ(s.Page.LeftMarginMm, 5);
    EXPECT_EQ(s.Page.RightMarginMm, 5);
    EXPECT_EQ(s.Page.BottomMarginMm, 10);
    EXPECT_EQ(s.Page.Columns, 3);
    EXPECT_EQ(s.Page.LabelWidthMm, 62.5);
    EXPECT_EQ(s.Page.LabelHeightMm, 38.1);
    EXPECT_EQ(s.Page.ColumnSpaceMm, 3);
    EXPECT_TRUE(s.Security);
    EXPECT_TRUE(s.AutoChd);
    EXPECT_TRUE(s.AutoBetu);
    EXPECT_TRUE(s.AutoVonal);
    EXPECT_TRUE(s.AutoAdatforras);
    EXPECT_FALSE(s.AutoOrsina);
    EXPECT_TRUE(s.AutoSugo);
}

// Each printer's calibration goes under its queue name with a decimal point whatever the
// locale, reads back as it was written, and a file from before calibrations reads none; a
// value the program did not write is left out.
TEST_F(SettingsTest, PrinterOffsetsRoundTrip) {
    WriteFileBytes(IniPath(), "[Nyomtatas]\nNyomtato=Termo\n");
    TSettingsFile file(Folder());
    TSettings s = file.Read();
    EXPECT_TRUE(s.Eltolas.empty());
    EXPECT_EQ(OffsetOfQueue(s.Eltolas, QStringLiteral("Termo")), TPrintOffset{});
    s.Eltolas[QStringLiteral("Termo")] = {1.5, -0.3};
    s.Eltolas[QStringLiteral("Lezer_2")] = {-10, 10};
    file.Write(s);
    const std::string text = ReadFileBytes(IniPath());
    EXPECT_NE(text.find("[Eltolas]"), std::string::npos) << text;
    EXPECT_NE(text.find("Termo=1.5;-0.3"), std::string::npos) << text;
    EXPECT_NE(text.find("Lezer_2=-10.0;10.0"), std::string::npos) << text;
    const TSettings back = file.Read();
    EXPECT_EQ(back.Eltolas, s.Eltolas);
    EXPECT_EQ(back.Nyomtato, "Termo");
    // Queue names are the print system's: without regard to case; no queue, no offset.
    EXPECT_EQ(OffsetOfQueue(back.Eltolas, QStringLiteral("TERMO")), (TPrintOffset{1.5, -0.3}));
    EXPECT_EQ(OffsetOfQueue(back.Eltolas, QString()), TPrintOffset{});
    // Writing again changes nothing; other values of the file stay.
    file.Write(back);
    EXPECT_EQ(ReadFileBytes(IniPath()), text);

    WriteFileBytes(IniPath(), "[Eltolas]\nJo=0,5;1\nRossz=abc\nTul=11;0\nFel=1\n");
    const TSettings read = file.Read();
    ASSERT_EQ(read.Eltolas.size(), 1u);
    EXPECT_EQ(OffsetOfQueue(read.Eltolas, QStringLiteral("Jo")), (TPrintOffset{0.5, 1}));
}

TEST(PrintOffset, ParsesTwoMillimetreValuesWithinTheLimits) {
    const struct {
        const char* Text;
        std::optional<TPrintOffset> Expected;
    } rows[] = {
        {"1.5,-0.5", TPrintOffset{1.5, -0.5}},
        {"1,5;-0,5", TPrintOffset{1.5, -0.5}},
        {" 0 , 0 ", TPrintOffset{}},
        {"-10,10", TPrintOffset{-10, 10}},
        {"0.26,0.04", TPrintOffset{0.3, 0}},
        {"-0.04,0", TPrintOffset{}},
        {"10.1,0", std::nullopt},
        {"0,-11", std::nullopt},
        {"1", std::nullopt},
        {"1,2,3", std::nullopt},
        {"a,b", std::nullopt},
        {"", std::nullopt},
        {"nan,0", std::nullopt},
    };
    for (const auto& row : rows) {
        const std::optional<TPrintOffset> parsed = TPrintOffset::Parse(QString::fromLatin1(row.Text));
        EXPECT_EQ(parsed.has_value(), row.Expected.has_value()) << row.Text;
        if (parsed && row.Expected) {
            EXPECT_EQ(*parsed, *row.Expected) << row.Text;
        }
    }
    EXPECT_EQ(TPrintOffset::Clamped(12.34, -10.06), (TPrintOffset{10, -10}));
    // On the device's dots: 0.1 mm at 203 dpi is one dot (0.8 rounded).
    EXPECT_EQ(TPrintOffset({0.1, -2.5}).DeviceOriginMm(203, 600), QPointF(-25.4 / 203, 59 * 25.4 / 600));
}

TEST_F(SettingsTest, NoFileGivesEveryDefault) {
    TSettingsFile file(Folder());
    EXPECT_EQ(file.Path().toStdString(), IniPath());
    ExpectDefaults(file.Read());
    EXPECT_FALSE(std::filesystem::exists(IniPath())) << "reading creates nothing";
}

TEST_F(SettingsTest, UnreadableValuesGiveDefaults) {
    WriteFileBytes(IniPath(), "[EtikettC]\n"
                              "Terkoz mm=abc\n"
                              "Oszlopok=\n"
                              "C Szelesseg mm=70,5x\n"
                              "[Vonalkod]\n"
                              "Security=igen\n"
                              "Auto Orsina=x\n"
                              "[Adatbazis]\n"
                              "Utolso=\n");
    ExpectDefaults(TSettingsFile(Folder()).Read());
}

// A value must survive a close and the next start under any locale, and a file written under
// another locale still reads.
TEST_F(SettingsTest, NumbersSurviveUnderEveryLocale) {
    const struct {
        const char* Name;
        TFormatSettings Formats;
        const char* CLibraryLocale; // what the desktop sets for the C library
        const char* Written;
    } rows[] = {
        {"Hungarian", TFormatSettings::Hungarian(), test::kHungarianCLocale, "C Magassag mm=25,4\n"},
        {"C", TFormatSettings::Invariant(), "C", "C Magassag mm=25.4\n"},
        // The formats of the C locale while the C library is Hungarian: it wrote "25,4" and
        // read it back as unreadable.
        {"invariant under hu_HU", TFormatSettings::Invariant(), test::kHungarianCLocale,
         "C Magassag mm=25.4\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        test::CLocaleScope locale(row.CLibraryLocale);
        ASSERT_TRUE(locale.Ok()) << "the hu_HU.UTF-8 locale is missing: run scripts/deps.sh";
        SetFormatSettings(row.Formats);
        TSettings s;
        s.Page.LabelHeightMm = 25.4;
        s.Page.ColumnSpaceMm = 2.75;
        TSettingsFile file(Folder());
        file.Write(s);
        EXPECT_NE(ReadFileBytes(IniPath()).find(row.Written), std::string::npos) << ReadFileBytes(IniPath());
        EXPECT_EQ(file.Read().Page.LabelHeightMm, 25.4);
        // The next start under the other locale.
        for (const TFormatSettings& next : {TFormatSettings::Hungarian(), TFormatSettings::Invariant()}) {
            SetFormatSettings(next);
            const TSettings back = file.Read();
            EXPECT_EQ(back.Page.LabelHeightMm, 25.4);
            EXPECT_EQ(back.Page.ColumnSpaceMm, 2.75);
        }
    }
}

// The same as a user's desktop runs it: the program writes its settings under a Hungarian
// desktop, and a start under the C locale reads them.
const test::ChildRegistration kHungarianClose("settings-hu-close", [](const QStringList& arguments) {
    UseSystemLocale();
    TSettings s;
    s.Page.LabelHeightMm = 25.4;
    TSettingsFile(arguments.value(0)).Write(s);
    return TSettingsFile(arguments.value(0)).Read().Page.LabelHeightMm == 25.4 ? 0 : 1;
});

TEST_F(SettingsTest, HungarianDesktopCloseThenStart) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(test::kHungarianCLocale));
    environment.insert(QStringLiteral("LANG"), QString::fromLatin1(test::kHungarianCLocale));
    QString output;
    ASSERT_EQ(test::RunChild(QStringLiteral("settings-hu-close"), {Folder()}, environment, &output), 0)
        << output.toStdString();
    EXPECT_NE(ReadFileBytes(IniPath()).find("C Magassag mm=25,4\n"), std::string::npos)
        << ReadFileBytes(IniPath());
    SetFormatSettings(TFormatSettings::Invariant());
    EXPECT_EQ(TSettingsFile(Folder()).Read().Page.LabelHeightMm, 25.4);
}

TEST_F(SettingsTest, ReadsValuesWithoutRegardToCase) {
    WriteFileBytes(IniPath(), "; written by hand\r\n"
                              "[ETIKETTC]\r\n"
                              "  terkoz MM = 2,5 \r\n"
                              "oszlopok=4\r\n"
                              "[vonalkod]\r\n"
                              "SECURITY=0\r\n"
                              "Auto Orsina=2\r\n"
                              "[Adatbazis]\r\n"
                              "Utolso=Cimke1.ctv\r\n");
    const TSettings s = TSettingsFile(Folder()).Read();
    EXPECT_EQ(s.Page.ColumnSpaceMm, 2.5);
    EXPECT_EQ(s.Page.Columns, 4);
    EXPECT_FALSE(s.Security);
    EXPECT_TRUE(s.AutoOrsina) << "any non-zero number is true";
    EXPECT_EQ(s.Utolso, "Cimke1.ctv");
}

TEST_F(SettingsTest, WriteKeepsTheUsersLinesAndReadsBack) {
    const std::string user = "; my notes\n"
                             "[Sajat]\n"
                             "valami=1\n"
                             "\n"
                             "[EtikettC]\n"
                             "# a comment inside the section\n"
                             "Extra kulcs=ertek\n"
                             "Terkoz mm=9\n"
                             "\n"
                             "[Vege]\n"
                             "x=y\n";
    WriteFileBytes(IniPath(), user);
    TSettings s;
    s.Utolso = "Cimke2.ctv";
    s.AblakMagassag = 600;
    s.AblakSzelesseg = 800;
    s.Page.ColumnSpaceMm = 2.75;
    s.Page.LabelWidthMm = 70.1;
    s.Page.Columns = 2;
    s.AutoOrsina = true;
    s.AutoSugo = false;
    TSettingsFile file(Folder());
    file.Write(s);

    const std::string text = ReadFileBytes(IniPath());
    for (const char* kept : {"; my notes\n", "[Sajat]\nvalami=1\n", "# a comment inside the section\n",
                             "Extra kulcs=ertek\n", "[Vege]\nx=y\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << "\n" << text;
    // Replaced in place, with the locale's decimal comma; booleans 1/0.
    EXPECT_NE(text.find("Extra kulcs=ertek\nTerkoz mm=2,75\n"), std::string::npos) << text;
    EXPECT_NE(text.find("C Szelesseg mm=70,1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Ablak]\nMagassag=600\nSzelesseg=800\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Auto Orsina=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Egyeb]\nAuto sugo=0\n"), std::string::npos) << text;

    const TSettings back = file.Read();
    EXPECT_EQ(back.Utolso, "Cimke2.ctv");
    EXPECT_EQ(back.Page.ColumnSpaceMm, 2.75);
    EXPECT_EQ(back.Page.LabelWidthMm, 70.1);
    EXPECT_EQ(back.Page.Columns, 2);
    EXPECT_TRUE(back.AutoOrsina);
    EXPECT_FALSE(back.AutoSugo);
    EXPECT_EQ(back.AblakMagassag, 600) << "the window size comes back for the next run";
    EXPECT_EQ(back.AblakSzelesseg, 800);

    // Writing the same values again leaves the file as it was.
    TSettings again = back;
    again.AblakMagassag = 600;
    again.AblakSzelesseg = 800;
    file.Write(again);
    EXPECT_EQ(ReadFileBytes(IniPath()), text);
}

TEST_F(SettingsTest, WriteOrderFollowsTheDialog) {
    TSettings s;
    s.AblakMagassag = 540;
    s.AblakSzelesseg = 800;
    TSettingsFile(Folder()).Write(s);
    TIniFile ini(QString::fromStdString(IniPath()));
    std::vector<std::string> keys;
    for (const auto& line : ini.Lines())
        if (auto eq = line.find('='); eq != std::string::npos)
            keys.push_back(line.substr(0, eq));
    const std::vector<std::string> expected = {"Utolso",
                                               "Magassag",
                                               "Szelesseg",
                                               "Magassag mm",
                                               "Szelesseg mm",
                                               "Oldal - Felso m. mm",
                                               "Oldal - Bal m. mm",
                                               "Oldal - Jobb m. mm",
                                               "Oldal - Also m. mm",
                                               "C Magassag mm",
                                               "Terkoz mm",
                                               "Oszlopok",
                                               "C Szelesseg mm",
                                               "Security",
                                               "Auto Chd",
                                               "Auto betu",
                                               "Auto vonal",
                                               "Auto adatforras",
                                               "Auto Orsina",
                                               "Auto sugo"};
    // "Auto sugo" is written before "Auto Orsina", but Orsina belongs to [Vonalkod], which the
    // file holds before [Egyeb].
    EXPECT_EQ(keys, expected);
}

// The window size is not known when start-up or a failed Open falls back to the default
// template: such a write keeps the size of the last close.
TEST_F(SettingsTest, WindowSizeIsNeverWrittenAsZero) {
    TSettings s;
    s.AblakMagassag = 600;
    s.AblakSzelesseg = 800;
    TSettingsFile file(Folder());
    file.Write(s);
    TSettings fallback;
    fallback.Utolso = QStringLiteral("Sorozat0.ctv");
    file.Write(fallback);
    const std::string text = ReadFileBytes(IniPath());
    EXPECT_NE(text.find("[Ablak]\nMagassag=600\nSzelesseg=800\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("=0\nSzelesseg"), std::string::npos) << text;
}

// A settings file the user made read-only stays the one the program reads (later edits
// count); a write that fails is reported once, and the program goes on.
TEST_F(SettingsTest, ReadOnlySettingsFileIsReadWhereItIs) {
    WriteFileBytes(IniPath(), "[EtikettC]\nTerkoz mm=4\n");
    std::filesystem::permissions(IniPath(), std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::replace);
    TempDir config;
    TSettingsFile file(Folder(), QString::fromStdString(config.path().string()));
    EXPECT_EQ(file.Path().toStdString(), IniPath());
    EXPECT_FALSE(std::filesystem::exists(config.file("etikor.ini"))) << "no stale copy";
    EXPECT_EQ(file.Read().Page.ColumnSpaceMm, 4);
    std::filesystem::permissions(IniPath(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    WriteFileBytes(IniPath(), "[EtikettC]\nTerkoz mm=5\n");
    EXPECT_EQ(file.Read().Page.ColumnSpaceMm, 5) << "the user's later edit";
}

TEST_F(SettingsTest, UnwritableSettingsAreReportedOnce) {
    // A folder in the file's place cannot be replaced by a file, whoever runs the test.
    std::filesystem::create_directory(IniPath());
    TSettingsFile file(Folder());
    test::ScriptedModal modal;
    modal.ExpectMessage("F", "A beállításokat nem lehet elmenteni a(z) " + file.Path() + " fileba!\r" +
                                 "Ellenőrizze, hogy a file és a mappája írható-e.");
    EXPECT_FALSE(file.WriteOrWarn(TSettings{}, modal));
    EXPECT_FALSE(file.WriteOrWarn(TSettings{}, modal)) << "told once";
    modal.Verify();
    std::filesystem::remove(IniPath());
    EXPECT_TRUE(file.WriteOrWarn(TSettings{}, modal));
}

TEST_F(SettingsTest, ResetDeletesTheFile) {
    TSettings s;
    s.Page.ColumnSpaceMm = 1;
    TSettingsFile file(Folder());
    file.Write(s);
    const std::optional<TSettings> reset = file.Reset();
    ASSERT_TRUE(reset.has_value());
    ExpectDefaults(*reset);
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_FALSE(file.Reset().has_value()) << "no file: nothing to reset";
}

TEST_F(SettingsTest, ReadOnlyProgramFolderUsesTheConfigFolder) {
    TempDir config;
    const std::string shipped = "[EtikettC]\nTerkoz mm=4\n";
    WriteFileBytes(IniPath(), shipped);
    std::filesystem::permissions(IniPath(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read,
                                 std::filesystem::perm_options::replace);
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const QString configFolder = QString::fromStdString(config.path().string());
    TSettingsFile file(Folder(), configFolder);
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (file.Path().toStdString() == IniPath())
        GTEST_SKIP() << "the folder stays writable (running as root)";
    EXPECT_EQ(file.Path().toStdString(), config.file("etikor.ini"));
    EXPECT_EQ(file.Read().Page.ColumnSpaceMm, 4) << "starts from the installed settings";
    EXPECT_TRUE(QFile::permissions(file.Path()) & QFile::WriteOwner) << "the copy is the user's";
    TSettings s;
    s.Page.ColumnSpaceMm = 6;
    file.Write(s);
    EXPECT_EQ(ReadFileBytes(IniPath()), shipped);
    EXPECT_EQ(file.Read().Page.ColumnSpaceMm, 6);
}

TEST_F(SettingsTest, MissingProgramFolderUsesTheConfigFolder) {
    TempDir config;
    const QString configFolder = QString::fromStdString(config.file("sub"));
    TSettingsFile file(Folder() + "/nincs", configFolder);
    EXPECT_EQ(file.Path(), QDir::toNativeSeparators(configFolder + "/etikor.ini"));
    ExpectDefaults(file.Read());
    file.Write(TSettings{});
    EXPECT_TRUE(std::filesystem::exists(config.file("sub/etikor.ini")));
}

// Where the program's folder cannot be written, the file is the user's copy in the desktop's
// configuration folder under the program's name, whichever program reads it: etikor-print
// reads the program's, not one of its own.
TEST_F(SettingsTest, TheUsersCopyIsTheProgramsWhicheverProgramReadsIt) {
    TempDir config;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const QString oldName = QCoreApplication::applicationName();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
    QCoreApplication::setApplicationName(QStringLiteral("etikor-print"));
    const QString path = TSettingsFile(Folder() + "/nincs").Path();
    QCoreApplication::setApplicationName(oldName);
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
    EXPECT_EQ(path.toStdString(), config.file("Etikor/etikor.ini"));
}

TEST_F(SettingsTest, TemplateNamesInUtf8AndInTheOldCodePage) {
    // Written as UTF-8; a Windows-1250 file from the old program reads too ("Címke" has 0xED).
    TSettings s;
    s.Utolso = QStringLiteral("Címke_ő.ctv");
    TSettingsFile file(Folder());
    file.Write(s);
    EXPECT_NE(ReadFileBytes(IniPath()).find("Utolso=C\xC3\xADmke_\xC5\x91.ctv"), std::string::npos);
    EXPECT_EQ(file.Read().Utolso, s.Utolso);
    WriteFileBytes(IniPath(), "[Adatbazis]\r\nUtolso=C\xEDmke_\xF5.ctv\r\n");
    EXPECT_EQ(file.Read().Utolso, s.Utolso);
}

TEST(IniFile, ByteOrderMarkIsKeptOutOfTheFirstSection) {
    TempDir dir;
    WriteFileBytes(dir.file("b.ini"), "\xEF\xBB\xBF[A]\r\nx=1\r\n");
    TIniFile ini(QString::fromStdString(dir.file("b.ini")));
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    ini.WriteInteger("A", "x", 2);
    EXPECT_EQ(ReadFileBytes(dir.file("b.ini")), "\xEF\xBB\xBF[A]\r\nx=2\r\n");
}

TEST(IniFile, AddsKeysToTheEndOfTheirSection) {
    TempDir dir;
    WriteFileBytes(dir.file("a.ini"), "[A]\nx=1\n\n[B]\ny=2\n");
    TIniFile ini(QString::fromStdString(dir.file("a.ini")));
    ini.WriteString("a", "z", "3");
    ini.WriteString("C", "w", "4");
    ini.WriteString("b", "Y", "5");
    EXPECT_EQ(ReadFileBytes(dir.file("a.ini")), "[A]\nx=1\nz=3\n\n[B]\ny=5\n\n[C]\nw=4\n");
    EXPECT_EQ(ini.ReadString("B", "y", ""), "5");
    EXPECT_EQ(ini.ReadString("B", "missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("missing", "y", "d"), "d");
}

} // namespace
} // namespace etikor
