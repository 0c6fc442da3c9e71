#include "app/CommandLine.h"
#include "EtikorVersion.h"
#include "document/IniFile.h"
#include "document/ShippedFiles.h"
#include "services/AppPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <filesystem>

namespace etikor {
namespace {

TEST(CommandLine, ParsesOptionsAndOneFile) {
    struct TCase {
        QStringList Arguments;
        bool Help, Version, Quit;
        QString File;
        bool Error;
    };
    const TCase cases[] = {
        {{}, false, false, false, {}, false},
        {{"--help"}, true, false, false, {}, false},
        {{"-h"}, true, false, false, {}, false},
        {{"--version"}, false, true, false, {}, false},
        {{"--quit-after-start", "a.ctv"}, false, false, true, "a.ctv", false},
        {{"a.ctv", "--quit-after-start"}, false, false, true, "a.ctv", false},
        {{"--", "-minus.ctv"}, false, false, false, "-minus.ctv", false},
        {{"-"}, false, false, false, "-", false},
        {{"--bogus"}, false, false, false, {}, true},
        {{"a.ctv", "b.ctv"}, false, false, false, "a.ctv", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        const TCommandLine line = TCommandLine::Parse(c.Arguments);
        EXPECT_EQ(line.Help, c.Help);
        EXPECT_EQ(line.Version, c.Version);
        EXPECT_EQ(line.QuitAfterStart, c.Quit);
        EXPECT_EQ(line.File, c.File);
        EXPECT_EQ(!line.Error.isEmpty(), c.Error) << line.Error.toStdString();
    }
}

// A template in the series folder opens as it is; one elsewhere brings its own folder as the
// series folder of the run; a series file opens the template of the same base name.
TEST(CommandLine, StartTemplateChoosesTheSeriesFolder) {
    test::TempDir dir;
    const QString root = QString::fromStdString(dir.path().string());
    QDir(root).mkpath(QStringLiteral("work/Sorozat"));
    QDir(root).mkpath(QStringLiteral("other"));
    TAppPaths paths;
    paths.WorkingFolder = root + QStringLiteral("/work");

    TAppPaths inSeries = paths;
    EXPECT_EQ(StartTemplate(root + QStringLiteral("/work/Sorozat/Doboz.ctv"), inSeries),
              QStringLiteral("Doboz.ctv"));
    EXPECT_EQ(inSeries.SeriesOverride, QString());
    EXPECT_EQ(inSeries.LockFolder(), paths.WorkingFolder);

    TAppPaths elsewhere = paths;
    EXPECT_EQ(StartTemplate(root + QStringLiteral("/other/Polc.sor"), elsewhere), QStringLiteral("Polc.ctv"));
    const QString other = QDir(root + QStringLiteral("/other")).canonicalPath();
    EXPECT_EQ(elsewhere.SeriesOverride, other);
    EXPECT_EQ(elsewhere.SeriesFolder(), other);
    EXPECT_EQ(elsewhere.LockFolder(), other);
}

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

    int Run(const QStringList& arguments, QString* out = nullptr) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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

    std::string LastTemplate() const {
        return TIniFile(Root + QStringLiteral("/prog/etikor.ini")).ReadString("Adatbazis", "Utolso", "");
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

} // namespace
} // namespace etikor
