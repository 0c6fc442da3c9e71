#include "printing/ui/LabelPrint.h"

#include "data/DataSet.h"
#include "printing/PrintChecks.h"
#include "printing/ui/PreviewForm.h"
#include "services/Modal.h"
#include "ui/PrintTarget.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPrinter>
#include <QProgressDialog>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TLabelPrintText {
    Q_DECLARE_TR_FUNCTIONS(TLabelPrintText)
};
} // namespace

namespace {

// Sends the pages to the queue or the PDF file of `target`; a printer that cannot be opened is
// named to the user and nothing is sent.
void PrintOnPrinter(TPageSource& pages, const TPrintRange& range, const TPrintChoice& target,
                    const TPrintOffsets& offsets, IModal& modal) {
    QPrinter printer(QPrinter::HighResolution);
    const bool found = SetUpPrinter(printer, target);
    // Positions are measured from the paper's edge; the painter starts there too.
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Etikor"));
    const QString name = PrintTargetName(printer, target);
    if (!found || !printer.isValid()) {
        TellCannotOpen(modal, name);
        return;
    }
    // The pages sent so far, for a long job.
    QProgressDialog progress(TLabelPrintText::tr("Nyomtatás..."), QString(), 0, 100);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // The queue's calibration; a PDF file is for whatever printer prints it later.
    const TPrintOffset offset =
        target.OutputFile.isEmpty() ? OffsetOfQueue(offsets, printer.printerName()) : TPrintOffset{};
    const int written = PrintReport(
        pages, printer, range, offset.DeviceOriginMm(printer.logicalDpiX(), printer.logicalDpiY()),
        [&progress](int done, int total) {
            progress.setValue(total > 0 ? static_cast<int>(qint64(done) * 100 / total) : 100);
        });
    QGuiApplication::restoreOverrideCursor();
    if (written == 0 && pages.PageCount() > 0)
        TellCannotOpen(modal, name); // the device refused to start
}

} // namespace

TPrintChoice PrinterDialogPreset(int records, double pageWidthMm) {
    TPrintChoice choice;
    choice.MinPage = 1;
    choice.MaxPage = std::max(records, 1);
    choice.Collate = true;
    if (pageWidthMm < 200) {
        choice.FromPage = 1;
        choice.ToPage = choice.MaxPage;
    }
    return choice;
}

bool ConfirmPrintable(const TLabelRun& run, const TDataSet& data, IModal& modal) {
    const TPrintProblems problems = CheckBeforePrinting(run.Elements, run.Page, &data, run.Options.DataFlag);
    if (!problems.PageSetup.isEmpty()) {
        modal.Message(QString(), PageSetupMessage(problems.PageSetup), QStringLiteral("H"));
        return false;
    }
    return problems.MissingFields.isEmpty() ||
           modal.Message(QString(), MissingFieldsQuestion(problems.MissingFields), QStringLiteral("K"));
}

namespace {

void HandOver(const TLabelRun& run, TDataSet& data, IModal& modal, QWidget* parent) {
    std::vector<TLabelElement> elements = run.Elements;
    if (data.IsEmpty()) {
        modal.Message(QString(), TLabelPrintText::tr("Üres az adatforrás!"), QStringLiteral("I"));
        elements.clear();
    }
    data.First();
    const TReport report = BuildLabelReport(elements, run.Page, &data, run.Options);
    const TPrintChoice preset = PrinterDialogPreset(data.RecordCount(), run.Page.PageWidthMm);
    if (run.Mode == TPrintMode::pmPreview) {
        // The preview prints on the printer last chosen (the system's default the first time).
        TPrintChoice target;
        target.PrinterName = run.PrinterName;
        TPreviewForm preview(
            report, &data, TPrintRange{},
            [&](TPageSource& pages, const TPrintRange& range) {
                PrintOnPrinter(pages, range, target, run.Offsets, modal);
            },
            modal, parent);
        modal.RunModal(preview);
        data.First();
        return;
    }
    TPrintChoice offered = preset;
    offered.PrinterName = run.PrinterName;
    const std::optional<TPrintChoice> chosen = modal.ChoosePrinter(offered);
    if (!chosen)
        return;
    if (run.PrinterChosen && chosen->OutputFile.isEmpty() && !chosen->PrinterName.isEmpty())
        run.PrinterChosen(chosen->PrinterName);
    // Pages are laid out one at a time as they are printed.
    TStreamedPages pages(report, &data);
    pages.IndexAll();
    PrintOnPrinter(
        pages, TPrintRange{std::max(chosen->Copies, 1), chosen->FromPage, chosen->ToPage, chosen->Collate},
        *chosen, run.Offsets, modal);
    data.First();
}

} // namespace

void RunLabelPrint(const TLabelRun& run, TDataSet& data, IModal& modal, QWidget* parent) {
    if (ConfirmPrintable(run, data, modal))
        HandOver(run, data, modal, parent);
}

} // namespace etikor

#include "printing/LinkedRun.h"

namespace etikor {

void RunLinkedPrint(const TLabelRun& run, TDataSet& linked, IModal& modal, QWidget* parent) {
    if (!ConfirmPrintable(run, linked, modal))
        return;
    const std::unique_ptr<TPrintSequence> sequence =
        PrepareLinkedRun(linked, modal, run.Mode == TPrintMode::pmPrint);
    if (!sequence)
        return;
    HandOver(run, *sequence, modal, parent);
}

} // namespace etikor
