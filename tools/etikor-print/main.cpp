// etikor-print: prints a label template once per record of a series, as the program prints
// it, to a PDF file or a print queue; --layout lists the prepared pages instead, one placed
// item per line, so a layout can be checked without a printer. --verify reads every distinct
// barcode back as it will print before the job goes out and lists the unreadable labels. A
// large run goes to a queue or a printer class as jobs of a few sheets each (--job-pages); a
// range of its labels prints again with --labels.

#include "StandardOptions.h"
#include "ToolLanguage.h"
#include "barcode/BarCodeInfo.h"
#include "document/DataModule.h"
#include "document/LabelTemplate.h"
#include "document/Settings.h"
#include "exchange/WorksheetDataSet.h"
#include "pageengine/ReportPaint.h"
#include "printing/LabelReport.h"
#include "printing/PrintChecks.h"
#include "printing/PrintSequence.h"
#include "printing/RunJobs.h"
#include "printing/Verify.h"
#include "services/AppPaths.h"
#include "services/QueueResolution.h"
#include "tablestore/StoreTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

using namespace etikor;

constexpr int kExitOk = 0;
constexpr int kExitError = 1;
constexpr int kUsageError = 2;
constexpr int kExitUnreadable = 3;

const char* const kUsage =
    "usage: etikor-print --template FILE.ctv [--series FILE.sor | --data FILE] [--skip N] [--copies N]\n"
    "                    [--frame] [--settings FILE] [--allow-missing-fields] [--verify] [--offset X,Y]\n"
    "                    [--labels A-B [--repack]] [--job-pages N] [--quiet]\n"
    "                    (-o OUT.pdf [--dpi N] | --printer NAME | --layout | --verify-only [--dpi N])\n"
    "  --series  the records to print (default: the template's own .sor beside it)\n"
    "  --data    a worksheet to print as a linked one (.xls, .xlsx, .ods, .csv): its rows in the\n"
    "            order of its first column\n"
    "  --skip    label places already used on the first sheet (0 to 48)\n"
    "  --copies  copies of the whole job\n"
    "  --frame   a frame around every label\n"
    "  --settings  the settings file to print with (default: the program's etikor.ini, beside\n"
    "              the tool or, installed, in the user's configuration folder)\n"
    "  --allow-missing-fields  print elements bound to fields the data lacks (empty)\n"
    "  --dpi     the dot grid of the PDF, in dots per inch (default 600): barcode modules are\n"
    "            whole dots of it, so a PDF for a 203 or 300 dpi printer prints exactly there\n"
    "  --printer a print queue or a printer class; the bars are laid on its own resolution,\n"
    "            everything moved by the queue's calibration in the settings\n"
    "  --job-pages  with --printer: jobs of at most N whole sheets (a class spreads them over\n"
    "            its printers); without it the run is one job\n"
    "  --labels  only labels A to B of the run (as numbered in the whole run, from 1), each on\n"
    "            the place of its sheet it had in the run: to reprint what a jam spoiled\n"
    "  --repack  with --labels: from the first place of the sheet (--skip then counts there)\n"
    "  --quiet   no progress line (it shows only when standard error is a terminal)\n"
    "  --offset  move everything printed by X mm right and Y mm down (-10 to 10, 0.1 mm steps;\n"
    "            negative: left, up); for a queue it takes the place of its calibration, a PDF\n"
    "            is moved only when it is given\n"
    "  --layout  list the prepared pages: page, kind, left, top, width, height (mm), value\n"
    "  --verify  read every distinct barcode back at the target's resolution before printing;\n"
    "            one line per unreadable label (page, place, value, reason); exit status 3\n"
    "            when there is any (the job is still written)\n"
    "  --verify-only  only the check (at --dpi, the queue's resolution or 600 dpi): no output\n";

int usage(const std::string& problem) {
    std::fprintf(stderr, "etikor-print: %s\n%s", problem.c_str(), kUsage);
    return kUsageError;
}

int fail(const std::string& problem) {
    std::fprintf(stderr, "etikor-print: %s\n", problem.c_str());
    return kExitError;
}

// A value on one line: tab, line breaks, NUL and the backslash as \t, \r, \n, \0 and \\.
QString escapedValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case 0:
            out += QStringLiteral("\\0");
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

void printLayout(TPageSource& pages) {
    auto mm = [](double value) { return QString::number(value, 'f', 3); };
    for (int p = 0; p < pages.PageCount(); ++p) {
        for (const TPlacedItem& item : pages.Page(p).Items) {
            const QString line =
                QString::number(p + 1) + '\t' + QString::fromLatin1(ItemKindName(item.Kind).data()) + '\t' +
                mm(item.RectMm.left()) + '\t' + mm(item.RectMm.top()) + '\t' + mm(item.RectMm.width()) +
                '\t' + mm(item.RectMm.height()) + '\t' + escapedValue(item.Value) + '\n';
            const QByteArray bytes = line.toUtf8();
            std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        }
    }
}

QString Reason(const TUnreadableLabel& label) {
    const QString type = QString::fromStdString(GetBarCodeInfo(label.Type).Name);
    if (label.Verdict == TBarcodeVerdict::bvInvalid)
        return QStringLiteral("not a valid %1 value: no barcode").arg(type);
    if (label.Error == TLastPaintError::erSmallPaintBox || label.Error == TLastPaintError::erOutOfSecurityBox)
        return QStringLiteral("%1 too small for a whole dot a module: no barcode").arg(type);
    if (label.Decoded.isEmpty())
        return QStringLiteral("%1 does not scan").arg(type);
    return QStringLiteral("%1 scans as '%2'").arg(type, escapedValue(label.Decoded));
}

// The report: a line per unreadable label on standard output, a summary on standard error.
bool reportVerification(const TBarcodeVerifier& verifier, int dpi) {
    const std::vector<TUnreadableLabel> unreadable = verifier.Unreadable();
    for (const TUnreadableLabel& label : unreadable) {
        const QString line = QString::number(label.Page) + '\t' + QString::number(label.Place) + '\t' +
                             escapedValue(label.Value) + '\t' + Reason(label) + '\n';
        const QByteArray bytes = line.toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    }
    const std::string unchecked =
        verifier.UncheckedCount() > 0
            ? ", " + std::to_string(verifier.UncheckedCount()) + " in symbologies the reader does not know"
            : std::string();
    std::fprintf(stderr,
                 "etikor-print: %zu of %d labels with a barcode unreadable (%d distinct read at %d dpi%s)\n",
                 unreadable.size(), verifier.LabelCount(), verifier.DistinctCount(), dpi, unchecked.c_str());
    return unreadable.empty();
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> done =
            StandardOption(argc, argv, "etikor-print", [](std::FILE* out) { std::fputs(kUsage, out); }))
        return *done;
    std::string templatePath, seriesPath, dataPath, outPath, printerName, skipText, settingsPath;
    std::string labelsText;
    std::optional<TPrintOffset> offset;
    int copies = 1;
    int dpi = 0;
    int jobPages = 0;
    bool repack = false, quiet = false;
    bool frame = false, layout = false, allowMissingFields = false, verify = false, verifyOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string(argv[++i]);
        };
        if (arg == "--template" || arg == "--series" || arg == "--data" || arg == "-o" ||
            arg == "--printer" || arg == "--skip" || arg == "--copies" || arg == "--settings" ||
            arg == "--dpi" || arg == "--labels" || arg == "--job-pages" || arg == "--offset") {
            const std::optional<std::string> v = value();
            if (!v)
                return usage(std::string(arg) + " needs a value");
            if (arg == "--template")
                templatePath = *v;
            else if (arg == "--series")
                seriesPath = *v;
            else if (arg == "--data")
                dataPath = *v;
            else if (arg == "-o")
                outPath = *v;
            else if (arg == "--printer")
                printerName = *v;
            else if (arg == "--skip")
                skipText = *v;
            else if (arg == "--settings")
                settingsPath = *v;
            else if (arg == "--labels")
                labelsText = *v;
            else if (arg == "--job-pages") {
                bool ok = false;
                jobPages = QString::fromStdString(*v).toInt(&ok);
                if (!ok || jobPages < 1)
                    return usage("--job-pages needs a whole number of sheets from 1, not '" + *v + "'");
            } else if (arg == "--offset") {
                offset = TPrintOffset::Parse(QString::fromStdString(*v));
                if (!offset)
                    return usage("--offset needs two millimetre values from -10 to 10 as X,Y, not '" + *v +
                                 "'");
            } else if (arg == "--dpi") {
                bool ok = false;
                dpi = QString::fromStdString(*v).toInt(&ok);
                if (!ok || dpi < kMinimumDpi || dpi > kMaximumDpi)
                    return usage("--dpi needs a whole number from " + std::to_string(kMinimumDpi) + " to " +
                                 std::to_string(kMaximumDpi) + ", not '" + *v + "'");
            } else {
                bool ok = false;
                copies = QString::fromStdString(*v).toInt(&ok);
                if (!ok || copies < 1 || copies > 999)
                    return usage("--copies needs a whole number from 1 to 999, not '" + *v + "'");
            }
        } else if (arg == "--repack") {
            repack = true;
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--frame") {
            frame = true;
        } else if (arg == "--layout") {
            layout = true;
        } else if (arg == "--verify") {
            verify = true;
        } else if (arg == "--verify-only") {
            verifyOnly = true;
        } else if (arg == "--allow-missing-fields") {
            allowMissingFields = true;
        } else {
            return usage("unknown argument '" + std::string(arg) + "'");
        }
    }
    if (templatePath.empty())
        return usage("--template is required");
    if (static_cast<int>(layout) + static_cast<int>(!outPath.empty()) +
            static_cast<int>(!printerName.empty()) + static_cast<int>(verifyOnly && printerName.empty()) !=
        1)
        return usage("give exactly one of -o, --printer, --layout and --verify-only");
    if (verify && layout)
        return usage("--verify checks a job that prints: -o or --printer");
    if (dpi != 0 && outPath.empty() && !(verifyOnly && printerName.empty()))
        return usage("--dpi goes with -o or --verify-only (a queue prints at its own resolution)");
    if (jobPages > 0 && printerName.empty())
        return usage("--job-pages goes with --printer");
    if (repack && labelsText.empty())
        return usage("--repack goes with --labels");
    std::optional<TLabelRange> labels;
    if (!labelsText.empty()) {
        const TParsedLabelRange parsed = ParseLabelRange(QString::fromStdString(labelsText));
        if (!parsed.Error.isEmpty())
            return usage(parsed.Error.toStdString());
        labels = parsed.Range;
    }
    if (!seriesPath.empty() && !dataPath.empty())
        return usage("give --series or --data, not both");
    int skip = 0;
    if (!skipText.empty()) {
        const TSkipCount parsed = ParseSkipCount(QString::fromStdString(skipText));
        if (!parsed.Error.isEmpty())
            return fail(parsed.Error.toStdString());
        skip = parsed.Count;
    }
    if (seriesPath.empty() && dataPath.empty()) {
        const QFileInfo info(QString::fromStdString(templatePath));
        const QString companion = info.path() + '/' + info.completeBaseName() + ".sor";
        if (QFileInfo(companion).isFile())
            seriesPath = companion.toStdString();
    }

    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    char name[] = "etikor-print";
    char* qtArgv[] = {name, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    // The program's name: an installed tool finds the user's settings of the program.
    QCoreApplication::setApplicationName(QStringLiteral("Etikor"));
    UseDesktopLanguage();

    if (!settingsPath.empty() && !QFileInfo(QString::fromStdString(settingsPath)).isFile())
        return usage("no settings file '" + settingsPath + "'");
    // The settings the program itself would print with.
    const TSettings settings =
        (settingsPath.empty() ? TSettingsFile(TAppPaths::FromSystem().SettingsLocation())
                              : TSettingsFile::At(QString::fromStdString(settingsPath)))
            .Read();

    try {
        TStoreTable elemek;
        elemek.Name = "Elemek";
        elemek.SetTableName(templatePath);
        elemek.Open();
        TLabelTemplate labelTemplate(elemek);
        labelTemplate.Load();

        TStoreTable series;
        series.Name = "T1";
        TWorksheetDataSet sheet;
        std::unique_ptr<TPrintSequence> sequence;
        if (!dataPath.empty()) {
            // As the program prints a linked worksheet: the skipped places, then its rows by
            // their first column; the file itself is only read.
            sheet.FileName = dataPath;
            sheet.Open();
            if (sheet.BadByteLine() > 0)
                std::fprintf(stderr,
                             "etikor-print: %s: bytes that are no UTF-8 (the first on line %zu) were read as "
                             "Windows-1250\n",
                             dataPath.c_str(), sheet.BadByteLine());
            sequence = TPrintSequence::OrderedByFirstField(sheet, skip);
        } else if (!seriesPath.empty()) {
            series.SetTableName(seriesPath);
            series.Open();
            sequence = TPrintSequence::FromDataSet(series, skip);
        } else {
            sequence = std::make_unique<TPrintSequence>(SeriesFieldDefs());
            for (int i = 0; i < skip; ++i)
                sequence->AddBlank();
            sequence->Open();
        }

        TLabelRunOptions options;
        options.Frame = frame;
        options.DataFlag = sheet.Active() || (series.Active() && series.RecordCount() > 0);
        options.AutoBetu = settings.AutoBetu;
        options.AutoChd = settings.AutoChd;
        options.AutoVonal = settings.AutoVonal;
        options.Security = settings.Security;
        // A template without a page setup prints on the settings' default page, as the
        // program gives it one when it is opened.
        const TPageSetup page = labelTemplate.HasPageSetup() ? labelTemplate.PageSetup() : settings.Page;
        std::vector<TLabelElement> elements = labelTemplate.Elements();
        const TDataSet* data = sheet.Active() ? static_cast<const TDataSet*>(&sheet) : &series;
        const TPrintProblems problems = CheckBeforePrinting(elements, page, data, options.DataFlag);
        for (const QString& problem : problems.PageSetup)
            std::fprintf(stderr, "etikor-print: %s\n", problem.toStdString().c_str());
        if (!problems.PageSetup.isEmpty())
            return kUsageError;
        if (!problems.MissingFields.isEmpty() && !allowMissingFields) {
            std::fprintf(stderr,
                         "etikor-print: fields the data does not have (their elements would print "
                         "empty; --allow-missing-fields prints anyway): %s\n",
                         problems.MissingFields.join(QStringLiteral(", ")).toStdString().c_str());
            return kUsageError;
        }
        if (sequence->IsEmpty()) {
            // As the program does: no band, one sheet without labels.
            std::fprintf(
                stderr, "%s\n",
                QCoreApplication::translate("TLabelPrintText", "Üres az adatforrás!").toUtf8().constData());
            elements.clear();
        }
        const TReport report = BuildLabelReport(elements, page, sequence.get(), options);
        if (labels) {
            // The whole run tells where each label was: then only the range stays.
            TStreamedPages run(report, sequence.get());
            run.IndexAll();
            const QString problem = NarrowToLabels(*sequence, run, skip, *labels, repack, repack ? skip : 0);
            if (!problem.isEmpty())
                return fail(problem.toStdString());
        }
        // Pages are laid out one at a time as they are written: memory stays flat however
        // many labels the run has.
        TStreamedPages pages(report, sequence.get());
        pages.IndexAll();
        // The blank places before the first label printed.
        const int leading = labels ? pages.Total() - (labels->Last - labels->First + 1) : skip;

        if (layout) {
            printLayout(pages);
            return kExitOk;
        }
        // Every distinct barcode read back at the resolution it prints at.
        bool readable = true;
        auto verifyAt = [&](int targetDpi) {
            TBarcodeVerifier verifier(report.Page, targetDpi);
            // A page at a time, as they print: only the distinct barcodes are kept.
            for (int p = 0; p < pages.PageCount(); ++p)
                verifier.AddPage(pages.Page(p), p + 1);
            verifier.Run();
            readable = reportVerification(verifier, targetDpi);
        };
        const TPrintRange range{copies, 0, 0, true};
        const std::vector<TRunJob> jobs = SplitIntoJobs(pages, leading, printerName.empty() ? 0 : jobPages);
        const int firstLabel = labels ? labels->First : 1;
        const QString templateName = QFileInfo(QString::fromStdString(templatePath)).fileName();
        // The progress line, on a terminal only, redrawn a few times a second.
        const bool showProgress = !quiet && isatty(STDERR_FILENO) == 1;
        TRunProgress progress;
        progress.Labels = pages.Total() - leading;
        progress.Pages = pages.PageCount() * copies;
        progress.Jobs = outPath.empty() ? static_cast<int>(jobs.size()) : 1;
        QElapsedTimer clock;
        clock.start();
        qint64 shown = -1000;
        auto show = [&](bool last) {
            if (!showProgress || (!last && clock.elapsed() - shown < 200))
                return;
            shown = clock.elapsed();
            progress.ElapsedSeconds = static_cast<double>(shown) / 1000;
            const QByteArray line = ("\r" + ProgressLine(progress) + "\x1b[K").toUtf8();
            std::fputs(line.constData(), stderr);
            if (last)
                std::fputc('\n', stderr);
            std::fflush(stderr);
        };
        // Called after each page a job writes: `before` pages went out in the jobs before it.
        auto pageWritten = [&](const TRunJob& job, int before) -> TProgressEvent {
            const int jobLength = job.LastPage - job.FirstPage + 1;
            return [&, job, before, jobLength](int done, int) {
                progress.PagesWritten = before + done;
                const int next = job.FirstPage + (done - 1) % jobLength; // the page after, from 0
                const int end = next < pages.PageCount() ? pages.PageStart(next) : pages.Total();
                progress.LabelsPrepared = std::max(progress.LabelsPrepared, end - leading);
                show(false);
            };
        };
        if (verifyOnly && printerName.empty()) {
            verifyAt(dpi != 0 ? dpi : kDefaultPdfDpi);
            return readable ? kExitOk : kExitUnreadable;
        }
        if (!outPath.empty()) {
            if (verify)
                verifyAt(dpi != 0 ? dpi : kDefaultPdfDpi);
            QPdfWriter pdf(QString::fromStdString(outPath));
            pdf.setResolution(dpi != 0 ? dpi : kDefaultPdfDpi);
            pdf.setCreator(QStringLiteral("Etikor"));
            pdf.setTitle(QFileInfo(QString::fromStdString(templatePath)).completeBaseName());
            // A PDF is for whatever printer prints it later: moved only when asked.
            const int written = PrintReport(
                pages, pdf, range,
                offset.value_or(TPrintOffset{}).DeviceOriginMm(pdf.logicalDpiX(), pdf.logicalDpiY()),
                pageWritten(jobs.front(), 0));
            progress.JobsSent = written > 0 ? 1 : 0;
            show(true);
            if (written == 0)
                return fail("could not write '" + outPath + "'");
            return readable ? kExitOk : kExitUnreadable;
        }
        const QPrinterInfo queue = QPrinterInfo::printerInfo(QString::fromStdString(printerName));
        if (queue.isNull())
            return fail("no print queue named '" + printerName + "'");
        QPrinter printer(queue, QPrinter::HighResolution);
        // Positions are from the paper's edge: the painter starts there too.
        printer.setFullPage(true);
        // The bars go on the printer's own dots (a queue that reports no resolution keeps
        // the fine grid of the device).
        if (const std::optional<int> queueDpi = QueueResolution(queue.printerName()))
            printer.setResolution(*queueDpi);
        if (verify || verifyOnly)
            verifyAt(printer.resolution());
        if (verifyOnly)
            return readable ? kExitOk : kExitUnreadable;
        const TPrintOffset moved = offset.value_or(OffsetOfQueue(settings.Eltolas, queue.printerName()));
        const QPointF origin = moved.DeviceOriginMm(printer.logicalDpiX(), printer.logicalDpiY());
        int pagesBefore = 0;
        for (size_t j = 0; j < jobs.size(); ++j) {
            TRunJob job = jobs[j];
            // Named in the run's own numbering, a reprint too.
            job.FirstLabel += firstLabel - 1;
            job.LastLabel += firstLabel - 1;
            // A job of its own for each part: a class hands each to its next free printer.
            QPrinter jobPrinter(queue, QPrinter::HighResolution);
            jobPrinter.setFullPage(true);
            jobPrinter.setResolution(printer.resolution());
            jobPrinter.setDocName(
                jobs.size() == 1 && !labels
                    ? QFileInfo(QString::fromStdString(templatePath)).completeBaseName()
                    : JobName(templateName, static_cast<int>(j) + 1, static_cast<int>(jobs.size()), job));
            const TPrintRange part{copies, job.FirstPage, job.LastPage, true};
            const int written = PrintReport(pages, jobPrinter, part, origin, pageWritten(job, pagesBefore));
            if (written == 0) {
                show(true);
                return fail("the print queue '" + printerName + "' refused job " + std::to_string(j + 1) +
                            " of " + std::to_string(jobs.size()));
            }
            pagesBefore += written;
            progress.JobsSent = static_cast<int>(j) + 1;
            show(j + 1 == jobs.size());
        }
        return readable ? kExitOk : kExitUnreadable;
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}
