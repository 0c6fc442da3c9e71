#pragma once

// A private CUPS server started by a test in a folder of its own, with queues whose devices are
// files: real print queues without touching the machine's printing.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

namespace etikor::test {

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

    // A queue whose device is the file out/NAME.out, printing at `dpi` (the driver's default
    // resolution when 0); false when lpadmin refused it or the driver cannot take `dpi`.
    bool AddQueue(const QString& name, int dpi = 0) {
        QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd");
        if (dpi != 0) {
            ppd = ThermalDriver(ppd, dpi);
            if (ppd.isEmpty())
                return false;
        }
        QStringList arguments = {"-h", Socket(), "-p", name, "-E", "-v", "file://" + Output(name)};
        if (QFileInfo::exists(ppd))
            arguments << "-P" << ppd;
        else
            arguments << "-m"
                      << "raw";
        return QProcess::execute(QStringLiteral("lpadmin"), arguments) == 0;
    }

    // A queue whose device `device` receives each job as a PDF (a raw queue with a file for
    // its device would receive nothing); false when lpadmin refused it.
    bool AddPdfQueue(const QString& name, const QString& device) {
        QFile in(QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"));
        if (!in.open(QIODevice::ReadOnly))
            return false;
        QString text = QString::fromLatin1(in.readAll());
        text.replace(QRegularExpression(QStringLiteral("(\\*PCFileName:[^\\n]*\\n)")),
                     QStringLiteral("\\1*cupsFilter2: \"application/vnd.cups-pdf application/pdf 0 -\"\n"));
        Write(QStringLiteral("pdf-out.ppd"), text);
        return QProcess::execute(QStringLiteral("lpadmin"),
                                 {"-h", Socket(), "-p", name, "-E", "-v", "file://" + device, "-P",
                                  FDir + "/pdf-out.ppd"}) == 0;
    }

    // A printer class of `members`, accepting and printing.
    bool AddClass(const QString& name, const QStringList& members) {
        for (const QString& member : members)
            if (QProcess::execute(QStringLiteral("lpadmin"), {"-h", Socket(), "-p", member, "-c", name}) != 0)
                return false;
        return QProcess::execute(QStringLiteral("cupsenable"), {"-h", Socket(), name}) == 0 &&
               QProcess::execute(QStringLiteral("cupsaccept"), {"-h", Socket(), name}) == 0;
    }

    QString Socket() const { return FDir + QStringLiteral("/cups.sock"); }
    QString Output(const QString& queue) const { return FDir + QStringLiteral("/out/") + queue + ".out"; }

private:
    // The PDF driver made a thermal printer's: `dpi` its default resolution.
    QString ThermalDriver(const QString& ppd, int dpi) {
        QFile in(ppd);
        if (!in.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromLatin1(in.readAll());
        const QString choice = QStringLiteral("%1dpi").arg(dpi);
        text.replace(QRegularExpression(QStringLiteral("\\*DefaultResolution: \\S+")),
                     QStringLiteral("*DefaultResolution: ") + choice);
        text.replace(QStringLiteral("*CloseUI: *Resolution"),
                     QStringLiteral("*Resolution %1/%2 DPI: \"<</HWResolution[%2 %2]>>setpagedevice\"\n"
                                    "*CloseUI: *Resolution")
                         .arg(choice)
                         .arg(dpi));
        const QString path = FDir + QStringLiteral("/thermal-%1.ppd").arg(dpi);
        Write(QStringLiteral("thermal-%1.ppd").arg(dpi), text);
        return path;
    }

    void Write(const QString& name, const QString& text) {
        QFile file(FDir + '/' + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }

    QString FDir;
    QProcess FServer;
};

} // namespace etikor::test
