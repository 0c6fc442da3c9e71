// A label run printed on a real print queue: a private CUPS server started by the test with
// queues whose devices are files; the queue chosen in the printer dialog gets the job, the
// other one nothing; on a 203 dpi queue the barcode's modules are whole dots of the printer.
// Skipped, saying why, only where cupsd cannot be started.

#include "printing/ui/LabelPrint.h"

#include "services/QueueResolution.h"

#include "MemDataSet.h"
#include "support/ChildProcess.h"
#include "support/ImageShift.h"
#include "support/PrivateCups.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include "ImageDecoder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace etikor {
namespace {

using test::MemDataSet;
using test::ScriptedModal;
using test::TempDir;
using test::TPrivateCups;

// A run printed through the printer dialog, where `queue` is chosen; false on a failed check.
bool PrintThroughDialog(const TLabelRun& run, TDataSet& data, const QString& queue) {
    TPrintChoice choice = PrinterDialogPreset(1, 210);
    choice.PrinterName = queue;
    ScriptedModal modal;
    modal.ExpectPrinter(choice);
    RunLabelPrint(run, data, modal);
    modal.Verify();
    return !::testing::Test::HasFailure();
}

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
    const bool printed = PrintThroughDialog(run, data, arguments.value(0));
    return printed && remembered == arguments.value(0) ? 0 : 1;
});

// The child: an EAN-13 printed through the printer dialog's choice of a queue (its first
// argument), which must report the resolution of its second argument.
const test::ChildRegistration kBarcodeOnQueue("barcode-on-queue", [](const QStringList& arguments) {
    const std::optional<int> dpi = QueueResolution(arguments.value(0));
    if (dpi != arguments.value(1).toInt())
        return 2;
    MemDataSet data({{"Kod", TFieldType::ftString, 13}}, {{TVariant("590123412345")}});
    data.Open();
    TLabelRun run;
    TLabelElement barcode;
    barcode.Kind = TElemKind::ekBarcode;
    barcode.TypeIndex = 9; // "Ean 13"
    barcode.Source = "Kod";
    barcode.ShowValue = true;
    // 29 mm across (two dots a module at 203 dpi), 15 mm high, 10 mm from the paper's corner.
    barcode.Px = {38, 38, 110, 57};
    barcode.Mm = {10, 10, 29.1, 15};
    run.Elements = {barcode};
    run.Page.TopMarginMm = run.Page.LeftMarginMm = 0;
    return PrintThroughDialog(run, data, arguments.value(0)) ? 0 : 1;
});

// The child: a framed label with a text and an EAN-13 printed through the printer dialog's
// choice of a queue (its first argument), with the calibrations of the second argument
// ("QUEUE=X,Y", or nothing) and the printer remembered last its third.
const test::ChildRegistration kOffsetOnQueue("offset-on-queue", [](const QStringList& arguments) {
    MemDataSet data({{"Kod", TFieldType::ftString, 13}}, {{TVariant("590123412345")}});
    data.Open();
    TLabelRun run;
    TLabelElement barcode;
    barcode.Kind = TElemKind::ekBarcode;
    barcode.TypeIndex = 9; // "Ean 13"
    barcode.Source = "Kod";
    barcode.ShowValue = true;
    barcode.Px = {38, 38, 110, 57};
    barcode.Mm = {10, 10, 29.1, 15};
    TLabelElement text;
    text.Kind = TElemKind::ekText;
    text.Source = "Kod";
    text.Mm = {10, 28, 30, 5};
    run.Elements = {barcode, text};
    run.Options.Frame = true;
    run.Page.TopMarginMm = run.Page.LeftMarginMm = 5;
    const QStringList calibration = arguments.value(1).split('=');
    if (calibration.size() == 2)
        run.Offsets[calibration[0]] = *TPrintOffset::Parse(calibration[1]);
    return PrintThroughDialog(run, data, arguments.value(0)) ? 0 : 1;
});

qint64 FileSize(const QString& path) {
    return QFileInfo(path).size();
}

// Runs the child `name` with `arguments` against the private server and waits until `queue`
// has printed something (the server hands the job to the device when it is ready); false when
// the child failed, with its output in `output`.
bool PrintInChild(const TPrivateCups& cups, const QString& name, const QStringList& arguments,
                  const QString& queue, QString& output) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("CUPS_SERVER"), cups.Socket());
    if (test::RunChild(name, arguments, environment, &output) != 0)
        return false;
    for (int wait = 0; wait < 300 && FileSize(cups.Output(queue)) == 0; ++wait)
        QThread::msleep(50);
    QThread::msleep(200); // the device file is written in one go; let it be closed
    return true;
}

TEST(PrintQueue, TheQueueChosenInTheDialogGetsTheJob) {
    TempDir dir;
    TPrivateCups cups(QString::fromStdString(dir.path().string()));
    const QString problem = cups.Start();
    if (!problem.isEmpty())
        GTEST_SKIP() << "no private CUPS server here: " << problem.toStdString();
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("Elso")) && cups.AddQueue(QStringLiteral("Masodik")));

    QString output;
    ASSERT_TRUE(PrintInChild(cups, QStringLiteral("print-on-queue"), {QStringLiteral("Masodik")},
                             QStringLiteral("Masodik"), output))
        << output.toStdString();
    EXPECT_GT(FileSize(cups.Output("Masodik")), 0);
    EXPECT_EQ(FileSize(cups.Output("Elso")), 0);
}

// A page of a printer's output (PostScript or PDF) as the printer prints it: at `dpi`, without
// smoothing, in gray.
QImage PrintedPage(const QString& output, int dpi) {
    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (gs.isEmpty())
        return {};
    const QString page = output + QStringLiteral(".pgm");
    QProcess::execute(gs, {"-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=pgmraw",
                           "-r" + QString::number(dpi), "-dTextAlphaBits=1", "-dGraphicsAlphaBits=1",
                           "-dFirstPage=1", "-dLastPage=1", "-sOutputFile=" + page, output});
    return QImage(page).convertToFormat(QImage::Format_Grayscale8);
}

TEST(PrintQueue, OnA203DpiQueueTheModulesAreWholeDotsOfThePrinter) {
    TempDir dir;
    TPrivateCups cups(QString::fromStdString(dir.path().string()));
    const QString problem = cups.Start();
    if (!problem.isEmpty())
        GTEST_SKIP() << "no private CUPS server here: " << problem.toStdString();
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("Termo"), 203));

    QString output;
    ASSERT_TRUE(PrintInChild(cups, QStringLiteral("barcode-on-queue"),
                             {QStringLiteral("Termo"), QStringLiteral("203")}, QStringLiteral("Termo"),
                             output))
        << output.toStdString();
    const QImage page = PrintedPage(cups.Output(QStringLiteral("Termo")), 203);
    if (page.isNull())
        GTEST_SKIP() << "Ghostscript is not installed: the printed page cannot be looked at";
    // The label's corner is the paper's: the box is 233 x 121 dots from (80, 80) at 203 dpi.
    const QRect box(80, 80, 233, 121);
    const QImage label = page.copy(box.adjusted(-40, -40, 40, 40));
    const test::DecodeResult read = test::DecodeImage(label, "EAN13");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.text, "5901234123457");
    // Across the bars, every bar and space is one to four modules of exactly two dots.
    const int y = box.top() + box.height() / 4;
    std::vector<int> runs;
    int run = 0;
    bool dark = false;
    for (int x = box.left() - 40; x < box.right() + 40; ++x) {
        const bool here = qGray(page.pixel(x, y)) < 128;
        if (here != dark && run > 0 && (dark || !runs.empty()))
            runs.push_back(run);
        run = here == dark ? run + 1 : 1;
        dark = here;
    }
    ASSERT_EQ(runs.size() % 2, 1u); // bar, space, ..., bar
    ASSERT_GE(runs.size(), 59u);    // EAN-13 has 30 bars, 29 spaces between them
    for (int length : runs)
        EXPECT_TRUE(length % 2 == 0 && length >= 2 && length <= 8) << length;
}

// A queue's calibration moves every dot of what it prints by the offset (taken to its dots):
// the same job on two 203 dpi queues, one calibrated, compared dot by dot. The calibration of
// another queue moves nothing.
TEST(PrintQueue, TheQueuesCalibrationMovesEveryDotOfThePage) {
    TempDir dir;
    TPrivateCups cups(QString::fromStdString(dir.path().string()));
    const QString problem = cups.Start();
    if (!problem.isEmpty())
        GTEST_SKIP() << "no private CUPS server here: " << problem.toStdString();
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("Sima"), 203) && cups.AddQueue(QStringLiteral("Eltolt"), 203) &&
                cups.AddQueue(QStringLiteral("Masik"), 203));
    const struct {
        QString Queue, Calibration;
        int Dx, Dy;
    } rows[] = {
        {QStringLiteral("Sima"), QString(), 0, 0},
        // 2.5 mm is 19.98 dots at 203 dpi, -1.2 mm -9.59: 20 and -10.
        {QStringLiteral("Eltolt"), QStringLiteral("eltolt=2.5,-1.2"), 20, -10},
        {QStringLiteral("Masik"), QStringLiteral("Eltolt=2.5,-1.2"), 0, 0},
    };
    QImage plain;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Queue.toStdString());
        QString output;
        ASSERT_TRUE(PrintInChild(cups, QStringLiteral("offset-on-queue"), {row.Queue, row.Calibration},
                                 row.Queue, output))
            << output.toStdString();
        const QImage page = PrintedPage(cups.Output(row.Queue), 203);
        if (page.isNull())
            GTEST_SKIP() << "Ghostscript is not installed: the printed page cannot be looked at";
        if (plain.isNull()) {
            plain = page;
            continue;
        }
        ASSERT_EQ(page.size(), plain.size());
        int dark = 0;
        EXPECT_EQ(test::DotsOffTheShift(plain, page, row.Dx, row.Dy, dark), 0);
        EXPECT_GT(dark, 500);
    }
}

} // namespace
} // namespace etikor
