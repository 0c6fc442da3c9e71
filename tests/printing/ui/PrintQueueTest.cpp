// A label run printed on a real print queue: a private CUPS server started by the test with two
// queues whose devices are files; the queue chosen in the printer dialog gets the job, the
// other one nothing. Skipped, saying why, only where cupsd cannot be started.

#include "printing/ui/LabelPrint.h"

#include "MemDataSet.h"
#include "support/ChildProcess.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace etikor {
namespace {

using test::MemDataSet;
using test::ScriptedModal;
using test::TempDir;

// The child: one label printed through the printer dialog's choice of queue (its first
// argument); CUPS_SERVER in its environment names the private server.
const test::ChildRegistration kPrintOnQueue("print-on-queue", [](const QStringList& arguments) {
    MemDataSet data({{"Kod", TFieldType::ftString, 10}}, {{TVariant("ETK0001")}});
    data.Open();
    TLabelRun run;
    TLabelElement text;
    text.Kind = TElemKind::ekText;
    text.Source = "Kod";
    text.Mm = {1, 1, 20, 5};
    run.Elements = {text};
    QString remembered;
    run.PrinterChosen = [&](const QString& name) { remembered = name; };
    TPrintChoice choice = PrinterDialogPreset(1, 210);
    choice.PrinterName = arguments.value(0);
    ScriptedModal modal;
    modal.ExpectPrinter(choice);
    RunLabelPrint(run, data, modal);
    modal.Verify();
    return remembered == arguments.value(0) && !::testing::Test::HasFailure() ? 0 : 1;
});

// A private cupsd in `dir`; empty when it cannot be started here.
class TPrivateCups {
public:
    explicit TPrivateCups(const QString& dir) : FDir(dir) {}
    ~TPrivateCups() {
        if (FServer.state() != QProcess::NotRunning) {
            FServer.terminate();
            FServer.waitForFinished(5000);
        }
    }

    QString Start() {
        const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/sbin"});
        if (cupsd.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("lpadmin")).isEmpty())
            return QStringLiteral("cupsd or lpadmin is not installed");
        for (const char* sub : {"cache", "state", "tmp", "log", "spool", "out"})
            QDir(FDir).mkpath(QString::fromLatin1(sub));
        // The filters run as the server's own user: they must reach the work and output folders.
        for (const char* sub : {"tmp", "out"})
            QFile::setPermissions(FDir + '/' + sub, QFileDevice::Permissions(0x7777));
        QFile::setPermissions(FDir, QFileDevice::Permissions(0x7755));
        Write(QStringLiteral("cupsd.conf"),
              QStringLiteral("Listen %1/cups.sock\nWebInterface No\nBrowsing Off\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n"
                             "</Location>\n")
                  .arg(FDir));
        Write(QStringLiteral("cups-files.conf"),
              QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                             "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                             "PageLog %1/log/page_log\nFileDevice Yes\n")
                  .arg(FDir));
        FServer.start(cupsd, {"-f", "-c", FDir + "/cupsd.conf", "-s", FDir + "/cups-files.conf"});
        if (!FServer.waitForStarted(5000))
            return QStringLiteral("cupsd did not start");
        for (int wait = 0; wait < 100 && !QFileInfo::exists(Socket()); ++wait)
            QThread::msleep(50);
        if (!QFileInfo::exists(Socket()))
            return QStringLiteral("cupsd made no socket (it may need privileges this machine lacks)");
        return {};
    }

    // A queue whose device is the file out/NAME.out; false when lpadmin refused it.
    bool AddQueue(const QString& name) {
        const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd");
        QStringList arguments = {"-h", Socket(), "-p", name, "-E", "-v", "file://" + Output(name)};
        if (QFileInfo::exists(ppd))
            arguments << "-P" << ppd;
        else
            arguments << "-m"
                      << "raw";
        return QProcess::execute(QStringLiteral("lpadmin"), arguments) == 0;
    }

    QString Socket() const { return FDir + QStringLiteral("/cups.sock"); }
    QString Output(const QString& queue) const { return FDir + QStringLiteral("/out/") + queue + ".out"; }

private:
    void Write(const QString& name, const QString& text) {
        QFile file(FDir + '/' + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }

    QString FDir;
    QProcess FServer;
};

qint64 FileSize(const QString& path) {
    return QFileInfo(path).size();
}

TEST(PrintQueue, TheQueueChosenInTheDialogGetsTheJob) {
    TempDir dir;
    TPrivateCups cups(QString::fromStdString(dir.path().string()));
    const QString problem = cups.Start();
    if (!problem.isEmpty())
        GTEST_SKIP() << "no private CUPS server here: " << problem.toStdString();
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("Elso")) && cups.AddQueue(QStringLiteral("Masodik")));

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("CUPS_SERVER"), cups.Socket());
    QString output;
    ASSERT_EQ(
        test::RunChild(QStringLiteral("print-on-queue"), {QStringLiteral("Masodik")}, environment, &output),
        0)
        << output.toStdString();
    // The server hands the job to the device when it is ready.
    for (int wait = 0; wait < 300 && FileSize(cups.Output("Masodik")) == 0; ++wait)
        QThread::msleep(50);
    EXPECT_GT(FileSize(cups.Output("Masodik")), 0);
    EXPECT_EQ(FileSize(cups.Output("Elso")), 0);
}

} // namespace
} // namespace etikor
