#include "services/InstanceLock.h"

#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace etikor {
namespace {

using TResult = TInstanceLock::TResult;

// A first program in the folder: holds the lock, reports each request to come to the front
// and ends after the first one (or after half a minute). With "--no-answer" it holds the lock
// but never answers (a program that hangs).
const test::ChildRegistration kHolder("lock-holder", [](const QStringList& arguments) {
    TInstanceLock lock(arguments.value(0));
    if (arguments.contains(QStringLiteral("--no-answer"))) {
        std::printf("locked=%d\n", lock.Acquire() == TResult::Acquired ? 1 : 0);
        std::fflush(stdout);
        // Blocks without an event loop: requests are never answered.
        QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired())
            QThread::msleep(50);
        return 0;
    }
    lock.OnActivate = [] {
        std::printf("raised\n");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    };
    const bool locked = lock.Acquire() == TResult::Acquired;
    std::printf("locked=%d\n", locked ? 1 : 0);
    std::fflush(stdout);
    if (!locked)
        return 0;
    QTimer::singleShot(30000, [] { QCoreApplication::exit(2); });
    return QCoreApplication::exec();
});

class InstanceLockTest : public testing::Test {
protected:
    QString Folder() const { return QString::fromStdString(dir_.path().string()); }

    // Starts a holder and waits until it holds the lock.
    void StartHolder(QProcess& holder, QStringList arguments = {}) {
        arguments.prepend(Folder());
        holder.setProcessEnvironment(test::ChildEnvironment(QStringLiteral("lock-holder"), arguments));
        holder.setProcessChannelMode(QProcess::MergedChannels);
        holder.start(QCoreApplication::applicationFilePath(), {});
        ASSERT_TRUE(holder.waitForStarted());
        QByteArray output;
        while (!output.contains('\n') && holder.waitForReadyRead(10000))
            output += holder.readAll();
        ASSERT_EQ(output, QByteArrayLiteral("locked=1\n"));
    }

    test::TempDir dir_;
};

TEST_F(InstanceLockTest, FirstStartHoldsTheLockInTheWorkingFolder) {
    TInstanceLock lock(Folder());
    EXPECT_EQ(lock.Acquire(), TResult::Acquired);
    EXPECT_EQ(QFileInfo(lock.LockPath()).fileName(), QStringLiteral("etikor.lock"));
    EXPECT_TRUE(QFileInfo::exists(lock.LockPath()));
    // Another folder is another set of templates.
    test::TempDir other;
    TInstanceLock elsewhere(QString::fromStdString(other.path().string()));
    EXPECT_EQ(elsewhere.Acquire(), TResult::Acquired);
}

TEST_F(InstanceLockTest, SecondStartBringsTheFirstToTheFront) {
    QProcess holder;
    StartHolder(holder);
    TInstanceLock second(Folder());
    EXPECT_EQ(second.Acquire(), TResult::OtherRaised);
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(holder.readAll().contains("raised"));
    EXPECT_EQ(holder.exitCode(), 0);
    // The first one has ended: the folder is free again.
    TInstanceLock third(Folder());
    EXPECT_EQ(third.Acquire(), TResult::Acquired);
}

TEST_F(InstanceLockTest, RunningProgramThatDoesNotAnswer) {
    QProcess holder;
    StartHolder(holder, {QStringLiteral("--no-answer")});
    // Nothing will answer: a short wait shows the same outcome as the program's.
    TInstanceLock second(Folder(), std::chrono::milliseconds(200));
    EXPECT_EQ(second.Acquire(), TResult::OtherRunning);
    holder.kill();
    holder.waitForFinished();
}

TEST_F(InstanceLockTest, LockOfAKilledProgramDoesNotBlock) {
    QProcess holder;
    StartHolder(holder);
    holder.kill(); // SIGKILL: the lock file and the socket stay behind
    holder.waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(Folder() + QStringLiteral("/etikor.lock")));
    TInstanceLock next(Folder());
    EXPECT_EQ(next.Acquire(), TResult::Acquired);
    // And it answers the start after it.
    bool raised = false;
    next.OnActivate = [&] { raised = true; };
    QProcess later;
    later.setProcessEnvironment(test::ChildEnvironment(QStringLiteral("lock-holder"), {Folder()}));
    later.setProcessChannelMode(QProcess::MergedChannels);
    later.start(QCoreApplication::applicationFilePath(), {});
    QDeadlineTimer deadline(10000);
    while (later.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        later.waitForFinished(10);
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(later.readAll(), QByteArrayLiteral("locked=0\n"));
}

} // namespace
} // namespace etikor
