#include "EtikorVersion.h"
#include "document/IniFile.h"
#include "document/ShippedFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <filesystem>

namespace etikor {
namespace {

// The program as a desktop starts it, from a copy of its executable in a folder of its own so
// that the settings it writes stay in the test's folder.
class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        Root = QString::fromStdString(Dir.path().string());
        QDir(Root).mkpath(QStringLiteral("prog"));
        QDir(Root).mkpath(QStringLiteral("work"));
        Program = Root + QStringLiteral("/prog/etikor");
        std::filesystem::copy_file(ETIKOR_PROGRAM, Program.toStdString());
    }

    // Runs the program on a desktop whose language is `lang` (Hungarian unless said otherwise).
    int Run(const QStringList& arguments, QString* out = nullptr,
            const QString& lang = QStringLiteral("hu_HU.UTF-8")) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.remove(QStringLiteral("LANGUAGE"));
        environment.insert(QStringLiteral("LANG"), lang);
        environment.insert(QStringLiteral("HOME"), Root);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Root + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), Root + QStringLiteral("/data"));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(Root + QStringLiteral("/work"));
        program.start(Program, arguments);
        EXPECT_TRUE(program.waitForStarted());
        if (!program.waitForFinished(30000)) {
            program.kill();
            program.waitForFinished();
            ADD_FAILURE() << "still running";
        }
        if (out)
            *out = QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError());
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    // The program as a package installs it: <prefix>/bin/etikor with its shipped files in
    // <prefix>/share/etikor.
    void Install() {
        const QString shared = Root + QStringLiteral("/usr/share/etikor");
        QDir(Root).mkpath(QStringLiteral("usr/bin"));
        WriteDefaultSet(shared + QStringLiteral("/Sorozat"));
        WriteScratchTables(shared);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ETIKOR_HELP_FILE), shared + QStringLiteral("/Etisg.hlp")));
        Program = Root + QStringLiteral("/usr/bin/etikor");
        std::filesystem::copy_file(ETIKOR_PROGRAM, Program.toStdString());
    }

    std::string LastTemplate(const QString& settingsFolder = QStringLiteral("prog")) const {
        return TIniFile(Root + QLatin1Char('/') + settingsFolder + QStringLiteral("/etikor.ini"))
            .ReadString("Adatbazis", "Utolso", "");
    }

    test::TempDir Dir;
    QString Root;
    QString Program;
};

TEST_F(ProgramRun, AnswersVersionHelpAndWrongArguments) {
    QString out;
    EXPECT_EQ(Run({QStringLiteral("--version")}, &out), 0);
    EXPECT_EQ(out, QStringLiteral("etikor ") + QLatin1String(kVersion) + QLatin1Char('\n'));
    EXPECT_EQ(Run({QStringLiteral("--help")}, &out), 0);
    EXPECT_TRUE(out.startsWith(QStringLiteral("usage: etikor"))) << out.toStdString();
    EXPECT_EQ(Run({QStringLiteral("--bogus")}, &out), 2);
    EXPECT_TRUE(out.contains(QStringLiteral("unknown option '--bogus'"))) << out.toStdString();
}

// Started with --quit-after-start the program opens its template, writes its settings and ends
// with success.
TEST_F(ProgramRun, QuitsAfterStartWithItsSettingsWritten) {
    WriteDefaultSet(Root + QStringLiteral("/work/Sorozat"));
    QString out;
    EXPECT_EQ(Run({QStringLiteral("--quit-after-start")}, &out), 0) << out.toStdString();
    EXPECT_EQ(LastTemplate(), "Sorozat0.ctv");
}

// A start-up that cannot open its template says why on standard error instead of waiting in a
// message box, and ends with failure.
TEST_F(ProgramRun, QuitAfterAFailedStartEndsWithFailure) {
    QString out;
    EXPECT_EQ(Run({QStringLiteral("--quit-after-start")}, &out), 1);
    EXPECT_TRUE(out.contains(QStringLiteral("Hiányzik a(z) "))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Sorozat0.ctv file! (.ctv)"))) << out.toStdString();
}

// The failed start's message follows the desktop's language, or --lang over it.
TEST_F(ProgramRun, SpeaksTheDesktopsLanguageOrTheChosenOne) {
    const struct {
        const char* Lang;
        QStringList Arguments;
        const char* Expected;
    } rows[] = {
        {"en_US.UTF-8", {}, "Missing file: "},
        {"C.UTF-8", {}, "Missing file: "},
        {"hu_HU.UTF-8", {"--lang", "en"}, "Missing file: "},
        {"en_US.UTF-8", {"--lang", "hu"}, "Hiányzik a(z) "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Lang) + " " + row.Arguments.join(' ').toStdString());
        QString out;
        EXPECT_EQ(Run(row.Arguments + QStringList{"--quit-after-start"}, &out, QString::fromLatin1(row.Lang)),
                  1);
        EXPECT_TRUE(out.contains(QString::fromUtf8(row.Expected))) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("Sorozat0.ctv"))) << out.toStdString();
    }
}

// A template named on the command line opens from its own folder, with no default set in the
// working folder; the last template of the settings stays the series folder's own.
TEST_F(ProgramRun, OpensATemplateFromAnotherFolder) {
    QDir(Root).mkpath(QStringLiteral("work/Sorozat"));
    WriteDefaultSet(Root + QStringLiteral("/other"));
    for (const char* extension : {"ctv", "sor", "vks"})
        ASSERT_TRUE(QFile::rename(Root + QStringLiteral("/other/Sorozat0.") + QLatin1String(extension),
                                  Root + QStringLiteral("/other/Polc.") + QLatin1String(extension)));
    QString out;
    EXPECT_EQ(Run({QStringLiteral("--quit-after-start"), QStringLiteral("../other/Polc.sor")}, &out), 0)
        << out.toStdString();
    EXPECT_EQ(LastTemplate(), "Sorozat0.ctv");
}

// Installed, the program keeps nothing beside itself: its first start makes the user's data
// folder (the default set, the scratch tables) from the shipped files and writes the settings
// in the user's configuration folder; a later start keeps the user's own files.
TEST_F(ProgramRun, InstalledUsesTheUsersFolders) {
    Install();
    QString out;
    ASSERT_EQ(Run({QStringLiteral("--quit-after-start")}, &out), 0) << out.toStdString();
    EXPECT_EQ(LastTemplate(QStringLiteral("config/Etikor")), "Sorozat0.ctv");
    const QString data = Root + QStringLiteral("/data/Etikor/");
    for (const char* file :
         {"Sorozat/Sorozat0.ctv", "Sorozat/Sorozat0.sor", "Sorozat/Sorozat0.vks", "nytemp.tmp", "Temp.tmp"})
        EXPECT_TRUE(QFileInfo(data + QLatin1String(file)).isFile()) << file;
    EXPECT_EQ(QDir(Root + QStringLiteral("/usr/bin")).entryList(QDir::Files),
              QStringList{QStringLiteral("etikor")});
    EXPECT_EQ(QDir(Root + QStringLiteral("/work")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{});

    // A newer shipped default template does not replace the user's own one; a missing scratch
    // table comes back.
    auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QString own = data + QStringLiteral("Sorozat/Sorozat0.ctv");
    const QByteArray before = bytes(own);
    TSettings wider;
    wider.Page.LabelWidthMm = 70;
    WriteDefaultSet(Root + QStringLiteral("/usr/share/etikor/Sorozat"), wider);
    ASSERT_NE(bytes(Root + QStringLiteral("/usr/share/etikor/Sorozat/Sorozat0.ctv")), before);
    QFile::remove(data + QStringLiteral("nytemp.tmp"));
    ASSERT_EQ(Run({QStringLiteral("--quit-after-start")}, &out), 0) << out.toStdString();
    EXPECT_EQ(bytes(own), before);
    EXPECT_TRUE(QFileInfo(data + QStringLiteral("nytemp.tmp")).isFile());
}

} // namespace
} // namespace etikor
