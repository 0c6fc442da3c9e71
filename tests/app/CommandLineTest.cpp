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

TEST(CommandLine, TakesTheLanguage) {
    const struct {
        QStringList Arguments;
        QString Language;
        QString File;
        bool Error;
    } cases[] = {
        {{"--lang", "en"}, "en", {}, false},
        {{"--lang=hu", "a.ctv"}, "hu", "a.ctv", false},
        {{"a.ctv", "--lang", "hu"}, "hu", "a.ctv", false},
        {{"--lang", "de"}, "de", {}, true},
        {{"--lang="}, "", {}, true},
        {{"--lang"}, "", {}, true},
        {{"--language", "en"}, "", {}, true},
        {{"--", "--lang"}, "", "--lang", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        const TCommandLine line = TCommandLine::Parse(c.Arguments);
        EXPECT_EQ(line.Language, c.Language);
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

} // namespace
} // namespace etikor
