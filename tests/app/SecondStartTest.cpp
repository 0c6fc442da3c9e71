#include "document/ShippedFiles.h"
#include "services/AppPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace etikor {
namespace {

// The program as a user starts it, twice in the same working folder: the second start hands
// over to the running one and ends; the first one goes on.
TEST(SecondStart, EndsAndLeavesTheFirstProgramRunning) {
    test::TempDir work;
    const QString folder = QString::fromStdString(work.path().string());
    WriteDefaultSet(TAppPaths::Join(folder, QStringLiteral("Sorozat")));
    auto start = [&](QProcess& program) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(folder);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(ETIKOR_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted());
    };
    QProcess first;
    start(first);
    QDeadlineTimer locked(20000);
    while (!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("etikor.lock"))) && !locked.hasExpired())
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("etikor.lock"))));

    QProcess second;
    start(second);
    EXPECT_TRUE(second.waitForFinished(20000)) << second.readAll().toStdString();
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAll().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running) << first.readAll().toStdString();

    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace etikor
